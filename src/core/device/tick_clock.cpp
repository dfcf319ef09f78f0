#include "core/device/tick_clock.h"

#include <chrono>

namespace tornel {

uint32_t MonotonicTickClock::Now() {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<uint32_t>(ms.count());
}

}  // namespace tornel
