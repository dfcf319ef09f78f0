#include "fake_tick_clock.h"

namespace tornel::testing {

uint32_t FakeTickClock::Now() {
  uint32_t now = now_;
  ++calls_;
  if (autoMs_ != 0 && autoEvery_ != 0 && calls_ % autoEvery_ == 0) now_ += autoMs_;
  return now;
}

void FakeTickClock::SetAutoAdvance(uint32_t ms, uint32_t everyCalls) {
  autoMs_ = ms;
  autoEvery_ = everyCalls;
}

}  // namespace tornel::testing
