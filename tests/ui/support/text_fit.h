#pragma once

#include <QStringList>

class QWidget;

namespace tornel::testing {

// Every text of `window` that is wider or taller than the room its widget
// gives it: labels, buttons, group box titles, tabs (a tab behind the scroll
// arrows counts), header sections and the cells of table views. Widgets the
// user cannot see are left out; every page of a tab widget is looked at.
// Each entry names the window, the widget and the text.
QStringList ClippedTexts(QWidget* window);

}  // namespace tornel::testing
