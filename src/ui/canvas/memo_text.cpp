#include "ui/canvas/memo_text.h"

#include <QPainter>
#include <QRect>

#include "ui/canvas/qt_canvas.h"

void WriteMemoText(QPainter& painter, const tornel::PlotRect& area, const QString& text,
                   const QFont& font, Qt::Alignment vertical) {
  if (text.isEmpty() || area.Width() <= 0 || area.Height() <= 0) return;
  const QRect rect(area.Left, area.Top, area.Width(), area.Height());
  painter.save();
  painter.setFont(tornel::QtCanvas::FontForDevice(font, *painter.device()));
  painter.setPen(Qt::black);
  painter.setClipRect(rect);
  painter.drawText(rect, Qt::AlignHCenter | vertical | Qt::TextWordWrap, text);
  painter.restore();
}
