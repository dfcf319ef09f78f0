#include "core/graph/mouse_zoom.h"

#include <algorithm>
#include <cmath>

namespace tornel {
namespace {

constexpr double kMinZoomWidth = 0.1;

// v * 10, snapped to a whole number when it is one but for rounding noise.
double Tenths(double v) {
  const double t = v * 10.0;
  const double whole = std::round(t);
  return std::abs(t - whole) <= 1e-9 * std::max(1.0, std::abs(t)) ? whole : t;
}

double At(int p, int origin, int size, double lo, double hi) {
  return (p - origin) * (hi - lo) / size + lo;
}

// The band's range from its ends, or Keep when it came out empty.
AxisZoom Set(double lo, double hi) {
  if (!(hi > lo)) return {};
  return {AxisZoom::Step::Set, {lo, hi}};
}

bool Apply(const AxisZoom& zoom, TGraphRecord& record, Axis axis) {
  AxisRange range;
  switch (zoom.step) {
    case AxisZoom::Step::Keep:
      return false;
    case AxisZoom::Step::Set:
      range = zoom.range;
      break;
    case AxisZoom::Step::AutoRange:
      range = AutoRange(record, axis);
      break;
  }
  double& lo = axis == Axis::X ? record.XMin : record.YMin;
  double& hi = axis == Axis::X ? record.XMax : record.YMax;
  const bool changed = lo != range.Min || hi != range.Max;
  lo = range.Min;
  hi = range.Max;
  return changed;
}

}  // namespace

double LowerTenth(double v) { return std::floor(Tenths(v)) / 10.0; }

double UpperTenth(double v) { return std::ceil(Tenths(v)) / 10.0; }

std::optional<TimeRange> ZoomTime(int s, int c, int x0, int W, TimeRange range, double duration) {
  if (c < s) return TimeRange{0.0, duration};
  if (c == s || W <= 0) return std::nullopt;
  const TimeRange zoomed{LowerTenth(At(s, x0, W, range.TMin, range.TMax)),
                         UpperTenth(At(c, x0, W, range.TMin, range.TMax))};
  return RepairTimeRange(zoomed, duration);
}

AxisZoom ZoomX(int s, int c, int x0, int W, AxisRange range) {
  if (range.Max - range.Min > kMinZoomWidth && s < c) {
    if (W <= 0) return {};
    return Set(LowerTenth(At(s, x0, W, range.Min, range.Max)),
               UpperTenth(At(c, x0, W, range.Min, range.Max)));
  }
  if (c < s) return {AxisZoom::Step::AutoRange, {}};
  return {};
}

AxisZoom ZoomY(int s, int c, int y0, int H, AxisRange range) {
  if (range.Max - range.Min > kMinZoomWidth && s < c) {
    if (H <= 0) return {};
    const double span = range.Max - range.Min;
    return Set(LowerTenth(range.Max - (c - y0) * span / H),
               UpperTenth(range.Max - (s - y0) * span / H));
  }
  if (c < s) return {AxisZoom::Step::AutoRange, {}};
  return {};
}

namespace {

// A finished band from s to c; the leftward and upward outcomes do not
// depend on the rectangle.
bool ApplyBandEnds(TGraphRecord& record, bool bandIsX, int s, int c, const PlotRect& inner) {
  if (!bandIsX) {
    return Apply(ZoomY(s, c, inner.Top, inner.Height(), {record.YMin, record.YMax}), record,
                 Axis::Y);
  }
  const bool timePlot = record.AcpShowMask != 0 || record.CapShowMask != 0;
  if (!timePlot) {
    return Apply(ZoomX(s, c, inner.Left, inner.Width(), {record.XMin, record.XMax}), record,
                 Axis::X);
  }
  const auto zoomed =
      ZoomTime(s, c, inner.Left, inner.Width(), {record.TMin, record.TMax}, record.Duration);
  if (!zoomed) return false;
  const bool changed = record.TMin != zoomed->TMin || record.TMax != zoomed->TMax;
  record.TMin = zoomed->TMin;
  record.TMax = zoomed->TMax;
  return changed;
}

}  // namespace

bool ApplyZoom(TGraphRecord& record, const ZoomBand& band, const PlotRect& inner) {
  return ApplyBandEnds(record, band.BandIsX, band.Start(), band.Current(), inner);
}

bool AutoScaleY(TGraphRecord& record) { return ApplyBandEnds(record, false, 1, 0, PlotRect{}); }

bool ShowWholeGraph(TGraphRecord& record) { return ApplyBandEnds(record, true, 1, 0, PlotRect{}); }

}  // namespace tornel
