#include "ui/graph/gr_dlg_color_shape.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>

#include "ui/canvas/qt_color.h"

namespace {

tornel::Color FromQColor(const QColor& c) {
  return static_cast<tornel::Color>(c.red()) | static_cast<tornel::Color>(c.green()) << 8 |
         static_cast<tornel::Color>(c.blue()) << 16;
}

}  // namespace

GrDlgColorShape::GrDlgColorShape(const QString& name, QWidget* parent) : QFrame(parent) {
  setObjectName(name);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  const int side = fontMetrics().height() + 2;
  setFixedSize(side, side);
  setCursor(Qt::PointingHandCursor);
}

void GrDlgColorShape::SetValue(tornel::Color color) {
  color_ = color;
  update();
}

void GrDlgColorShape::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.fillRect(contentsRect(), tornel::ToQColor(color_));
  }
  QFrame::paintEvent(event);
}

void GrDlgColorShape::mousePressEvent(QMouseEvent* event) {
  event->accept();
  const QColor chosen =
      QColorDialog::getColor(tornel::ToQColor(color_), this, QStringLiteral("Цвет"));
  if (chosen.isValid()) SetValue(FromQColor(chosen));
}
