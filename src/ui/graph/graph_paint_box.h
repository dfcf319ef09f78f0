#pragma once

#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/analysis/transient_analysis.h"
#include "core/graph/cursor_pair.h"
#include "core/graph/zoom_band.h"
#include "core/plot/canvas.h"

namespace tornel {
class TGraphRecord;
}

// GraphPaintBox: the plot of a graph window and its mouse zoom. The picture
// is drawn through the plot engine into an image that is kept until the
// record or the size changes, so that repaints, and the zoom band over a
// long record, cost nothing. A new picture is drawn from the event loop
// after pending paint events have run, with the hourglass; a paint that
// finds no picture at all (a grab) draws it at once.
//
// The left button drags the zoom band, drawn by inverting the picture's
// pixels; releasing it applies the zoom to the record. The right button asks
// for the popup menu.
class GraphPaintBox : public QWidget {
  Q_OBJECT

public:
  GraphPaintBox(tornel::TGraphRecord& record, QWidget* parent = nullptr);

  // The record changed: a new picture is drawn soon.
  void Invalidate();
  // Draws a pending picture now.
  void RenderNow();
  bool PicturePending() const { return dirty_; }

  // The plot rectangle is the whole client area; the inner rectangle is the
  // plot rectangle less the screen's plot margins.
  tornel::PlotRect PlotRectangle() const;
  tornel::PlotRect InnerRectangle() const;
  const tornel::ZoomBand& Band() const { return band_; }
  // The measuring cursors: shown on frames of the record, dragged with the
  // left button near them, moved by the arrow keys.
  void SetCursorsShown(bool shown);
  bool CursorsShown() const { return cursorsShown_; }
  const tornel::CursorPair& Cursors() const { return cursors_; }
  // Screen column of cursor i in the current picture.
  int CursorX(int i) const;
  // An analysis whose marks are drawn over the picture; none to remove them.
  void SetTransientMarks(std::optional<tornel::TransientAnalysis> marks);
  const std::optional<tornel::TransientAnalysis>& TransientMarks() const { return marks_; }
  // Milliseconds the last picture took to draw.
  qint64 LastRenderMs() const { return lastRenderMs_; }

signals:
  // A band changed the record's ranges (the picture is being redrawn).
  void ZoomChanged();
  void PopupRequested(const QPoint& globalPos);
  // A cursor moved to another frame (or the cursors were placed).
  void CursorsMoved();
  // A new picture was drawn.
  void Rendered();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  int CursorNear(int x) const;
  void DrawCursors(QPainter& painter) const;
  void RenderScheduled();
  void Render();
  void Invert(const std::vector<tornel::PlotRect>& strips);

  tornel::TGraphRecord& record_;
  tornel::ZoomBand band_;
  QImage picture_;  // with the band's strips inverted while it is dragged
  QImage clean_;    // the picture without the band
  bool dirty_ = true;
  bool scheduled_ = false;
  bool rendering_ = false;
  qint64 lastRenderMs_ = 0;
  tornel::CursorPair cursors_;
  bool cursorsShown_ = false;
  int draggedCursor_ = -1;
  std::optional<tornel::TransientAnalysis> marks_;
};
