#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/graph/filter_progress.h"
#include "core/graph/frame_filter.h"
#include "core/records/file_handle.h"
#include "core/records/graph_record.h"
#include "core/records/replacing_file.h"
#include "core/records/sample_summary.h"

namespace tornel {

enum class FilterOutcome { Done, Cancelled, NothingSelected };

// The common frame of the filters: the record shows OrigFile again, OrigFile
// is read whole frame by whole frame and the result goes to FilteredFile.
// The new FilteredFile replaces the old one only on Commit(), which also
// makes it the shown file; a stream that ends without Commit() (a failure,
// a cancel) leaves a previous filtered copy whole, or no FilteredFile at all
// when the record had none, and HasFiltered as it was. The frames written
// are summarised on the way, and Commit() hands the summary to the record.
class FilterStream {
public:
  // Values per buffer; the buffer holds whole frames, at least one.
  static constexpr std::size_t kBufferValues = 1 << 16;

  // mask: ADC channels to filter (bit i = channel i + 1). Throws UserError
  // "Не удалось открыть файл <OrigFile>" or "Не удалось создать файл
  // <FilteredFile>".
  FilterStream(TGraphRecord& record, uint16_t mask);
  ~FilterStream();
  FilterStream(const FilterStream&) = delete;
  FilterStream& operator=(const FilterStream&) = delete;

  std::size_t Width() const { return width_; }
  int64_t Frames() const { return frames_; }
  // Recorded positions of the selected ADC channels, ascending.
  const std::vector<int>& Columns() const { return columns_; }
  // A buffer of whole frames, the same for the whole run.
  std::span<int16_t> Buffer() { return buffer_; }
  std::size_t BufferFrames() const { return buffer_.size() / width_; }

  // Up to `count` frames from frame `first` into the buffer; the number of
  // frames read. Throws UserError "Не удалось прочитать файл <OrigFile>".
  std::size_t Read(int64_t first, std::size_t count);
  // The first `count` frames of the buffer go out after those written before
  // (the buffer may change).
  // Throws UserError "Не удалось записать файл <FilteredFile>".
  void Write(std::size_t count);

  // Runs a frame-by-frame filter over every frame with the progress rule of
  // `steps` steps over the file.
  FilterOutcome Run(FrameFilter& filter, FilterProgress* progress, const std::string& caption,
                    int steps);

  void Commit();

private:
  TGraphRecord& record_;
  FileHandle in_;
  std::unique_ptr<ReplacingFile> out_;
  std::size_t width_ = 0;
  int64_t frames_ = 0;
  std::vector<int> columns_;
  std::vector<int16_t> buffer_;
  SampleSummaryBuilder<int16_t> summary_;
  bool hadFiltered_ = false;
  bool committed_ = false;
};

// The positions of the recorded ADC channels whose bit is set in `mask`.
std::vector<int> FilterColumns(const TGraphRecord& record, uint16_t mask);

}  // namespace tornel
