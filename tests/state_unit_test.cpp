// Releasing the toolbox gives back the memory of every table, the buffers of
// the tables' own vectors included.
#include <gtest/gtest.h>

#include <string_view>

#include "core/state.h"

namespace kelmod {
namespace {

TEST(ReleaseToolbox, GivesBackTheBuffersOfEveryVectorTable) {
  State s;
  s.objectTable.resize(100);
  s.positionValues.resize(100);
  s.classTable1.resize(100);
  s.classTable2.resize(100);
  // Tables filled, then emptied for the next fill: their memory stays until
  // the release.
  const std::string_view value = "a value longer than a short string";
  for (FlatRecords* table : {&s.classSearchTable, &s.classHierarchy}) {
    table->reset(3);
    for (int i = 0; i < 300; ++i) table->push(value);
    table->reset(6);
    ASSERT_GE(table->heapBytes(), 300 * (value.size() + sizeof(uint32_t)));
  }
  // The value memory kept for the next fill of objects of the older bar.
  for (int i = 0; i < 300; ++i) s.smlObjectValues.appendNext(value);
  s.smlObjectValues.clear();
  ASSERT_GE(s.smlObjectValues.heapBytes(), 300 * value.size());
  ReleaseToolbox(s);
  EXPECT_EQ(s.objectTable.capacity(), 0u);
  EXPECT_EQ(s.positionValues.capacity(), 0u);
  EXPECT_EQ(s.classTable1.capacity(), 0u);
  EXPECT_EQ(s.classTable2.capacity(), 0u);
  EXPECT_EQ(s.classSearchTable.heapBytes(), 0u);
  EXPECT_EQ(s.classHierarchy.heapBytes(), 0u);
  EXPECT_EQ(s.smlObjectValues.heapBytes(), ValueList().heapBytes());
}

TEST(ReleaseToolbox, StartingAgainLeavesEveryVectorTableEmpty) {
  State s;
  s.classTable2.resize(3);
  s.objectTable.resize(2);
  StartToolbox(s);
  EXPECT_TRUE(s.classTable2.empty());
  EXPECT_TRUE(s.objectTable.empty());
}

}  // namespace
}  // namespace kelmod
