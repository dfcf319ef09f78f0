#pragma once

#include <QFont>
#include <QFontMetrics>

#include "core/scheme/text_measure.h"

// Block labels measured in the font the blocks are drawn with.
class QtTextMeasure final : public tornel::TextMeasure {
public:
  explicit QtTextMeasure(const QFont& font) : metrics_(font) {}

  int TextWidth(std::string_view text) const override;
  int TextHeight() const override;

private:
  QFontMetrics metrics_;
};
