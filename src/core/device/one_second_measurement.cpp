#include "core/device/one_second_measurement.h"

#include <algorithm>
#include <cmath>

#include "core/device/asmcode.h"

namespace tornel {

std::array<int16_t, 16> MeasureOneSecond(Device& device, TickClock& clock,
                                         const MeasurementRequest& request) {
  std::array<int16_t, 16> channels{};
  std::array<bool, 16> rms{};
  std::array<int16_t, 16> zero{};
  int used = 0;
  for (int ch = 0; ch < 16; ++ch) {
    if (!(request.Channels & (1u << ch))) continue;
    channels[used] = static_cast<int16_t>(ch);
    rms[used] = (request.RmsMask & (1u << ch)) != 0;
    zero[used] = request.Zero[ch];
    ++used;
  }
  std::array<long double, 16> sums{};
  long double count = 0;
  uint32_t start = clock.Now();
  do {
    for (int i = 0; i < used; ++i) {
      auto v = static_cast<int16_t>(static_cast<uint16_t>(AcpRead(device, channels[i])) +
                                    static_cast<uint16_t>(zero[i]));
      sums[i] += rms[i] ? static_cast<int32_t>(v) * v : v;
    }
    count += 1;
  } while (TicksSince(start, clock.Now()) < kMeasurementMs);

  std::array<int16_t, 16> result{};
  for (int i = 0; i < used; ++i) {
    long double mean = sums[i] / count;
    long double value = std::trunc(rms[i] ? std::sqrt(mean) : mean);
    // Every read at -32768 has a root mean square one past int16.
    result[channels[i]] = static_cast<int16_t>(std::clamp<long double>(value, -32768, 32767));
  }
  return result;
}

}  // namespace tornel
