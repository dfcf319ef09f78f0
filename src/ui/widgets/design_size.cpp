#include "ui/widgets/design_size.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QWidget>
#include <algorithm>

namespace {

// An icon and up to three buttons on the frames of the common window managers.
constexpr int kFrameRoom = 100;

}  // namespace

int WholeTitleWidth(const QString& title) {
  if (title.isEmpty()) return 0;
  const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
  return metrics.horizontalAdvance(title) + kFrameRoom;
}

QSize DesignSize(const QWidget* window, QSize design) {
  QSize size = design.expandedTo(window->minimumSizeHint());
  size.setWidth(std::max(size.width(), WholeTitleWidth(window->windowTitle())));
  if (window->layout() != nullptr && window->layout()->hasHeightForWidth()) {
    size.setHeight(std::max(size.height(), window->heightForWidth(size.width())));
  }
  return size;
}
