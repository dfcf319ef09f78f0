#pragma once

#include <cstdint>

namespace tornel {

// A set of channels: bit i of Acp is ADC channel i + 1, bit i of Cap is DAC
// channel i + 1.
struct MaskPair {
  uint16_t Acp = 0;
  uint16_t Cap = 0;

  bool operator==(const MaskPair&) const = default;
  MaskPair operator|(MaskPair other) const {
    return {static_cast<uint16_t>(Acp | other.Acp), static_cast<uint16_t>(Cap | other.Cap)};
  }
  MaskPair operator&(MaskPair other) const {
    return {static_cast<uint16_t>(Acp & other.Acp), static_cast<uint16_t>(Cap & other.Cap)};
  }
  bool Empty() const { return Acp == 0 && Cap == 0; }
  // Word 0 is the ADC word, word 1 the DAC word.
  uint16_t operator[](int word) const { return word == 0 ? Acp : Cap; }
};

}  // namespace tornel
