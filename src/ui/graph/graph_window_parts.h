#pragma once

#include <QSize>

#include "core/graph/print_layout.h"
#include "ui/canvas/record_picture.h"
#include "ui/graph/graph_page_printer.h"

class GraphMemo;
class GraphPaintBox;
class QPrinter;
class QSplitter;
class QWidget;

// The parts of a window laid out as the graph window is (its plot, the base
// values and caption memos and the three splitters), and what printing,
// image export and copying take from them: one path for the graph and the
// spectrum windows. The window owns the parts.
struct GraphWindowParts {
  QWidget* window = nullptr;
  GraphPaintBox* paintBox = nullptr;
  GraphMemo* base = nullptr;
  GraphMemo* caption = nullptr;
  QSplitter* legendSplitter = nullptr;
  QSplitter* baseSplitter = nullptr;
  QSplitter* captionSplitter = nullptr;

  // The page on `paper` in the window's proportions, with the memos' texts
  // and fonts.
  GraphPagePrinter PagePrinter(const tornel::PaperSetup& paper) const;
  // The picture of `size` with the memos' texts and fonts.
  tornel::RecordPicture Picture(QSize size) const;
  // The window's client area as shown, with its plot drawn, on the clipboard.
  void CopyToClipboard() const;
};

// The print dialog on the shared printer; true when the user chose to print.
bool AskToPrint(QPrinter& printer, QWidget* parent);
