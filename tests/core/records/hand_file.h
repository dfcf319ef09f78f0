#pragma once

#include <string>

#include "tests/core/records/dta_bytes.h"

namespace tornel::testing {

inline const std::string kSignature = "Quendaris v1.3 file ";
// The samples of the hand-made file: frames (511, -511, 100) and (0, 1, -1).
inline const std::string kSamples("\xFF\x01\x01\xFE\x64\x00\x00\x00\x01\x00\xFF\xFF", 12);

struct Layout {
  std::size_t masks = 0;    // offset of AcpMask
  std::size_t divX = 0;     // offset of DivX
  std::size_t samples = 0;  // offset of the first sample
};

// A complete data file, byte by byte: ADC 1, ADC 2 and DAC 1 recorded.
inline DtaBytes HandFile(Layout* layout = nullptr, const std::string& name0 = "Ica") {
  DtaBytes b;
  b.Raw(kSignature);
  for (int slot = 0; slot < 32; ++slot) {
    if (slot == 0) {
      b.Counted(name0).Counted("A");
    } else if (slot == 1) {
      b.Counted("\xD2\xEE\xEA").Counted("\xEA\xC2\xF2");  // "Ток", "кВт"
    } else if (slot < 16) {
      b.Counted("K" + std::to_string(slot + 1)).Counted("");
    } else {
      b.Counted("").Counted("");
    }
  }
  b.I32(2).Counted("first").Counted("\xC2\xF2\xEE\xF0\xEE\xE9");  // "Второй"
  b.F64(0.25).F64(45000).U8(0).F64(2.0);
  if (layout) layout->masks = b.Size();
  b.U16(0b11).U16(0b1).U16(0b111).U16(0b10);
  b.I32(1).I32(2).I32(0);
  for (int k = 1; k < 8; ++k) b.I32(0).I32(0).I32(0);
  for (int s = 0; s < 32; ++s) b.F64(s + 1);
  for (int s = 0; s < 32; ++s) b.F64(0.5 * (s + 1));
  if (layout) layout->divX = b.Size();
  b.I32(4).I32(8);
  b.F64(0.5).F64(1.5).F64(2).F64(-1).F64(3).F64(-3);
  b.I32(0).U8(0);
  if (layout) layout->samples = b.Size();
  b.Raw(kSamples);
  return b;
}

}  // namespace tornel::testing
