#include "ui/graph/graph_actions.h"

#include <QAction>
#include <QKeySequence>

namespace {

QAction* Make(QObject* owner, const char* name, const QString& caption) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QLatin1String(name));
  return action;
}

}  // namespace

GraphActions::GraphActions(QObject* owner)
    : AGrNast(Make(owner, "AGrNast", QStringLiteral("Настройка"))),
      ASave(Make(owner, "ASave", QStringLiteral("&Сохранить"))),
      ASaveAs(Make(owner, "ASaveAs", QStringLiteral("Сохранить  &как..."))),
      ATable(Make(owner, "ATable", QStringLiteral("Таблица"))),
      ASpectrum(Make(owner, "ASpectrum", QStringLiteral("Спектр..."))),
      AAutoScale(Make(owner, "AAutoScale", QStringLiteral("Автомасштаб"))),
      AWholeGraph(Make(owner, "AWholeGraph", QStringLiteral("Весь график"))),
      AHanning(Make(owner, "AHanning", QStringLiteral("Фильтр Хеннинга"))),
      ASrKwad(Make(owner, "ASrKwad", QStringLiteral("Среднее квадратичное"))),
      AVipr(Make(owner, "AVipr", QStringLiteral("Модуль сигнала"))),
      AExpSmooth(Make(owner, "AExpSmooth", QStringLiteral("Экспон. сглаживание"))),
      ASort(Make(owner, "ASort", QStringLiteral("Сортировка"))),
      AShowFiltered(Make(owner, "AShowFiltered", QStringLiteral("Отфильтрованные данные"))),
      ASaveFiltered(
          Make(owner, "ASaveFiltered", QStringLiteral("Сохранить отфильтрованные данные"))),
      APrint(Make(owner, "APrint", QStringLiteral("Печать..."))),
      ACopy(Make(owner, "ACopy", QStringLiteral("Скопировать в буфер"))),
      AExportImage(Make(owner, "AExportImage", QStringLiteral("Экспорт изображения..."))),
      ACursors(Make(owner, "ACursors", QStringLiteral("Курсоры"))),
      ACopyCursorValues(Make(owner, "ACopyCursorValues", QStringLiteral("Скопировать значения"))),
      AAnalysis(Make(owner, "AAnalysis", QStringLiteral("Анализ переходного процесса"))) {
  ACursors->setCheckable(true);
  ACursors->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
  ACursors->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  ACopyCursorValues->setEnabled(false);
  ASpectrum->setEnabled(false);
  ASave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  ASave->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  AShowFiltered->setCheckable(true);
}

QList<QAction*> GraphActions::FilterMenuOrder() const {
  return {AHanning, AExpSmooth, ASrKwad, AVipr, ASort, AShowFiltered, ASaveFiltered};
}

QList<QAction*> GraphActions::All() const {
  return {AGrNast,           ASave,         ASaveAs, ATable, ASpectrum,    AAutoScale,
          AWholeGraph,       AHanning,      ASrKwad, AVipr,  AExpSmooth,   ASort,
          AShowFiltered,     ASaveFiltered, APrint,  ACopy,  AExportImage, ACursors,
          ACopyCursorValues, AAnalysis};
}
