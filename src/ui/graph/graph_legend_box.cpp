#include "ui/graph/graph_legend_box.h"

#include <QPainter>

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
