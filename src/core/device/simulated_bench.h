#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>

#include "core/device/device.h"
#include "core/device/tick_clock.h"

namespace tornel {

// A real-time model of the drive bench, so that the whole program can be used
// without hardware. DAC 2 ("U") is the speed reference, DAC 1 ("M") the load
// torque; the ADC inputs read what the default channel table names them, in
// codes of a 10-bit device (511 = the default Base). The physics advances at
// most once per tick of `clock`; reads are served from that state plus seeded
// noise, so the same seed and the same clock sequence give the same samples.
class SimulatedBench final : public Device {
public:
  explicit SimulatedBench(TickClock& clock, uint32_t seed = 1);

  int16_t Read(int16_t channel) override;
  void Write(int16_t channel, int16_t code) override;
  std::string Description() const override;

  // "Кнопка стенда": ADC 16 reads high while pressed. May be called from the
  // GUI thread while the scan thread reads.
  void SetStartButton(bool pressed);
  bool StartButton() const;

  // The DAC codes that mean zero reference and zero load (511 unless the DAC
  // settings moved them).
  void SetCapZeroCodes(int16_t loadZero, int16_t referenceZero);

  // How long one conversion takes in real time, as on a real card; 0 (the
  // default) answers at once. The program sets a card-like time so that a
  // recording has a card's sample rate, not millions of identical scans.
  void SetConversionTime(std::chrono::nanoseconds time);

private:
  void Advance(uint32_t now);
  int Noise();
  void Convert();

  TickClock& clock_;
  uint32_t noise_;
  uint32_t lastTick_;
  std::atomic<bool> startPressed_{false};
  std::chrono::nanoseconds conversion_{0};
  std::chrono::steady_clock::time_point ready_{};
  std::array<int16_t, 2> capCode_{511, 511};
  std::array<int16_t, 2> capZero_{511, 511};
  double speed_ = 0.0;  // rad/s
  double phase_ = 0.0;  // rad, of the supply voltage
  // What each input reads before noise, its zero error included, in 1/256
  // of a code.
  std::array<int, 16> code_{};
};

}  // namespace tornel
