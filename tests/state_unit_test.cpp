// Releasing the toolbox gives back the memory of every table, the buffers of
// the tables' own vectors included.
#include <gtest/gtest.h>

#include "core/state.h"

namespace kelmod {
namespace {

TEST(ReleaseToolbox, GivesBackTheBuffersOfEveryVectorTable) {
  State s;
  s.objectTable.resize(100);
  s.positionValues.resize(100);
  s.classTable1.resize(100);
  s.classTable2.resize(100);
  s.classSearchTable.resize(100);
  s.classHierarchy.resize(100);
  ReleaseToolbox(s);
  EXPECT_EQ(s.objectTable.capacity(), 0u);
  EXPECT_EQ(s.positionValues.capacity(), 0u);
  EXPECT_EQ(s.classTable1.capacity(), 0u);
  EXPECT_EQ(s.classTable2.capacity(), 0u);
  EXPECT_EQ(s.classSearchTable.capacity(), 0u);
  EXPECT_EQ(s.classHierarchy.capacity(), 0u);
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
