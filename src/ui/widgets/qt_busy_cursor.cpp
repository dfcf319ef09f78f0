#include "ui/widgets/qt_busy_cursor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QThread>

namespace {

bool InGuiThread() {
  return QCoreApplication::instance() != nullptr &&
         QThread::currentThread() == QCoreApplication::instance()->thread();
}

}  // namespace

void QtBusyCursor::Show() {
  if (!InGuiThread()) return;
  QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  ++shown_;
}

void QtBusyCursor::Restore() {
  // Never pops a cursor that someone else pushed.
  if (!InGuiThread() || shown_ == 0) return;
  QGuiApplication::restoreOverrideCursor();
  --shown_;
}
