#pragma once

#include <cstdint>

#include "core/device/tick_clock.h"

namespace tornel::testing {

// A tick counter the test drives. With auto-advance, every `everyCalls`-th
// call of Now() moves the time on by `ms` after returning, so loops that wait
// for a number of milliseconds end without real waiting.
class FakeTickClock final : public TickClock {
public:
  explicit FakeTickClock(uint32_t start = 0) : now_(start) {}

  uint32_t Now() override;

  void Set(uint32_t now) { now_ = now; }
  void Advance(uint32_t ms) { now_ += ms; }
  // ms 0 or everyCalls 0 turns it off.
  void SetAutoAdvance(uint32_t ms, uint32_t everyCalls = 1);

  // The time as it stands, without counting as a call.
  uint32_t Peek() const { return now_; }
  uint64_t Calls() const { return calls_; }

private:
  uint32_t now_;
  uint32_t autoMs_ = 0;
  uint32_t autoEvery_ = 0;
  uint64_t calls_ = 0;
};

}  // namespace tornel::testing
