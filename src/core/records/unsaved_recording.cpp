#include "core/records/unsaved_recording.h"

#include <unistd.h>

#include <utility>

namespace tornel {

int64_t CurrentProcessId() { return static_cast<int64_t>(::getpid()); }

std::unique_ptr<UnsavedRecording> UnsavedRecording::Begin(const std::string& sampleFile,
                                                          RecoveryNote note) {
  return std::unique_ptr<UnsavedRecording>(
      new UnsavedRecording(sampleFile, std::move(note), RecordingLock::TryTake(sampleFile)));
}

std::unique_ptr<UnsavedRecording> UnsavedRecording::Adopt(const std::string& sampleFile,
                                                          RecoveryNote note, RecordingLock lock) {
  return std::unique_ptr<UnsavedRecording>(
      new UnsavedRecording(sampleFile, std::move(note), std::move(lock)));
}

UnsavedRecording::UnsavedRecording(const std::string& sampleFile, RecoveryNote note,
                                   std::optional<RecordingLock> lock)
    : notePath_(NotePathFor(sampleFile)), note_(std::move(note)), lock_(std::move(lock)) {
  note_.Pid = CurrentProcessId();
  // Without the lock the next start would take the recording from under
  // its owner, so no note is better than a note anyone may take.
  if (lock_) Rewrite();
}

UnsavedRecording::~UnsavedRecording() { Saved(); }

void UnsavedRecording::ScansOnDisk(uint32_t elapsedMs, int64_t count) {
  if (note_.RateCount > 0 || count <= 0 || elapsedMs == 0) return;
  note_.RateElapsedMs = elapsedMs;
  note_.RateCount = count;
  Rewrite();
}

void UnsavedRecording::Finish(uint32_t elapsedMs, int64_t count) {
  note_.Finished = true;
  note_.ElapsedMs = elapsedMs;
  note_.Count = count;
  Rewrite();
}

void UnsavedRecording::Saved() {
  if (noted_) ::unlink(notePath_.c_str());
  noted_ = false;
  lock_.reset();
}

void UnsavedRecording::LeaveForLater() {
  noted_ = false;
  lock_.reset();
}

void UnsavedRecording::Rewrite() {
  if (!lock_) return;
  try {
    note_.Write(notePath_);
    noted_ = true;
  } catch (...) {
    // The recording goes on without its way back.
  }
}

}  // namespace tornel
