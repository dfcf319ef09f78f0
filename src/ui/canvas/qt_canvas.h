#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QPoint>
#include <QRegion>
#include <optional>
#include <vector>

#include "core/plot/canvas.h"

class QPainter;
class QPaintDevice;

namespace tornel {

// The plot engine's canvas over a QPainter: a widget, a QImage, a QPrinter,
// a QSvgGenerator or a QPdfWriter. Device units are the device's pixels.
//
// High-resolution devices: the font is set in device pixels for the same
// physical size as on a 96 dpi screen, and pen widths grow in proportion,
// so a 1-unit pen on a 1200 dpi printer is 12.5 dots (about 0.26 mm) wide
// instead of a hairline.
class QtCanvas final : public Canvas {
public:
  // The painter must be active. Its font becomes FontForDevice(font) for the
  // canvas's lifetime;
  // printer (everything black) is by default whether the device is a QPrinter.
  QtCanvas(QPainter& painter, const QFont& font, std::optional<bool> printer = std::nullopt);
  explicit QtCanvas(QPainter& painter);
  // Gives the painter back its pen, font, clip and composition mode.
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  Pen GetPen() const override { return pen_; }
  void SetPen(const Pen& pen) override;
  void Line(int x0, int y0, int x1, int y1) override;
  void Polyline(std::span<const Point> points) override;
  void TextOut(int x, int y, std::string_view text, Color color) override;
  TextSize TextExtent(std::string_view text) override;
  void SetClipRect(const PlotRect& rect) override;
  void ClearClip() override;
  bool IsPrinter() const override { return printer_; }

  // The font with a pixel size for the device: points are converted at the
  // device's logical DPI, a pixel size is taken as 96 dpi pixels.
  static QFont FontForDevice(const QFont& font, const QPaintDevice& device);
  // Device units per 96 dpi pixel, never below 1.
  static qreal DeviceScale(const QPaintDevice& device);

private:
  void ApplyPen();

  QPainter& painter_;
  bool printer_ = false;
  qreal scale_ = 1;
  QFontMetrics metrics_;
  Pen pen_;
  QPen qpen_;
  bool hadClip_ = false;
  QRegion initialClip_;
  std::vector<QPoint> points_;
};

}  // namespace tornel
