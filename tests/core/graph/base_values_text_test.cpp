#include "core/graph/base_values_text.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(BaseValuesText, ListsThePlottedChannelsInSlotOrderOnTheSecondLine) {
  TGraphRecord record;
  record.AcpMask = 0b110;  // ADC 2 and 3
  record.CapMask = 0b1;    // DAC 1
  record.AcpShowMask = 0b100;
  record.Deps[0] = {1, 0, 2};  // DAC 1 against ADC 2
  record.ChanName[1] = "Ia";
  record.ChanUnit[1] = "А";
  record.RealBase[1] = 12.5;
  record.ChanName[2] = "w";
  record.ChanUnit[2] = "";
  record.RealBase[2] = 157.0796;
  record.ChanName[kCapSlotBase] = "Uз";
  record.ChanUnit[kCapSlotBase] = "В";
  record.RealBase[kCapSlotBase] = 10;
  EXPECT_EQ(BaseValuesText(record, ','),
            "Базовые величины\nIa = 12,50 А; w = 157,08; Uз = 10,00 В");
}

TEST(BaseValuesText, NothingPlottedLeavesTheHeadingAlone) {
  TGraphRecord record;
  record.AcpMask = 1;
  record.Deps[0] = {0, 0, 0};  // not enabled
  EXPECT_EQ(BaseValuesText(record, '.'), "Базовые величины\n");
}

}  // namespace
}  // namespace tornel
