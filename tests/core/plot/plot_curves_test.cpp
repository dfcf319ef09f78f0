#include "core/plot/plot_curves.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/plot/safe_coord.h"
#include "plot_fixture.h"
#include "recording_canvas.h"

namespace tornel::testing {
namespace {

using Kind = RecordingCanvas::Kind;

// With Base = RealBase, YMin = -1.9, YMax = 1.9 and the test rectangle:
// yc = 0 + (340 + 20 - 20) div 2 = 170 and y = trunc(170 - v * 300 / (3.8 * 511)),
// so code 0 is at y 170, 511 at 91 and -511 at 248.
constexpr int kY0 = 170, kYPlus = 91, kYMinus = 248;

std::vector<int16_t> ThreeLevels(int frames) {
  std::vector<int16_t> codes;
  for (int i = 0; i < frames; ++i) codes.push_back(std::array<int16_t, 3>{0, 511, -511}[i % 3]);
  return codes;
}

// Frame by frame unless a test asks for the choice by length.
std::vector<RecordingCanvas::Op> Polylines(const TGraphRecord& r, bool printer = false,
                                           TimeCurveMode mode = TimeCurveMode::Exact) {
  RecordingCanvas canvas(printer);
  DrawCurves(r, canvas, kMargins, kRect, mode);
  EXPECT_EQ(canvas.GetPen(), RecordingCanvas::kOwnPen);
  return canvas.OfKind(Kind::Polyline);
}

class TimeCurves : public ::testing::Test, public PlotFixture {
protected:
  void OneChannel(int frames) {
    record.AcpMask = record.AcpShowMask = 1;
    record.Duration = record.TMax = 2.5;
    record.ChanColor[0] = 0x000080;
    Samples(ThreeLevels(frames));
  }
};

TEST_F(TimeCurves, TwentyFiveHundredFramesComeInChunksOf1000And1000And499WithoutAGap) {
  OneChannel(2500);
  const auto lines = Polylines(record);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].points.size(), 1001u);
  EXPECT_EQ(lines[1].points.size(), 1001u);
  EXPECT_EQ(lines[2].points.size(), 500u);
  EXPECT_EQ(lines[1].points.front(), lines[0].points.back());
  EXPECT_EQ(lines[2].points.front(), lines[1].points.back());
  // n = 2499 frames over W = 480: frame i at x = 60 + trunc(i * 480 / 2499).
  EXPECT_EQ(lines[0].points[0], (Point{60, kY0}));
  EXPECT_EQ(lines[0].points[1], (Point{60, kYPlus}));
  EXPECT_EQ(lines[1].points[0], (Point{252, kYPlus}));   // frame 1000
  EXPECT_EQ(lines[2].points[0], (Point{444, kYMinus}));  // frame 2000
  EXPECT_EQ(lines[2].points.back(), (Point{540, kY0}));  // frame 2499
  for (const auto& line : lines) {
    EXPECT_EQ(line.pen, (Pen{0x000080, 1, PenStyle::Solid, PenMode::Copy}));
  }
}

TEST_F(TimeCurves, TheTimeRangeSelectsTheFrames) {
  OneChannel(2500);
  // i0 = floor(2500 * 1 / 2.5) = 1000, i1 = floor(2500 * 2 / 2.5) - 1 = 1999.
  record.TMin = 1.0;
  record.TMax = 2.0;
  const auto lines = Polylines(record);
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].points.size(), 1000u);
  EXPECT_EQ(lines[0].points.front(), (Point{60, kYPlus}));  // frame 1000
  EXPECT_EQ(lines[0].points.back(), (Point{540, kYPlus}));  // frame 1999
}

TEST_F(TimeCurves, ARangeBeyondTheFileStopsAtItsLastFrame) {
  OneChannel(2500);
  record.TMax = 5.0;  // i1 = 4999, but the file ends at frame 2499
  const auto lines = Polylines(record);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].points.size(), 500u);
  // x = 60 + trunc(2499 * 480 / 4999).
  EXPECT_EQ(lines[2].points.back(), (Point{299, kY0}));
}

