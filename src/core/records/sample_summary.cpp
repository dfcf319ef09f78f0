#include "core/records/sample_summary.h"

#include <algorithm>
#include <array>

#include "core/records/sample_file_reader.h"

namespace tornel {
namespace {

// Minimum and maximum of kLanes neighbouring channels over one block of
// frames. The fixed width lets the compiler keep the lanes in vector
// registers, which makes building about as fast as reading the file.
template <typename Sample, std::size_t kLanes>
void BlockLanes(const Sample* frame, std::size_t stride, int64_t frames, Sample* mn, Sample* mx) {
  std::array<Sample, kLanes> lo, hi;
  for (std::size_t l = 0; l < kLanes; ++l) lo[l] = hi[l] = frame[l];
  for (int64_t f = 1; f < frames; ++f) {
    frame += stride;
    for (std::size_t l = 0; l < kLanes; ++l) {
      lo[l] = frame[l] < lo[l] ? frame[l] : lo[l];
      hi[l] = frame[l] > hi[l] ? frame[l] : hi[l];
    }
  }
  std::copy(lo.begin(), lo.end(), mn);
  std::copy(hi.begin(), hi.end(), mx);
}

}  // namespace

template <typename Sample>
int64_t SampleSummary<Sample>::ReadFrames(int channels) {
  const int64_t frameBytes = static_cast<int64_t>(sizeof(Sample)) * std::max(1, channels);
  return std::max<int64_t>(1, (int64_t{1} << 18) / frameBytes / kFactor) * kFactor;
}

template <typename Sample>
int64_t SampleSummary<Sample>::BlockFrames(int level) {
  int64_t frames = kFactor;
  for (int l = 0; l < level; ++l) frames *= kFactor;
  return frames;
}

template <typename Sample>
const Sample* SampleSummary<Sample>::Mins(int level, int channel) const {
  const Level& l = levels_[level];
  return l.mins.data() + static_cast<std::size_t>(channel) * static_cast<std::size_t>(l.blocks);
}

template <typename Sample>
const Sample* SampleSummary<Sample>::Maxs(int level, int channel) const {
  const Level& l = levels_[level];
  return l.maxs.data() + static_cast<std::size_t>(channel) * static_cast<std::size_t>(l.blocks);
}

template <typename Sample>
int64_t SampleSummary<Sample>::Bytes() const {
  int64_t bytes = 0;
  for (const Level& l : levels_) {
    bytes += static_cast<int64_t>((l.mins.size() + l.maxs.size()) * sizeof(Sample));
  }
  return bytes;
}

template <typename Sample>
std::optional<SampleSummary<Sample>> SampleSummary<Sample>::Build(const std::string& path,
                                                                  int channels,
                                                                  const FrameProgress& progress) {
  if (channels <= 0) return std::nullopt;
  SampleFileReader<Sample> reader;
  if (!reader.Open(path, channels)) return std::nullopt;
  SampleSummary s;
  s.channels_ = channels;
  s.frames_ = reader.FrameCount();
  const auto stride = static_cast<std::size_t>(channels);
  Level level0;
  level0.blocks = s.frames_ / kFactor;
  level0.mins.resize(stride * static_cast<std::size_t>(level0.blocks));
  level0.maxs.resize(level0.mins.size());

  const int64_t readFrames = ReadFrames(channels);
  std::vector<Sample> buffer(stride * static_cast<std::size_t>(readFrames));
  std::vector<Sample> mn(stride), mx(stride);
  int64_t block = 0;
  while (block < level0.blocks) {
    const int64_t want = std::min(readFrames, (level0.blocks - block) * kFactor);
    const auto got = static_cast<int64_t>(
        reader.Read(std::span<Sample>(buffer.data(), stride * static_cast<std::size_t>(want))));
    // A file that shrank or cannot be read is not summarised half-way.
    if (got != want) return std::nullopt;
    for (int64_t b = 0; b < got / kFactor; ++b, ++block) {
      const Sample* frame = buffer.data() + static_cast<std::size_t>(b * kFactor) * stride;
      constexpr std::size_t kLanes = 8;
      std::size_t c = 0;
      for (; c + kLanes <= stride; c += kLanes) {
        BlockLanes<Sample, kLanes>(frame + c, stride, kFactor, &mn[c], &mx[c]);
      }
      for (; c < stride; ++c) BlockLanes<Sample, 1>(frame + c, stride, kFactor, &mn[c], &mx[c]);
      for (std::size_t c = 0; c < stride; ++c) {
        const std::size_t at =
            c * static_cast<std::size_t>(level0.blocks) + static_cast<std::size_t>(block);
        level0.mins[at] = mn[c];
        level0.maxs[at] = mx[c];
      }
    }
    if (progress && !progress(block * kFactor, s.frames_)) return std::nullopt;
  }
  s.levels_.push_back(std::move(level0));
  s.AddUpperLevels();
  return s;
}

template <typename Sample>
void SampleSummary<Sample>::AddUpperLevels() {
  while (levels_.back().blocks >= kFactor) {
    const Level& lower = levels_.back();
    Level upper;
    upper.blocks = lower.blocks / kFactor;
    upper.mins.resize(static_cast<std::size_t>(channels_ * upper.blocks));
    upper.maxs.resize(upper.mins.size());
    for (int c = 0; c < channels_; ++c) {
      const Sample* lowMin = lower.mins.data() + c * lower.blocks;
      const Sample* lowMax = lower.maxs.data() + c * lower.blocks;
      for (int64_t b = 0; b < upper.blocks; ++b) {
        const int64_t from = b * kFactor;
        upper.mins[c * upper.blocks + b] =
            *std::min_element(lowMin + from, lowMin + from + kFactor);
        upper.maxs[c * upper.blocks + b] =
            *std::max_element(lowMax + from, lowMax + from + kFactor);
      }
    }
    levels_.push_back(std::move(upper));
  }
}

template class SampleSummary<int16_t>;
template class SampleSummary<double>;

}  // namespace tornel
