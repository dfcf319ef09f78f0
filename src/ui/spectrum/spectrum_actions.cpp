#include "ui/spectrum/spectrum_actions.h"

#include <QAction>
#include <QActionGroup>

#include "ui/widgets/named_action.h"

SpectrumActions::SpectrumActions(QObject* owner)
    : ALinearScale(MakeNamedAction(owner, "ALinearScale", QStringLiteral("Линейная шкала"))),
      ALogScale(MakeNamedAction(owner, "ALogScale", QStringLiteral("Логарифмическая шкала"))),
      AWholeSpectrum(MakeNamedAction(owner, "AWholeSpectrum", QStringLiteral("Весь спектр"))),
      ACopy(MakeNamedAction(owner, "ACopy", QStringLiteral("Скопировать в буфер"))),
      ACopyTable(
          MakeNamedAction(owner, "ACopyTable", QStringLiteral("Скопировать таблицу гармоник"))),
      AExportImage(
          MakeNamedAction(owner, "AExportImage", QStringLiteral("Экспорт изображения..."))),
      APrint(MakeNamedAction(owner, "APrint", QStringLiteral("Печать..."))),
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
