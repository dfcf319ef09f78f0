#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/plot/canvas.h"
#include "core/records/sample_file_reader.h"
#include "core/records/sample_summary.h"

namespace tornel {

// How time curves are drawn: frame by frame, per pixel column, or (Auto)
// per column once there are more than kEnvelopeFramesPerColumn frames to a
// column of the inner rectangle.
enum class TimeCurveMode : uint8_t { Auto, Exact, Envelope };
inline constexpr int64_t kEnvelopeFramesPerColumn = 2;

// Where frames and values land: frame i0 + K is at x = x0 + trunc(K * W / n)
// and a value v of a curve with factor f at y = trunc(yc - (v * f - ycv) * yScale).
struct TimeAxis {
  int64_t i0 = 0;
  int64_t n = 1;
  int x0 = 0;
  int W = 0;
  double yc = 0, ycv = 0, yScale = 0;
};

struct TimeCurve {
  int pos = 0;  // recorded position
  double factor = 0;
  Pen pen;
};

// Time curves of a long range drawn per pixel column: the column's first
// frame, the span from the minimum to the maximum of its frames, and its
// last frame, so that every column shows exactly what the frame-by-frame
// polyline would cover and joins its neighbours the same way. Whole blocks
// come from the summary, coarsest level first; the frames that straddle a
// block boundary, and everything when there is no summary, are read from
// the file. Columns go out in batches, one polyline per curve per batch,
// each starting at the previous batch's last point.
template <typename Sample>
class EnvelopePass {
public:
  static constexpr int64_t kBatchColumns = 250;

  EnvelopePass(SampleFileReader<Sample>& reader, const SampleSummary<Sample>* summary,
               const TimeAxis& axis);

  // Draws frames i0 + kFirst ... i0 + kLast.
  void Draw(Canvas& canvas, std::span<const TimeCurve> curves, int64_t kFirst, int64_t kLast);

  // The first K whose column trunc(K * W / n) is at least column.
  int64_t ColumnStart(int64_t column) const;

private:
  int64_t ColumnOf(int64_t K) const;
  // Frames [frame, frame + count) in memory, count <= window capacity;
  // null when the file does not give them.
  const Sample* Frames(int64_t frame, int64_t count);
  // Widens mins_/maxs_ by the frames [a, b).
  bool Cover(int64_t a, int64_t b, int level);
  bool CoverRaw(int64_t a, int64_t b);
  int TopLevelFor(int64_t frames) const;

  SampleFileReader<Sample>& reader_;
  const SampleSummary<Sample>* summary_;
  TimeAxis axis_;
  double xStep_ = 0;
  int64_t total_ = 0;
  std::size_t stride_ = 0;
  std::vector<int> positions_;
  std::vector<Sample> mins_, maxs_;
  // A window of frames read from the file, refilled on a miss.
  std::vector<Sample> window_;
  int64_t windowFirst_ = 0, windowFrames_ = 0, readAhead_ = 0, capacity_ = 0;
};

extern template class EnvelopePass<int16_t>;
extern template class EnvelopePass<double>;

}  // namespace tornel
