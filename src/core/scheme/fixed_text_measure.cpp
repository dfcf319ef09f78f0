#include "core/scheme/fixed_text_measure.h"

namespace tornel {

int FixedTextMeasure::TextWidth(std::string_view text) const {
  int chars = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
  }
  return chars * charWidth_;
}

}  // namespace tornel
