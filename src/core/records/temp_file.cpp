#include "core/records/temp_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "core/records/file_handle.h"

namespace tornel {
namespace {

// Numbers start at a value that differs between processes, so that
// concurrent programs rarely probe the same names.
uint32_t NextNumber() {
  static std::atomic<uint32_t> counter{[] {
    auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<uint32_t>(::getpid()) * 7919u + static_cast<uint32_t>(now % 100000);
  }()};
  return counter.fetch_add(1) % 100000000u;
}

}  // namespace

std::string SystemTempFolder() {
  std::error_code ec;
  auto dir = std::filesystem::temp_directory_path(ec);
  return ec ? std::string("/tmp") : dir.string();
}

std::string CreateTempFile(std::string_view prefix) {
  return CreateTempFileIn(SystemTempFolder(), prefix);
}

std::string CreateTempFileIn(const std::string& folder, std::string_view prefix) {
  const std::filesystem::path dir(folder);
  std::string path;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    path = (dir / (std::string(prefix) + std::to_string(NextNumber()))).string();
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      ::close(fd);
      return path;
    }
    if (errno != EEXIST) break;
  }
  ThrowCreateError(path);
}

void RemoveFileIfExists(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  ::unlink(path.c_str());
}

}  // namespace tornel
