#pragma once

#include <QSize>
#include <QString>

class QWidget;

// Forms were laid out for a smaller font than the application's; the design
// size is where a window starts, grown to what its contents need: the
// minimum size hint, the height wrapped labels need at the width the window
// really gets (which that hint does not know), and the width its title needs.
QSize DesignSize(const QWidget* window, QSize design);

// The width a window needs for its frame to show `title` whole beside the
// frame's icon and buttons.
int WholeTitleWidth(const QString& title);
