#include "core/device/comedi_scaling.h"

#include <algorithm>

namespace tornel {

int16_t ComediSampleToCode(uint32_t sample, uint32_t maxdata) {
  uint64_t steps = uint64_t{maxdata} + 1;
  uint64_t s = std::min(sample, maxdata);
  // Floor of s * 1024 / steps keeps every bin the same width.
  return static_cast<int16_t>(static_cast<int64_t>(s * 1024 / steps) - 512);
}

uint32_t ComediCodeToSample(int16_t code, uint32_t maxdata) {
  uint64_t c = static_cast<uint64_t>(std::clamp<int>(code, 0, 1023));
  return static_cast<uint32_t>((c * maxdata + 511) / 1023);
}

}  // namespace tornel
