#include "core/graph/print_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tornel {
namespace {

// trunc(a * b / c) as a device coordinate; 0 for a zero or undefined divisor.
int Scale(double a, double b, double c) {
  if (!(c > 0)) return 0;
  const double v = std::trunc(a * b / c);
  if (!std::isfinite(v)) return 0;
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

int Trunc(double v) { return Scale(v, 1.0, 1.0); }

}  // namespace

PrintLayout MakePrintLayout(const PaperSetup& paper, int pageWidth, int pageHeight,
                            const WindowProportions& window) {
  PrintLayout out;
  const int ml = Scale(pageWidth, paper.MarginLeft, paper.PaperWidth);
  const int mr = Scale(pageWidth, paper.MarginRight, paper.PaperWidth);
  const int mt = Scale(pageHeight, paper.MarginTop, paper.PaperHeight);
  const int mb = Scale(pageHeight, paper.MarginBottom, paper.PaperHeight);
  const int wp = pageWidth - mr - ml;
  const int hp = pageHeight - mb - mt;

  const double cw = window.ClientWidth;
  const double ch = window.ClientHeight;
  out.margins = {Scale(pageWidth, kScreenPlotMargins.Left, cw),
                 Scale(pageHeight, kScreenPlotMargins.Top, ch),
                 Scale(pageWidth, kScreenPlotMargins.Right, cw),
                 Scale(pageHeight, kScreenPlotMargins.Bottom, ch)};
  out.Printable =
      paper.PaperWidth > 0 && paper.PaperHeight > 0 && wp > 0 && hp > 0 && cw > 0 && ch > 0;
  if (!out.Printable) return out;

  const double sl = window.LegendSplitterLeft;
  const double sb = window.BaseSplitterTop;
  const double sc = window.CaptionSplitterTop;
  PageLayout& page = out.page;
  page.px = ml;
  page.py = mt;
  page.plot = {Scale(wp, sl, cw), Scale(hp, sb, ch)};
  page.base = {Scale(wp, sl, cw), Scale(hp, sc - sb, ch)};
  page.legend = {Trunc((1.0 - sl / cw) * wp), Scale(hp, sc, ch)};
  page.caption = {wp, Trunc((1.0 - sc / ch) * hp)};
  return out;
}

PageLayout MakePictureLayout(const PlotRect& area, int legendWidth, int baseHeight,
                             int captionHeight) {
  const int width = area.Width();
  const int legend = std::min(width / 2, legendWidth);
  const int plotWidth = width - legend;
  PageLayout layout;
  layout.px = area.Left;
  layout.py = area.Top;
  layout.base = {plotWidth, baseHeight};
  layout.caption = {width, captionHeight};
  layout.plot = {plotWidth, area.Height() - baseHeight - captionHeight};
  layout.legend = {legend, layout.plot.Height + baseHeight};
  return layout;
}

PlotMargins ScaledPlotMargins(double scale) {
  return {Trunc(kScreenPlotMargins.Left * scale), Trunc(kScreenPlotMargins.Top * scale),
          Trunc(kScreenPlotMargins.Right * scale), Trunc(kScreenPlotMargins.Bottom * scale)};
}

bool PlotAreaDrawable(const AreaSize& plot, const PlotMargins& margins) {
  return !plot.Empty() && plot.Width > margins.Left + margins.Right &&
         plot.Height > margins.Top + margins.Bottom;
}

}  // namespace tornel
