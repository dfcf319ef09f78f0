#include "core/graph/moving_rms_filter.h"

#include <algorithm>
#include <cmath>

namespace tornel {

MovingRmsFilter::MovingRmsFilter(std::vector<int> columns, int64_t windowFrames)
    : columns_(std::move(columns)),
      n_(std::max<int64_t>(windowFrames, 1)),
      sums_(columns_.size()),
      level_(columns_.size()),
      previous_(columns_.size()) {}

void MovingRmsFilter::Sum(std::span<const int16_t> data, std::size_t width, std::size_t count) {
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    uint64_t sum = sums_[i];
    const int16_t* value = data.data() + columns_[i];
    for (std::size_t f = 0; f < count; ++f, value += width) {
      const int64_t x = *value;
      sum += static_cast<uint64_t>(x * x);
    }
    sums_[i] = sum;
  }
}

void MovingRmsFilter::Levels(int64_t k) {
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    level_[i] =
        static_cast<int64_t>(std::sqrt(static_cast<double>(sums_[i] / static_cast<uint64_t>(k))));
  }
}

void MovingRmsFilter::Envelope(std::span<int16_t> data, std::size_t width, std::size_t count,
                               int64_t firstInBlock) {
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const int64_t r = level_[i];
    const int64_t p = previous_[i];
    const double slope = static_cast<double>(r - p) / static_cast<double>(n_);
    int16_t* value = data.data() + columns_[i];
    for (std::size_t f = 0; f < count; ++f, value += width) {
      const int64_t j = firstInBlock + static_cast<int64_t>(f);
      // The conversion truncates toward zero.
      *value = SaturateToCode(firstBlock_ ? static_cast<double>(r)
                                          : static_cast<double>(p) + (j + 1) * slope);
    }
  }
}

void MovingRmsFilter::EndBlock() {
  previous_ = level_;
  firstBlock_ = false;
  std::fill(sums_.begin(), sums_.end(), 0);
}

FilterOutcome MovingRmsFilter::Run(FilterStream& stream, FilterProgress* progress,
                                   const std::string& caption) {
  const int64_t frames = stream.Frames();
  const std::size_t width = stream.Width();
  if (progress)
    progress->Begin(caption, static_cast<int>(std::min<int64_t>(frames / n_, INT32_MAX)));
  const int64_t room = static_cast<int64_t>(stream.BufferFrames());
  auto step = [&] { return progress == nullptr || progress->Step(); };
  std::fill(sums_.begin(), sums_.end(), 0);
  if (n_ <= room) {
    // Whole blocks per buffer: read and write once.
    const int64_t chunk = room / n_ * n_;
    for (int64_t start = 0; start < frames; start += chunk) {
      const std::size_t count = stream.Read(start, static_cast<std::size_t>(chunk));
      std::span<int16_t> data = stream.Buffer();
      for (std::size_t at = 0; at < count; at += static_cast<std::size_t>(n_)) {
        const std::size_t k = std::min(static_cast<std::size_t>(n_), count - at);
        std::span<int16_t> block = data.subspan(at * width, k * width);
        Sum(block, width, k);
        Levels(static_cast<int64_t>(k));
        Envelope(block, width, k, 0);
        EndBlock();
        if (!step()) return FilterOutcome::Cancelled;
      }
      stream.Write(count);
    }
  } else {
    // A block larger than the buffer: its sums first, then its envelope.
    for (int64_t start = 0; start < frames; start += n_) {
      const int64_t k = std::min(n_, frames - start);
      for (int64_t at = 0; at < k; at += room) {
        const std::size_t count =
            stream.Read(start + at, static_cast<std::size_t>(std::min(room, k - at)));
        Sum(stream.Buffer(), width, count);
      }
      Levels(k);
      for (int64_t at = 0; at < k; at += room) {
        const std::size_t count =
            stream.Read(start + at, static_cast<std::size_t>(std::min(room, k - at)));
        Envelope(stream.Buffer(), width, count, at);
        stream.Write(count);
      }
      EndBlock();
      if (!step()) return FilterOutcome::Cancelled;
    }
  }
  stream.Commit();
  return FilterOutcome::Done;
}

}  // namespace tornel
