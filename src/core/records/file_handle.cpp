#include "core/records/file_handle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "core/text/user_error.h"

namespace tornel {

void ThrowOpenError(const std::string& path) { throw UserError("Не удалось открыть файл " + path); }

void ThrowCreateError(const std::string& path) {
  throw UserError("Не удалось создать файл " + path);
}

void ThrowWriteError(const std::string& path) {
  throw UserError("Не удалось записать файл " + path);
}

FileHandle::~FileHandle() {
  if (fd_ >= 0) ::close(fd_);
}

FileHandle::FileHandle(FileHandle&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

std::optional<FileHandle> FileHandle::TryOpenRead(const std::string& path) {
  if (path.empty()) return std::nullopt;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  return FileHandle(fd, path);
}

FileHandle FileHandle::OpenRead(const std::string& path) {
  auto file = TryOpenRead(path);
  if (!file) ThrowOpenError(path);
  return std::move(*file);
}

FileHandle FileHandle::CreateTruncate(const std::string& path) {
  int fd = path.empty() ? -1 : ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) ThrowCreateError(path);
  return FileHandle(fd, path);
}

FileHandle FileHandle::OpenAppend(const std::string& path) {
  int fd =
      path.empty() ? -1 : ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) ThrowCreateError(path);
  return FileHandle(fd, path);
}

std::size_t FileHandle::Read(void* buf, std::size_t n) {
  auto* p = static_cast<char*>(buf);
  std::size_t done = 0;
  while (done < n) {
    ssize_t got = ::read(fd_, p + done, n - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw UserError("Не удалось прочитать файл " + path_);
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

std::size_t FileHandle::ReadAt(void* buf, std::size_t n, int64_t offset) const {
  auto* p = static_cast<char*>(buf);
  std::size_t done = 0;
  while (done < n) {
    ssize_t got = ::pread(fd_, p + done, n - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw UserError("Не удалось прочитать файл " + path_);
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

void FileHandle::WriteAll(const void* buf, std::size_t n) {
  const auto* p = static_cast<const char*>(buf);
  while (n > 0) {
    ssize_t put = ::write(fd_, p, n);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) ThrowWriteError(path_);
    p += put;
    n -= static_cast<std::size_t>(put);
  }
}

int64_t FileHandle::Size() const {
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

void FileHandle::Close() {
  if (fd_ < 0) return;
  int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0 && errno != EINTR) ThrowWriteError(path_);
}

}  // namespace tornel
