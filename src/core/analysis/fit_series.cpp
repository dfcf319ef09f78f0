#include "core/analysis/fit_series.h"

#include <algorithm>

#include "core/analysis/channel_stream.h"

namespace tornel {

std::vector<FitPoint> DecimatedSeries(const TransientSource& source, const AnalysisChannel& channel,
                                      int64_t first, int64_t fineEnd, int64_t pointsPerPart) {
  const int64_t frames = source.Frames;
  first = std::clamp<int64_t>(first, 0, frames);
  fineEnd = std::clamp(fineEnd, first, frames);
  auto blockOf = [pointsPerPart](int64_t length) {
    return std::max<int64_t>(1, (length + pointsPerPart - 1) / pointsPerPart);
  };
  const int64_t fineBlock = blockOf(fineEnd - first);
  const int64_t coarseBlock = blockOf(frames - fineEnd);

  std::vector<FitPoint> points;
  double sum = 0;
  int64_t inBlock = 0, blockStart = first;
  auto close = [&](int64_t last) {
    const double mid = 0.5 * static_cast<double>(blockStart + last);
    points.push_back({mid * source.Duration / static_cast<double>(source.Frames),
                      sum / static_cast<double>(inBlock) * channel.Scale});
    sum = 0;
    inBlock = 0;
    blockStart = last + 1;
  };
  StreamChannel(source, channel, first, [&](int64_t frame, double value) {
    sum += value;
    ++inBlock;
    // A block ends at its size or where the fine part ends.
    if (inBlock == (frame < fineEnd ? fineBlock : coarseBlock) || frame + 1 == fineEnd) {
      close(frame);
    }
  });
  // A file shorter than the record ends in a block of what there is.
  if (inBlock > 0) close(blockStart + inBlock - 1);
  return points;
}

}  // namespace tornel
