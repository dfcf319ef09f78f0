#include "core/static/point_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/records/little_endian.h"
#include "core/records/temp_file.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

using PointBytes = std::array<unsigned char, kPointBytes>;

off_t PointOffset(int32_t index) { return static_cast<off_t>(index) * kPointBytes; }

bool WriteAllAt(int fd, const unsigned char* data, std::size_t n, off_t offset) {
  while (n > 0) {
    ssize_t done = ::pwrite(fd, data, n, offset);
    if (done <= 0) return false;
    data += done;
    n -= static_cast<std::size_t>(done);
    offset += done;
  }
  return true;
}

bool ReadAllAt(int fd, unsigned char* data, std::size_t n, off_t offset) {
  while (n > 0) {
    ssize_t done = ::pread(fd, data, n, offset);
    if (done <= 0) return false;
    data += done;
    n -= static_cast<std::size_t>(done);
    offset += done;
  }
  return true;
}

// The descriptor of one change to the file, closed however it ends.
class OpenFile {
public:
  OpenFile(const std::string& path, int flags)
      : fd_(::open(path.c_str(), flags | O_CLOEXEC, 0666)) {}
  ~OpenFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int Fd() const { return fd_; }
  // Open, and at least `count` points long.
  bool HoldsPoints(int32_t count) const {
    struct stat st {};
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 && st.st_size >= PointOffset(count);
  }
  bool Close() {
    int fd = std::exchange(fd_, -1);
    return ::close(fd) == 0;
  }

private:
  int fd_;
};

std::string PointFolder() {
  const char* tmp = std::getenv("TMP");
  return tmp && *tmp ? std::string(tmp) : SystemTempFolder();
}

}  // namespace

PointFile PointFile::CreateTemporary() {
  return PointFile(CreateTempFileIn(PointFolder(), "TrSt"));
}

PointFile::PointFile(std::string path) : path_(std::move(path)) {}

PointFile::~PointFile() { RemoveFileIfExists(path_); }

PointFile::PointFile(PointFile&& other) noexcept
    : path_(std::move(other.path_)), count_(other.count_) {
  other.Forget();
}

PointFile& PointFile::operator=(PointFile&& other) noexcept {
  if (this != &other) {
    RemoveFileIfExists(path_);
    path_ = std::move(other.path_);
    count_ = other.count_;
    other.Forget();
  }
  return *this;
}

void PointFile::Append(const StaticPoint& point) {
  PointBytes bytes{};
  for (int i = 0; i < kPointWords; ++i) StoreLittleEndian(bytes.data() + 2 * i, point[i]);
  // Once points are counted the file must hold them: one that vanished or
  // was cut would otherwise be recreated with a zero-filled gap, and zeros
  // would reach the graph as points.
  OpenFile file(path_, count_ == 0 ? O_WRONLY | O_CREAT : O_WRONLY);
  if (file.Fd() < 0 && count_ == 0) throw UserError("Не удалось записать точку в файл " + path_);
  if (!file.HoldsPoints(count_)) {
    throw UserError("Не удалось записать точку в файл " + path_ +
                    ": файл удалён или изменён другой программой");
  }
  // Written at the place the count says rather than appended, so a failed
  // write is cut off again and never shifts the points that follow.
  // Each point is an operator's second at the bench: on the disk before the
  // table shows it, so a power cut costs none.
  bool written = WriteAllAt(file.Fd(), bytes.data(), bytes.size(), PointOffset(count_)) &&
                 ::ftruncate(file.Fd(), PointOffset(count_ + 1)) == 0 &&
                 ::fdatasync(file.Fd()) == 0;
  if (!written) (void)::ftruncate(file.Fd(), PointOffset(count_));
  if (!written || !file.Close()) {
    throw UserError("Не удалось записать точку в файл " + path_);
  }
  ++count_;
}

void PointFile::Remove(int32_t index) {
  if (index < 0 || index >= count_) throw std::out_of_range("PointFile::Remove");
  OpenFile file(path_, O_RDWR);
  // Everything from the removed point on is read before anything moves, and
  // put back should a write fail, so the file never ends up half shifted.
  std::vector<unsigned char> from(static_cast<std::size_t>(count_ - index) * kPointBytes);
  bool done = file.HoldsPoints(count_) &&
              ReadAllAt(file.Fd(), from.data(), from.size(), PointOffset(index));
  if (done) {
    done = WriteAllAt(file.Fd(), from.data() + kPointBytes, from.size() - kPointBytes,
                      PointOffset(index)) &&
           ::ftruncate(file.Fd(), PointOffset(count_ - 1)) == 0 && ::fdatasync(file.Fd()) == 0;
    if (!done) (void)WriteAllAt(file.Fd(), from.data(), from.size(), PointOffset(index));
  }
  if (!done || !file.Close()) throw UserError("Не удалось изменить файл " + path_);
  --count_;
}

void PointFile::Clear() {
  OpenFile file(path_, O_WRONLY | O_CREAT | O_TRUNC);
  if (file.Fd() < 0 || !file.Close()) throw UserError("Не удалось изменить файл " + path_);
  count_ = 0;
}

std::string PointFile::Release() {
  std::string path = std::move(path_);
  Forget();
  return path;
}

void PointFile::Forget() {
  path_.clear();
  count_ = 0;
}

}  // namespace tornel
