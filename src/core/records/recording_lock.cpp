#include "core/records/recording_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <utility>

namespace tornel {

std::optional<RecordingLock> RecordingLock::TryTake(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  return RecordingLock(fd);
}

RecordingLock::~RecordingLock() {
  if (fd_ >= 0) ::close(fd_);
}

RecordingLock::RecordingLock(RecordingLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

RecordingLock& RecordingLock::operator=(RecordingLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

}  // namespace tornel
