#include "ui/static/sweep_box.h"

#include <QMouseEvent>
#include <QPainter>

SweepBox::SweepBox(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PaintBox1"));
  setMinimumSize(200, 120);
  Clear();
}

void SweepBox::Clear() {
  picture_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  picture_.fill(Qt::black);
  QPainter painter(&picture_);
  painter.setPen(QColor(0, 128, 0));
  int middle = picture_.height() / 2;
  painter.drawLine(0, middle, picture_.width() - 1, middle);
  update();
}

void SweepBox::Plot(int x, int y, const QColor& color) {
  if (!picture_.valid(x, y)) return;
  picture_.setPixelColor(x, y, color);
  update(x, y, 1, 1);
}

void SweepBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

void SweepBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Clear();
}

void SweepBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) emit RightClicked();
  QWidget::mousePressEvent(event);
}
