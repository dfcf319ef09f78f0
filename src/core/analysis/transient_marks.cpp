#include "core/analysis/transient_marks.h"

#include <cmath>
#include <vector>

#include "core/graph/cursor_pair.h"
#include "core/graph/zoom_band.h"
#include "core/plot/display_color.h"
#include "core/plot/pen_restorer.h"
#include "core/plot/safe_coord.h"

namespace tornel {
namespace {

// Time and value to device coordinates by the rules the curves are drawn
// with: frame f at x0 + (f - first) * W / count, a value scaled to per-unit.
class PlotScale {
public:
  PlotScale(const TGraphRecord& record, const PlotGeometry& g)
      : record_(record), g_(g), visible_(VisibleRange(record)) {
    const double span = (record.YMax - record.YMin) * record.FullScale;
    yScale_ = g.H / span;
    yc_ = g.rect.Top + (g.rect.Bottom - g.rect.Top + g.margins.Top - g.margins.Bottom) / 2;
    ycv_ = (record.YMin + record.YMax) * 0.5 * record.FullScale;
    ok_ = !visible_.Empty() && g.W > 0 && span != 0 && std::isfinite(yScale_) &&
          std::isfinite(ycv_) && record.FrameCount > 0;
  }

  bool Ok() const { return ok_; }
  int32_t X(double t) const {
    const double frame = t * record_.FrameCount / record_.Duration;
    return ToCoord(g_.x0 + std::trunc((frame - static_cast<double>(visible_.first)) * g_.W /
                                      static_cast<double>(visible_.count)));
  }
  double TimeAtX(int x) const {
    const double frame =
        static_cast<double>(visible_.first) +
        static_cast<double>(x - g_.x0) * static_cast<double>(visible_.count) / g_.W;
    return frame * record_.Duration / record_.FrameCount;
  }
  int32_t Y(double value, int slot) const {
    const double perUnit = value * record_.FullScale / record_.RealBase[slot];
    return ToCoord(yc_ - (perUnit - ycv_) * yScale_);
  }

private:
  const TGraphRecord& record_;
  const PlotGeometry& g_;
  VisibleFrames visible_;
  double yScale_ = 0, yc_ = 0, ycv_ = 0;
  bool ok_ = false;
};

// A channel the settings took off the plot keeps no marks.
bool IsShown(const TGraphRecord& record, int slot) {
  const bool dac = slot >= kCapSlotBase;
  const uint16_t shown = dac ? record.CapShowMask : record.AcpShowMask;
  return ((shown >> (dac ? slot - kCapSlotBase : slot)) & 1u) != 0;
}

void Cross(Canvas& canvas, Point at, int half, std::string_view label, Color color) {
  canvas.Line(at.x - half, at.y - half, at.x + half + 1, at.y + half + 1);
  canvas.Line(at.x - half, at.y + half, at.x + half + 1, at.y - half - 1);
  canvas.TextOut(at.x + half + 2, at.y - half - canvas.TextExtent(label).cy, label, color);
}

}  // namespace

void DrawTransientMarks(const TGraphRecord& record, Canvas& canvas, const PlotRect& rect,
                        const PlotMargins& margins, const TransientAnalysis& analysis) {
  const PlotGeometry g = MakePlotGeometry(record, canvas, margins, rect);
  if (!g.timePlot || !(record.Duration > 0)) return;
  const PlotScale scale(record, g);
  if (!scale.Ok()) return;
  PenRestorer restore(canvas);
  const int half = std::max(2, g.cy / 4);
  std::vector<Point> curve;
  for (const ChannelAnalysis& c : analysis.Channels) {
    const StepMetrics& m = c.Metrics;
    const int slot = c.Channel.Slot;
    if (!m.HasStep || !IsShown(record, slot) || !std::isfinite(record.RealBase[slot]) ||
        record.RealBase[slot] == 0) {
      continue;
    }
    const Color color = canvas.IsPrinter() ? kBlack : DisplayColor(record.ChanColor[slot]);
    if (c.Fit.Kind != FitKind::None && c.Fit.Converged) {
      canvas.SetPen({color, 2, PenStyle::Dotted, PenMode::Copy});
      curve.clear();
      for (int x = g.x0; x <= g.x1; ++x) {
        curve.push_back({x, scale.Y(StepFitValue(c.Fit, scale.TimeAtX(x)), slot)});
      }
      canvas.Polyline(curve);
    }
    canvas.SetPen({color, 1, PenStyle::Solid, PenMode::Copy});
    // A crossing lies on the level itself: y0 + p * (yf - y0).
    const double delta = m.Final - m.Initial;
    auto mark = [&](double t, double value, const char* label) {
      Cross(canvas, {scale.X(t), scale.Y(value, slot)}, half, label, color);
    };
    if (m.T10) mark(*m.T10, m.Initial + 0.1 * delta, kMarkT10);
    if (m.T90) mark(*m.T90, m.Initial + 0.9 * delta, kMarkT90);
    mark(m.PeakAt, m.Peak, kMarkPeak);
    if (m.SettledAt) mark(*m.SettledAt, m.SettledValue, kMarkSettled);
  }
}

void DrawTransientMarksOnPage(const TGraphRecord& record, Canvas& canvas,
                              const PlotMargins& margins, const PageAreas& areas,
                              const TransientAnalysis& analysis) {
  if (areas.plot.Width() <= margins.Left + margins.Right ||
      areas.plot.Height() <= margins.Top + margins.Bottom) {
    return;
  }
  canvas.SetClipRect(InnerPlotRect(areas.plot, margins));
  DrawTransientMarks(record, canvas, areas.plot, margins, analysis);
  canvas.ClearClip();
}

}  // namespace tornel
