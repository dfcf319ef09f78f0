#include "ui/graph/graph_legend_box.h"

#include <QImage>
#include <QPainter>
#include <cmath>

#include "core/plot/plot_legend.h"
#include "core/records/graph_record.h"
#include "ui/canvas/qt_canvas.h"

GraphLegendBox::GraphLegendBox(tornel::TGraphRecord& record, QWidget* parent)
    : QWidget(parent), record_(record) {
  setObjectName(QStringLiteral("LegendPaintBox"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphLegendBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  tornel::QtCanvas canvas(painter, font(), false);
  tornel::DrawLegend(record_, canvas, 0, 0);
}

int GraphLegendBox::NeededWidth() const {
  // Measured on an image with the screen's resolution, as the box paints.
  constexpr double kInchesPerMeter = 39.37;
  QImage image(1, 1, QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() * kInchesPerMeter)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() * kInchesPerMeter)));
  QPainter painter(&image);
  tornel::QtCanvas canvas(painter, font(), false);
  return tornel::LegendExtent(record_, canvas).cx;
}
