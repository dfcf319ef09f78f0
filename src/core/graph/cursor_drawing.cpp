#include "core/graph/cursor_drawing.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/graph/cursor_geometry.h"
#include "core/graph/cursor_readout.h"
#include "core/graph/zoom_band.h"
#include "core/plot/pen_restorer.h"
#include "core/plot/text_table.h"

namespace tornel {
namespace {

constexpr Color kActiveColor = 0x0000FF;  // red
constexpr Color kOtherColor = 0xFF0000;   // blue
constexpr Color kPrinterColor = 0;

TextTable Lay(Canvas& canvas, std::string_view text) {
  return TextTable(canvas, ReadoutCells(TurnedCursorReadoutText(text)));
}

}  // namespace

void DrawCursorLines(const TGraphRecord& record, Canvas& canvas, const PlotRect& rect,
                     const PlotMargins& margins, const CursorPair& cursors) {
  const PlotRect inner = InnerPlotRect(rect, margins);
  PenRestorer restore(canvas);
  const bool printer = canvas.IsPrinter();
  for (int i = 0; i < 2; ++i) {
    const int x = CursorColumn(record, cursors.Frame(i), rect, margins);
    if (x < inner.Left || x > inner.Right) continue;
    const Color color = printer                 ? kPrinterColor
                        : i == cursors.Active() ? kActiveColor
                                                : kOtherColor;
    canvas.SetPen({color, 1, i == 0 ? PenStyle::Solid : PenStyle::Dotted, PenMode::Copy});
    canvas.Line(x, inner.Top, x, inner.Bottom);
    canvas.TextOut(x + 2, inner.Top, i == 0 ? "1" : "2", color);
  }
}

TextSize CursorReadoutExtent(Canvas& canvas, std::string_view text) {
  return Lay(canvas, text).Extent();
}

void DrawCursorReadout(Canvas& canvas, const PlotRect& area, std::string_view text) {
  Lay(canvas, text).Draw(canvas, area);
}

void DrawCursorsOnPage(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                       const PageAreas& areas, const CursorPair& cursors,
                       std::string_view readout) {
  if (areas.plot.Width() > margins.Left + margins.Right &&
      areas.plot.Height() > margins.Top + margins.Bottom) {
    canvas.SetClipRect(InnerPlotRect(areas.plot, margins));
    DrawCursorLines(record, canvas, areas.plot, margins, cursors);
    canvas.ClearClip();
  }
  DrawCursorReadout(canvas, BelowLegend(record, canvas, areas.legend), readout);
}

}  // namespace tornel
