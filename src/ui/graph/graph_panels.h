#pragma once

#include <Qt>

class QFrame;
class QSplitter;
class QWidget;

// The graph window's building blocks, for windows laid out like it (the
// spectrum's): 2-pixel splitters whose panels keep at least 10 pixels.
inline constexpr int kPanelSplitterWidth = 2;
inline constexpr int kMinPanelSize = 10;

// A panel named `name` around `content`, sunken when bordered.
QFrame* MakePanel(const char* name, QWidget* content, bool bordered = false);

// A splitter of two panels whose second one keeps its size when the window
// is resized; `total` is the length both share at first.
QSplitter* MakeSplitter(const char* name, Qt::Orientation orientation, QWidget* first,
                        QWidget* second, int secondSize, int total);

// Where the splitter's handle lies in `window`: x for a horizontal
// splitter, y for a vertical one.
int SplitterAt(const QSplitter* splitter, const QWidget* window);
