#include "ui/scheme/scheme_paint_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <algorithm>

#include "core/scheme/line_routing.h"
#include "core/scheme/scheme.h"
#include "ui/scheme/scheme_mouse.h"

namespace {

void DrawLine(QPainter& painter, const tornel::TConnectLine& line) {
  const auto path = tornel::RouteLine(line);
  if (!path) return;
  QPolygon polygon;
  for (const tornel::Point& p : *path) polygon << QPoint(p.x, p.y);
  painter.drawPolyline(polygon);
}

tornel::Point ToPoint(QPoint p) { return {p.x(), p.y()}; }

}  // namespace

SchemePaintBox::SchemePaintBox(const tornel::Scheme& scheme, SchemeMouse& mouse, QWidget* parent)
    : QWidget(parent), scheme_(scheme), mouse_(mouse) {
  setObjectName(QStringLiteral("PB"));
  setMouseTracking(true);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
}

// Room for the dragged line's 3-pixel pen and the pen's rounding.
constexpr int kPenReach = 3;

QRegion SchemePaintBox::LineArea(const tornel::TConnectLine& line) const {
  QRegion area;
  if (!line.Visible) return area;
  const auto path = tornel::RouteLine(line);
  if (!path) return area;
  // Segment by segment: the box around a long line would take in every
  // block it passes.
  for (std::size_t i = 1; i < path->size(); ++i) {
    const tornel::Point a = (*path)[i - 1], b = (*path)[i];
    area += QRect(QPoint(std::min(a.x, b.x), std::min(a.y, b.y)),
                  QPoint(std::max(a.x, b.x), std::max(a.y, b.y)))
                .adjusted(-kPenReach, -kPenReach, kPenReach, kPenReach);
  }
  return area;
}

QRegion SchemePaintBox::BandArea() const {
  QRegion area;
  if (!mouse_.BandActive()) return area;
  const tornel::PlotRect band = mouse_.Band();
  const QRect r = QRect(QPoint(band.Left, band.Top), QPoint(band.Right, band.Bottom)).normalized();
  // Its four edges only: the band is an outline.
  area += QRect(r.left() - 1, r.top() - 1, r.width() + 2, 3);
  area += QRect(r.left() - 1, r.bottom() - 1, r.width() + 2, 3);
  area += QRect(r.left() - 1, r.top() - 1, 3, r.height() + 2);
  area += QRect(r.right() - 1, r.top() - 1, 3, r.height() + 2);
  return area;
}

void SchemePaintBox::Sync() {
  QRegion dirty;
  QHash<const tornel::TConnectLine*, QRegion> areas;
  const tornel::TConnectLine* dragged = scheme_.DragLine();
  for (const auto& line : scheme_.Lines()) {
    const tornel::TConnectLine* key = line.get();
    const QRegion area = LineArea(*line);
    const auto old = lineAreas_.constFind(key);
    // A line that stops or starts being dragged changes its pen.
    const bool penChanged = (key == dragged) != (key == dragged_);
    if (old == lineAreas_.cend()) {
      dirty += area;
    } else if (*old != area || penChanged) {
      dirty += *old;
      dirty += area;
    }
    areas.insert(key, area);
  }
  for (auto it = lineAreas_.cbegin(); it != lineAreas_.cend(); ++it) {
    if (!areas.contains(it.key())) dirty += it.value();
  }
  lineAreas_ = std::move(areas);
  dragged_ = dragged;
  const QRegion band = BandArea();
  if (band != bandArea_) {
    dirty += bandArea_;
    dirty += band;
    bandArea_ = band;
  }
  if (!dirty.isEmpty()) update(dirty);
}

void SchemePaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.fillRect(event->rect(), Qt::white);
  painter.setPen(QPen(Qt::black, 1));
  const tornel::TConnectLine* dragged = scheme_.DragLine();
  for (const auto& line : scheme_.Lines()) {
    if (line.get() != dragged && line->Visible) DrawLine(painter, *line);
  }
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  if (dragged != nullptr) {
    painter.setPen(QPen(Qt::white, 3));
    DrawLine(painter, *dragged);
  }
  if (mouse_.BandActive()) {
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    const tornel::PlotRect band = mouse_.Band();
    painter.drawRect(
        QRect(QPoint(band.Left, band.Top), QPoint(band.Right, band.Bottom)).normalized());
  }
}

void SchemePaintBox::mousePressEvent(QMouseEvent* event) {
  mouse_.Press(ToPoint(event->position().toPoint()), event->button(),
               event->modifiers().testFlag(Qt::ShiftModifier));
  FollowCursor(event->position().toPoint());
}

void SchemePaintBox::mouseMoveEvent(QMouseEvent* event) {
  mouse_.Move(ToPoint(event->position().toPoint()));
  FollowCursor(event->position().toPoint());
}

void SchemePaintBox::mouseReleaseEvent(QMouseEvent* event) {
  mouse_.Release(ToPoint(event->position().toPoint()), event->button());
  FollowCursor(event->position().toPoint());
}

void SchemePaintBox::FollowCursor(QPoint at) { setCursor(mouse_.CursorAt(ToPoint(at))); }
