#include "core/device/simulated_bench.h"

namespace tornel {

SimulatedBench::SimulatedBench(TickClock& clock, uint32_t seed)
    : clock_(clock), noise_(seed ? seed : 1), lastTick_(clock.Now()) {}

int16_t SimulatedBench::Read(int16_t channel) {
  if (channel < 0 || channel >= 16) return 0;
  uint32_t now = clock_.Now();
  if (now != lastTick_) Advance(now);
  return static_cast<int16_t>(code_[channel]);
}

void SimulatedBench::Write(int16_t channel, int16_t code) {
  if (channel >= 0 && channel < 2) capCode_[channel] = code;
}

std::string SimulatedBench::Description() const { return "модель стенда"; }

void SimulatedBench::SetStartButton(bool pressed) {
  startPressed_.store(pressed, std::memory_order_relaxed);
}

bool SimulatedBench::StartButton() const { return startPressed_.load(std::memory_order_relaxed); }

void SimulatedBench::SetCapZeroCodes(int16_t loadZero, int16_t referenceZero) {
  capZero_ = {loadZero, referenceZero};
}

void SimulatedBench::Advance(uint32_t now) {
  lastTick_ = now;
  UpdateCodes();
}

void SimulatedBench::UpdateCodes() { code_[15] = StartButton() ? 511 : 0; }

}  // namespace tornel
