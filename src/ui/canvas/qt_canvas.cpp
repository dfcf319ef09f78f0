#include "ui/canvas/qt_canvas.h"

#include <QPaintDevice>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>

#include "ui/canvas/qt_color.h"

namespace tornel {
namespace {

constexpr qreal kReferenceDpi = 96.0;

bool IsPrinterDevice(const QPaintDevice* device) {
  return device && device->devType() == QInternal::Printer;
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, const QFont& font, std::optional<bool> printer)
    : painter_(painter),
      printer_(printer.value_or(IsPrinterDevice(painter.device()))),
      scale_(DeviceScale(*painter.device())),
      metrics_(FontForDevice(font, *painter.device()), painter.device()),
      hadClip_(painter.hasClipping()),
      initialClip_(painter.hasClipping() ? painter.clipRegion() : QRegion()) {
  painter_.save();
  painter_.setFont(FontForDevice(font, *painter.device()));
  pen_ = Pen{};
  ApplyPen();
}

QtCanvas::QtCanvas(QPainter& painter) : QtCanvas(painter, painter.font()) {}

QtCanvas::~QtCanvas() { painter_.restore(); }

qreal QtCanvas::DeviceScale(const QPaintDevice& device) {
  return std::max<qreal>(1.0, device.logicalDpiX() / kReferenceDpi);
}

QFont QtCanvas::FontForDevice(const QFont& font, const QPaintDevice& device) {
  QFont out = font;
  const qreal pixels = font.pointSizeF() > 0
                           ? font.pointSizeF() * device.logicalDpiY() / 72.0
                           : font.pixelSize() * device.logicalDpiY() / kReferenceDpi;
  out.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  return out;
}

void QtCanvas::SetPen(const Pen& pen) {
  if (pen == pen_) return;
  pen_ = pen;
  ApplyPen();
}

void QtCanvas::ApplyPen() {
  const bool invert = pen_.mode == PenMode::Invert;
  // Inverting is exclusive-or with white; only raster devices can do it.
  qpen_ = QPen(invert ? QColor(Qt::white) : ToQColor(pen_.color), std::max(1, pen_.width) * scale_,
               pen_.style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap,
               Qt::RoundJoin);
  painter_.setPen(qpen_);
  painter_.setCompositionMode(invert ? QPainter::RasterOp_SourceXorDestination
                                     : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::Line(int x0, int y0, int x1, int y1) { painter_.drawLine(x0, y0, x1, y1); }

void QtCanvas::Polyline(std::span<const Point> points) {
  points_.resize(points.size());
  std::transform(points.begin(), points.end(), points_.begin(),
                 [](const Point& p) { return QPoint(p.x, p.y); });
  painter_.drawPolyline(points_.data(), static_cast<int>(points_.size()));
}

void QtCanvas::TextOut(int x, int y, std::string_view text, Color color) {
  painter_.setPen(ToQColor(color));
  painter_.drawText(QPoint(x, y + metrics_.ascent()), Text(text));
  painter_.setPen(qpen_);
}

TextSize QtCanvas::TextExtent(std::string_view text) {
  return {metrics_.horizontalAdvance(Text(text)), metrics_.height()};
}

void QtCanvas::SetClipRect(const PlotRect& rect) {
  const QRect r(rect.Left, rect.Top, rect.Width(), rect.Height());
  if (hadClip_) {
    painter_.setClipRegion(initialClip_.intersected(r));
  } else {
    painter_.setClipRect(r);
  }
}

void QtCanvas::ClearClip() {
  if (hadClip_) {
    painter_.setClipRegion(initialClip_);
  } else {
    painter_.setClipping(false);
  }
}

}  // namespace tornel
