#include "core/graph/zoom_band.h"

#include <algorithm>
#include <cstdlib>

namespace tornel {
namespace {

Point ClampInto(Point p, const PlotRect& inner) {
  return {std::clamp(p.x, inner.Left, std::max(inner.Left, inner.Right)),
          std::clamp(p.y, inner.Top, std::max(inner.Top, inner.Bottom))};
}

bool HasArea(const PlotRect& r) { return r.Right > r.Left && r.Bottom > r.Top; }

}  // namespace

PlotRect InnerPlotRect(const PlotRect& rect, const PlotMargins& margins) {
  return {rect.Left + margins.Left, rect.Top + margins.Top, rect.Right - margins.Right,
          rect.Bottom - margins.Bottom};
}

PlotRect ZoomBand::XStrip(int32_t a, int32_t b, const PlotRect& inner) {
  return {std::min(a, b), inner.Top, std::max(a, b), inner.Bottom};
}

PlotRect ZoomBand::YStrip(int32_t a, int32_t b, const PlotRect& inner) {
  return {inner.Left, std::min(a, b), inner.Right, std::max(a, b)};
}

void ZoomBand::Press(Point p, const PlotRect& inner) {
  p = ClampInto(p, inner);
  BandStartX = BandCurX = p.x;
  BandStartY = BandCurY = p.y;
  BandDragging = true;
  BandIsX = true;
}

std::vector<PlotRect> ZoomBand::Move(Point p, const PlotRect& inner) {
  std::vector<PlotRect> strips;
  if (!BandDragging) return strips;
  p = ClampInto(p, inner);
  auto invert = [&](const PlotRect& r) {
    if (HasArea(r)) strips.push_back(r);
  };
  const int32_t dx = std::abs(p.x - BandStartX);
  const int32_t dy = std::abs(p.y - BandStartY);
  if (dy < dx && !BandIsX) {
    invert(YStrip(BandStartY, BandCurY, inner));
    invert(XStrip(BandStartX, BandCurX, inner));
    BandIsX = true;
  }
  if (dx < dy && BandIsX) {
    invert(XStrip(BandStartX, BandCurX, inner));
    invert(YStrip(BandStartY, BandCurY, inner));
    BandIsX = false;
  }
  invert(BandIsX ? XStrip(BandCurX, p.x, inner) : YStrip(BandCurY, p.y, inner));
  BandCurX = p.x;
  BandCurY = p.y;
  return strips;
}

bool ZoomBand::Release() {
  if (!BandDragging) return false;
  BandDragging = false;
  return true;
}

}  // namespace tornel
