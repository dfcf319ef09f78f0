#include "core/records/frame_block_writer.h"

#include <algorithm>
#include <bit>
#include <span>

#include "core/records/little_endian.h"

namespace tornel {

template <typename Sample>
FrameBlockWriter<Sample>::FrameBlockWriter(const std::string& path, int channels, bool summarise)
    : file_(FileHandle::CreateTruncate(path)),
      channels_(static_cast<std::size_t>(std::max(1, channels))),
      buffer_(channels_ * kBlockFrames),
      next_(buffer_.data()),
      end_(buffer_.data() + buffer_.size()) {
  if (summarise) summary_.emplace(static_cast<int>(channels_));
}

template <typename Sample>
void FrameBlockWriter<Sample>::WriteBlock() {
  const auto count = static_cast<std::size_t>(next_ - buffer_.data());
  next_ = buffer_.data();
  if (count == 0) return;
  const std::span<const Sample> values(buffer_.data(), count);
  if (summary_) summary_->Add(values);
  if constexpr (std::endian::native == std::endian::little) {
    file_.WriteAll(values.data(), values.size_bytes());
  } else {
    std::vector<unsigned char> bytes(values.size_bytes());
    for (std::size_t i = 0; i < count; ++i)
      StoreLittleEndian(&bytes[i * sizeof(Sample)], values[i]);
    file_.WriteAll(bytes.data(), bytes.size());
  }
}

template <typename Sample>
void FrameBlockWriter<Sample>::Close() {
  WriteBlock();
  file_.Close();
}

template <typename Sample>
std::optional<SampleSummary<Sample>> FrameBlockWriter<Sample>::TakeSummary() {
  if (!summary_) return std::nullopt;
  return summary_->Finish();
}

template class FrameBlockWriter<int16_t>;
template class FrameBlockWriter<double>;

}  // namespace tornel
