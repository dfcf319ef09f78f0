#pragma once

#include <QList>
#include <QObject>

class QAction;

// The main window's action list: every top-level command, shared by the menu
// and the tool bar. Each action's objectName is its name in the system
// ("APerehHar", "FileOpen", ...), so tests and child windows find it with
// findChild. The actions only carry captions, hints, short-cuts and icons;
// the main window connects them.
class MainActions {
public:
  explicit MainActions(QObject* owner);

private:
  bool resources_;  // the icons are loaded before the first action is made

public:
  QAction* APerehHar;
  QAction* AStaticHar;
  QAction* AStructFrm;
  QAction* FileOpen;
  QAction* FileClose;
  QAction* FileExit;
  QAction* APageSetup;
  QAction* APrintSetup;
  QAction* ANastrACP;
  QAction* ANastrCAP;
  QAction* ACalibrZero;
  QAction* AResetZero;
  QAction* AParams;
  QAction* WindowCascade;
  QAction* WindowTileHorizontal;
  QAction* WindowTileVertical;
  QAction* WindowMinimizeAll;
  QAction* WindowArrangeAll;
  QAction* HelpAbout;

  QList<QAction*> All() const;
};
