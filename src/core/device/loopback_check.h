#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/device/device.h"
#include "core/device/tick_clock.h"

namespace tornel {

// The DAC codes a loopback check steps through: the middle of the range and
// two levels either side, clear of the ends where a mismatched input range
// would clip.
inline constexpr std::array<int16_t, 5> kLoopbackLevels = {128, 320, 512, 704, 896};
// After each step: wait for the output to settle, then average this many reads.
inline constexpr uint32_t kLoopbackSettleMs = 20;
inline constexpr int kLoopbackReads = 100;
// A card passes when the readings lie this close to their straight line (in
// ADC codes, about half a percent of the full range) and rise with the DAC.
inline constexpr double kLoopbackTolerance = 5.0;
inline constexpr double kLoopbackMinSlope = 0.5;

struct LoopbackPoint {
  int16_t dacCode = 0;
  double reading = 0.0;    // mean raw ADC code
  double deviation = 0.0;  // reading minus the fitted line
};

struct LoopbackResult {
  std::array<LoopbackPoint, kLoopbackLevels.size()> points{};
  // The least-squares line reading = slope * dacCode + intercept.
  double slope = 0.0;
  double intercept = 0.0;
  double maxDeviation = 0.0;  // largest |deviation|
  bool Passed() const { return slope >= kLoopbackMinSlope && maxDeviation <= kLoopbackTolerance; }
};

// With DAC `dac` wired to ADC `adc`: outputs each of kLoopbackLevels through
// the checked operations, so a failing card throws DeviceError, and averages
// the ADC's raw readings after each. The DAC is left at `zeroCode` however
// the check ends.
LoopbackResult RunLoopbackCheck(Device& device, TickClock& clock, int16_t dac, int16_t adc,
                                int16_t zeroCode);

// The readings, the line, the largest deviation and the verdict, in Russian;
// channels 1-based as the user wired them.
std::string DescribeLoopbackCheck(const LoopbackResult& result, int16_t dac, int16_t adc);

}  // namespace tornel
