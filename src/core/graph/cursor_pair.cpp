#include "core/graph/cursor_pair.h"

#include <algorithm>
#include <cmath>

namespace tornel {
namespace {

constexpr double kFrameLimit = 9.0e15;

int64_t Clamp(int64_t frame, int64_t frameCount) {
  if (frameCount < 1) return 0;
  return std::clamp<int64_t>(frame, 0, frameCount - 1);
}

}  // namespace

VisibleFrames VisibleRange(const TGraphRecord& record) {
  const double duration = record.Duration;
  if (!(duration > 0)) return {};
  const double frames = record.FrameCount;
  const double first = std::floor(frames * record.TMin / duration);
  const double last = std::floor(frames * record.TMax / duration) - 1;
  if (!std::isfinite(first) || !std::isfinite(last) || std::fabs(first) > kFrameLimit ||
      std::fabs(last) > kFrameLimit) {
    return {};
  }
  VisibleFrames v{static_cast<int64_t>(first), static_cast<int64_t>(last - first)};
  return v.count < 1 ? VisibleFrames{} : v;
}

void CursorPair::Place(const VisibleFrames& visible) {
  // Rounded to the nearest frame: n = 3 puts them on frames 1 and 2.
  frames_[0] = visible.first + (visible.count + 1) / 3;
  frames_[1] = visible.first + (2 * visible.count + 1) / 3;
  active_ = 0;
}

void CursorPair::Step(int64_t frames, int64_t frameCount) {
  Set(active_, frames_[active_] + frames, frameCount);
}

void CursorPair::Set(int i, int64_t frame, int64_t frameCount) {
  frames_[i == 1 ? 1 : 0] = Clamp(frame, frameCount);
}

int CursorPair::XOfFrame(int64_t frame, const VisibleFrames& visible, int x0, int width) {
  if (visible.Empty()) return x0;
  const double k = static_cast<double>(frame - visible.first);
  const double x = x0 + std::trunc(k * width / static_cast<double>(visible.count));
  return static_cast<int>(std::clamp(x, -1.0e6, 1.0e6));
}

int64_t CursorPair::FrameAtX(int x, const VisibleFrames& visible, int x0, int width) {
  if (visible.Empty() || width <= 0) return visible.first;
  const double k = std::round(static_cast<double>(x - x0) * static_cast<double>(visible.count) /
                              static_cast<double>(width));
  return visible.first +
         static_cast<int64_t>(std::clamp(k, 0.0, static_cast<double>(visible.count)));
}

}  // namespace tornel
