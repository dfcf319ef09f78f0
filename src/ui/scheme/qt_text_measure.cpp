#include "ui/scheme/qt_text_measure.h"

#include <QString>

int QtTextMeasure::TextWidth(std::string_view text) const {
  return metrics_.horizontalAdvance(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int QtTextMeasure::TextHeight() const { return metrics_.height(); }
