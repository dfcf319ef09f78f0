#pragma once

#include <QList>

class QMenu;

// An MDI child window that brings menus of its own into the main window's
// menu bar while it is the active child. Implement it on the widget handed
// to WindowHost::AddChild (the graph window brings "&Файл" with its own save
// and print entries, "Фильтры" and "График").
//
// The rule, applied whenever the active child changes:
// - a child menu whose title is exactly that of a main-window menu ("&Файл",
//   "&Настройка", "&Окно", "&?") takes that menu's place;
// - every other child menu joins the bar before "&Окно", in the child's order;
// - when no child (or one without menus) is active, the main window's own
//   menus come back.
// The child owns its menus and may change their entries at any time; the
// main window only shows them. A replacing menu that should still offer a
// main-window command adds the host's action (WindowHost::Commands).
class ChildMenuProvider {
public:
  virtual ~ChildMenuProvider() = default;
  virtual QList<QMenu*> ChildMenus() const = 0;
};
