#include "ui/widgets/input_discarder.h"

#include <QCoreApplication>
#include <QEvent>

InputDiscarder::InputDiscarder() { QCoreApplication::instance()->installEventFilter(this); }

InputDiscarder::~InputDiscarder() { QCoreApplication::instance()->removeEventFilter(this); }

bool InputDiscarder::IsUserInput(const QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    // The window manager's close: a window must not go away under the work.
    case QEvent::Close:
      return event.spontaneous();
    default:
      return false;
  }
}

bool InputDiscarder::eventFilter(QObject* watched, QEvent* event) {
  if (IsUserInput(*event)) {
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}
