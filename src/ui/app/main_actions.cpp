#include "ui/app/main_actions.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>

// The icons are compiled into the UI library, which is static: its resource
// initialiser has to be called by name.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace {

QAction* Make(QObject* owner, const char* name, const QString& caption, const QString& hint = {},
              const char* icon = nullptr) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QLatin1String(name));
  if (!hint.isEmpty()) {
    action->setToolTip(hint);
    action->setStatusTip(hint);
  }
  if (icon != nullptr) action->setIcon(QIcon(QStringLiteral(":/icons/") + QLatin1String(icon)));
  return action;
}

}  // namespace

MainActions::MainActions(QObject* owner)
    : resources_((InitIconResources(), true)),
      APerehHar(Make(owner, "APerehHar", QStringLiteral("&Переходная характеристика"),
                     QStringLiteral("Переходная характеристика"), "transient.svg")),
      AStaticHar(Make(owner, "AStaticHar", QStringLiteral("С&татическая характеристика"),
                      QStringLiteral("Статическая характеристика"), "static.svg")),
      AStructFrm(Make(owner, "AStructFrm", QStringLiteral("&Новая схема"),
                      QStringLiteral("Новая схема"), "scheme.svg")),
      FileOpen(Make(owner, "FileOpen", QStringLiteral("&Открыть"), QStringLiteral("Открыть файл"),
                    "open.svg")),
      FileClose(Make(owner, "FileClose", QStringLiteral("&Закрыть"), QStringLiteral("Закрыть файл"),
                     "close.svg")),
      FileExit(Make(owner, "FileExit", QStringLiteral("В&ыход"))),
      APageSetup(Make(owner, "APageSetup", QStringLiteral("Параметры страницы..."))),
      APrintSetup(Make(owner, "APrintSetup", QStringLiteral("Настройка принтера"))),
      ANastrACP(Make(owner, "ANastrACP", QStringLiteral("Настройка &АЦП"))),
      ANastrCAP(Make(owner, "ANastrCAP", QStringLiteral("Настройка &ЦАП"))),
      ACalibrZero(Make(owner, "ACalibrZero", QStringLiteral("Калибровка уровня нуля АЦП"))),
      AResetZero(Make(owner, "AResetZero", QStringLiteral("Сброс уровня нуля АЦП"))),
      AParams(Make(owner, "AParams", QStringLiteral("&Параметры"))),
      WindowCascade(Make(owner, "WindowCascade", QStringLiteral("&Каскад"))),
      WindowTileHorizontal(
          Make(owner, "WindowTileHorizontal", QStringLiteral("Рядом (&Горизонтально)"))),
      WindowTileVertical(Make(owner, "WindowTileVertical", QStringLiteral("Рядом (&Вертикально)"))),
      WindowMinimizeAll(Make(owner, "WindowMinimizeAll", QStringLiteral("&Минимизировать все"))),
      WindowArrangeAll(Make(owner, "WindowArrangeAll", QStringLiteral("&Упорядочить все"))),
      HelpAbout(Make(owner, "HelpAbout", QStringLiteral("&О программе..."), {}, "about.svg")) {
  FileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
}

QList<QAction*> MainActions::All() const {
  return {
      APerehHar,          AStaticHar,        AStructFrm,       FileOpen,      FileClose,
      FileExit,           APageSetup,        APrintSetup,      ANastrACP,     ANastrCAP,
      ACalibrZero,        AResetZero,        AParams,          WindowCascade, WindowTileHorizontal,
      WindowTileVertical, WindowMinimizeAll, WindowArrangeAll, HelpAbout};
}
