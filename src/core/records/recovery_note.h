#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/config/channel_table.h"

namespace tornel {

inline constexpr int kNoteSlots = 32;
inline constexpr int kNoteCaps = 16;

enum class RecordingKind { Transient, Static };

// What a recording not yet saved needs to become a record again after its
// program died: a small text file beside the sample file. Written whole
// through a sibling file, synced and renamed, so a crash leaves either the
// old note or the new one, never half of one.
struct RecoveryNote {
  RecordingKind Kind = RecordingKind::Transient;
  int64_t Pid = 0;
  // The start, as the record keeps dates and times.
  double Date = 0.0;
  double Time = 0.0;
  std::array<std::string, kNoteSlots> ChanName;
  std::array<std::string, kNoteSlots> ChanUnit;
  std::array<double, kNoteSlots> Base{};
  std::array<double, kNoteSlots> RealBase{};
  std::array<int16_t, kNoteSlots> Offset{};
  // The channels each frame of the sample file holds.
  uint16_t AcpMask = 0;
  uint16_t CapMask = 0;
  int32_t CapCount = 0;
  // The settings of a transient run.
  double Duration = 0.0;
  bool DriveCap = false;
  std::array<double, kNoteCaps> Delay{};
  std::array<double, kNoteCaps> RiseTime{};
  std::array<int16_t, kNoteCaps> Amplitude{};
  // Scans per millisecond as first measured during the run (0 before); a
  // run that never finished takes its length from it.
  uint32_t RateElapsedMs = 0;
  int64_t RateCount = 0;
  // Set when the run has ended.
  bool Finished = false;
  uint32_t ElapsedMs = 0;
  int64_t Count = 0;

  // A note of `kind` with the channels of `table` and the start given.
  static RecoveryNote FromTable(RecordingKind kind, const ChannelTable& table, double date,
                                double time);

  // Throws UserError "Не удалось записать файл <path>".
  void Write(const std::string& path) const;
  // Nothing when the file is missing or is not a note.
  static std::optional<RecoveryNote> Read(const std::string& path);

  // Values per frame of the sample file.
  int FrameValues() const;
  // The length of the recording in the record's units (seconds, or points
  // of a static characteristic) for `frames` whole frames present.
  double DurationFor(int64_t frames) const;
};

// The note that belongs beside a sample file.
std::string NotePathFor(const std::string& sampleFile);
// The suffix of every note's name.
inline constexpr const char* kNoteSuffix = ".note";

}  // namespace tornel
