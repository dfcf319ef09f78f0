#pragma once

#include "core/scheme/text_measure.h"

namespace tornel {

// Every character the same width: for runs without a display and for tests.
class FixedTextMeasure final : public TextMeasure {
public:
  explicit FixedTextMeasure(int charWidth = 7, int textHeight = 13)
      : charWidth_(charWidth), textHeight_(textHeight) {}

  // charWidth times the number of UTF-8 characters.
  int TextWidth(std::string_view text) const override;
  int TextHeight() const override { return textHeight_; }

private:
  int charWidth_;
  int textHeight_;
};

}  // namespace tornel
