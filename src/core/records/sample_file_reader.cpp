#include "core/records/sample_file_reader.h"

#include "core/records/little_endian.h"
#include "core/text/user_error.h"

namespace tornel {

template <typename Sample>
SampleFileReader<Sample>::SampleFileReader(const std::string& path, int channelCount,
                                           int64_t headerBytes) {
  if (!Open(path, channelCount, headerBytes)) ThrowOpenError(path);
}

template <typename Sample>
bool SampleFileReader<Sample>::Open(const std::string& path, int channelCount,
                                    int64_t headerBytes) {
  auto file = FileHandle::TryOpenRead(path);
  if (!file) {
    Close();
    return false;
  }
  file_ = std::move(*file);
  channels_ = channelCount < 0 ? 0 : channelCount;
  header_ = headerBytes < 0 ? 0 : headerBytes;
  position_ = 0;
  return true;
}

template <typename Sample>
int64_t SampleFileReader<Sample>::FrameCount() const {
  const int64_t size = file_.Size();
  if (channels_ == 0 || size <= header_) return 0;
  return (size - header_) / (static_cast<int64_t>(sizeof(Sample)) * channels_);
}

template <typename Sample>
std::size_t SampleFileReader<Sample>::ReadAt(int64_t frame, std::span<Sample> out) const {
  if (!file_.IsOpen() || channels_ == 0) return 0;
  const std::size_t frameBytes = sizeof(Sample) * static_cast<std::size_t>(channels_);
  const std::size_t frames = out.size() / static_cast<std::size_t>(channels_);
  if (frames == 0) return 0;
  std::size_t got = 0;
  try {
    got = file_.ReadAt(out.data(), frames * frameBytes,
                       header_ + frame * static_cast<int64_t>(frameBytes));
  } catch (const UserError&) {
    return 0;
  }
  const std::size_t whole = got / frameBytes;
  LittleEndianToHost(out.data(), whole * static_cast<std::size_t>(channels_));
  return whole;
}

template <typename Sample>
std::size_t SampleFileReader<Sample>::Read(std::span<Sample> out) {
  const std::size_t frames = ReadAt(position_, out);
  position_ += static_cast<int64_t>(frames);
  return frames;
}

template <typename Sample>
bool SampleFileReader<Sample>::ReadFrame(int64_t frame, std::span<Sample> out) const {
  if (frame < 0 || out.size() < static_cast<std::size_t>(channels_)) return false;
  return ReadAt(frame, out.first(static_cast<std::size_t>(channels_))) == 1;
}

template class SampleFileReader<int16_t>;
template class SampleFileReader<double>;

}  // namespace tornel
