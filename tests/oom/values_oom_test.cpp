// Memory exhaustion inside a value list: every operation that changes a list
// either completes or, when an allocation fails, leaves the list exactly as it
// was, so that the records a failed fill has read so far stay whole and the
// list takes further values. Each allocation of each operation fails in turn.
//
// The program replaces the global allocation functions (a program of its own,
// like the memory-exhaustion test of the exchanges).
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <string>

#include "core/records.h"

#include "failing_allocator.h"

namespace kelmod {
namespace {

std::string Show(const ValueList& values) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i)
    out += std::to_string(values.number(i)) + ":" + std::string(values.text(i)) + " ";
  return out;
}

// A value long enough to need memory of its own wherever it is copied.
const std::string kLong(100, 'L');

// Runs `change` on a list made by `make`, with the k-th allocation failing,
// for k = 1, 2, ... until the change needs fewer. A failed change must leave
// the list as it was, and the list must take a further value as any list
// does; a change that completes must give what it gives without a failure.
void ExpectWholeOrUnchanged(const char* what, const std::function<void(ValueList&)>& make,
                            const std::function<void(ValueList&)>& change) {
  ValueList plain;
  make(plain);
  change(plain);
  const std::string done = Show(plain);
  for (long k = 1;; ++k) {
    ValueList values;
    make(values);
    const std::string before = Show(values);
    g_allocations = 0;
    g_injected = false;
    g_failAt = k;
    bool threw = false;
    try {
      change(values);
    } catch (const std::bad_alloc&) {
      threw = true;
    }
    g_failAt = 0;
    if (!g_injected) break;
    const std::string now = Show(values);
    EXPECT_EQ(now, threw ? before : done) << what << ", allocation " << k;
    PutValue(values, "Z", 0);
    EXPECT_EQ(Show(values), now + std::to_string(values.size()) + ":Z ")
        << what << ", allocation " << k;
  }
}

TEST(ValueListExhaustion, EveryChangeCompletesOrLeavesTheListAsItWas) {
  const auto packed = [](ValueList& v) {
    for (const char* text : {"A", "BB", "CCC"}) PutValue(v, text, 0);
  };
  const auto general = [&](ValueList& v) {
    packed(v);
    PutValue(v, "b", 2);  // a replacement: the general form
  };
  const auto roomy = [](ValueList& v) {
    v.reserve(8, 400);
    PutValue(v, "A", 0);
  };
  ExpectWholeOrUnchanged("packed append", packed, [](ValueList& v) { PutValue(v, kLong, 0); });
  ExpectWholeOrUnchanged("append into room", roomy, [](ValueList& v) { PutValue(v, kLong, 0); });
  ExpectWholeOrUnchanged("general append", general, [](ValueList& v) { PutValue(v, kLong, 0); });
  ExpectWholeOrUnchanged("gap", packed, [](ValueList& v) { PutValue(v, kLong, 40); });
  ExpectWholeOrUnchanged("first replacement", packed, [](ValueList& v) { PutValue(v, kLong, 1); });
  ExpectWholeOrUnchanged("longer replacement", general,
                         [](ValueList& v) { PutValue(v, kLong, 3); });
  ExpectWholeOrUnchanged("first delete", packed, [](ValueList& v) { v.erase(1); });
  // Enough replaced text that the change compacts the block: running out of
  // memory there only leaves the replaced bytes where they are.
  const auto worn = [&](ValueList& v) {
    general(v);
    const auto unused = [&] {
      std::size_t live = 0;
      for (std::size_t i = 0; i < v.size(); ++i) live += v.text(i).size();
      return v.blockBytes() - live;
    };
    // Longer and shorter by turns, so that texts are given up each time.
    for (int n = 0; unused() < 4000; ++n) PutValue(v, std::string(n % 2 ? 100 : 150, 'L'), 1);
    ASSERT_LE(unused(), 4096u) << "not compacted yet";
  };
  ExpectWholeOrUnchanged("compacting replacement", worn,
                         [](ValueList& v) { PutValue(v, kLong + kLong, 1); });
  ExpectWholeOrUnchanged("compacting delete", worn, [](ValueList& v) { v.erase(0); });
}

}  // namespace
}  // namespace kelmod
