#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <optional>

#include "core/analysis/transient_analysis.h"
#include "core/graph/cursor_pair.h"
#include "core/graph/print_layout.h"

class QPainter;
class QPrinter;

namespace tornel {
class TGraphRecord;
}

// One printed page of a graph window: the plot, the legend, the base values
// and the caption in the window's proportions inside the page setup's
// margins, everything black, the texts in the fonts of their memos. An area
// that comes out without a size is left out. An analysis's marks go over the
// plot. With cursors, their lines go over the plot and their readout under
// the legend; so does a legend table.
class GraphPagePrinter {
public:
  tornel::PaperSetup paper;
  tornel::WindowProportions window;
  QFont plotFont;
  QString baseText;
  QFont baseFont;
  QString caption;
  QFont captionFont;
  std::optional<tornel::CursorPair> cursors;
  QString cursorReadout;
  // Lines of tab-separated cells under the legend (a spectrum's harmonics).
  QString legendTable;
  std::optional<tornel::TransientAnalysis> marks;

  // Where everything goes on a sheet of `page` device units.
  tornel::PrintLayout Layout(QSize page) const;
  // Paints the page with the painter's origin at the sheet's corner.
  void Paint(tornel::TGraphRecord& record, QPainter& painter, QSize page, bool printer) const;
  // One print job named `title`, one page, over the whole sheet. Throws
  // UserError when the margins leave no room or printing cannot start; the
  // printer's settings are left as they were.
  void Print(tornel::TGraphRecord& record, QPrinter& printer, const QString& title) const;
};
