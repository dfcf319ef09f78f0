#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/records/file_handle.h"

namespace tornel {

// Writes values of type Sample (int16_t codes or double) little-endian to a
// sample file through a bounded buffer. Frames are the caller's business: a
// frame is simply ChannelCount values written in recorded-position order.
template <typename Sample>
class SampleFileWriter {
public:
  enum class Mode { Truncate, Append };

  // Throws UserError "Не удалось создать файл <path>".
  explicit SampleFileWriter(const std::string& path, Mode mode = Mode::Truncate);
  // Writes what is buffered; errors are lost here, so call Close() to hear them.
  ~SampleFileWriter();
  SampleFileWriter(const SampleFileWriter&) = delete;
  SampleFileWriter& operator=(const SampleFileWriter&) = delete;

  // Throw UserError "Не удалось записать файл <path>".
  void Write(std::span<const Sample> values);
  void Write(Sample value) { Write(std::span<const Sample>(&value, 1)); }
  void Flush();
  void Close();

  const std::string& Path() const { return file_.Path(); }

private:
  FileHandle file_;
  std::vector<unsigned char> buffer_;
  std::size_t used_ = 0;
};

extern template class SampleFileWriter<int16_t>;
extern template class SampleFileWriter<double>;

}  // namespace tornel
