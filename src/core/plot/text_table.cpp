#include "core/plot/text_table.h"

#include <algorithm>

#include "core/plot/display_color.h"
#include "core/plot/plot_legend.h"

namespace tornel {

TextTable::TextTable(Canvas& canvas, std::vector<std::vector<std::string>> rows)
    : rows_(std::move(rows)) {
  const TextSize gap = canvas.TextExtent("  ");
  rowHeight_ = std::max(canvas.TextExtent("1").cy, 1);
  std::vector<int> widths;
  for (const auto& row : rows_) {
    if (widths.size() < row.size()) widths.resize(row.size(), 0);
    for (std::size_t c = 0; c < row.size(); ++c) {
      widths[c] = std::max(widths[c], canvas.TextExtent(row[c]).cx);
    }
  }
  int left = 0;
  for (int w : widths) {
    columnLefts_.push_back(left);
    left += w + gap.cx;
  }
  extent_ = {std::max(0, left - gap.cx), rowHeight_ * static_cast<int>(rows_.size())};
}

void TextTable::Draw(Canvas& canvas, const PlotRect& area) const {
  if (area.Width() <= 0 || area.Height() <= 0) return;
  canvas.SetClipRect(area);
  int y = area.Top;
  for (const auto& row : rows_) {
    if (y >= area.Bottom) break;
    for (std::size_t c = 0; c < row.size(); ++c) {
      canvas.TextOut(area.Left + columnLefts_[c], y, row[c], kBlack);
    }
    y += rowHeight_;
  }
  canvas.ClearClip();
}

PlotRect BelowLegend(const TGraphRecord& record, Canvas& canvas, const PlotRect& legendArea) {
  PlotRect area = legendArea;
  area.Top += LegendExtent(record, canvas).cy + canvas.TextExtent("1").cy;
  return area;
}

}  // namespace tornel
