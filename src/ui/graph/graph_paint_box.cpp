#include "ui/graph/graph_paint_box.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>

#include "core/analysis/transient_marks.h"
#include "core/graph/cursor_drawing.h"
#include "core/graph/cursor_geometry.h"
#include "core/graph/mouse_zoom.h"
#include "core/plot/plot_page.h"
#include "core/records/graph_record.h"
#include "ui/canvas/qt_canvas.h"
#include "ui/graph/record_summaries.h"
#include "ui/widgets/busy_scope.h"

namespace {

tornel::Point At(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return {p.x(), p.y()};
}

QRect ToQRect(const tornel::PlotRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// How near to a cursor a press grabs it, in pixels.
constexpr int kCursorGrab = 4;

}  // namespace

GraphPaintBox::GraphPaintBox(tornel::TGraphRecord& record, QWidget* parent)
    : QWidget(parent), record_(record) {
  setObjectName(QStringLiteral("GraphPaintBox"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(10, 10);
  setFocusPolicy(Qt::ClickFocus);
  Invalidate();
}

tornel::PlotRect GraphPaintBox::PlotRectangle() const { return {0, 0, width(), height()}; }

tornel::PlotRect GraphPaintBox::InnerRectangle() const {
  return tornel::InnerPlotRect(PlotRectangle(), tornel::kScreenPlotMargins);
}

void GraphPaintBox::Invalidate() {
  dirty_ = true;
  if (scheduled_) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, &GraphPaintBox::RenderScheduled);
}

void GraphPaintBox::RenderScheduled() {
  scheduled_ = false;
  if (!dirty_) return;
  BusyScope busy;
  // What is already waiting to be painted (the hole a closed dialog left,
  // the rest of this window) is painted before the long drawing starts.
  QPointer<GraphPaintBox> self(this);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  if (!self || !dirty_) return;
  RenderNow();
}

void GraphPaintBox::RenderNow() {
  if (!dirty_) return;
  BusyScope busy;
  Render();
  update();
}

void GraphPaintBox::Render() {
  // The progress window of a summary lets paint events in meanwhile.
  if (rendering_) return;
  QScopedValueRollback<bool> rendering(rendering_, true);
  QElapsedTimer timer;
  timer.start();
  // A long record is drawn from its min/max summaries; a missing one costs
  // one read of the sample file.
  PrepareRecordSummaries(record_, this);
  dirty_ = false;
  band_.BandDragging = false;
  const qreal ratio = devicePixelRatioF();
  QImage image(size() * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(palette().color(QPalette::Base));
  {
    QPainter painter(&image);
    tornel::QtCanvas canvas(painter, font(), false);
    tornel::DrawPlotArea(record_, canvas, tornel::kScreenPlotMargins, PlotRectangle());
  }
  picture_ = image;
  clean_ = QImage();
  lastRenderMs_ = timer.elapsed();
  emit Rendered();
}

void GraphPaintBox::paintEvent(QPaintEvent*) {
  // A paint outside the event loop's drawing (a grab) gets the picture now.
  if (dirty_ && (!scheduled_ || picture_.isNull())) {
    BusyScope busy;
    Render();
  }
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  painter.drawImage(0, 0, picture_);
  if (marks_) {
    tornel::QtCanvas canvas(painter, font(), false);
    canvas.SetClipRect(InnerRectangle());
    tornel::DrawTransientMarks(record_, canvas, PlotRectangle(), tornel::kScreenPlotMargins,
                               *marks_);
    canvas.ClearClip();
  }
  if (cursorsShown_) DrawCursors(painter);
}

void GraphPaintBox::SetTransientMarks(std::optional<tornel::TransientAnalysis> marks) {
  marks_ = std::move(marks);
  update();
}

void GraphPaintBox::SetCursorsShown(bool shown) {
  if (shown == cursorsShown_) return;
  cursorsShown_ = shown;
  draggedCursor_ = -1;
  if (shown) {
    record_.RecountRecord();
    tornel::PlaceCursors(cursors_, record_);
    emit CursorsMoved();
  }
  update();
}

int GraphPaintBox::CursorX(int i) const {
  return tornel::CursorColumn(record_, cursors_.Frame(i), PlotRectangle(),
                              tornel::kScreenPlotMargins);
}

int GraphPaintBox::CursorNear(int x) const {
  int best = -1;
  for (int i = 0; i < 2; ++i) {
    const int d = std::abs(CursorX(i) - x);
    if (d <= kCursorGrab && (best < 0 || d < std::abs(CursorX(best) - x))) best = i;
  }
  return best;
}

void GraphPaintBox::DrawCursors(QPainter& painter) const {
  tornel::QtCanvas canvas(painter, font(), false);
  tornel::DrawCursorLines(record_, canvas, PlotRectangle(), tornel::kScreenPlotMargins, cursors_);
}

void GraphPaintBox::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (!cursorsShown_ || (key != Qt::Key_Left && key != Qt::Key_Right)) {
    QWidget::keyPressEvent(event);
    return;
  }
  const tornel::VisibleFrames visible = tornel::VisibleRange(record_);
  int64_t step = 1;
  if (event->modifiers() & Qt::ShiftModifier) step = std::max<int64_t>(1, visible.count / 10);
  cursors_.Step(key == Qt::Key_Left ? -step : step, static_cast<int64_t>(record_.FrameCount));
  update();
  emit CursorsMoved();
}

void GraphPaintBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Invalidate();
}

void GraphPaintBox::Invert(const std::vector<tornel::PlotRect>& strips) {
  if (strips.empty() || picture_.isNull()) return;
  QPainter painter(&picture_);
  painter.setCompositionMode(QPainter::RasterOp_NotDestination);
  for (const tornel::PlotRect& strip : strips) {
    painter.fillRect(ToQRect(strip), Qt::black);
    update(ToQRect(strip));
  }
}

void GraphPaintBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit PopupRequested(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (cursorsShown_) {
    draggedCursor_ = CursorNear(At(event).x);
    if (draggedCursor_ >= 0) {
      cursors_.SetActive(draggedCursor_);
      update();
      return;
    }
  }
  RenderNow();
  clean_ = picture_;
  band_.Press(At(event), InnerRectangle());
}

void GraphPaintBox::mouseMoveEvent(QMouseEvent* event) {
  if (draggedCursor_ >= 0) {
    const int64_t frame = tornel::CursorFrameAtColumn(record_, At(event).x, PlotRectangle(),
                                                      tornel::kScreenPlotMargins);
    if (frame != cursors_.Frame(draggedCursor_)) {
      cursors_.Set(draggedCursor_, frame, static_cast<int64_t>(record_.FrameCount));
      update();
      emit CursorsMoved();
    }
    return;
  }
  if (!band_.BandDragging) return;
  Invert(band_.Move(At(event), InnerRectangle()));
}

void GraphPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  if (draggedCursor_ >= 0 && event->button() == Qt::LeftButton) {
    draggedCursor_ = -1;
    return;
  }
  if (event->button() != Qt::LeftButton || !band_.BandDragging) return;
  Invert(band_.Move(At(event), InnerRectangle()));
  band_.Release();
  bool changed = false;
  {
    BusyScope busy;
    changed = tornel::ApplyZoom(record_, band_, InnerRectangle());
  }
  if (changed) {
    Invalidate();
    emit ZoomChanged();
  } else if (!clean_.isNull()) {
    picture_ = clean_;
    update();
  }
  clean_ = QImage();
}

void GraphPaintBox::contextMenuEvent(QContextMenuEvent* event) {
  // The right button has opened it already.
  if (event->reason() != QContextMenuEvent::Mouse) emit PopupRequested(event->globalPos());
}
