#include "ui/scheme/block_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <QString>

#include "core/scheme/block.h"
#include "ui/canvas/qt_color.h"
#include "ui/scheme/block_icons.h"
#include "ui/scheme/graph_block_picture.h"

using tornel::TBlock;

namespace {

const QColor kFrame(Qt::red);
const QColor kPort(Qt::blue);
constexpr int kGraphTitle = 19;

// A filled rectangle whose outline covers (x1, y1) up to but not including
// (x2, y2), the way the block geometry counts.
void Rectangle(QPainter& painter, int x1, int y1, int x2, int y2) {
  painter.drawRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

void Body(QPainter& painter, int x1, int y1, int x2, int y2) {
  painter.setPen(kFrame);
  painter.setBrush(Qt::white);
  Rectangle(painter, x1, y1, x2, y2);
}

void Invert(QPainter& painter, int x1, int y1, int x2, int y2) {
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), Qt::white);
  painter.restore();
}

void Ports(QPainter& painter, const TBlock& block) {
  painter.setPen(kPort);
  painter.setBrush(kPort);
  for (int i = 0; i < block.InCount; ++i) {
    DrawPort(painter, block.InPort[i].x, block.InPort[i].y, block.Rotated, block.InConnected[i]);
  }
  for (int k = 0; k < block.OutCount; ++k) {
    DrawPort(painter, block.OutPort[k].x, block.OutPort[k].y, block.Rotated, block.OutConnected[k]);
  }
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Text centred on x, its top or its bottom at y.
void TextTop(QPainter& painter, const QString& text, int x, int y) {
  QFontMetrics m(painter.font());
  painter.drawText(x - m.horizontalAdvance(text) / 2, y + m.ascent(), text);
}

void TextBottom(QPainter& painter, const QString& text, int x, int y) {
  QFontMetrics m(painter.font());
  painter.drawText(x - m.horizontalAdvance(text) / 2, y - m.descent(), text);
}

}  // namespace

void DrawPort(QPainter& painter, int x, int y, bool rotated, bool filled) {
  QPolygon arrow;
  if (!rotated) {
    arrow << QPoint(x - 5, y - 5) << QPoint(x, y) << QPoint(x - 5, y + 5);
  } else {
    arrow << QPoint(x, y - 5) << QPoint(x - 5, y) << QPoint(x, y + 5);
  }
  painter.save();
  if (!filled) painter.setBrush(Qt::NoBrush);
  painter.drawPolygon(arrow);
  painter.restore();
}

void BlockPainter::Paint(QPainter& painter, TBlock& block, QSize shown,
                         GraphBlockPicture* plot) const {
  painter.setFont(font_);
  switch (block.Kind) {
    case tornel::kKindStep:
    case tornel::kKindLine:
    case tornel::kKindMeandr:
    case tornel::kKindImp:
    case tornel::kKindSinT:
    case tornel::kKindCosT:
      PaintGenerator(painter, block);
      break;
    case tornel::kKindSum:
      PaintSum(painter, block);
      break;
    case tornel::kKindMul:
      PaintMul(painter, block);
      break;
    case tornel::kKindZi:
    case tornel::kKindOgr:
      PaintStatic(painter, block);
      break;
    case tornel::kKindAcp:
    case tornel::kKindCap:
      PaintDevice(painter, block);
      break;
    case tornel::kKindGraph:
      PaintGraph(painter, block, shown, plot);
      break;
    default:
      PaintDynamic(painter, block);
      break;
  }
}

void BlockPainter::PaintDynamic(QPainter& painter, const TBlock& block) const {
  const int w = block.Width, h = block.Height;
  Body(painter, 7, 0, w - 7, h);
  Ports(painter, block);
  painter.setPen(Qt::black);
  if (!block.LabelLine[1].empty()) {
    TextBottom(painter, Text(block.LabelLine[0]), w / 2, h / 2);
    TextTop(painter, Text(block.LabelLine[1]), w / 2, h / 2);
    painter.drawLine(12, h / 2, w - 12, h / 2);
  } else {
    TextTop(painter, Text(block.LabelLine[0]), w / 2, (h - QFontMetrics(font_).height()) / 2);
  }
  if (block.Selected) Invert(painter, 7, 0, w - 7, h);
}

void BlockPainter::PaintGenerator(QPainter& painter, const TBlock& block) const {
  const int w = block.Width, h = block.Height;
  Body(painter, 0, 0, w - 7, h);
  Ports(painter, block);
  painter.setPen(Qt::black);
  QFontMetrics m(font_);
  painter.drawText(5, h / 2 - m.descent(), Text(block.LabelLine[0]));
  painter.drawText(5, h / 2 + m.ascent(), Text(block.LabelLine[1]));
  const int a = (h - 30) / 2;
  painter.drawPixmap(w - 37 - a, a, BlockIcons::Pixmap(block.Kind));
  if (block.Selected) Invert(painter, 0, 0, w - 7, h);
}

