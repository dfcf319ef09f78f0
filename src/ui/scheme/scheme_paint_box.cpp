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

QRect SchemePaintBox::LineArea(const tornel::TConnectLine& line) const {
  if (!line.Visible) return {};
  const auto path = tornel::RouteLine(line);
  if (!path) return {};
  int left = path->front().x, right = left, top = path->front().y, bottom = top;
  for (const tornel::Point& p : *path) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  // Room for the dragged line's 3-pixel pen and the pen's rounding.
  constexpr int kPen = 3;
  return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-kPen, -kPen, kPen, kPen);
}

QRect SchemePaintBox::BandArea() const {
  if (!mouse_.BandActive()) return {};
  const tornel::PlotRect band = mouse_.Band();
  return QRect(QPoint(band.Left, band.Top), QPoint(band.Right, band.Bottom))
      .normalized()
      .adjusted(-1, -1, 1, 1);
}

void SchemePaintBox::Sync() {
  QRegion dirty;
  QHash<const tornel::TConnectLine*, QRect> areas;
  const tornel::TConnectLine* dragged = scheme_.DragLine();
  for (const auto& line : scheme_.Lines()) {
    const tornel::TConnectLine* key = line.get();
    const QRect area = LineArea(*line);
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
  const QRect band = BandArea();
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
