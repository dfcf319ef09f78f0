#include "core/graph/cursor_drawing.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/graph/cursor_geometry.h"
#include "core/graph/cursor_readout.h"
#include "core/graph/zoom_band.h"
#include "core/plot/pen_restorer.h"
#include "core/plot/plot_legend.h"

namespace tornel {
namespace {

constexpr Color kActiveColor = 0x0000FF;  // red
constexpr Color kOtherColor = 0xFF0000;   // blue
constexpr Color kPrinterColor = 0;

using Row = std::vector<std::string>;

struct Table {
  std::vector<Row> rows;
  std::vector<int> columnLefts;  // from the area's left edge
  int rowHeight = 0;
  TextSize extent;
};

Table Lay(Canvas& canvas, std::string_view text) {
  Table t;
  t.rows = ReadoutCells(TurnedCursorReadoutText(text));
  const TextSize gap = canvas.TextExtent("  ");
  t.rowHeight = std::max(canvas.TextExtent("1").cy, 1);
  std::vector<int> widths;
  for (const Row& row : t.rows) {
    if (widths.size() < row.size()) widths.resize(row.size(), 0);
    for (std::size_t c = 0; c < row.size(); ++c) {
      widths[c] = std::max(widths[c], canvas.TextExtent(row[c]).cx);
    }
  }
  int left = 0;
  for (int w : widths) {
    t.columnLefts.push_back(left);
    left += w + gap.cx;
  }
  t.extent = {std::max(0, left - gap.cx), t.rowHeight * static_cast<int>(t.rows.size())};
  return t;
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
  return Lay(canvas, text).extent;
}

void DrawCursorReadout(Canvas& canvas, const PlotRect& area, std::string_view text) {
  if (area.Width() <= 0 || area.Height() <= 0) return;
  const Table t = Lay(canvas, text);
  canvas.SetClipRect(area);
  int y = area.Top;
  for (const Row& row : t.rows) {
    if (y >= area.Bottom) break;
    for (std::size_t c = 0; c < row.size(); ++c) {
      canvas.TextOut(area.Left + t.columnLefts[c], y, row[c], kPrinterColor);
    }
    y += t.rowHeight;
  }
  canvas.ClearClip();
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
  PlotRect area = areas.legend;
  // A blank line between the legend and the readout.
  area.Top += LegendExtent(record, canvas).cy + canvas.TextExtent("1").cy;
  DrawCursorReadout(canvas, area, readout);
}

}  // namespace tornel
