#pragma once

#include <QLineEdit>
#include <QString>

#include "core/text/number_text.h"

// Numbers in the edits of the program's dialogs: shown in fixed-point with
// the user's decimal separator, read back with the lenient rule ("0,5" and
// "0.5" alike, 0 for text that is no number).
inline QString FixedText(double value, int decimals) {
  return QString::fromStdString(
      tornel::FormatFixed(value, decimals, tornel::SystemDecimalSeparator()));
}

inline double LenientNumber(const QLineEdit* edit) {
  return tornel::StrToFloatLenient(edit->text().toStdString());
}
