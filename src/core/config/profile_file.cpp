#include "core/config/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/text/cp1251.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

constexpr std::size_t kMaxValueBytes = 2047;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool SectionName(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  line.remove_prefix(1);
  std::size_t close = line.find(']');
  name = Trim(line.substr(0, close));
  return true;
}

bool KeyAndValue(std::string_view line, std::string_view& key, std::string_view& value) {
  line = Trim(line);
  if (line.empty() || line.front() == ';' || line.front() == '[') return false;
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  value = Trim(line.substr(eq + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return true;
}

// A line feed inside a key or value would split the line in two.
std::string OneLine(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

ProfileFile::~ProfileFile() {
  if (batch_ && dirty_) {
    try {
      Flush();
    } catch (...) {
      // The error was already reported by the write that failed.
    }
  }
}

ProfileFile::Snapshot ProfileFile::Stat() const {
  struct stat st {};
  Snapshot s;
  if (::stat(path_.c_str(), &st) != 0) return s;
  s.exists = true;
  s.size = st.st_size;
  s.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  s.inode = st.st_ino;
  return s;
}

void ProfileFile::Refresh() const {
  if (batch_ && haveContent_) return;  // our pending writes are the truth
  Snapshot now = Stat();
  if (haveContent_ && now == loaded_) return;
  std::string bytes;
  if (now.exists) {
    std::ifstream in(path_, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  Parse(bytes);
  loaded_ = now;
  haveContent_ = true;
}

void ProfileFile::Parse(const std::string& bytes) const {
  lines_.clear();
  eol_ = "\r\n";
  finalEol_ = true;
  if (bytes.empty()) return;
  std::size_t firstLf = bytes.find('\n');
  if (firstLf != std::string::npos && (firstLf == 0 || bytes[firstLf - 1] != '\r')) eol_ = "\n";
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t lf = bytes.find('\n', start);
    std::size_t end = lf == std::string::npos ? bytes.size() : lf;
    std::size_t textEnd = end;
    if (textEnd > start && bytes[textEnd - 1] == '\r') --textEnd;
    lines_.emplace_back(bytes, start, textEnd - start);
    if (lf == std::string::npos) {
      finalEol_ = false;
      break;
    }
    start = lf + 1;
  }
}

std::string ProfileFile::Serialise() const {
  std::string out;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i];
    if (i + 1 < lines_.size() || finalEol_) out += eol_;
  }
  return out;
}

std::size_t ProfileFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    std::string_view name;
    if (SectionName(lines_[i], name) && Cp1251EqualsIgnoreCase(name, section)) return i;
  }
  return kNone;
}

std::size_t ProfileFile::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  std::string_view name;
  while (i < lines_.size() && !SectionName(lines_[i], name)) ++i;
  return i;
}

bool ProfileFile::FindValue(std::string_view section, std::string_view key,
                            std::string& value) const {
  Refresh();
  std::string sec = Utf8ToCp1251(section);
  std::string k = Utf8ToCp1251(key);
  std::size_t header = FindSection(sec);
  if (header == kNone) return false;
  std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    std::string_view lk, lv;
    if (KeyAndValue(lines_[i], lk, lv) && Cp1251EqualsIgnoreCase(lk, k)) {
      value = Cp1251ToUtf8(lv.substr(0, kMaxValueBytes));
      return true;
    }
  }
  return false;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view def) const {
  std::string value;
  if (FindValue(section, key, value)) return value;
  return std::string(def);
}

int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                 int32_t def) const {
  std::string value;
  if (!FindValue(section, key, value)) return def;
  return StrToIntStrict(value).value_or(def);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double ProfileFile::ReadFloat(std::string_view section, std::string_view key, double def) const {
  std::string value;
  if (!FindValue(section, key, value)) return def;
  return StrToFloatStrict(value).value_or(def);
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  Write(section, key, value);
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  Write(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  Write(section, key, value ? "1" : "0");
}

void ProfileFile::WriteFloat(std::string_view section, std::string_view key, double value) {
  Write(section, key, FormatGeneral(value, SystemDecimalSeparator()));
}

void ProfileFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  EnsureWritable();
  Refresh();
  std::string sec = OneLine(Utf8ToCp1251(section));
  std::string k = OneLine(Utf8ToCp1251(key));
  std::string v = OneLine(Utf8ToCp1251(value));

  std::size_t header = FindSection(sec);
  if (header == kNone) {
    lines_.push_back("[" + sec + "]");
    lines_.push_back(k + "=" + v);
  } else {
    std::size_t end = SectionEnd(header);
    std::size_t lastKey = header;
    bool replaced = false;
    for (std::size_t i = header + 1; i < end; ++i) {
      std::string_view lk, lv;
      if (!KeyAndValue(lines_[i], lk, lv)) continue;
      if (Cp1251EqualsIgnoreCase(lk, k)) {
        lines_[i] = std::string(lk) + "=" + v;
        replaced = true;
        break;
      }
      lastKey = i;
    }
    if (!replaced) {
      lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastKey + 1), k + "=" + v);
    }
  }
  finalEol_ = true;
  dirty_ = true;
  if (!batch_) Flush();
}

void ProfileFile::BeginBatch() {
  Refresh();
  batch_ = true;
}

void ProfileFile::CommitBatch() {
  if (dirty_) Flush();
  batch_ = false;
}

[[noreturn]] void ProfileFile::FailWrite() const {
  throw UserError("Не удалось записать файл " + path_);
}

namespace {

// A file or folder whose mode has no write bit at all counts as read-only even
// for the superuser: whoever marked it so meant it to stay as it is.
bool Writable(const char* path) {
  struct stat st {};
  if (::stat(path, &st) != 0) return false;
  return (st.st_mode & 0222) != 0 && ::access(path, W_OK) == 0;
}

}  // namespace

void ProfileFile::EnsureWritable() const {
  if (::access(path_.c_str(), F_OK) == 0 && !Writable(path_.c_str())) FailWrite();
  std::filesystem::path dir = std::filesystem::path(path_).parent_path();
  if (dir.empty()) dir = ".";
  if (!Writable(dir.c_str())) FailWrite();
}

void ProfileFile::Flush() {
  std::error_code ec;
  std::filesystem::path target(path_);
  if (std::filesystem::is_symlink(target, ec)) target = std::filesystem::canonical(target, ec);
  std::string tmp = target.string() + ".XXXXXX";
  int fd = ::mkstemp(tmp.data());
  if (fd < 0) FailWrite();

  struct stat st {};
  mode_t mode;
  if (::stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  std::string bytes = Serialise();
  bool ok = ::fchmod(fd, mode) == 0;
  for (std::size_t done = 0; ok && done < bytes.size();) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(tmp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(tmp.c_str());
    FailWrite();
  }
  dirty_ = false;
  loaded_ = Stat();
}

}  // namespace tornel
