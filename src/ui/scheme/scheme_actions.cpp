#include "ui/scheme/scheme_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>

#include "core/scheme/block_kind.h"
#include "ui/scheme/block_icons.h"

namespace {

QAction* Make(QObject* owner, const char* name, const QString& caption,
              const QKeySequence& key = {}) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QLatin1String(name));
  if (!key.isEmpty()) action->setShortcut(key);
  return action;
}

QAction* Kind(QObject* owner, QActionGroup* group, const char* name, const QString& caption,
              int kind) {
  QAction* action = Make(owner, name, caption);
  action->setToolTip(caption);
  action->setStatusTip(caption);
  action->setCheckable(true);
  action->setData(kind);
  action->setIcon(BlockIcons::Icon(kind));
  group->addAction(action);
  return action;
}

}  // namespace

SchemeActions::SchemeActions(QObject* owner) : Palette(new QActionGroup(owner)) {
  using namespace tornel;
  Palette->setExclusive(true);
  AGenStep = Kind(owner, Palette, "AGenStep", QStringLiteral("Ступенчатое воздействие"), kKindStep);
  AGenLine = Kind(owner, Palette, "AGenLine", QStringLiteral("Линейное воздействие"), kKindLine);
  AGenImp = Kind(owner, Palette, "AGenImp", QStringLiteral("Генератор импульсов"), kKindImp);
  AGenSinT = Kind(owner, Palette, "AGenSinT", QStringLiteral("Sin(wt)"), kKindSinT);
  AGenCosT = Kind(owner, Palette, "AGenCosT", QStringLiteral("Cos(wt)"), kKindCosT);
  AGenMeandr = Kind(owner, Palette, "AGenMeandr", QStringLiteral("Меандр"), kKindMeandr);
  AIntegr = Kind(owner, Palette, "AIntegr", QStringLiteral("Интегратор"), kKindIntegr);
  AAperiod = Kind(owner, Palette, "AAperiod", QStringLiteral("Апериодическое звено"), kKindAperiod);
  APIReg = Kind(owner, Palette, "APIReg", QStringLiteral("ПИ-регулятор"), kKindPIReg);
  AProporc =
      Kind(owner, Palette, "AProporc", QStringLiteral("Пропорциональное звено"), kKindProporc);
  ASumBlk = Kind(owner, Palette, "ASumBlk", QStringLiteral("Сумматор"), kKindSum);
  AMulBlk = Kind(owner, Palette, "AMulBlk", QStringLiteral("Произведение"), kKindMul);
  AGraph = Kind(owner, Palette, "AGraph", QStringLiteral("График"), kKindGraph);
  AACP = Kind(owner, Palette, "AACP", QStringLiteral("АЦП"), kKindAcp);
  ACAP = Kind(owner, Palette, "ACAP", QStringLiteral("ЦАП"), kKindCap);
  AZi = Kind(owner, Palette, "AZi", QStringLiteral("Задатчик интенсивности"), kKindZi);
  AOgr = Kind(owner, Palette, "AOgr", QStringLiteral("Ограничение"), kKindOgr);
  AUnselect = Kind(owner, Palette, "AUnselect", QStringLiteral("Нет блока"), kKindNone);
  ARotate = Make(owner, "ARotate", QStringLiteral("&Повернуть блоки"), QKeySequence("Ctrl+R"));
  ADelete = Make(owner, "ADelete", QStringLiteral("&Удалить блоки"), QKeySequence(Qt::Key_Delete));
  ASave = Make(owner, "ASave", QStringLiteral("&Сохранить"), QKeySequence("Ctrl+S"));
  ASaveAs = Make(owner, "ASaveAs", QStringLiteral("Сохранить &как..."));
  ACalc = Make(owner, "ACalc", QStringLiteral("Расчет"));
  APrintGraph = Make(owner, "APrintGraph", QStringLiteral("Печать графика"));
  AUndo = Make(owner, "AUndo", QStringLiteral("Отменить"), QKeySequence("Ctrl+Z"));
  ARedo = Make(owner, "ARedo", QStringLiteral("Повторить"));
  ARedo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
  for (QAction* action : {ARotate, ADelete}) {
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  }
}

QList<QAction*> SchemeActions::PaletteActions() const {
  return {AUnselect, AGenStep, AGenLine, AGenImp, AGenSinT, AGenCosT, AGenMeandr, AIntegr, AAperiod,
          APIReg,    AProporc, ASumBlk,  AMulBlk, AGraph,   AACP,     ACAP,       AZi,     AOgr};
}

QList<QAction*> SchemeActions::All() const {
  QList<QAction*> all = PaletteActions();
  all << ARotate << ADelete << ASave << ASaveAs << ACalc << APrintGraph << AUndo << ARedo;
  return all;
}

QAction* SchemeActions::ForKind(int kind) const {
  for (QAction* action : PaletteActions()) {
    if (action->data().toInt() == kind) return action;
  }
  return AUnselect;
}