TEST_F(TimeCurves, ARangeThatBeginsBeforeTheRecordPlacesFrameZeroWhereItFalls) {
  OneChannel(2500);
  record.TMin = -1.25;  // i0 = -1250, n = 3749
  const auto lines = Polylines(record);
  ASSERT_FALSE(lines.empty());
  // Frame 0 at x = 60 + trunc(1250 * 480 / 3749).
  EXPECT_EQ(lines[0].points.front(), (Point{220, kY0}));
  EXPECT_EQ(lines.back().points.back(), (Point{540, kY0}));
}

TEST_F(TimeCurves, UndefinedScalesDrawNoCurves) {
  struct Case {
    double duration, yMin, yMax, fullScale, tMin, tMax;
  };
  const Case cases[] = {
      {0, -1.9, 1.9, 511, 0, 2.5},     {-1, -1.9, 1.9, 511, 0, 2.5},  {2.5, 1, 1, 511, 0, 2.5},
      {2.5, -1.9, 1.9, 0, 0, 2.5},     {2.5, -1.9, 1.9, 511, 1, 1},   {2.5, -1.9, 1.9, 511, 2, 1},
      {2.5, -1.9, 1.9, 511, 0, 0.001}, {NAN, -1.9, 1.9, 511, 0, 2.5}, {2.5, -1.9, 1.9, 511, 3, 9},
  };
  OneChannel(2500);
  for (const Case& c : cases) {
    record.Duration = c.duration;
    record.YMin = c.yMin;
    record.YMax = c.yMax;
    record.FullScale = c.fullScale;
    record.TMin = c.tMin;
    record.TMax = c.tMax;
    EXPECT_TRUE(Polylines(record).empty()) << c.duration << " " << c.yMin << " " << c.tMin;
  }
}

TEST_F(TimeCurves, AnExtremeZoomIsHeldToTheSafeRangeWithoutWrappingAround) {
  OneChannel(30);
  record.YMin = -1e-12;
  record.YMax = 1e-12;
  const auto lines = Polylines(record);
  ASSERT_EQ(lines.size(), 1u);
  // 511 is far above the top and -511 far below it; 0 stays in the middle.
  EXPECT_EQ(lines[0].points[0].y, kY0);
  EXPECT_EQ(lines[0].points[1].y, -kCoordLimit);
  EXPECT_EQ(lines[0].points[2].y, kCoordLimit);
}

TEST_F(TimeCurves, OnlyShownChannelsAreDrawnEachInItsSlotsColourAndScale) {
  // ADC 1, ADC 3 and DAC 2 recorded; ADC 3 and DAC 2 shown.
  record.AcpMask = 0b101;
  record.CapMask = 0b10;
  record.AcpShowMask = 0b100;
  record.CapShowMask = 0b10;
  record.Duration = record.TMax = 1;
  record.ChanColor[2] = 0x00FF00;
  record.ChanColor[17] = 0xFF0000;
  record.Base[17] = 2.0;  // DAC 2: per-unit value code / 511 * 2 / 1
  Samples({511, 0, 255, -511, 0, 511});
  const auto lines = Polylines(record);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].pen.color, 0x00FF00u);
  EXPECT_EQ(lines[0].points, (std::vector<Point>{{60, kY0}, {540, kY0}}));
  EXPECT_EQ(lines[1].pen.color, 0xFF0000u);
  // y = trunc(170 - 255 * 2 * 300 / (3.8 * 511)) = 91, and 12 for code 511.
  EXPECT_EQ(lines[1].points, (std::vector<Point>{{60, 91}, {540, 12}}));
}

TEST_F(TimeCurves, GraphBlockSamplesAreDoublesWithAFullScaleOfOne) {
  record.AcpMask = record.AcpShowMask = 1;
  record.Duration = record.TMax = 1;
  record.Samples = SampleFormat::Float64;
  record.FullScale = 1.0;
  record.SampleFile = dir.File("doubles");
  WriteBytes(record.SampleFile, DoubleBytes({0.0, 1.0, -1.0}));
  const auto lines = Polylines(record);
  ASSERT_EQ(lines.size(), 1u);
  // n = 2: x = 60, 300, 540.
  EXPECT_EQ(lines[0].points, (std::vector<Point>{{60, kY0}, {300, kYPlus}, {540, kYMinus}}));
}

