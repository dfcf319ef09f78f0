#pragma once

#include <QFile>
#include <QString>
#include <string>

// File names cross the Qt boundary here and nowhere else, so that a path
// with Cyrillic letters opens in every dialog: the core takes the bytes the
// operating system uses for the name.
inline std::string FilePath(const QString& path) { return QFile::encodeName(path).toStdString(); }
