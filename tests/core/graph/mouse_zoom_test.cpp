#include "core/graph/mouse_zoom.h"

#include <gtest/gtest.h>

#include "graph_test_record.h"

namespace tornel {
namespace {

TEST(Tenths, LowerEndsRoundDownAndUpperEndsUp) {
  struct Case {
    double v, lower, upper;
  };
  const Case cases[] = {
      {0.23, 0.2, 0.3},
      {0.71, 0.7, 0.8},
      {-0.23, -0.3, -0.2},
      {1.0, 1.0, 1.0},
      {0.0, 0.0, 0.0},
      {12.34, 12.3, 12.4},
      {0.7000000000000001, 0.7, 0.7},  // 0.7 after arithmetic noise stays 0.7
      {0.3 - 1e-17, 0.3, 0.3},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(LowerTenth(c.v), c.lower) << c.v;
    EXPECT_DOUBLE_EQ(UpperTenth(c.v), c.upper) << c.v;
  }
}

// An inner rectangle 100 pixels wide from x = 60, 160 high from y = 20.
constexpr int kX0 = 60, kW = 100, kY0 = 20, kH = 160;

TEST(ZoomTime, ARightwardBandZoomsToTheTenthsAroundIt) {
  const auto r = ZoomTime(kX0 + 23, kX0 + 71, kX0, kW, {0.0, 1.0}, 1.0);
  ASSERT_TRUE(r);
  EXPECT_DOUBLE_EQ(r->TMin, 0.2);
  EXPECT_DOUBLE_EQ(r->TMax, 0.8);
}

TEST(ZoomTime, EndsComeFromTheOldRangeAndAreCutToTheRecord) {
  // Range 1 .. 3: x0 + 10 is 1.2, x0 + 95 is 2.9 -> 1.2 .. 2.9 of a 2.5 s record.
  const auto r = ZoomTime(kX0 + 10, kX0 + 95, kX0, kW, {1.0, 3.0}, 2.5);
  ASSERT_TRUE(r);
  EXPECT_DOUBLE_EQ(r->TMin, 1.2);
  EXPECT_DOUBLE_EQ(r->TMax, 2.5);
}

TEST(ZoomTime, ALeftwardBandShowsTheWholeRecordAndNoWidthNothing) {
  EXPECT_EQ(ZoomTime(kX0 + 50, kX0 + 10, kX0, kW, {0.2, 0.8}, 1.5), (TimeRange{0.0, 1.5}));
  EXPECT_FALSE(ZoomTime(kX0 + 50, kX0 + 50, kX0, kW, {0.2, 0.8}, 1.5));
}

TEST(ZoomTime, ABandPastTheRecordsEndShowsTheWholeRecord) {
  // A loaded range reaching past Duration: 1.6 .. 1.9 of a 1.5 s record.
  EXPECT_EQ(ZoomTime(kX0 + 30, kX0 + 45, kX0, kW, {1.0, 3.0}, 1.5), (TimeRange{0.0, 1.5}));
}

TEST(ZoomX, ZoomsWhileTheRangeIsWiderThanATenth) {
  // -1 .. 1: x0 + 30 is -0.4, x0 + 66 is 0.32.
  const AxisZoom z = ZoomX(kX0 + 30, kX0 + 66, kX0, kW, {-1.0, 1.0});
  ASSERT_EQ(z.step, AxisZoom::Step::Set);
  EXPECT_DOUBLE_EQ(z.range.Min, -0.4);
  EXPECT_DOUBLE_EQ(z.range.Max, 0.4);
  EXPECT_EQ(ZoomX(kX0 + 10, kX0 + 90, kX0, kW, {0.0, 0.1}).step, AxisZoom::Step::Keep);
  EXPECT_EQ(ZoomX(kX0 + 90, kX0 + 10, kX0, kW, {0.0, 0.1}).step, AxisZoom::Step::AutoRange);
  EXPECT_EQ(ZoomX(kX0 + 10, kX0 + 10, kX0, kW, {-1.0, 1.0}).step, AxisZoom::Step::Keep);
}

TEST(ZoomY, ADownwardBandZoomsAndAnUpwardOneAutoranges) {
  // -2 .. 2 over 160 pixels: y0 + 40 is 1.0, y0 + 100 is -0.5.
  const AxisZoom z = ZoomY(kY0 + 40, kY0 + 100, kY0, kH, {-2.0, 2.0});
  ASSERT_EQ(z.step, AxisZoom::Step::Set);
  EXPECT_DOUBLE_EQ(z.range.Max, 1.0);
  EXPECT_DOUBLE_EQ(z.range.Min, -0.5);
  EXPECT_EQ(ZoomY(kY0 + 100, kY0 + 40, kY0, kH, {-2.0, 2.0}).step, AxisZoom::Step::AutoRange);
  EXPECT_EQ(ZoomY(kY0 + 40, kY0 + 100, kY0, kH, {0.5, 0.6}).step, AxisZoom::Step::Keep);
}

class ApplyZoomTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (int s = 0; s < kChannelSlots; ++s) record.Base[s] = record.RealBase[s] = 1.0;
    record.Duration = 1.0;
    record.TMax = 1.0;
  }
  ZoomBand Band(Point from, Point to) {
    ZoomBand band;
    band.Press(from, inner);
    band.Move(to, inner);
    band.Release();
    return band;
  }
  const PlotRect inner{kX0, kY0, kX0 + kW, kY0 + kH};
  tornel::testing::TempDir dir;
  TGraphRecord record;
};

TEST_F(ApplyZoomTest, AnXBandZoomsTimeWhenChannelsAreShownAgainstTime) {
  record.AcpShowMask = 1;
  tornel::testing::FillRecord(record, dir, 1, 0, {0, 0});
  EXPECT_TRUE(ApplyZoom(record, Band({kX0 + 23, 50}, {kX0 + 71, 52}), inner));
  EXPECT_DOUBLE_EQ(record.TMin, 0.2);
  EXPECT_DOUBLE_EQ(record.TMax, 0.8);
  EXPECT_DOUBLE_EQ(record.XMin, -1.9) << "the X range is not touched";
}

TEST_F(ApplyZoomTest, WithoutATimePlotAnXBandZoomsX) {
  record.Deps[0] = {1, 0, 0};
  tornel::testing::FillRecord(record, dir, 1, 0, {0, 0});
  record.XMin = 0.0;
  record.XMax = 0.1;
  EXPECT_FALSE(ApplyZoom(record, Band({kX0 + 10, 50}, {kX0 + 90, 50}), inner));
  EXPECT_DOUBLE_EQ(record.XMin, 0.0);
  EXPECT_DOUBLE_EQ(record.XMax, 0.1);
  EXPECT_DOUBLE_EQ(record.TMax, 1.0);
}

TEST_F(ApplyZoomTest, AnUpwardBandAutorangesY) {
  record.RealBase[0] = 2.0;
  record.AcpShowMask = 1;
  tornel::testing::FillRecord(record, dir, 1, 0, {511, 511, 511});
  EXPECT_TRUE(ApplyZoom(record, Band({100, 150}, {102, 60}), inner));
  EXPECT_DOUBLE_EQ(record.YMin, 0.4);
  EXPECT_DOUBLE_EQ(record.YMax, 0.6);
}

}  // namespace
}  // namespace tornel
