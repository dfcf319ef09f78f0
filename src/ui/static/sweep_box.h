#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// The static window's live sweep display: a black box with a green middle
// line on which the window sets one pixel per channel and tick. The pixels
// stay until Clear(), which starts a fresh sweep. A right click asks for the
// channels to show.
class SweepBox : public QWidget {
  Q_OBJECT

public:
  explicit SweepBox(QWidget* parent = nullptr);

  void Clear();
  void Plot(int x, int y, const QColor& color);
  // What the box shows now.
  const QImage& Picture() const { return picture_; }

signals:
  void RightClicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  QImage picture_;
};
