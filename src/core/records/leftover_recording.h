#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/records/graph_record.h"
#include "core/records/recording_lock.h"
#include "core/records/recovery_note.h"

namespace tornel {

// A recording whose program died before it was saved: its sample file, the
// note beside it and the lock this process now holds on it, so no other
// instance takes it meanwhile.
struct LeftoverRecording {
  std::string SampleFile;
  RecoveryNote Note;
  // Whole frames in the sample file; a torn last one is not counted.
  int64_t Frames = 0;
  RecordingLock Lock;

  // Seconds of a transient record, points of a static one.
  double Duration() const { return Note.DurationFor(Frames); }
};

// The leftovers in `folders` (each looked at once), oldest first. Notes
// whose owner still holds its lock are not touched; a note whose sample file
// is gone is deleted.
std::vector<LeftoverRecording> FindLeftoverRecordings(const std::vector<std::string>& folders);
// The folders recordings are made in: that of the raw files and that of
// the point files.
std::vector<std::string> RecordingFolders();

// Gives `record` what `note` says of `frames` whole frames in `sampleFile`,
// which the record owns from now on.
void FillRecordFromNote(const RecoveryNote& note, int64_t frames, const std::string& sampleFile,
                        TGraphRecord& record);
// Makes `record` the unsaved record of `leftover` again; the record owns the
// sample file and the note from now on.
void RestoreRecord(LeftoverRecording leftover, TGraphRecord& record);
// Deletes the note and the sample file.
void DiscardLeftover(LeftoverRecording leftover);

}  // namespace tornel
