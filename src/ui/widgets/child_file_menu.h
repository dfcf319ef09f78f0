#pragma once

#include <QList>

class QAction;
class QMenu;
class QWidget;
struct MainCommands;

// "&Файл" of a child window that stands in for the main window's: the main
// window's experiment, open and close, page setup and printer commands (those
// the host has), the child's own `save` entries after open and close, its
// `output` entries (printing, export) after the printer's, and exit.
QMenu* MakeChildFileMenu(QWidget* parent, const char* name, const MainCommands& main,
                         const QList<QAction*>& save, const QList<QAction*>& output);
