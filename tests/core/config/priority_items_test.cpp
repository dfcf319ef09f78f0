#include "core/config/priority_items.h"

#include <gtest/gtest.h>

#include <vector>

namespace tornel {
namespace {

TEST(PriorityItems, MapTheFourChoicesToTheSystemCodesAndBack) {
  struct Case {
    int item;
    int32_t priorityClass, threadPriority;
  };
  const std::vector<Case> cases = {{0, 64, 0}, {1, 32, 1}, {2, 128, 2}, {3, 256, 15}};
  for (const Case& c : cases) {
    EXPECT_EQ(PriorityClassOfItem(c.item), c.priorityClass);
    EXPECT_EQ(ThreadPriorityOfItem(c.item), c.threadPriority);
    EXPECT_EQ(PriorityClassItem(c.priorityClass), c.item);
    EXPECT_EQ(ThreadPriorityItem(c.threadPriority), c.item);
  }
}

TEST(PriorityItems, AValueTheDialogDoesNotOfferSelectsNoItem) {
  for (int32_t value : {16384, 0, 1, -1, 15}) EXPECT_EQ(PriorityClassItem(value), -1) << value;
  for (int32_t value : {3, -15, 32, 64}) EXPECT_EQ(ThreadPriorityItem(value), -1) << value;
}

}  // namespace
}  // namespace tornel
