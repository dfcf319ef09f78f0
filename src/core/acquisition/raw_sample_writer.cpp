#include "core/acquisition/raw_sample_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <span>

#include "core/records/little_endian.h"

namespace tornel {

RawSampleWriter::RawSampleWriter(std::size_t bufferBytes)
    : buffer_(new int16_t[(bufferBytes + 1) / 2]), capacity_(bufferBytes) {}

RawSampleWriter::~RawSampleWriter() { Close(); }

bool RawSampleWriter::Create(const std::string& path, std::size_t scanValues) {
  Close();
  path_ = path;
  used_ = 0;
  bytesLanded_ = 0;
  failed_ = false;
  scanBytes_ = scanValues * sizeof(int16_t);
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  // A buffer too small for one scan could never write it.
  if (fd_ >= 0 && scanBytes_ > capacity_) {
    ::close(fd_);
    fd_ = -1;
  }
  limit_ = fd_ >= 0 ? capacity_ : 0;
  summary_.reset();
  if (fd_ >= 0 && scanValues > 0) summary_.emplace(static_cast<int>(scanValues));
  return fd_ >= 0;
}

bool RawSampleWriter::FlushForMore() {
  if (failed_ || fd_ < 0) return false;
  return WriteBuffer();
}

bool RawSampleWriter::WriteBuffer() {
  if (summary_ && used_ > 0) {
    if constexpr (std::endian::native == std::endian::little) {
      summary_->Add(std::span<const int16_t>(buffer_.get(), used_ / sizeof(int16_t)));
    } else {
      summary_->AddStored(std::span<const unsigned char>(Bytes(), used_));
    }
  }
  std::size_t done = 0;
  while (done < used_) {
    ssize_t n = ::write(fd_, Bytes() + done, used_ - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed_ = true;
      limit_ = 0;
      break;
    }
    done += static_cast<std::size_t>(n);
    bytesLanded_ += static_cast<uint64_t>(n);
  }
  used_ = 0;
  return !failed_;
}

bool RawSampleWriter::Flush() {
  if (failed_ || fd_ < 0) return false;
  if (!WriteBuffer()) return false;
  // A device file cannot be synced, and need not be.
  if (::fdatasync(fd_) != 0 && errno != EINVAL && errno != EROFS) {
    failed_ = true;
    limit_ = 0;
  }
  return !failed_;
}

bool RawSampleWriter::Close() {
  if (fd_ < 0) return !failed_;
  if (!failed_) WriteBuffer();
  used_ = 0;
  if (failed_ && scanBytes_ > 0) {
    // Half a scan would shift every value after it by one channel for a
    // reader that appended to the file; keep whole scans only. A file that
    // cannot be cut (a device) keeps its tail, which readers ignore.
    uint64_t whole = bytesLanded_ / scanBytes_ * scanBytes_;
    if (whole != bytesLanded_ && ::ftruncate(fd_, static_cast<off_t>(whole)) == 0) {
      bytesLanded_ = whole;
    }
  }
  if (::close(fd_) != 0) failed_ = true;
  fd_ = -1;
  limit_ = 0;
  return !failed_;
}

uint64_t RawSampleWriter::ScansKept() const {
  if (scanBytes_ == 0) return 0;
  return bytesLanded_ / scanBytes_;
}

std::optional<SampleSummary<int16_t>> RawSampleWriter::TakeSummary() {
  if (fd_ >= 0 || !summary_) return std::nullopt;
  std::optional<SampleSummary<int16_t>> summary;
  if (!failed_) summary = summary_->Finish();
  summary_.reset();
  return summary;
}

void RawSampleWriter::CopySwapped(const int16_t* values) {
  unsigned char* out = Bytes() + used_;
  for (std::size_t i = 0; i < scanBytes_ / sizeof(int16_t); ++i) {
    StoreLittleEndian<int16_t>(out + 2 * i, values[i]);
  }
}

}  // namespace tornel
