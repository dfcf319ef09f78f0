#include "ui/graph/graph_page_printer.h"

#include <QPainter>
#include <QPrinter>
#include <QRect>

#include "core/analysis/transient_marks.h"
#include "core/graph/cursor_drawing.h"
#include "core/graph/legend_table.h"
#include "core/plot/plot_legend.h"
#include "core/plot/plot_page.h"
#include "core/records/graph_record.h"
#include "core/text/user_error.h"
#include "ui/canvas/memo_text.h"
#include "ui/canvas/qt_canvas.h"

tornel::PrintLayout GraphPagePrinter::Layout(QSize page) const {
  return tornel::MakePrintLayout(paper, page.width(), page.height(), window);
}

void GraphPagePrinter::Paint(tornel::TGraphRecord& record, QPainter& painter, QSize page,
                             bool printer) const {
  const tornel::PrintLayout layout = Layout(page);
  if (!layout.Printable) return;
  const tornel::PageAreas areas = tornel::PlaceAreas(layout.page);
  {
    tornel::QtCanvas canvas(painter, plotFont, printer);
    if (tornel::PlotAreaDrawable(layout.page.plot, layout.margins)) {
      tornel::DrawPlot(record, canvas, layout.margins, layout.page);
    } else if (!layout.page.legend.Empty()) {
      record.RecountRecord();
      tornel::DrawLegend(record, canvas, areas.legend.Left, areas.legend.Top);
    }
    if (marks) tornel::DrawTransientMarksOnPage(record, canvas, layout.margins, areas, *marks);
    if (cursors) {
      tornel::DrawCursorsOnPage(record, canvas, layout.margins, areas, *cursors,
                                cursorReadout.toStdString());
    }
    if (!legendTable.isEmpty()) {
      tornel::DrawLegendTable(record, canvas, areas.legend, legendTable.toStdString());
    }
  }
  WriteMemoText(painter, areas.base, baseText, baseFont);
  WriteMemoText(painter, areas.caption, caption, captionFont);
}

void GraphPagePrinter::Print(tornel::TGraphRecord& record, QPrinter& printer,
                             const QString& title) const {
  const bool fullPage = printer.fullPage();
  printer.setFullPage(true);
  const QSize page(printer.width(), printer.height());
  if (!Layout(page).Printable) {
    printer.setFullPage(fullPage);
    throw tornel::UserError("Поля страницы не оставляют места для печати");
  }
  printer.setDocName(title);
  QPainter painter;
  if (!painter.begin(&printer)) {
    printer.setFullPage(fullPage);
    throw tornel::UserError("Не удалось начать печать");
  }
  Paint(record, painter, page, true);
  painter.end();
  printer.setFullPage(fullPage);
}
