#pragma once

#include <QWidget>

class BlockPainter;

namespace tornel {
class TBlock;
}

// The window of one block on the drawing area: its geometry and z-order are
// the block's, it paints what the block says. The mouse goes through it to
// the drawing area, which decides what a press on a block means.
class TBlockWidget : public QWidget {
  Q_OBJECT

public:
  TBlockWidget(tornel::TBlock& block, const BlockPainter& painter, QWidget* parent);

  tornel::TBlock& Block() const { return block_; }
  // Takes the block's bounds again.
  void Follow(bool maximised = false);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  tornel::TBlock& block_;
  const BlockPainter& painter_;
  bool maximised_ = false;
};
