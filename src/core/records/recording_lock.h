#pragma once

#include <optional>
#include <string>

namespace tornel {

// An exclusive lock on a sample file, held while a program owns the
// recording in it. The system drops it when the owner dies however it dies,
// so a lock that can be taken means the owner is gone; a process number
// could have been reused. A second lock on the same file fails, in this
// process too, so two instances never take the same recording.
class RecordingLock {
public:
  // Nothing when the file is missing or someone holds its lock.
  static std::optional<RecordingLock> TryTake(const std::string& path);
  ~RecordingLock();
  RecordingLock(RecordingLock&& other) noexcept;
  RecordingLock& operator=(RecordingLock&& other) noexcept;
  RecordingLock(const RecordingLock&) = delete;
  RecordingLock& operator=(const RecordingLock&) = delete;

private:
  explicit RecordingLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace tornel