TEST_F(TimeCurves, AMissingComparisonCopyIsSkippedAndTheOthersUseTheRecordsColours) {
  OneChannel(3);
  record.CompareOn[0] = true;
  record.CompareTemp[0] = dir.File("gone");
  record.CompareOn[1] = true;
  record.CompareTemp[1] = File("copy", {-511, -511, -511});
  record.CompareTemp[2] = File("off", {511, 511, 511});  // slot not on
  const std::string own = record.SampleFile;
  const double frames = record.FrameCount;
  const auto lines = Polylines(record);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points.front().y, kY0);
  EXPECT_EQ(lines[1].points.front().y, kYMinus);
  EXPECT_EQ(lines[1].pen, lines[0].pen);
  EXPECT_EQ(record.SampleFile, own);
  EXPECT_EQ(record.FrameCount, frames);
}

TEST_F(TimeCurves, AMissingSampleFileDrawsNothing) {
  OneChannel(3);
  record.SampleFile = dir.File("gone");
  EXPECT_TRUE(Polylines(record).empty());
}

TEST_F(TimeCurves, EveryCurveIsBlackOnAPrinter) {
  OneChannel(3);
  record.AcpMask = 0b11;
  record.Deps[0] = {1, 0, 1};
  Samples({0, 511, 511, 0, -511, 0});
  const auto lines = Polylines(record, true);
  ASSERT_EQ(lines.size(), 2u);
  for (const auto& line : lines) EXPECT_EQ(line.pen.color, 0u);
}

class DepCurves : public ::testing::Test, public PlotFixture {};

TEST_F(DepCurves, PointsAreAbscissaAgainstOrdinateInTheDependencysColour) {
  // ADC 1 and ADC 2 recorded, ADC 2 over ADC 1.
  record.AcpMask = 0b11;
  record.Deps[4] = {1, 0, 1};
  record.DepColor[4] = 0x008080;
  record.Duration = record.TMax = 1;
  record.Base[0] = 2.0;
  record.RealBase[0] = 4.0;  // ADC 1 counts half
  Samples({511, -511, 0, 511, -511, 0});
  const auto lines = Polylines(record);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].pen, (Pen{0x008080, 1, PenStyle::Solid, PenMode::Copy}));
  // xc = 0 + (560 + 60 - 20) div 2 = 300; x = trunc(300 + v * 0.5 * 480 / (3.8 * 511)):
  // 511 -> 363, -511 -> 236.
  EXPECT_EQ(lines[0].points, (std::vector<Point>{{363, kYMinus}, {300, kYPlus}, {236, kY0}}));
}

TEST_F(DepCurves, UnusableDependenciesAndAnUndefinedXScaleDrawNothing) {
  record.AcpMask = 0b11;
  record.Duration = record.TMax = 1;
  Samples({511, -511, 0, 511, -511, 0});
  record.Deps[0] = {1, -1, 1};
  record.Deps[1] = {1, 0, 2};
  EXPECT_TRUE(Polylines(record).empty());
  record.Deps[2] = {1, 0, 1};
  EXPECT_EQ(Polylines(record).size(), 1u);
  record.XMin = record.XMax = 0.5;
  EXPECT_TRUE(Polylines(record).empty());
}

TEST_F(DepCurves, AnUndefinedXScaleStillLeavesTheTimeCurves) {
  record.AcpMask = 0b11;
  record.AcpShowMask = 0b1;
  record.Deps[0] = {1, 0, 1};
  record.Duration = record.TMax = 1;
  record.XMin = record.XMax = 0;
  Samples({511, -511, 0, 511});
  EXPECT_EQ(Polylines(record).size(), 1u);
}

TEST_F(DepCurves, LongRecordsAreChunkedLikeTimeCurves) {
  record.AcpMask = 0b11;
  record.Deps[0] = {1, 1, 0};
  record.Duration = record.TMax = 1;
  std::vector<int16_t> codes;
  for (int i = 0; i < 1500; ++i) {
    codes.push_back(static_cast<int16_t>(i % 2 ? 511 : 0));
    codes.push_back(static_cast<int16_t>(i % 2 ? 0 : -511));
  }
  Samples(codes);
  const auto lines = Polylines(record);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points.size(), 1001u);
  EXPECT_EQ(lines[1].points.size(), 500u);
  EXPECT_EQ(lines[1].points.front(), lines[0].points.back());
}

}  // namespace
}  // namespace tornel::testing
