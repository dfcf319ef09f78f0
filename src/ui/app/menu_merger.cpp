#include "ui/app/menu_merger.h"

#include <QMenu>
#include <QMenuBar>
#include <algorithm>

MenuMerger::MenuMerger(QMenuBar* bar, QList<QMenu*> mainMenus, QMenu* windowMenu)
    : bar_(bar), mainMenus_(std::move(mainMenus)), windowMenu_(windowMenu) {
  Restore();
}

void MenuMerger::Merge(const QList<QMenu*>& childMenus) {
  QList<QMenu*> joining;
  QList<QMenu*> result = mainMenus_;
  for (QMenu* menu : childMenus) {
    if (menu == nullptr) continue;
    auto same = std::find_if(mainMenus_.begin(), mainMenus_.end(),
                             [&](QMenu* m) { return m->title() == menu->title(); });
    if (same != mainMenus_.end()) {
      result[static_cast<int>(same - mainMenus_.begin())] = menu;
    } else {
      joining.append(menu);
    }
  }
  int at = static_cast<int>(result.indexOf(windowMenu_));
  if (at < 0) at = static_cast<int>(result.size());
  for (QMenu* menu : joining) result.insert(at++, menu);

  // Menus of a child that has gone are already out of the bar.
  for (const QPointer<QMenu>& old : shown_) {
    if (old) bar_->removeAction(old->menuAction());
  }
  shown_.clear();
  for (QMenu* menu : result) {
    bar_->addAction(menu->menuAction());
    shown_.append(menu);
  }
}

QList<QMenu*> MenuMerger::Shown() const {
  QList<QMenu*> menus;
  for (const QPointer<QMenu>& m : shown_) {
    if (m) menus.append(m);
  }
  return menus;
}
