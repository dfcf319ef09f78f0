#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/records/sample_format.h"

namespace tornel {

// Samples of a sample file for a view that asks cell by cell: frames are read
// in blocks around the one asked for and a few blocks are kept, so that a
// screenful of cells costs one or two reads whatever the file's length. No
// file stays open between reads; a new file (or the same one rewritten) is
// seen after SetFile.
class FrameCache {
public:
  static constexpr int64_t kBlockFrames = 256;
  static constexpr int kBlocks = 8;

  FrameCache(int channelCount, SampleFormat format);

  // Reads from `path` from now on and forgets every cached frame.
  void SetFile(std::string path);
  const std::string& File() const { return path_; }

  // The value at `position` (0 .. channelCount-1) of frame `frame`; nothing
  // when the file cannot be read or has no such whole frame.
  std::optional<double> Sample(int64_t frame, int position);

  // Number of times the file was read; for tests of the caching.
  int64_t Reads() const { return reads_; }

private:
  struct Block {
    int64_t first = -1;
    int64_t frames = 0;
    uint64_t lastUse = 0;
    std::vector<double> values;
  };

  Block* Find(int64_t first);
  Block* Load(int64_t first);
  template <typename Sample>
  bool ReadBlock(int64_t first, Block& block);

  int channels_;
  SampleFormat format_;
  std::string path_;
  std::array<Block, kBlocks> blocks_;
  uint64_t clock_ = 0;
  int64_t reads_ = 0;
};

}  // namespace tornel
