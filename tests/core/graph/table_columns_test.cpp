#include "core/graph/table_columns.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

// ADC 2, ADC 5 and DAC 1 recorded: positions 0, 1, 2.
TGraphRecord ThreeChannels() {
  TGraphRecord r;
  r.AcpMask = 0b10010;
  r.CapMask = 0b1;
  r.ChanName[1] = "Uя";
  r.ChanUnit[1] = "В";
  r.ChanName[4] = "Iя";
  r.ChanUnit[4] = "А";
  r.ChanName[16] = "Uз";
  r.ChanUnit[16] = "";
  r.Base[4] = 10;
  r.Base[16] = 2.5;
  r.Duration = 1.0;
  r.FrameCount = 1001;
  return r;
}

TEST(TableColumns, SelectedChannelsInSlotOrderWithTheirFramePositions) {
  const TableColumns t(ThreeChannels(), {0b10000, 0b1});
  ASSERT_EQ(t.Count(), 2);
  EXPECT_EQ(t[0].Slot, 4);
  EXPECT_EQ(t[0].Position, 1);
  EXPECT_EQ(t[1].Slot, 16);
  EXPECT_EQ(t[1].Position, 2);
  EXPECT_EQ(t.RecChannelCount(), 3);
  EXPECT_EQ(t.HeaderText(0), "Iя, А");
  EXPECT_EQ(t.HeaderText(1), "Uз");
}

TEST(TableColumns, UnrecordedChannelsAreNotColumns) {
  const TableColumns t(ThreeChannels(), {0xFFFF, 0b110});
  EXPECT_EQ(t.Selected(), (MaskPair{0b10010, 0}));
  ASSERT_EQ(t.Count(), 2);
  EXPECT_EQ(t[0].Slot, 1);
  EXPECT_EQ(t[1].Slot, 4);
}

TEST(TableColumns, TimesOfAOneSecondRecordOf1001Frames) {
  const TableColumns t(ThreeChannels(), {0b10, 0});
  EXPECT_EQ(t.CornerText(), "t, c");
  EXPECT_EQ(t.FrameRows(), 1001);
  EXPECT_EQ(t.RowText(0, '.'), "0.000");
  EXPECT_EQ(t.RowText(1, '.'), "0.001");
  EXPECT_EQ(t.RowText(500, ','), "0,500");
  EXPECT_EQ(t.RowText(999, '.'), "0.999");
  EXPECT_EQ(t.RowText(1000, '.'), "1.000");
}

TEST(TableColumns, TimesKeepDecimalsUntilConsecutiveRowsDiffer) {
  struct Case {
    double duration;
    double frames;
    int64_t row;
    const char* text;
  };
  const Case cases[] = {
      {1.0, 10001, 1, "0.0001"},      // 10 kHz: step 0.0001
      {1.0, 10001, 10000, "1.0000"},  //
      {0.1, 401, 1, "0.0003"},        // step 0.00025, rows 0.0003, 0.0005
      {0.1, 401, 2, "0.0005"},        //
      {0.001, 1001, 7, "0.000007"},   // step 1 µs
      {10.0, 11, 3, "3.000"},         // never fewer than three
      {1e-12, 3, 1, "0.000000000"},   // nine at most
  };
  for (const Case& c : cases) {
    TGraphRecord r = ThreeChannels();
    r.Duration = c.duration;
    r.FrameCount = c.frames;
    EXPECT_EQ(TableColumns(r, {0b10, 0}).RowText(c.row, '.'), c.text)
        << c.duration << " s, " << c.frames << " frames";
  }
}

TEST(TableColumns, AStaticRecordNumbersItsPoints) {
  TGraphRecord r = ThreeChannels();
  r.IsStatic = true;
  r.Duration = 3;
  r.FrameCount = 3;
  const TableColumns t(r, {0b10, 0});
  EXPECT_EQ(t.CornerText(), "№");
  EXPECT_EQ(t.RowText(0, '.'), "1");
  EXPECT_EQ(t.RowText(1, '.'), "2");
  EXPECT_EQ(t.RowText(2, '.'), "3");
}

TEST(TableColumns, ASingleFrameHasTimeZeroNotADivisionByZero) {
  TGraphRecord r = ThreeChannels();
  r.FrameCount = 1;
  const TableColumns t(r, {0b10, 0});
  EXPECT_EQ(t.TimeStep(), 0);
  EXPECT_EQ(t.RowText(0, '.'), "0.000");
  r.FrameCount = 0;
  EXPECT_EQ(TableColumns(r, {0b10, 0}).FrameRows(), 0);
}

TEST(TableColumns, CodesBecomePhysicalValues) {
  const TableColumns t(ThreeChannels(), {0b10000, 0b1});
  EXPECT_EQ(t.ValueText(0, 511, '.'), "10.000");
  EXPECT_EQ(t.ValueText(0, -511, '.'), "-10.000");
  EXPECT_EQ(t.ValueText(0, 0, '.'), "0.000");
  EXPECT_EQ(t.ValueText(1, 100, ','), "0,489");  // 100 / 511 * 2.5 = 0.48923...
}

TEST(TableColumns, DoubleSamplesUseTheRecordsFullScale) {
  TGraphRecord r = ThreeChannels();
  r.Samples = SampleFormat::Float64;
  r.FullScale = 1.0;
  const TableColumns t(r, {0b10000, 0});
  EXPECT_EQ(t.Format(), SampleFormat::Float64);
  EXPECT_EQ(t.ValueText(0, 0.25, '.'), "2.500");
}

}  // namespace
}  // namespace tornel
