#include "core/analysis/transient_marks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/plot/plot_fixture.h"
#include "tests/core/plot/recording_canvas.h"

namespace tornel {
namespace {

using testing::RecordingCanvas;

// The hand record (0.1 s frames over 2 s, T0 = 0.4 s) in the test plot: inner
// rectangle x0 = 60, W = 480, y0 = 20, H = 300. Base 511 makes a code one
// physical unit, RealBase 100 makes 100 codes one per-unit, and Y runs from
// 0 to 1.3. The 20 frames show frames 0..19 over 480 columns: frame f at
// 60 + trunc(f * 480 / 19); a value v at trunc(170 - (v / 100 - 0.65) * 300 / 1.3).
class Marks : public ::testing::Test {
protected:
  Marks() {
    fx.record.Base[0] = 511;
    fx.record.RealBase[0] = 100;
    fx.record.ChanColor[0] = 0x008000;
    fx.record.AcpMask = fx.record.AcpShowMask = 1;
    fx.record.Duration = fx.record.TMax = 2.0;
    fx.record.YMin = 0;
    fx.record.YMax = 1.3;
    std::vector<int16_t> codes = {0, 0, 0, 0, 0, 20, 60, 95, 110, 105};
    codes.resize(20, 100);
    fx.Samples(codes);

    ChannelAnalysis c;
    c.Channel.Slot = 0;
    c.Metrics.HasStep = true;
    c.Metrics.Initial = 0;
    c.Metrics.Final = 100;
    c.Metrics.T10 = 0.45;
    c.Metrics.T90 = 0.6 + 0.3 / 0.35 * 0.1;
    c.Metrics.PeakAt = 0.8;
    c.Metrics.Peak = 110;
    c.Metrics.SettledAt = 0.9;
    c.Metrics.SettledValue = 105;
    analysis.Channels.push_back(c);
  }

  // Where each labelled cross was drawn: its first stroke starts half = 2
  // (a quarter of the 10-unit text height, at least 2) up and left of it.
  std::vector<std::pair<std::string, Point>> Crosses(const RecordingCanvas& canvas) const {
    std::vector<std::pair<std::string, Point>> out;
    const auto& ops = canvas.Ops();
    for (std::size_t i = 2; i < ops.size(); ++i) {
      if (ops[i].kind != RecordingCanvas::Kind::Text) continue;
      const Point p = ops[i - 2].points[0];
      out.push_back({ops[i].text, {p.x + 2, p.y + 2}});
    }
    return out;
  }

  testing::PlotFixture fx;
  TransientAnalysis analysis;
};

TEST_F(Marks, CrossesStandWhereThePlotPutsTheirTimesAndValues) {
  RecordingCanvas canvas;
  DrawTransientMarks(fx.record, canvas, testing::kRect, testing::kMargins, analysis);
  using P = std::pair<std::string, Point>;
  // 0.45 s is frame 4.5: 60 + trunc(113.68); its value 0.1 * 100 = 10 at
  // trunc(296.92). 0.6857 s is frame 6.857: 60 + trunc(173.23); 90 at
  // trunc(112.31). The peak, frame 8: 60 + trunc(202.1); 110 at trunc(66.15).
  // Settled, frame 9: 60 + trunc(227.37); 105 at trunc(77.69).
  EXPECT_EQ(Crosses(canvas), (std::vector<P>{{kMarkT10, {173, 296}},
                                             {kMarkT90, {233, 112}},
                                             {kMarkPeak, {262, 66}},
                                             {kMarkSettled, {287, 77}}}));
  for (const auto& op : canvas.OfKind(RecordingCanvas::Kind::Text)) {
    EXPECT_EQ(op.color, 0x008000u) << op.text;
  }
  EXPECT_TRUE(canvas.OfKind(RecordingCanvas::Kind::Polyline).empty());
  EXPECT_EQ(canvas.GetPen(), RecordingCanvas::kOwnPen);
}

TEST_F(Marks, TheFitIsADottedCurveAcrossTheVisibleRange) {
  StepFit& fit = analysis.Channels[0].Fit;
  fit.Kind = FitKind::First;
  fit.Converged = true;
  fit.Gain = 100;
  fit.TimeConstant = 0.1;
  fit.StepTime = 0.4;
  RecordingCanvas canvas;
  DrawTransientMarks(fx.record, canvas, testing::kRect, testing::kMargins, analysis);
  const auto curves = canvas.OfKind(RecordingCanvas::Kind::Polyline);
  ASSERT_EQ(curves.size(), 1u);
  const auto& points = curves[0].points;
  ASSERT_EQ(points.size(), 481u);
  EXPECT_EQ(curves[0].pen, (Pen{0x008000, 2, PenStyle::Dotted, PenMode::Copy}));
  // Column 540 is frame 19, 1.9 s, 15 time constants on: 100 at trunc(89.23).
  EXPECT_EQ(points.front().x, 60);
  EXPECT_EQ(points.back(), (Point{540, 89}));
  // Column 60 + 120 is frame 4.75, t = 0.475 s: 100 (1 - e^-0.75) = 52.76 at
  // trunc(170 - (0.5276 - 0.65) * 230.77) = 198.
  EXPECT_EQ(points[120], (Point{180, 198}));
}

TEST_F(Marks, PrinterBlackAndNothingForAChannelNoLongerShown) {
  RecordingCanvas printer(true);
  DrawTransientMarks(fx.record, printer, testing::kRect, testing::kMargins, analysis);
  ASSERT_FALSE(printer.Ops().empty());
  for (const auto& op : printer.Ops()) {
    const Color color = op.kind == RecordingCanvas::Kind::Text ? op.color : op.pen.color;
    EXPECT_EQ(color, 0u);
  }
  // ADC 2 shown instead: ADC 1 keeps no marks, though a time plot remains.
  fx.record.AcpMask = 0b11;
  fx.record.AcpShowMask = 0b10;
  RecordingCanvas canvas;
  DrawTransientMarks(fx.record, canvas, testing::kRect, testing::kMargins, analysis);
  EXPECT_TRUE(canvas.Ops().empty());
}

}  // namespace
}  // namespace tornel
