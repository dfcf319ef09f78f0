#include "core/device/asmcode.h"

#include <algorithm>

namespace tornel {

int16_t ClampCapCode(int code) {
  return static_cast<int16_t>(std::clamp<int>(code, kCapMinCode, kCapMaxCode));
}

bool StendStartSignal(Device& device) {
  int sum = 0;
  for (int i = 0; i < 10; ++i) sum += device.Read(kStendStartChannel);
  return sum / 10 > 500;
}

}  // namespace tornel
