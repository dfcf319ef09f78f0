#include "ui/scheme/block_widget.h"

#include <QPainter>

#include "core/scheme/block.h"
#include "ui/scheme/block_painter.h"
#include "ui/scheme/graph_block_picture.h"

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
  if (block.Kind == tornel::kKindGraph) picture_ = std::make_unique<GraphBlockPicture>();
  Follow(QRect(block.Left, block.Top, block.Width, block.Height));
}

TBlockWidget::~TBlockWidget() = default;

TBlockWidget::Look TBlockWidget::LookNow() const {
  const tornel::TBlock& b = block_;
  return {size(),   b.Selected,    b.Rotated,      b.Maximised,
          b.Option, b.InConnected, b.OutConnected, b.LabelLine};
}

void TBlockWidget::Follow(const QRect& shown) {
  if (geometry() != shown) setGeometry(shown);
  const Look now = LookNow();
  if (now == look_) return;
  look_ = now;
  update();
}

void TBlockWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter_.Paint(painter, block_, size(), picture_.get());
}
