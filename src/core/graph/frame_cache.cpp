#include "core/graph/frame_cache.h"

#include <algorithm>
#include <span>

#include "core/records/sample_file_reader.h"

namespace tornel {

FrameCache::FrameCache(int channelCount, SampleFormat format)
    : channels_(channelCount < 0 ? 0 : channelCount), format_(format) {}

void FrameCache::SetFile(std::string path) {
  path_ = std::move(path);
  for (Block& b : blocks_) b = Block{};
}

std::optional<double> FrameCache::Sample(int64_t frame, int position) {
  if (frame < 0 || position < 0 || position >= channels_) return std::nullopt;
  const int64_t first = frame - frame % kBlockFrames;
  Block* block = Find(first);
  if (block == nullptr) block = Load(first);
  if (block == nullptr || frame - first >= block->frames) return std::nullopt;
  block->lastUse = ++clock_;
  return block->values[static_cast<std::size_t>((frame - first) * channels_ + position)];
}

FrameCache::Block* FrameCache::Find(int64_t first) {
  for (Block& b : blocks_) {
    if (b.first == first) return &b;
  }
  return nullptr;
}

// A block that cannot be read is not kept, so a file that turns up again is
// read at the next request.
FrameCache::Block* FrameCache::Load(int64_t first) {
  Block& victim =
      *std::min_element(blocks_.begin(), blocks_.end(),
                        [](const Block& a, const Block& b) { return a.lastUse < b.lastUse; });
  victim = Block{};
  const bool ok = VisitSampleFormat(
      format_, [&]<typename S>(std::type_identity<S>) { return ReadBlock<S>(first, victim); });
  if (!ok) return nullptr;
  victim.first = first;
  return &victim;
}

template <typename Sample>
bool FrameCache::ReadBlock(int64_t first, Block& block) {
  SampleFileReader<Sample> reader;
  if (!reader.Open(path_, channels_)) return false;
  ++reads_;
  std::vector<Sample> raw(static_cast<std::size_t>(kBlockFrames * channels_));
  reader.Seek(first);
  const std::size_t frames = reader.Read(std::span<Sample>(raw));
  block.frames = static_cast<int64_t>(frames);
  block.values.assign(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(frames * channels_));
  return true;
}

}  // namespace tornel
