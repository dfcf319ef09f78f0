#pragma once

#include <QFont>
#include <QSize>

class GraphBlockPicture;
class QPainter;

namespace tornel {
class TBlock;
}

// Draws a block in its own coordinates as the model says it looks: body,
// ports filled while they have a line, labels, the kind's picture and the
// selection inverted. The graph block's plot goes through the plot engine.
class BlockPainter {
public:
  explicit BlockPainter(const QFont& font) : font_(font) {}

  // `shown`: the block's size on the screen, the whole drawing area for a
  // maximised graph block. The graph block's plot comes from `plot`.
  void Paint(QPainter& painter, tornel::TBlock& block, QSize shown,
             GraphBlockPicture* plot = nullptr) const;

private:
  void PaintDynamic(QPainter& painter, const tornel::TBlock& block) const;
  void PaintGenerator(QPainter& painter, const tornel::TBlock& block) const;
  void PaintSum(QPainter& painter, const tornel::TBlock& block) const;
  void PaintMul(QPainter& painter, const tornel::TBlock& block) const;
  void PaintStatic(QPainter& painter, const tornel::TBlock& block) const;
  void PaintDevice(QPainter& painter, const tornel::TBlock& block) const;
  void PaintGraph(QPainter& painter, tornel::TBlock& block, QSize shown,
                  GraphBlockPicture* plot) const;

  QFont font_;
};

// A port marker: an arrow pointing along the signal, filled when it has a
// line. The painter's pen and brush colour it.
void DrawPort(QPainter& painter, int x, int y, bool rotated, bool filled);
