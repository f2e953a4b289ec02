#include "core/boundary.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <thread>

namespace kelmod {

namespace {

struct Sleep {
  std::mutex mutex;
  std::condition_variable wake;
};

// Made on first contention and never destroyed, so that a call during the
// process's exit (a host's atexit handler) still finds it.
Sleep& Sleeping() {
  alignas(Sleep) static unsigned char storage[sizeof(Sleep)];
  static Sleep* const sleep = new (storage) Sleep;
  return *sleep;
}

}  // namespace

void BoundaryLock::Wait() noexcept {
  for (int round = 0; round < 64; ++round) {
    std::this_thread::yield();
    if (TryTake()) return;
  }
  Waiters().fetch_add(1, std::memory_order_seq_cst);
  // Looked at again under the mutex before each sleep, so that a signal
  // given in between is not lost.
  while (!TryTake()) {
    try {
      Sleep& sleep = Sleeping();
      std::unique_lock<std::mutex> hold(sleep.mutex);
      if (sleep.wake.wait_for(hold, std::chrono::milliseconds(1), TryTake)) break;
    } catch (...) {
      std::this_thread::yield();  // no sleep to be had: look again
    }
  }
  Waiters().fetch_sub(1, std::memory_order_relaxed);
}

void BoundaryLock::WakeOne() noexcept {
  try {
    Sleep& sleep = Sleeping();
    const std::lock_guard<std::mutex> hold(sleep.mutex);
    sleep.wake.notify_one();
  } catch (...) {
    // The waiter finds the lock free when it looks again.
  }
}

}  // namespace kelmod
