#include "core/records/sample_summary.h"

#include <algorithm>

#include "core/records/column_extremes.h"
#include "core/records/little_endian.h"
#include "core/records/sample_file_reader.h"

namespace tornel {
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
  const int64_t frames = reader.FrameCount();
  const int64_t whole = frames / kFactor * kFactor;
  const auto stride = static_cast<std::size_t>(channels);
  const int64_t readFrames = ReadFrames(channels);
  std::vector<Sample> buffer(stride * static_cast<std::size_t>(readFrames));
  SampleSummaryBuilder<Sample> builder(channels);
  builder.Reserve(whole);
  while (builder.Frames() < whole) {
    const int64_t want = std::min(readFrames, whole - builder.Frames());
    const std::size_t values = stride * static_cast<std::size_t>(want);
    const auto got = static_cast<int64_t>(reader.Read(std::span<Sample>(buffer.data(), values)));
    // A file that shrank or cannot be read is not summarised half-way.
    if (got != want) return std::nullopt;
    builder.Add(std::span<const Sample>(buffer.data(), values));
    if (progress && !progress(builder.Frames(), frames)) return std::nullopt;
  }
  SampleSummary s = builder.Finish();
  s.frames_ = frames;
  return s;
}

template <typename Sample>
SampleSummaryBuilder<Sample>::SampleSummaryBuilder(int channels)
    : channels_(std::max(1, channels)),
      blockMin_(static_cast<std::size_t>(channels_)),
      blockMax_(static_cast<std::size_t>(channels_)) {
  part_.reserve(static_cast<std::size_t>(channels_ * SampleSummary<Sample>::kFactor));
}

template <typename Sample>
void SampleSummaryBuilder<Sample>::Grow(int64_t blocks) {
  if (blocks <= capacity_) return;
  const auto stride = static_cast<std::size_t>(channels_);
  const auto room = static_cast<std::size_t>(blocks);
  std::vector<Sample> mins(stride * room), maxs(stride * room);
  for (std::size_t c = 0; c < stride; ++c) {
    const auto from = static_cast<std::ptrdiff_t>(c * static_cast<std::size_t>(capacity_));
    std::copy_n(mins_.begin() + from, blocks_,
                mins.begin() + static_cast<std::ptrdiff_t>(c * room));
    std::copy_n(maxs_.begin() + from, blocks_,
                maxs.begin() + static_cast<std::ptrdiff_t>(c * room));
  }
  mins_ = std::move(mins);
  maxs_ = std::move(maxs);
  capacity_ = blocks;
}

template <typename Sample>
void SampleSummaryBuilder<Sample>::Reserve(int64_t frames) {
  Grow(frames / SampleSummary<Sample>::kFactor);
}

template <typename Sample>
void SampleSummaryBuilder<Sample>::AddBlocks(const Sample* frames, int64_t blocks) {
  constexpr int64_t kFactor = SampleSummary<Sample>::kFactor;
  if (blocks_ + blocks > capacity_) Grow(std::max(blocks_ + blocks, 2 * capacity_ + 16));
  const auto stride = static_cast<std::size_t>(channels_);
  const auto room = static_cast<std::size_t>(capacity_);
  Sample* mins = mins_.data() + blocks_;
  Sample* maxs = maxs_.data() + blocks_;
  for (int64_t b = 0; b < blocks; ++b) {
    ColumnExtremes(frames + static_cast<std::size_t>(b * kFactor) * stride, kFactor, channels_,
                   blockMin_.data(), blockMax_.data());
    for (std::size_t c = 0; c < stride; ++c) {
      mins[c * room + static_cast<std::size_t>(b)] = blockMin_[c];
      maxs[c * room + static_cast<std::size_t>(b)] = blockMax_[c];
    }
  }
  blocks_ += blocks;
}

template <typename Sample>
void SampleSummaryBuilder<Sample>::Add(std::span<const Sample> values) {
  constexpr int64_t kFactor = SampleSummary<Sample>::kFactor;
  const std::size_t blockValues = static_cast<std::size_t>(channels_) * kFactor;
  values_ += static_cast<int64_t>(values.size());
  if (!part_.empty()) {
    const std::size_t take = std::min(blockValues - part_.size(), values.size());
    part_.insert(part_.end(), values.begin(), values.begin() + static_cast<std::ptrdiff_t>(take));
    values = values.subspan(take);
    if (part_.size() < blockValues) return;
    AddBlocks(part_.data(), 1);
    part_.clear();
  }
  const auto blocks = static_cast<int64_t>(values.size() / blockValues);
  if (blocks > 0) AddBlocks(values.data(), blocks);
  part_.assign(values.begin() + static_cast<std::ptrdiff_t>(blocks * blockValues), values.end());
}

template <typename Sample>
void SampleSummaryBuilder<Sample>::AddStored(std::span<const unsigned char> bytes) {
  host_.resize(bytes.size() / sizeof(Sample));
  for (std::size_t i = 0; i < host_.size(); ++i) {
    host_[i] = LoadLittleEndian<Sample>(bytes.data() + i * sizeof(Sample));
  }
  Add(host_);
}

template <typename Sample>
SampleSummary<Sample> SampleSummaryBuilder<Sample>::Finish() {
  const auto stride = static_cast<std::size_t>(channels_);
  const auto blocks = static_cast<std::size_t>(blocks_);
  SampleSummary<Sample> s;
  s.channels_ = channels_;
  s.frames_ = Frames();
  // The rows close up where more room was reserved than filled.
  if (capacity_ != blocks_) {
    for (std::size_t c = 1; c < stride; ++c) {
      const std::size_t from = c * static_cast<std::size_t>(capacity_);
      std::copy_n(mins_.begin() + static_cast<std::ptrdiff_t>(from), blocks,
                  mins_.begin() + static_cast<std::ptrdiff_t>(c * blocks));
      std::copy_n(maxs_.begin() + static_cast<std::ptrdiff_t>(from), blocks,
                  maxs_.begin() + static_cast<std::ptrdiff_t>(c * blocks));
    }
    mins_.resize(stride * blocks);
    maxs_.resize(stride * blocks);
  }
  typename SampleSummary<Sample>::Level level0;
  level0.blocks = blocks_;
  level0.mins = std::move(mins_);
  level0.maxs = std::move(maxs_);
  s.levels_.push_back(std::move(level0));
  s.AddUpperLevels();
  mins_.clear();
  maxs_.clear();
  part_.clear();
  values_ = blocks_ = capacity_ = 0;
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
template class SampleSummaryBuilder<int16_t>;
template class SampleSummaryBuilder<double>;

}  // namespace tornel
