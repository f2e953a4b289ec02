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

// One process-wide lock: a compare-and-swap to take it and an exchange to
// give it back when no other thread waits (the cost of one uncontended call
// is those two instructions); a thread that finds it taken sleeps on it
// (std::atomic wait) until the holder gives it back. Nothing here can fail
// or throw.
class BoundaryLock {
 public:
  BoundaryLock() noexcept {
    int seen = kFree;
    if (State().compare_exchange_strong(seen, kHeld, std::memory_order_acquire,
                                        std::memory_order_relaxed))
      return;
    // Taken: mark that a thread waits, and sleep until the holder lets go.
    if (seen != kWaitedFor) seen = State().exchange(kWaitedFor, std::memory_order_acquire);
    while (seen != kFree) {
      State().wait(kWaitedFor, std::memory_order_relaxed);
      seen = State().exchange(kWaitedFor, std::memory_order_acquire);
    }
  }
  ~BoundaryLock() {
    if (State().exchange(kFree, std::memory_order_release) == kWaitedFor) State().notify_one();
  }
  BoundaryLock(const BoundaryLock&) = delete;
  BoundaryLock& operator=(const BoundaryLock&) = delete;

 private:
  static constexpr int kFree = 0;
  static constexpr int kHeld = 1;
  static constexpr int kWaitedFor = 2;
  static std::atomic<int>& State() noexcept {
    static std::atomic<int> state{kFree};
    return state;
  }
};

template <auto Impl, class... A>
inline ErrorCode AtBoundary(const trace::ExportInfo& info, A... args) noexcept {
  const BoundaryLock hold;
  return trace::Traced<Impl>(info, args...);
}

}  // namespace kelmod
