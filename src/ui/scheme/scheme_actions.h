#pragma once

#include <QList>

class QAction;
class QActionGroup;
class QObject;

// The scheme window's actions: one per block kind of the palette (checkable,
// exclusive, carrying its kind code as data), "Нет блока", and the editing,
// file and calculation commands.
struct SchemeActions {
  explicit SchemeActions(QObject* owner);

  QAction* AGenStep;
  QAction* AGenLine;
  QAction* AGenImp;
  QAction* AGenSinT;
  QAction* AGenCosT;
  QAction* AGenMeandr;
  QAction* AIntegr;
  QAction* AAperiod;
  QAction* APIReg;
  QAction* AProporc;
  QAction* ASumBlk;
  QAction* AMulBlk;
  QAction* AGraph;
  QAction* AACP;
  QAction* ACAP;
  QAction* AZi;
  QAction* AOgr;
  QAction* AUnselect;
  QAction* ARotate;
  QAction* ADelete;
  QAction* ASave;
  QAction* ASaveAs;
  QAction* ACalc;
  QAction* APrintGraph;
  QAction* AUndo;
  QAction* ARedo;
  QActionGroup* Palette;

  // Every palette action, AUnselect first.
  QList<QAction*> PaletteActions() const;
  QList<QAction*> All() const;
  // The palette action of a kind code (AUnselect for 0).
  QAction* ForKind(int kind) const;
};
