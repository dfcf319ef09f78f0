#include "ui/app/window_arranger.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

void Tile(QMdiArea* area, Qt::Orientation orientation) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* w : area->subWindowList()) {
    if (w->isVisible() && !w->isMinimized()) windows.append(w);
  }
  QList<QRect> rects = WindowArranger::Strips(area->viewport()->rect(),
                                              static_cast<int>(windows.size()), orientation);
  for (int i = 0; i < windows.size(); ++i) {
    if (windows[i]->isMaximized()) windows[i]->showNormal();
    windows[i]->setGeometry(rects[i]);
  }
}

}  // namespace

QList<QRect> WindowArranger::Strips(const QRect& area, int count, Qt::Orientation orientation) {
  QList<QRect> rects;
  if (count <= 0) return rects;
  bool rows = orientation == Qt::Horizontal;
  int total = rows ? area.height() : area.width();
  for (int i = 0; i < count; ++i) {
    // Spread the remainder so that the strips fill the area exactly.
    int from = total * i / count;
    int to = total * (i + 1) / count;
    if (rows) {
      rects.append(QRect(area.left(), area.top() + from, area.width(), to - from));
    } else {
      rects.append(QRect(area.left() + from, area.top(), to - from, area.height()));
    }
  }
  return rects;
}

QList<QRect> WindowArranger::IconRows(const QRect& area, const QList<QSize>& icons) {
  QList<QRect> rects;
  int x = area.left();
  int bottom = area.bottom() + 1;
  int rowHeight = 0;
  for (const QSize& size : icons) {
    if (x > area.left() && x + size.width() > area.right() + 1) {
      x = area.left();
      bottom -= rowHeight;
      rowHeight = 0;
    }
    rects.append(QRect(QPoint(x, bottom - size.height()), size));
    x += size.width();
    rowHeight = qMax(rowHeight, size.height());
  }
  return rects;
}

void WindowArranger::TileHorizontal(QMdiArea* area) { Tile(area, Qt::Horizontal); }

void WindowArranger::TileVertical(QMdiArea* area) { Tile(area, Qt::Vertical); }

void WindowArranger::MinimizeAll(QMdiArea* area) {
  for (QMdiSubWindow* w : area->subWindowList()) w->showMinimized();
  ArrangeIcons(area);
}

void WindowArranger::ArrangeIcons(QMdiArea* area) {
  QList<QMdiSubWindow*> icons;
  QList<QSize> sizes;
  for (QMdiSubWindow* w : area->subWindowList()) {
    if (w->isMinimized()) {
      icons.append(w);
      sizes.append(w->size());
    }
  }
  QList<QRect> rects = IconRows(area->viewport()->rect(), sizes);
  for (int i = 0; i < icons.size(); ++i) icons[i]->move(rects[i].topLeft());
}
