// The boundary lock: a second thread waits until the first gives the lock
// back, counted among the waiters while it sleeps, and takes it afterwards.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "core/boundary.h"

namespace kelmod {
namespace {

TEST(BoundaryLock, ASecondThreadSleepsAsAWaiterUntilTheFirstLetsGo) {
  std::optional<BoundaryLock> first;
  first.emplace();
  std::atomic<bool> inside{false};
  std::thread second([&] {
    const BoundaryLock hold;
    inside = true;
  });
  // The second thread yields a few times, then counts itself and sleeps.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (BoundaryLock::Waiters().load() == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(BoundaryLock::Waiters().load(), 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(inside);
  first.reset();
  second.join();
  EXPECT_TRUE(inside);
  EXPECT_EQ(BoundaryLock::Waiters().load(), 0);
  EXPECT_FALSE(BoundaryLock::Held().load());
  // Free again: this thread takes it at once.
  EXPECT_TRUE(BoundaryLock::TryTake());
  BoundaryLock::Held().store(false);
}

}  // namespace
}  // namespace kelmod
