#include "core/graph/auto_range.h"

#include <gtest/gtest.h>

#include "graph_test_record.h"

namespace tornel {
namespace {

using tornel::testing::FillRecord;

class AutoRangeTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (int s = 0; s < kChannelSlots; ++s) record.Base[s] = record.RealBase[s] = 1.0;
  }
  tornel::testing::TempDir dir;
  TGraphRecord record;
};

TEST_F(AutoRangeTest, AConstantSignalIsWidenedByATenthOnBothSides) {
  // 511 codes of Base 1 with a base value of 2: 0.5 per unit throughout.
  record.RealBase[0] = 2.0;
  record.AcpShowMask = 1;
  FillRecord(record, dir, 1, 0, {511, 511, 511, 511});
  const AxisRange r = AutoRange(record, Axis::Y);
  EXPECT_DOUBLE_EQ(r.Min, 0.4);
  EXPECT_DOUBLE_EQ(r.Max, 0.6);
}

TEST_F(AutoRangeTest, TakesTheExtremesOfTheShownAndOrdinateChannelsOnly) {
  // Recorded: ADC 1, ADC 3, DAC 2. ADC 1 is shown, DAC 2 is a dependency's
  // ordinate, ADC 3 only its abscissa.
  record.Base[kCapSlotBase + 1] = 10.0;  // DAC 2: code 511 is 10 per unit
  record.AcpShowMask = 1;
  record.Deps[0] = {1, 1, 2};
  FillRecord(record, dir, 0b101, 0b10,
             {
                 100,
                 2000,
                 51,  //
                 -511,
                 -3000,
                 0,  //
                 200,
                 4000,
                 -102,
             });
  const AxisRange y = AutoRange(record, Axis::Y);
  EXPECT_DOUBLE_EQ(y.Min, -102.0 * 10 / 511) << "DAC 2, below ADC 1's -1";
  EXPECT_DOUBLE_EQ(y.Max, 51.0 * 10 / 511) << "DAC 2, above ADC 1's 200 / 511";
  const AxisRange x = AutoRange(record, Axis::X);
  EXPECT_DOUBLE_EQ(x.Min, -3000.0 / 511);
  EXPECT_DOUBLE_EQ(x.Max, 4000.0 / 511);
}

TEST_F(AutoRangeTest, WithoutValuesTheLimitsStayAndEqualOnesAreWidened) {
  record.YMin = -1.0;
  record.YMax = 2.0;
  FillRecord(record, dir, 1, 0, {10, 20});  // nothing shown
  EXPECT_EQ(AutoRange(record, Axis::Y), (AxisRange{-1.0, 2.0}));

  record.AcpShowMask = 1;
  record.SampleFile = dir.File("missing");
  record.YMin = record.YMax = 1.0;
  const AxisRange r = AutoRange(record, Axis::Y);
  EXPECT_DOUBLE_EQ(r.Min, 0.9);
  EXPECT_DOUBLE_EQ(r.Max, 1.1);
}

TEST_F(AutoRangeTest, AChannelWithoutABaseValueIsLeftOut) {
  record.RealBase[1] = 0.0;  // ADC 2 would give infinities
  record.AcpShowMask = 0b11;
  FillRecord(record, dir, 0b11, 0, {511, 300, -511, -300});
  EXPECT_EQ(AutoRange(record, Axis::Y), (AxisRange{-1.0, 1.0}));
}

TEST_F(AutoRangeTest, ReadsEveryFrameOfALongFile) {
  // More frames than one chunk; the extremes sit in the last frames.
  std::vector<int16_t> values(10000, 0);
  values[9998] = -511;
  values[9999] = 511;
  record.AcpShowMask = 1;
  FillRecord(record, dir, 1, 0, values);
  EXPECT_EQ(AutoRange(record, Axis::Y), (AxisRange{-1.0, 1.0}));
}

TEST_F(AutoRangeTest, DoubleSamplesOfTheGraphBlockUseItsFullScale) {
  record.Samples = SampleFormat::Float64;
  record.FullScale = 1.0;
  record.AcpMask = 1;
  record.AcpShowMask = 1;
  record.SampleFile = dir.File("doubles");
  tornel::testing::WriteBytes(record.SampleFile, tornel::testing::DoubleBytes({0.25, -0.75, 1.5}));
  EXPECT_EQ(AutoRange(record, Axis::Y), (AxisRange{-0.75, 1.5}));
}

}  // namespace
}  // namespace tornel
