#include "core/graph/dependency_choices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/records/graph_record.h"

namespace tornel {
namespace {

TEST(DependencyChoices, ListsRecordedChannelsInRecordedPositionOrder) {
  TGraphRecord r;
  r.ChanName[1] = "ADC two";
  r.ChanName[4] = "ADC five";
  r.ChanName[16] = "DAC one";
  r.ChanName[0] = "not recorded";
  r.CapMask = 0b1;
  r.AcpMask = 0b10010;
  EXPECT_THAT(DependencyChoices(r), ::testing::ElementsAre("ADC two", "ADC five", "DAC one"));
}

TEST(DependencyChoices, NothingRecordedOffersNothing) {
  TGraphRecord r;
  EXPECT_TRUE(DependencyChoices(r).empty());
}

TEST(DependencyChoiceIndex, ShowsOnlyPositionsThatNameAnItem) {
  EXPECT_EQ(DependencyChoiceIndex(0, 3), 0);
  EXPECT_EQ(DependencyChoiceIndex(2, 3), 2);
  EXPECT_EQ(DependencyChoiceIndex(3, 3), -1);
  EXPECT_EQ(DependencyChoiceIndex(-1, 3), -1);
  EXPECT_EQ(DependencyChoiceIndex(0, 0), -1);
}

}  // namespace
}  // namespace tornel
