#pragma once

#include <QFont>
#include <QString>

#include "core/plot/canvas.h"

class QPainter;

// A memo's text (base values, caption) on a page or picture as the memo
// shows it: black, centred and word-wrapped from the top of its area, in the
// memo's font at the device's resolution, clipped to the area. A picture,
// whose text areas are as tall as their texts, centres them vertically too.
// Nothing for an empty text or area.
void WriteMemoText(QPainter& painter, const tornel::PlotRect& area, const QString& text,
                   const QFont& font, Qt::Alignment vertical = Qt::AlignTop);
