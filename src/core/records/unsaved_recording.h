#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/records/recording_lock.h"
#include "core/records/recovery_note.h"

namespace tornel {

// The recovery note of one recording not yet saved, and the lock that says
// its owner lives. The note goes when this object does (the record was saved
// or discarded); a program that dies leaves note and lock-free sample file
// behind for the next start. A note that cannot be written never stops the
// recording: it only costs the way back.
class UnsavedRecording {
public:
  // Locks `sampleFile` (it must exist) and writes `note` beside it with this
  // process as its owner.
  static std::unique_ptr<UnsavedRecording> Begin(const std::string& sampleFile, RecoveryNote note);
  // Takes over what a dead process left: the lock is already held, and the
  // note is rewritten naming this process.
  static std::unique_ptr<UnsavedRecording> Adopt(const std::string& sampleFile, RecoveryNote note,
                                                 RecordingLock lock);
  ~UnsavedRecording();
  UnsavedRecording(const UnsavedRecording&) = delete;
  UnsavedRecording& operator=(const UnsavedRecording&) = delete;

  // The scans that have reached the disk; the first call gives the note
  // its rate.
  void ScansOnDisk(uint32_t elapsedMs, int64_t count);
  // The run has ended with `count` scans over `elapsedMs`.
  void Finish(uint32_t elapsedMs, int64_t count);
  // The record is safe in a data file: no note is needed any more.
  void Saved();
  // Lets go of the recording but leaves the note, so that the next start
  // offers it again.
  void LeaveForLater();

  const RecoveryNote& Note() const { return note_; }
  const std::string& NotePath() const { return notePath_; }
  // The note is on the disk.
  bool Noted() const { return noted_; }

private:
  UnsavedRecording(const std::string& sampleFile, RecoveryNote note,
                   std::optional<RecordingLock> lock);
  void Rewrite();

  std::string notePath_;
  RecoveryNote note_;
  std::optional<RecordingLock> lock_;
  bool noted_ = false;
};

// This process's number, as notes name their owner.
int64_t CurrentProcessId();

}  // namespace tornel
