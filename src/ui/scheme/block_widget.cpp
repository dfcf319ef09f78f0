#include "ui/scheme/block_widget.h"

#include <QPainter>

#include "core/scheme/block.h"
#include "ui/scheme/block_painter.h"

TBlockWidget::TBlockWidget(tornel::TBlock& block, const BlockPainter& painter, QWidget* parent)
    : QWidget(parent), block_(block), painter_(painter) {
  setObjectName(
      QString::fromUtf8(tornel::KindInfo(block.Kind).ClassName.data(),
                        static_cast<qsizetype>(tornel::KindInfo(block.Kind).ClassName.size())));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  // Outside its body a block shows the drawing area's white.
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
  setToolTip(QString::fromStdString(block.Hint));
  Follow();
}

void TBlockWidget::Follow(bool maximised) {
  maximised_ = maximised;
  const QRect bounds(block_.Left, block_.Top, block_.Width, block_.Height);
  if (geometry() != bounds) setGeometry(bounds);
  update();
}

void TBlockWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter_.Paint(painter, block_, maximised_);
}
