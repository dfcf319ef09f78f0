#pragma once

#include <QHash>
#include <QRegion>
#include <QWidget>

class SchemeMouse;

namespace tornel {
class Scheme;
struct TConnectLine;
}  // namespace tornel

// PB: the drawing area under the blocks. It paints the lines (black, and the
// dragged one inverted and wide) and the inverted dotted selection band, and
// hands every mouse event, those over blocks included, to SchemeMouse.
class SchemePaintBox : public QWidget {
  Q_OBJECT

public:
  SchemePaintBox(const tornel::Scheme& scheme, SchemeMouse& mouse, QWidget* parent);

  // Repaints where lines or the band have changed since the last call: a
  // drag thus repaints the moved block's lines, not the whole area (and not
  // every block over it).
  void Sync();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  void FollowCursor(QPoint at);
  // Where a line is drawn, widened by its pen; empty when it is not drawn.
  QRegion LineArea(const tornel::TConnectLine& line) const;
  QRegion BandArea() const;

  const tornel::Scheme& scheme_;
  SchemeMouse& mouse_;
  // What the last Sync saw, by line.
  QHash<const tornel::TConnectLine*, QRegion> lineAreas_;
  const tornel::TConnectLine* dragged_ = nullptr;
  QRegion bandArea_;
};
