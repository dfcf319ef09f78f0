#pragma once

#include <QSize>
#include <QString>

class QWidget;

// The save dialog of data files: default extension "dta", filter
// "Файл данных". Empty when cancelled.
QString AskDataFileName(QWidget* parent, const QString& startPath);

// The save dialog of "Экспорт изображения...": PNG, SVG or PDF; a name typed
// without an extension takes that of the chosen filter. Its "Размер" list
// offers `size` (the window's, chosen at first) and a few common sizes; the
// choice comes back in `size`. Empty when cancelled.
QString AskImageFileName(QWidget* parent, const QString& startPath, QSize& size);
