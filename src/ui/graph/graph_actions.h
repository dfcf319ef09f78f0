#pragma once

#include <QList>

class QAction;
class QObject;

// The graph window's action list. Each action's objectName is its name
// ("ASave", "AHanning", ...).
class GraphActions {
public:
  explicit GraphActions(QObject* owner);

  QAction* AGrNast;
  QAction* ASave;
  QAction* ASaveAs;
  QAction* ATable;
  // Off until whoever opens spectrum windows takes it up (the main window).
  QAction* ASpectrum;
  QAction* AAutoScale;
  QAction* AWholeGraph;
  QAction* AHanning;
  QAction* ASrKwad;
  QAction* AVipr;
  QAction* AExpSmooth;
  QAction* ASort;
  QAction* AShowFiltered;
  QAction* ASaveFiltered;
  QAction* APrint;
  QAction* ACopy;
  QAction* AExportImage;
  QAction* ACursors;
  QAction* ACopyCursorValues;
  QAction* AAnalysis;

  // The order of the "Фильтры" menus.
  QList<QAction*> FilterMenuOrder() const;
  QList<QAction*> All() const;
};
