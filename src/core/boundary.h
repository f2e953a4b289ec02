// The C boundary: every export runs its implementation through AtBoundary,
// which serialises the calls of all threads on one lock (the toolbox's state
// is module-wide, so a host that calls from two threads at once would
// otherwise corrupt its tables) and hands the call to the call trace.
//
// The lock keeps each call whole; it cannot keep a text handed back through
// a char** from being replaced by another thread's next call. A host that
// shares the toolbox between threads copies such a text before it lets go of
// its own lock, as the bindings do.
#pragma once

#include <atomic>

#include "core/trace_call.h"

namespace kelmod {

// One process-wide lock. Taking it is one compare-and-swap and giving it back
// a plain store, so an uncontended call pays a single locked instruction (an
// exchange on giving it back, to learn whether a thread sleeps on it, would
// cost as much again: a fifth of a short read).
//
// A thread that finds it taken yields a few times, then counts itself among
// the waiters and sleeps on a condition variable, which the holder signals
// when it gives the lock back and sees a waiter. The holder may miss a
// waiter that counted itself just then (its store and load are not fenced),
// so a waiter also looks again every millisecond: at worst it takes the lock
// that much late. Nothing here throws; should the condition variable fail, a
// waiter yields until the lock is free.
class BoundaryLock {
 public:
  BoundaryLock() noexcept {
    if (!TryTake()) [[unlikely]]
      Wait();
  }
  ~BoundaryLock() {
    Held().store(false, std::memory_order_release);
    if (Waiters().load(std::memory_order_relaxed) != 0) [[unlikely]]
      WakeOne();
  }
  BoundaryLock(const BoundaryLock&) = delete;
  BoundaryLock& operator=(const BoundaryLock&) = delete;

  // The lock's state, constant-initialised so that the fast path has no
  // guard to check.
  static std::atomic<bool>& Held() noexcept {
    static std::atomic<bool> held{false};
    return held;
  }
  static std::atomic<int>& Waiters() noexcept {
    static std::atomic<int> waiters{0};
    return waiters;
  }
  static bool TryTake() noexcept {
    bool seen = false;
    return Held().compare_exchange_strong(seen, true, std::memory_order_acquire,
                                          std::memory_order_relaxed);
  }

 private:
  // The slow paths, out of line (boundary.cpp).
  static void Wait() noexcept;
  static void WakeOne() noexcept;
};

template <auto Impl, class... A>
inline ErrorCode AtBoundary(const trace::ExportInfo& info, A... args) noexcept {
  const BoundaryLock hold;
  return trace::Traced<Impl>(info, args...);
}

}  // namespace kelmod
