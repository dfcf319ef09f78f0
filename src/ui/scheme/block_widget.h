#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "core/scheme/block_kind.h"

class BlockPainter;
class GraphBlockPicture;

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
  ~TBlockWidget() override;

  tornel::TBlock& Block() const { return block_; }
  // Takes the place the block is shown at, and repaints only when what it
  // shows has changed: a block that only moves is not drawn anew.
  void Follow(const QRect& shown);
  // The graph block's kept plot; null for the other kinds.
  const GraphBlockPicture* Picture() const { return picture_.get(); }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  // What the painter draws from the block, apart from the graph block's
  // record, whose picture keeps track of it itself.
  struct Look {
    QSize size;
    bool selected = false, rotated = false, maximised = false, option = false;
    std::array<bool, tornel::kMaxInputs> in{};
    std::array<bool, tornel::kMaxOutputs> out{};
    std::array<std::string, 2> labels;
    bool operator==(const Look&) const = default;
  };
  Look LookNow() const;

  tornel::TBlock& block_;
  const BlockPainter& painter_;
  std::unique_ptr<GraphBlockPicture> picture_;
  Look look_;
};
