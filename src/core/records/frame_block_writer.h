#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/records/file_handle.h"
#include "core/records/sample_summary.h"

namespace tornel {

// Writes a sample file frame by frame with no per-frame cost beyond filling
// the frame: frames gather in a block that goes to the file whole, and the
// same blocks can build the file's min/max summary on the way, so that
// nothing reads the file again to draw it.
template <typename Sample>
class FrameBlockWriter {
public:
  static constexpr int64_t kBlockFrames = 4096;  // whole summary blocks

  // Throws UserError "Не удалось создать файл <path>".
  FrameBlockWriter(const std::string& path, int channels, bool summarise);
  FrameBlockWriter(const FrameBlockWriter&) = delete;
  FrameBlockWriter& operator=(const FrameBlockWriter&) = delete;

  // The next frame, for the caller to fill with its channel values.
  Sample* Next() {
    if (next_ == end_) WriteBlock();
    Sample* frame = next_;
    next_ += channels_;
    return frame;
  }
  // Writes the frames left and closes the file. Throws UserError
  // "Не удалось записать файл <path>"; without Close nothing more is written.
  void Close();
  // After Close: the summary of every frame written, when asked for; once.
  std::optional<SampleSummary<Sample>> TakeSummary();
  const std::string& Path() const { return file_.Path(); }

private:
  void WriteBlock();

  FileHandle file_;
  std::size_t channels_;
  std::vector<Sample> buffer_;
  Sample* next_;
  Sample* end_;
  std::optional<SampleSummaryBuilder<Sample>> summary_;
};

extern template class FrameBlockWriter<int16_t>;
extern template class FrameBlockWriter<double>;

}  // namespace tornel
