#pragma once

#include <cstdint>

namespace tornel {

// The static window's live sweep: time runs left to right across 30 s and
// starts again at the left edge, cleared; a code of 0 lies on the middle
// line, +511 at the top, -511 at the bottom.
class SweepTrace {
public:
  static constexpr uint32_t kSweepMs = 30000;

  explicit SweepTrace(uint32_t now = 0) : start_(now) {}

  void Restart(uint32_t now) { start_ = now; }
  // True (and the sweep restarted) once more than 30 s have passed; the
  // tick difference is unsigned, so a wrap of the counter does no harm.
  bool WrapIfDue(uint32_t now);
  // Column of `now` in a display `width` pixels wide.
  int X(uint32_t now, int width) const;
  // Row of `code` in a display `height` pixels high.
  static int Y(int code, int height);

private:
  uint32_t start_;
};

}  // namespace tornel
