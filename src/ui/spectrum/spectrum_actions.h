#pragma once

#include <QList>

class QAction;
class QActionGroup;
class QObject;

// The "Спектр" window's action list; each action's objectName is its name.
class SpectrumActions {
public:
  explicit SpectrumActions(QObject* owner);

  QAction* ALinearScale;  // checked: amplitudes; else their logarithms
  QAction* ALogScale;
  QAction* AWholeSpectrum;
  QAction* ACopy;
  QAction* ACopyTable;
  QAction* AExportImage;
  QAction* APrint;

  // The entries of the "Спектр" menu and of the plot's popup, nullptr for a
  // separator.
  QList<QAction*> MenuOrder() const;

private:
  QActionGroup* scale_;
};
