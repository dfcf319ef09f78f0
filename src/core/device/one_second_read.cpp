#include "core/device/one_second_read.h"

#include <cmath>
#include <limits>

#include "core/config/scan_priority.h"
#include "core/device/asmcode.h"

namespace tornel {
namespace {

// A code worked out in long double, as the nearest int16: the negated or
// squared extremes (-32768) lie one past the range.
int16_t ToCode(long double value) {
  value = std::trunc(value);
  if (value > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  if (value < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
  return static_cast<int16_t>(value);
}

// Calls add(read) for one second of `clock`, at least once; the read count.
template <typename Add>
long double ForOneSecond(Device& device, TickClock& clock, int16_t channel, Add add) {
  long double count = 0;
  uint32_t t0 = clock.Now();
  do {
    add(AcpRead(device, channel));
    count += 1;
  } while (TicksSince(t0, clock.Now()) < kOneSecondMs);
  return count;
}

}  // namespace

int16_t ReadMeanCode(Device& device, TickClock& clock, int16_t channel, int16_t offset, bool rms) {
  long double sum = 0;
  long double count = ForOneSecond(device, clock, channel, [&](int16_t raw) {
    auto v = static_cast<int16_t>(raw + offset);  // the 16-bit sum wraps
    sum += rms ? static_cast<long double>(v) * v : v;
  });
  return ToCode(rms ? std::sqrt(sum / count) : sum / count);
}

int16_t ReadZeroCode(Device& device, TickClock& clock, int16_t channel) {
  long double sum = 0;
  long double count = ForOneSecond(device, clock, channel, [&](int16_t raw) { sum += raw; });
  return ToCode(-sum / count);
}

int16_t MeasureMeanCode(const MeasurementSetup& setup, int16_t channel, int16_t offset, bool rms) {
  ScanPriorityGuard priorities(setup.table, setup.priority);
  return ReadMeanCode(setup.device, setup.clock, channel, offset, rms);
}

int16_t MeasureZeroCode(const MeasurementSetup& setup, int16_t channel) {
  ScanPriorityGuard priorities(setup.table, setup.priority);
  return ReadZeroCode(setup.device, setup.clock, channel);
}

}  // namespace tornel
