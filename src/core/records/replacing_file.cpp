#include "core/records/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "core/records/temp_file.h"

namespace tornel {
namespace {

std::atomic<unsigned> g_sequence{0};

// Follows a symbolic link so that saving through it replaces the file it
// names, not the link.
std::string ResolveTarget(const std::string& path) {
  char resolved[PATH_MAX];
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
      ::realpath(path.c_str(), resolved) != nullptr) {
    return resolved;
  }
  return path;
}

}  // namespace

ReplacingFile::ReplacingFile(const std::string& path) : target_(path) {
  if (path.empty()) ThrowCreateError(path);
  const std::string real = ResolveTarget(path);
  struct stat st {};
  const bool exists = ::stat(real.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) ThrowCreateError(path);
  if (!exists || S_ISREG(st.st_mode)) {
    const std::string temp =
        real + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(g_sequence.fetch_add(1));
    const mode_t mode = exists ? (st.st_mode & 07777) : 0666;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      if (exists) ::fchmod(fd, mode);
      temp_ = temp;
      target_ = real;
      file_ = FileHandle(fd, path);
      return;
    }
  }
  int fd = ::open(real.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) ThrowCreateError(path);
  file_ = FileHandle(fd, path);
}

ReplacingFile::~ReplacingFile() {
  if (!temp_.empty()) {
    file_ = FileHandle();
    RemoveFileIfExists(temp_);
  }
}

void ReplacingFile::Commit() {
  file_.Close();
  if (temp_.empty()) return;
  if (::rename(temp_.c_str(), target_.c_str()) != 0) ThrowWriteError(file_.Path());
  temp_.clear();
}

}  // namespace tornel
