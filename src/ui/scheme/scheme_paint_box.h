#pragma once

#include <QRect>
#include <QWidget>

class SchemeMouse;

namespace tornel {
class Scheme;
}

// PB: the drawing area under the blocks. It paints the lines (black, and the
// dragged one inverted and wide) and the inverted dotted selection band, and
// hands every mouse event, those over blocks included, to SchemeMouse.
class SchemePaintBox : public QWidget {
  Q_OBJECT

public:
  SchemePaintBox(const tornel::Scheme& scheme, SchemeMouse& mouse, QWidget* parent);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  void FollowCursor(QPoint at);

  const tornel::Scheme& scheme_;
  SchemeMouse& mouse_;
};
