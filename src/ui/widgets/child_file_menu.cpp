#include "ui/widgets/child_file_menu.h"

#include <QMenu>
#include <initializer_list>

#include "ui/widgets/window_host.h"

QMenu* MakeChildFileMenu(QWidget* parent, const char* name, const MainCommands& main,
                         const QList<QAction*>& save, const QList<QAction*>& output) {
  auto addMain = [](QMenu* menu, std::initializer_list<QAction*> actions) {
    for (QAction* action : actions) {
      if (action != nullptr) menu->addAction(action);
    }
  };
  auto* menu = new QMenu(QStringLiteral("&Файл"), parent);
  menu->setObjectName(QLatin1String(name));
  addMain(menu, {main.APerehHar, main.AStaticHar, main.AStructFrm});
  menu->addSeparator();
  addMain(menu, {main.FileOpen, main.FileClose});
  menu->addSeparator();
  if (!save.isEmpty()) {
    menu->addActions(save);
    menu->addSeparator();
  }
  addMain(menu, {main.APageSetup, main.APrintSetup});
  menu->addActions(output);
  menu->addSeparator();
  addMain(menu, {main.FileExit});
  return menu;
}
