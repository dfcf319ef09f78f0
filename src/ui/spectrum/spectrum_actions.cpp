#include "ui/spectrum/spectrum_actions.h"

#include <QAction>
#include <QActionGroup>

namespace {

QAction* Make(QObject* owner, const char* name, const QString& caption) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QLatin1String(name));
  return action;
}

}  // namespace

SpectrumActions::SpectrumActions(QObject* owner)
    : ALinearScale(Make(owner, "ALinearScale", QStringLiteral("Линейная шкала"))),
      ALogScale(Make(owner, "ALogScale", QStringLiteral("Логарифмическая шкала"))),
      AWholeSpectrum(Make(owner, "AWholeSpectrum", QStringLiteral("Весь спектр"))),
      ACopy(Make(owner, "ACopy", QStringLiteral("Скопировать в буфер"))),
      ACopyTable(Make(owner, "ACopyTable", QStringLiteral("Скопировать таблицу гармоник"))),
      AExportImage(Make(owner, "AExportImage", QStringLiteral("Экспорт изображения..."))),
      APrint(Make(owner, "APrint", QStringLiteral("Печать..."))),
      scale_(new QActionGroup(owner)) {
  for (QAction* a : {ALinearScale, ALogScale}) {
    a->setCheckable(true);
    scale_->addAction(a);
  }
  ALinearScale->setChecked(true);
}

QList<QAction*> SpectrumActions::MenuOrder() const {
  return {ALinearScale, ALogScale, nullptr,    AWholeSpectrum,
          nullptr,      ACopy,     ACopyTable, AExportImage};
}
