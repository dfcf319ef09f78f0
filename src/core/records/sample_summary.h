#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tornel {

template <typename Sample>
class SampleSummaryBuilder;

// Called now and then while a long job runs, with the frames done and the
// frames in all; returning false cancels the job.
using FrameProgress = std::function<bool(int64_t done, int64_t total)>;

// The minimum and maximum of every recorded channel of a sample file, in
// levels: a block of level 0 holds kFactor frames, a block of level L + 1
// kFactor blocks of level L. Only whole blocks are kept, so a block never
// reaches past the frames that were there when it was built. Made by one
// sequential read, or by SampleSummaryBuilder from the frames as they are
// written; with int16 codes it takes about 1/32 of the file.
template <typename Sample>
class SampleSummary {
public:
  static constexpr int64_t kFactor = 64;
  // Frames per read while building: about 256 KiB, so that the frames are
  // still in the cache when they are summarised; whole level-0 blocks.
  static int64_t ReadFrames(int channels);

  // Empty when the file cannot be opened or read to its end, or when
  // progress cancels.
  static std::optional<SampleSummary> Build(const std::string& path, int channels,
                                            const FrameProgress& progress = {});

  int Channels() const { return channels_; }
  // Frames of the file at the time of building.
  int64_t Frames() const { return frames_; }
  int Levels() const { return static_cast<int>(levels_.size()); }
  static int64_t BlockFrames(int level);
  int64_t Blocks(int level) const { return levels_[level].blocks; }
  // The blocks of one channel, Blocks(level) values each.
  const Sample* Mins(int level, int channel) const;
  const Sample* Maxs(int level, int channel) const;
  int64_t Bytes() const;

private:
  friend class SampleSummaryBuilder<Sample>;
  struct Level {
    int64_t blocks = 0;
    std::vector<Sample> mins;  // channel after channel, block after block
    std::vector<Sample> maxs;
  };
  void AddUpperLevels();

  int channels_ = 0;
  int64_t frames_ = 0;
  std::vector<Level> levels_;
};

// Builds a summary from the values in the order they are written, so that a
// file written anyway needs no second pass. The blocks go straight to their
// channel's row, so finishing moves them out without a copy when the room
// reserved was right. Memory: the summary itself and one part block.
template <typename Sample>
class SampleSummaryBuilder {
public:
  explicit SampleSummaryBuilder(int channels);

  // Room for the summary of `frames` frames, when known beforehand.
  void Reserve(int64_t frames);
  // Values in recorded order; a piece may end inside a frame.
  void Add(std::span<const Sample> values);
  // Values as a sample file stores them (little-endian), a whole number.
  void AddStored(std::span<const unsigned char> bytes);
  int64_t Frames() const { return values_ / channels_; }
  // The summary of every whole frame added so far; the builder is left
  // empty.
  SampleSummary<Sample> Finish();

private:
  void AddBlocks(const Sample* frames, int64_t blocks);
  void Grow(int64_t blocks);

  int channels_;
  int64_t values_ = 0;
  int64_t blocks_ = 0;                       // whole level-0 blocks
  int64_t capacity_ = 0;                     // blocks each channel's row has room for
  std::vector<Sample> mins_, maxs_;          // channel after channel, capacity_ each
  std::vector<Sample> blockMin_, blockMax_;  // one block, channel by channel
  std::vector<Sample> part_;                 // the values of a block not yet whole
  std::vector<Sample> host_;                 // stored values in host order
};

extern template class SampleSummary<int16_t>;
extern template class SampleSummary<double>;
extern template class SampleSummaryBuilder<int16_t>;
extern template class SampleSummaryBuilder<double>;

}  // namespace tornel
