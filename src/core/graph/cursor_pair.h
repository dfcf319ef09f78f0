#pragma once

#include <cstdint>

#include "core/plot/canvas.h"
#include "core/records/graph_record.h"

namespace tornel {

// The frames a time plot shows: frame first + K is drawn at
// x0 + K * width / count, K = 0 .. count.
struct VisibleFrames {
  int64_t first = 0;
  int64_t count = 0;
  bool Empty() const { return count < 1; }
};

// The visible frames of a record whose FrameCount is current, by the plot's
// own rule; empty when the range or the duration is unusable.
VisibleFrames VisibleRange(const TGraphRecord& record);

// Two measuring cursors, each on a frame of the record. They keep their
// frames through zoom and resize; only placing and moving change them.
class CursorPair {
public:
  int64_t Frame(int i) const { return frames_[i]; }
  int Active() const { return active_; }
  void SetActive(int i) { active_ = i == 1 ? 1 : 0; }

  // At one third and two thirds of the visible range.
  void Place(const VisibleFrames& visible);
  // Moves the active cursor by `frames`, held to 0 .. frameCount - 1.
  void Step(int64_t frames, int64_t frameCount);
  // Puts cursor i on `frame`, held to 0 .. frameCount - 1.
  void Set(int i, int64_t frame, int64_t frameCount);

  // Screen column of a frame inside the inner rectangle [x0, x0 + width].
  static int XOfFrame(int64_t frame, const VisibleFrames& visible, int x0, int width);
  // The frame whose column is nearest to x.
  static int64_t FrameAtX(int x, const VisibleFrames& visible, int x0, int width);

private:
  int64_t frames_[2] = {0, 0};
  int active_ = 0;
};

}  // namespace tornel