void BlockPainter::PaintSum(QPainter& painter, const TBlock& block) const {
  const int w = block.Width, h = block.Height;
  Body(painter, 7, 0, w - 7, h);
  painter.setPen(kPort);
  // The signs sit in the input strip, mirrored with the block.
  auto x = [&](int v) { return block.Rotated ? w - v : v; };
  painter.drawLine(x(0), 4, x(6), 4);
  painter.drawLine(x(3), 1, x(3), 8);
  painter.drawLine(x(0), h - 5, x(6), h - 5);
  if (block.Option) painter.drawLine(x(3), h - 8, x(3), h - 1);
  painter.setPen(kFrame);
  painter.setBrush(Qt::white);
  painter.drawEllipse(QRect(QPoint(8, 1), QPoint(w - 9, h - 2)));
  painter.setPen(Qt::black);
  const QPolygon sigma{QPoint(w - 17, 8), QPoint(17, 8), QPoint(w / 2, h / 2), QPoint(17, h - 8),
                       QPoint(w - 17, h - 8)};
  painter.drawPolyline(sigma);
  if (block.Selected) Invert(painter, 7, 0, w - 7, h);
  Ports(painter, block);
}

void BlockPainter::PaintMul(QPainter& painter, const TBlock& block) const {
  const int w = block.Width, h = block.Height;
  Body(painter, 7, 0, w - 7, h);
  painter.setPen(Qt::black);
  painter.drawLine(w / 3, h / 3, 2 * w / 3, 2 * h / 3);
  painter.drawLine(2 * w / 3, h / 3, w / 3, 2 * h / 3);
  if (block.Selected) Invert(painter, 7, 0, w - 7, h);
  Ports(painter, block);
}

void BlockPainter::PaintStatic(QPainter& painter, const TBlock& block) const {
  const int w = block.Width, h = block.Height;
  Body(painter, 7, 0, w - 7, h);
  Ports(painter, block);
  painter.drawPixmap((w - 30) / 2, (h - 30) / 2, BlockIcons::Pixmap(block.Kind));
  if (block.Selected) Invert(painter, 7, 0, w - 7, h);
}

void BlockPainter::PaintDevice(QPainter& painter, const TBlock& block) const {
  const int w = block.Width, h = block.Height;
  const bool acp = block.Kind == tornel::kKindAcp;
  const int left = acp ? 0 : 7;
  const int right = acp ? w - 7 : w;
  Body(painter, left, 0, right, h);
  Ports(painter, block);
  painter.setPen(Qt::black);
  const int top = (h - QFontMetrics(font_).height()) / 2;
  TextTop(painter, Text(block.LabelLine[0]), acp ? w / 2 - 7 : w / 2 + 7, top);
  if (block.Selected) Invert(painter, left, 0, right, h);
}

void BlockPainter::PaintGraph(QPainter& painter, TBlock& block, QSize shown,
                              GraphBlockPicture* plot) const {
  const int w = shown.width(), h = shown.height();
  Body(painter, 7, 0, w, h);
  const QColor caption = QPalette().color(QPalette::Active, QPalette::Highlight);
  painter.setPen(caption);
  painter.setBrush(caption);
  Rectangle(painter, 7, 0, w, kGraphTitle);
  painter.fillRect(QRect(QPoint(9, 2), QPoint(w - 20, 16)), caption);
  painter.setPen(Qt::black);
  painter.setBrush(QPalette().color(QPalette::Button));
  Rectangle(painter, w - 17, 2, w - 2, 17);
  painter.setPen(Qt::red);
  painter.setBrush(Qt::red);
  if (block.Maximised) {
    Rectangle(painter, w - 12, 7, w - 7, 12);
  } else {
    Rectangle(painter, w - 15, 4, w - 4, 15);
  }
  for (int k = 0; k < block.InCount; ++k) {
    const QColor color = block.Record ? tornel::ToQColor(block.Record->ChanColor[k]) : kPort;
    painter.setPen(color);
    painter.setBrush(color);
    DrawPort(painter, block.InPort[k].x, block.InPort[k].y, block.Rotated, block.InConnected[k]);
  }
  if (block.Record && plot != nullptr && w > 7 && h > kGraphTitle) {
    plot->Paint(painter, *block.Record, QPoint(7, kGraphTitle), QSize(w - 7, h - kGraphTitle),
                font_);
  }
  if (block.Selected) Invert(painter, 8, 20, w - 1, h - 1);
}
