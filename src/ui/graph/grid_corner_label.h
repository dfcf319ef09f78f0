#pragma once

#include <QObject>
#include <QString>

class QTableView;

// The top left cell of a table window, where the headers meet: "t, c" or
// "№". A table view draws that corner as a blank button; this paints it as a
// header section with the text. The corner button carries the text (text())
// and the name "GridCorner".
class GridCornerLabel : public QObject {
  Q_OBJECT

public:
  static void Install(QTableView* view, const QString& text);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  using QObject::QObject;
};
