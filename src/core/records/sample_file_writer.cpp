#include "core/records/sample_file_writer.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/records/little_endian.h"

namespace tornel {
namespace {

constexpr std::size_t kBufferBytes = 1 << 17;

FileHandle OpenForWriting(const std::string& path, bool append) {
  return append ? FileHandle::OpenAppend(path) : FileHandle::CreateTruncate(path);
}

}  // namespace

template <typename Sample>
SampleFileWriter<Sample>::SampleFileWriter(const std::string& path, Mode mode)
    : file_(OpenForWriting(path, mode == Mode::Append)), buffer_(kBufferBytes) {}

template <typename Sample>
SampleFileWriter<Sample>::~SampleFileWriter() {
  try {
    Flush();
  } catch (...) {
  }
}

template <typename Sample>
void SampleFileWriter<Sample>::Write(std::span<const Sample> values) {
  while (!values.empty()) {
    if (used_ + sizeof(Sample) > buffer_.size()) Flush();
    const std::size_t n = std::min(values.size(), (buffer_.size() - used_) / sizeof(Sample));
    unsigned char* dst = buffer_.data() + used_;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(dst, values.data(), n * sizeof(Sample));
    } else {
      for (std::size_t i = 0; i < n; ++i) StoreLittleEndian(dst + i * sizeof(Sample), values[i]);
    }
    used_ += n * sizeof(Sample);
    values = values.subspan(n);
  }
}

template <typename Sample>
void SampleFileWriter<Sample>::Flush() {
  if (used_ == 0 || !file_.IsOpen()) return;
  const std::size_t n = used_;
  used_ = 0;
  file_.WriteAll(buffer_.data(), n);
}

template <typename Sample>
void SampleFileWriter<Sample>::Close() {
  Flush();
  file_.Close();
}

template class SampleFileWriter<int16_t>;
template class SampleFileWriter<double>;

}  // namespace tornel
