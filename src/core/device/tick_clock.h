#pragma once

#include <cstdint>

namespace tornel {

// The millisecond tick counter. It wraps after about 49 days, so elapsed time
// is always `now - start` in uint32_t arithmetic.
class TickClock {
public:
  virtual ~TickClock() = default;
  virtual uint32_t Now() = 0;
};

// Milliseconds of the system's monotonic clock.
class MonotonicTickClock final : public TickClock {
public:
  uint32_t Now() override;
};

inline uint32_t TicksSince(uint32_t start, uint32_t now) { return now - start; }

}  // namespace tornel
