#include "core/plot/plot_geometry.h"

#include <algorithm>
#include <cmath>

#include "core/plot/safe_coord.h"

namespace tornel {

int32_t ClampDivisions(int32_t divisions) {
  return std::clamp(divisions, kMinDivisions, kMaxDivisions);
}

int32_t PlotGeometry::DivisionX(int i) const {
  return ToCoord(static_cast<int64_t>(x0) + static_cast<int64_t>(i) * W / divX);
}

int32_t PlotGeometry::DivisionY(int i) const {
  return ToCoord(static_cast<int64_t>(y0) + static_cast<int64_t>(i) * H / divY);
}

int32_t PlotGeometry::MidDivisionX(int i) const { return ToCoord(x0 + (i + 0.5) * W / divX); }

int32_t PlotGeometry::MidDivisionY(int i) const { return ToCoord(y0 + (i + 0.5) * H / divY); }

AbscissaScale DependencyAbscissa(const TGraphRecord& record, const PlotRect& rect,
                                 const PlotMargins& margins) {
  AbscissaScale s;
  const double span = (record.XMax - record.XMin) * record.FullScale;
  const int width = rect.Right - rect.Left - margins.Left - margins.Right;
  s.scale = width / span;
  s.xc = rect.Left + (rect.Right - rect.Left + margins.Left - margins.Right) / 2;
  s.centre = (record.XMin + record.XMax) * 0.5 * record.FullScale;
  s.ok = span != 0 && std::isfinite(s.scale) && std::isfinite(s.centre);
  return s;
}

PlotGeometry MakePlotGeometry(const TGraphRecord& record, Canvas& canvas,
                              const PlotMargins& margins, const PlotRect& rect) {
  PlotGeometry g;
  g.rect = rect;
  g.margins = margins;
  g.x0 = rect.Left + margins.Left;
  g.y0 = rect.Top + margins.Top;
  g.x1 = rect.Right - margins.Right;
  g.yb = rect.Bottom - margins.Bottom;
  g.W = rect.Right - rect.Left - margins.Left - margins.Right;
  g.H = rect.Bottom - rect.Top - margins.Top - margins.Bottom;
  g.cy = canvas.TextExtent("1").cy;
  g.divX = ClampDivisions(record.DivX);
  g.divY = ClampDivisions(record.DivY);
  g.timePlot = record.AcpShowMask != 0 || record.CapShowMask != 0;
  g.xyPlot = std::any_of(record.Deps.begin(), record.Deps.end(),
                         [](const Dependency& d) { return d.Enabled != 0; });
  return g;
}

}  // namespace tornel
