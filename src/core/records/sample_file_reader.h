#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/records/file_handle.h"

namespace tornel {

// Reads a sample file frame by frame: a headerless run of frames of
// ChannelCount() little-endian values of type Sample (int16_t codes or
// double), optionally after a header of headerBytes. The caller's buffer
// bounds each read, so memory stays the same for any file size. A trailing
// part frame is never returned.
template <typename Sample>
class SampleFileReader {
public:
  SampleFileReader() = default;
  // Throws UserError "Не удалось открыть файл <path>".
  SampleFileReader(const std::string& path, int channelCount, int64_t headerBytes = 0);

  // False (and nothing open) when the file cannot be opened.
  bool Open(const std::string& path, int channelCount, int64_t headerBytes = 0);
  void Close() { file_ = FileHandle(); }
  bool IsOpen() const { return file_.IsOpen(); }
  int ChannelCount() const { return channels_; }

  // Whole frames in the file now; 0 for a frame of no channels.
  int64_t FrameCount() const;
  // Index of the frame the next Read starts at.
  int64_t Position() const { return position_; }
  void Seek(int64_t frame) { position_ = frame < 0 ? 0 : frame; }

  // Reads up to out.size() / ChannelCount() whole frames from Position() and
  // moves past them; returns the number of frames read, 0 at the end (or on
  // a read error).
  std::size_t Read(std::span<Sample> out);
  // Frame `frame` into out (at least ChannelCount() values); false when the
  // file has no such whole frame. Does not move Position().
  bool ReadFrame(int64_t frame, std::span<Sample> out) const;

private:
  std::size_t ReadAt(int64_t frame, std::span<Sample> out) const;

  FileHandle file_;
  int channels_ = 0;
  int64_t header_ = 0;
  int64_t position_ = 0;
};

extern template class SampleFileReader<int16_t>;
extern template class SampleFileReader<double>;

}  // namespace tornel
