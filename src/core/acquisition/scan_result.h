#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/records/sample_summary.h"

namespace tornel {

enum class ScanOutcome {
  // The whole duration was recorded, or the run was terminated on request.
  Completed,
  // The raw file could not be created: nothing was recorded.
  FileNotCreated,
  // Writing the raw file failed (a full disk); the scans that landed are kept.
  WriteFailed,
  // Something else went wrong during the run; the scans that landed are kept.
  Failed,
};

// What a recording leaves for its owner once it has ended.
struct ScanResult {
  int32_t StartTick = 0;
  // Milliseconds from StartTick to the end of the last scan kept.
  uint32_t Elapsed = 0;
  uint32_t DurationMs = 0;
  // Scans in the raw file.
  int32_t Count = 0;
  bool Terminated = false;
  ScanOutcome Outcome = ScanOutcome::Completed;
  // The text the user is told, UTF-8; empty when the run completed.
  std::string Message;
  // The min/max summary of the raw file, built while it was written; only
  // when the run completed (terminated or not), for the record to keep.
  std::optional<SampleSummary<int16_t>> Summary;
};

// How many scans a recording read, in words: "Считано 1234 точки".
std::string ScannedText(int32_t count);
// How many it kept after a failure: "Сохранена 21 точка."
std::string KeptText(int32_t count);

}  // namespace tornel
