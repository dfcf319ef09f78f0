#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/graph/filter_progress.h"
#include "core/graph/filter_stream.h"

namespace tornel {

// The moving root mean square as a piecewise-linear envelope: consecutive
// blocks of N frames from frame 0 each get r = trunc(sqrt(sum x^2 / k))
// over their k frames; the first block holds r throughout, every later one
// ramps from the previous block's r to its own, reaching it at its last
// frame (a short last block stops part way). A block longer than the
// stream's buffer is read twice, so memory stays the same for any N.
class MovingRmsFilter {
public:
  MovingRmsFilter(std::vector<int> columns, int64_t windowFrames);

  // The progress bar has trunc(frames / N) steps, one per block.
  FilterOutcome Run(FilterStream& stream, FilterProgress* progress, const std::string& caption);

private:
  void Sum(std::span<const int16_t> data, std::size_t width, std::size_t count);
  void Levels(int64_t k);
  void Envelope(std::span<int16_t> data, std::size_t width, std::size_t count,
                int64_t firstInBlock);
  void EndBlock();

  std::vector<int> columns_;
  int64_t n_;
  std::vector<uint64_t> sums_;
  std::vector<int64_t> level_;     // r of this block per column
  std::vector<int64_t> previous_;  // r of the previous block per column
  bool firstBlock_ = true;
};

}  // namespace tornel
