#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "core/records/sample_summary.h"

namespace tornel {

// The scan thread's raw sample file: scans of little-endian int16 values,
// collected in a large buffer so that a scan costs a copy, not a system call.
// A failed write is never silent and never leaves half a scan: the file keeps
// every whole scan that reached it, and the writer says how many bytes that
// is. The buffer is allocated here, once, so a recording allocates nothing
// per scan. Each buffer's worth is summarised (min/max per channel) on its way
// to the file, so the record needs no pass over the file to be drawn.
class RawSampleWriter {
public:
  static constexpr std::size_t kDefaultBufferBytes = std::size_t{1} << 20;

  explicit RawSampleWriter(std::size_t bufferBytes = kDefaultBufferBytes);
  ~RawSampleWriter();
  RawSampleWriter(const RawSampleWriter&) = delete;
  RawSampleWriter& operator=(const RawSampleWriter&) = delete;

  // Creates or truncates `path` for scans of `scanValues` values; false when
  // the file cannot be created.
  bool Create(const std::string& path, std::size_t scanValues);

  // Appends one scan of the values given at Create. False, and nothing
  // appended, once a write to the file has failed.
  bool Append(const int16_t* values) {
    if (used_ + scanBytes_ > limit_ && !FlushForMore()) return false;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(Bytes() + used_, values, scanBytes_);
    } else {
      CopySwapped(values);
    }
    used_ += scanBytes_;
    return true;
  }

  // Hands what is buffered to the file and waits until it is on the disk,
  // so a crash or a power cut later loses none of it. False once a write
  // has failed.
  bool Flush();

  // Writes what is buffered and closes the file. After a failure the file is
  // cut back to whole scans. False when any write failed.
  bool Close();

  bool IsOpen() const { return fd_ >= 0; }
  bool Failed() const { return failed_; }
  // Whole scans in the file so far (all that were appended, once closed
  // without a failure).
  uint64_t ScansKept() const;
  const std::string& Path() const { return path_; }

  // Once closed with every scan written: the summary of the file, once.
  // Nothing after a failed write or while the file is open.
  std::optional<SampleSummary<int16_t>> TakeSummary();

private:
  bool FlushForMore();
  bool WriteBuffer();
  void CopySwapped(const int16_t* values);
  unsigned char* Bytes() { return reinterpret_cast<unsigned char*>(buffer_.get()); }

  // int16 storage, so that on a little-endian host the scans buffered are
  // the values the summary takes.
  std::unique_ptr<int16_t[]> buffer_;
  std::size_t capacity_;
  // capacity_ while the file takes scans, 0 before it is open and after a
  // failure, so that Append's one comparison also refuses those.
  std::size_t limit_ = 0;
  std::size_t used_ = 0;
  std::size_t scanBytes_ = 0;
  uint64_t bytesLanded_ = 0;
  int fd_ = -1;
  bool failed_ = false;
  std::string path_;
  std::optional<SampleSummaryBuilder<int16_t>> summary_;
};

}  // namespace tornel
