#pragma once

#include <string>
#include <vector>

#include "core/plot/canvas.h"
#include "core/records/graph_record.h"

namespace tornel {

// Rows of cells laid out as left-aligned columns two blanks apart, one line
// of the canvas's font per row, in black: the cursors' readout and a
// spectrum's harmonics beside a plot.
class TextTable {
public:
  TextTable(Canvas& canvas, std::vector<std::vector<std::string>> rows);

  TextSize Extent() const { return extent_; }
  // From the top-left corner of `area`, cut off at its edges; nothing for an
  // empty area.
  void Draw(Canvas& canvas, const PlotRect& area) const;

private:
  std::vector<std::vector<std::string>> rows_;
  std::vector<int> columnLefts_;  // from the area's left edge
  int rowHeight_ = 0;
  TextSize extent_;
};

// The part of a page's legend area below the legend and one blank line,
// where a readout or a table goes.
PlotRect BelowLegend(const TGraphRecord& record, Canvas& canvas, const PlotRect& legendArea);

}  // namespace tornel
