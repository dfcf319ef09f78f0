#include "core/plot/plot_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plot_fixture.h"
#include "recording_canvas.h"

namespace tornel::testing {
namespace {

using Kind = RecordingCanvas::Kind;

class PlotPage : public ::testing::Test, public PlotFixture {
protected:
  void SetUp() override {
    record.AcpMask = record.AcpShowMask = 1;
    record.Duration = record.TMax = 1;
    record.ChanName[0] = "Ia";
    Samples({0, 511, -511});
    record.FrameCount = 0;  // stale until the picture recounts
  }

  static int IndexOf(const RecordingCanvas& canvas, Kind kind) {
    const auto& ops = canvas.Ops();
    for (std::size_t i = 0; i < ops.size(); ++i) {
      if (ops[i].kind == kind) return static_cast<int>(i);
    }
    return -1;
  }
};

TEST_F(PlotPage, AreasSitAroundThePlotFromThePageOrigin) {
  PageLayout layout;
  layout.px = 10;
  layout.py = 20;
  layout.plot = {500, 300};
  layout.base = {500, 40};
  layout.legend = {80, 380};
  layout.caption = {580, 30};
  const PageAreas a = PlaceAreas(layout);
  EXPECT_EQ(a.plot, (PlotRect{10, 20, 510, 320}));
  EXPECT_EQ(a.base, (PlotRect{10, 320, 510, 360}));
  EXPECT_EQ(a.legend, (PlotRect{510, 20, 590, 400}));
  EXPECT_EQ(a.caption, (PlotRect{10, 360, 590, 390}));
}

TEST_F(PlotPage, DrawPlotRecountsDrawsTheLegendAndClipsOnlyTheCurves) {
  PageLayout layout;
  layout.plot = {560, 340};
  layout.legend = {65, 340};
  RecordingCanvas canvas;
  DrawPlot(record, canvas, kMargins, layout);
  EXPECT_EQ(record.FrameCount, 3);
  const auto& ops = canvas.Ops();
  const int clip = IndexOf(canvas, Kind::Clip);
  ASSERT_GE(clip, 0);
  EXPECT_EQ(ops[clip].clip, (PlotRect{60, 20, 540, 320}));
  // The legend line is the last text, before the clip; the curve is the
  // only thing inside it.
  EXPECT_EQ(ops[clip - 1].kind, Kind::Text);
  EXPECT_EQ(ops[clip - 1].text, "Ia(t)");
  EXPECT_EQ(ops[clip - 1].points[0], (Point{560 + 6, 12}));
  ASSERT_EQ(ops.size(), static_cast<std::size_t>(clip + 3));
  EXPECT_EQ(ops[clip + 1].kind, Kind::Polyline);
  EXPECT_EQ(ops[clip + 2].kind, Kind::Unclip);
  EXPECT_EQ(canvas.GetPen(), RecordingCanvas::kOwnPen);
}

TEST_F(PlotPage, AreasOfZeroSizeAreLeftOut) {
  PageLayout layout;
  layout.plot = {200, 100};
  RecordingCanvas canvas;
  DrawPlot(record, canvas, kMargins, layout);
  for (const auto& op : canvas.OfKind(Kind::Text)) EXPECT_NE(op.text, "Ia(t)");

  layout.plot = {0, 100};
  layout.legend = {65, 100};
  canvas.Clear();
  DrawPlot(record, canvas, kMargins, layout);
  ASSERT_EQ(canvas.Ops().size(), 1u);
  EXPECT_EQ(canvas.Ops()[0].text, "Ia(t)");
}

TEST_F(PlotPage, UndefinedRangesStillDrawTheRestOfThePicture) {
  record.YMin = record.YMax = 1;
  record.Duration = 0;
  RecordingCanvas canvas;
  DrawPlotArea(record, canvas, kMargins, kRect);
  EXPECT_EQ(canvas.OfKind(Kind::Polyline).size(), 1u);  // the frame only
  EXPECT_EQ(canvas.LinesIn(PenStyle::Dotted, 1).size(), 9u);
  EXPECT_EQ(canvas.Texts().size(), 6u + 7u + 2u);
}

}  // namespace
}  // namespace tornel::testing
