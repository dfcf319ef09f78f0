#pragma once

#include <QAction>
#include <QString>

// An action of a window's action list, its objectName the action's name
// ("ASave"), so that tests and menus find it by that name.
inline QAction* MakeNamedAction(QObject* owner, const char* name, const QString& caption) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QLatin1String(name));
  return action;
}
