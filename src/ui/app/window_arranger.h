#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QMdiArea;

// The window commands that the MDI area has no ready call for: tiling in
// one direction and lining up the icons of minimised children.
class WindowArranger {
public:
  // Horizontally: the children one above the other, each the full width;
  // vertically: side by side, each the full height. Minimised children stay
  // where they are.
  static void TileHorizontal(QMdiArea* area);
  static void TileVertical(QMdiArea* area);
  static void MinimizeAll(QMdiArea* area);
  // Minimised children in a row along the bottom edge, left to right,
  // starting a new row above when one is full.
  static void ArrangeIcons(QMdiArea* area);

  // The geometry behind them.
  static QList<QRect> Strips(const QRect& area, int count, Qt::Orientation orientation);
  static QList<QRect> IconRows(const QRect& area, const QList<QSize>& icons);
};
