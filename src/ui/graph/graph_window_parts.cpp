#include "ui/graph/graph_window_parts.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/graph/graph_memo.h"
#include "ui/graph/graph_paint_box.h"
#include "ui/graph/graph_panels.h"

GraphPagePrinter GraphWindowParts::PagePrinter(const tornel::PaperSetup& paper) const {
  GraphPagePrinter page;
  page.paper = paper;
  page.window = {window->width(), window->height(), SplitterAt(legendSplitter, window),
                 SplitterAt(baseSplitter, window), SplitterAt(captionSplitter, window)};
  page.plotFont = paintBox->font();
  page.baseText = base->toPlainText();
  page.baseFont = base->font();
  page.caption = caption->toPlainText();
  page.captionFont = caption->font();
  return page;
}

tornel::RecordPicture GraphWindowParts::Picture(QSize size) const {
  tornel::RecordPicture picture;
  picture.size = size;
  picture.font = paintBox->font();
  picture.baseText = base->toPlainText();
  picture.baseFont = base->font();
  picture.caption = caption->toPlainText();
  picture.captionFont = caption->font();
  return picture;
}

void GraphWindowParts::CopyToClipboard() const {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  paintBox->RenderNow();
  QGuiApplication::clipboard()->setPixmap(window->grab());
}

bool AskToPrint(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setObjectName(QStringLiteral("PrintDialog"));
  dialog.setWindowTitle(QStringLiteral("Печать"));
  return dialog.exec() == QDialog::Accepted;
}
