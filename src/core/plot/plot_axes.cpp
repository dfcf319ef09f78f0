#include "core/plot/plot_axes.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/plot/display_color.h"
#include "core/plot/label_fit.h"
#include "core/plot/pen_restorer.h"
#include "core/plot/safe_coord.h"
#include "core/plot/tick_label.h"
#include "core/text/number_text.h"

namespace tornel {
namespace {

Color Ink(const Canvas& canvas, Color color) { return canvas.IsPrinter() ? kBlack : color; }

const Pen kAxisPen{kBlack, 2, PenStyle::Solid, PenMode::Copy};

// One label on a row of labels: a single line whose rectangle is w wide and
// cy high with its top-left corner at (left, top).
void Label(Canvas& canvas, int left, int top, const std::string& text) {
  canvas.TextOut(left, top, text, Ink(canvas, kBlack));
}

void HorizontalTicks(Canvas& canvas, const PlotGeometry& g, int y, int direction, int len) {
  canvas.Line(g.x0, y, g.x1, y);
  for (int i = 0; i <= g.divX; ++i) {
    const int x = g.DivisionX(i);
    canvas.Line(x, y, x, ToCoord(static_cast<int64_t>(y) + direction * len));
  }
  for (int i = 0; i < g.divX; ++i) {
    const int x = g.MidDivisionX(i);
    canvas.Line(x, y, x, ToCoord(static_cast<int64_t>(y) + direction * (len / 2)));
  }
}

// An axis title: it shares the row (or column) of its axis's labels and
// sits in the middle of the last division (the first, for Y).
struct TitlePlace {
  const std::string* text = nullptr;  // null: not drawn
  int left = 0, top = 0, width = 0;
  std::optional<LabelSpan> Span() const {
    if (text == nullptr) return std::nullopt;
    return LabelSpan{left, left + width};
  }
};

struct TitlePlaces {
  TitlePlace bottom, top, left;
};

TitlePlaces PlaceTitles(const TGraphRecord& record, const PlotGeometry& g, Canvas& canvas) {
  const PlotTitles& titles = record.Titles;
  const int half = static_cast<int>(0.5 * g.cy);
  const int x = g.x1 - g.W / (2 * g.divX);
  auto centred = [&](const std::string& text, int top) {
    const int w = canvas.TextExtent(text).cx;
    return TitlePlace{&text, x - w / 2, top, w};
  };
  TitlePlaces t;
  t.bottom = centred(g.timePlot ? titles.Time : titles.X, g.yb + half);
  if (g.timePlot && g.xyPlot) t.top = centred(titles.X, g.y0 - half - g.cy);
  const int w = canvas.TextExtent(titles.Y).cx;
  t.left = {&titles.Y, g.x0 - half - w, g.y0 + g.H / (2 * g.divY) - g.cy / 2, w};
  return t;
}

}  // namespace

void DrawGrid(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
              const PlotRect& rect) {
  const PlotGeometry g = MakePlotGeometry(record, canvas, margins, rect);
  PenRestorer restore(canvas);
  canvas.SetPen({Ink(canvas, kGridGray), 1, PenStyle::Dotted, PenMode::Copy});
  for (int i = 1; i < g.divY; ++i) canvas.Line(g.x0, g.DivisionY(i), g.x1, g.DivisionY(i));
  for (int i = 1; i < g.divX; ++i) canvas.Line(g.DivisionX(i), g.y0, g.DivisionX(i), g.yb);
  canvas.SetPen({kBlack, 1, PenStyle::Solid, PenMode::Copy});
  const Point frame[] = {
      {g.x0 - 1, g.y0 - 1}, {g.x1, g.y0 - 1}, {g.x1, g.yb}, {g.x0 - 1, g.yb}, {g.x0 - 1, g.y0 - 1}};
  canvas.Polyline(frame);
}

void DrawTicks(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
               const PlotRect& rect) {
  const PlotGeometry g = MakePlotGeometry(record, canvas, margins, rect);
  PenRestorer restore(canvas);
  canvas.SetPen(kAxisPen);
  const int len = static_cast<int>(0.5 * g.cy);
  if (g.timePlot && g.xyPlot) HorizontalTicks(canvas, g, g.y0, +1, len);
  HorizontalTicks(canvas, g, g.yb, -1, len);
  canvas.Line(g.x0, g.y0, g.x0, g.yb);
  for (int i = 0; i <= g.divY; ++i) {
    const int y = g.DivisionY(i);
    canvas.Line(g.x0, y, g.x0 + len, y);
  }
  for (int i = 0; i < g.divY; ++i) {
    const int y = g.MidDivisionY(i);
    canvas.Line(g.x0, y, g.x0 + len / 2, y);
  }
}

void DrawZeroLines(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                   const PlotRect& rect) {
  const PlotGeometry g = MakePlotGeometry(record, canvas, margins, rect);
  PenRestorer restore(canvas);
  canvas.SetPen(kAxisPen);
  // The inequalities also keep the divisors away from zero.
  if ((!g.timePlot || g.xyPlot) && record.XMax > 0 && record.XMin < 0) {
    const int x = ToCoord(g.x0 + record.XMin * g.W / (record.XMin - record.XMax));
    canvas.Line(x, g.y0, x, g.yb);
  }
  if (record.YMax > 0 && record.YMin < 0) {
    const int y = ToCoord(record.YMax * g.H / (record.YMax - record.YMin) + g.y0);
    canvas.Line(g.x0, y, g.x1, y);
  }
}

void DrawTickLabels(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                    const PlotRect& rect) {
  const PlotGeometry g = MakePlotGeometry(record, canvas, margins, rect);
  const TitlePlaces titles = PlaceTitles(record, g, canvas);
  const char separator = SystemDecimalSeparator();
  const int half = static_cast<int>(0.5 * g.cy);
  const int gap = canvas.TextExtent(" ").cx;

  // A row of labels along a horizontal axis; each value comes from adding
  // the step to the previous one. A label wider than the margin beside it
  // is moved in to stay whole inside the plot rectangle; labels that would
  // run into a neighbour or the row's title are left out.
  auto row = [&](double value, double step, int top, const TitlePlace& title) {
    std::vector<std::string> texts;
    std::vector<LabelSpan> spans;
    for (int i = 0; i <= g.divX; ++i) {
      texts.push_back(FormatTickLabel(value, separator));
      const int w = canvas.TextExtent(texts.back()).cx;
      const int left = std::max(std::min(g.DivisionX(i) - w / 2, rect.Right - w), rect.Left);
      spans.push_back({left, left + w});
      value += step;
    }
    const std::vector<bool> shown = LabelsThatFit(spans, title.Span(), gap);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (shown[i]) Label(canvas, spans[i].lo, top, texts[i]);
    }
  };
  if (g.timePlot) {
    row(record.TMin, (record.TMax - record.TMin) / g.divX, g.yb + half, titles.bottom);
  } else {
    row(record.XMin, (record.XMax - record.XMin) / g.divX, g.yb + half, titles.bottom);
  }
  if (g.timePlot && g.xyPlot) {
    row(record.XMin, (record.XMax - record.XMin) / g.divX, g.y0 - half - g.cy, titles.top);
  }

  // The left column: texts one line high, kept apart by their tops.
  double value = record.YMax;
  const double step = (record.YMax - record.YMin) / g.divY;
  std::vector<std::string> texts;
  std::vector<LabelSpan> spans;
  for (int i = 0; i <= g.divY; ++i) {
    texts.push_back(FormatTickLabel(value, separator));
    const int top = g.DivisionY(i) - g.cy / 2;
    spans.push_back({top, top + g.cy});
    value -= step;
  }
  const LabelSpan yTitle{titles.left.top, titles.left.top + g.cy};
  const std::vector<bool> shown = LabelsThatFit(spans, yTitle, 0);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!shown[i]) continue;
    const int w = canvas.TextExtent(texts[i]).cx;
    Label(canvas, g.x0 - half - w, spans[i].lo, texts[i]);
  }
}

void DrawAxisTitles(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                    const PlotRect& rect) {
  const PlotGeometry g = MakePlotGeometry(record, canvas, margins, rect);
  const TitlePlaces titles = PlaceTitles(record, g, canvas);
  for (const TitlePlace* t : {&titles.bottom, &titles.top, &titles.left}) {
    if (t->text != nullptr) Label(canvas, t->left, t->top, *t->text);
  }
}

}  // namespace tornel
