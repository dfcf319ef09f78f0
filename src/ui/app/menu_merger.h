#pragma once

#include <QList>
#include <QPointer>

class QMenu;
class QMenuBar;

// Puts the main window's menus and the active child's menus into the menu bar
// by the rule of ChildMenuProvider.
class MenuMerger {
public:
  // `windowMenu` is one of `mainMenus`; joining child menus go before it.
  MenuMerger(QMenuBar* bar, QList<QMenu*> mainMenus, QMenu* windowMenu);

  void Merge(const QList<QMenu*>& childMenus);
  void Restore() { Merge({}); }
  // The menus in the bar, left to right.
  QList<QMenu*> Shown() const;

private:
  QMenuBar* bar_;
  QList<QMenu*> mainMenus_;
  QMenu* windowMenu_;
  QList<QPointer<QMenu>> shown_;
};
