#include "core/graph/filter_stream.h"

#include <algorithm>
#include <bit>

#include "core/records/little_endian.h"
#include "core/records/temp_file.h"
#include "core/text/user_error.h"

namespace tornel {

std::vector<int> FilterColumns(const TGraphRecord& record, uint16_t mask) {
  std::vector<int> columns;
  int position = 0;
  for (int channel = 0; channel < kAcpChannels; ++channel) {
    if (((record.AcpMask >> channel) & 1) == 0) continue;
    if (((mask >> channel) & 1) != 0) columns.push_back(position);
    ++position;
  }
  return columns;
}

FilterStream::FilterStream(TGraphRecord& record, uint16_t mask)
    : record_(record),
      summary_(std::max(record.FrameValues(), 1)),
      hadFiltered_(record.HasFiltered) {
  record_.SampleFile = record_.OrigFile;
  record_.RecountRecord();
  width_ = static_cast<std::size_t>(std::max(record_.RecChannelCount, 1));
  columns_ = FilterColumns(record_, mask);
  in_ = FileHandle::OpenRead(record_.OrigFile);
  const int64_t size = in_.Size();
  frames_ = size < 0 ? 0 : size / static_cast<int64_t>(2 * width_);
  // Where no file can be made beside it, FilteredFile is rewritten in place.
  record_.Summaries.Forget(record_.FilteredFile);
  out_ = std::make_unique<ReplacingFile>(record_.FilteredFile);
  buffer_.resize(std::max<std::size_t>(1, kBufferValues / width_) * width_);
}

FilterStream::~FilterStream() {
  if (committed_) return;
  out_.reset();
  // Half a result is never shown; nor is a stale copy the record does not count.
  if (!hadFiltered_) RemoveFileIfExists(record_.FilteredFile);
}

std::size_t FilterStream::Read(int64_t first, std::size_t count) {
  count = std::min<std::size_t>(count, BufferFrames());
  if (first >= frames_) return 0;
  count = static_cast<std::size_t>(std::min<int64_t>(static_cast<int64_t>(count), frames_ - first));
  const std::size_t bytes = count * width_ * 2;
  const std::size_t got =
      in_.ReadAt(buffer_.data(), bytes, first * static_cast<int64_t>(width_ * 2));
  // The file was measured at the start; a file cut short meanwhile is a
  // failing read, not an early end.
  if (got != bytes) throw UserError("Не удалось прочитать файл " + record_.OrigFile);
  LittleEndianToHost(buffer_.data(), count * width_);
  return count;
}

void FilterStream::Write(std::size_t count) {
  const std::size_t values = count * width_;
  summary_.Add(std::span<const int16_t>(buffer_.data(), values));
  if constexpr (std::endian::native != std::endian::little) {
    for (std::size_t i = 0; i < values; ++i) {
      StoreLittleEndian(reinterpret_cast<unsigned char*>(&buffer_[i]), buffer_[i]);
    }
  }
  out_->File().WriteAll(buffer_.data(), values * 2);
}

FilterOutcome FilterStream::Run(FrameFilter& filter, FilterProgress* progress,
                                const std::string& caption, int steps) {
  if (progress) progress->Begin(caption, steps);
  int64_t position = 0;
  int64_t done = 0;
  while (const std::size_t count = Read(done, BufferFrames())) {
    filter.Process(std::span(buffer_).first(count * width_), width_);
    Write(count);
    for (std::size_t f = 0; f < count; ++f) {
      ++done;
      // One step at most per frame, while the bar is behind the frames done.
      if (progress && position * frames_ < static_cast<int64_t>(steps) * done) {
        ++position;
        if (!progress->Step()) return FilterOutcome::Cancelled;
      }
    }
  }
  Commit();
  return FilterOutcome::Done;
}

void FilterStream::Commit() {
  out_->Commit();
  committed_ = true;
  record_.SampleFile = record_.FilteredFile;
  record_.HasFiltered = true;
  record_.Summaries.Put(record_.FilteredFile, summary_.Finish());
}

}  // namespace tornel
