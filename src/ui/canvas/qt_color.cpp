#include "ui/canvas/qt_color.h"

#include "core/plot/display_color.h"

namespace tornel {

QColor ToQColor(Color color) {
  const Color c = DisplayColor(color);
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace tornel
