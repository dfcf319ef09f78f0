#pragma once

#include <string_view>

namespace tornel {

// How wide a label is in the block's font. Block sizes follow their labels,
// so the model asks whoever draws: the editor measures with its font, the
// command-line tool with a fixed character width.
class TextMeasure {
public:
  virtual ~TextMeasure() = default;
  // Width in pixels of UTF-8 text.
  virtual int TextWidth(std::string_view text) const = 0;
  // Height in pixels of the text "1".
  virtual int TextHeight() const = 0;
};

}  // namespace tornel
