#include "ui/scheme/scheme_paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

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

void SchemePaintBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
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
