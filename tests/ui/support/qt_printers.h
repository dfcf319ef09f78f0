#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable Qt values in test failure messages.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
  return os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QString& s, std::ostream* os) { *os << s; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << "{";
  for (const QString& s : list) *os << s << ", ";
  *os << "}";
}
inline void PrintTo(const QRect& r, std::ostream* os) {
  *os << "QRect(" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")";
}
