#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tornel {

// An INI-style configuration file in code page 1251, with the semantics of the
// classic profile-file functions: sections and keys are matched without regard
// to case (Cyrillic included), the first match wins, and a write changes only
// its own key's line (or adds the key to its section, or the section to the
// end of the file) — every other line, comment and blank line stays byte for
// byte. The interface speaks UTF-8; the file holds code page 1251.
//
// Every write outside a batch is on disk when it returns, and the file is
// replaced atomically (a sibling temporary file renamed over it), so a crash
// never leaves half a file. A write that cannot be done throws UserError
// "Не удалось записать файл <path>".
class ProfileFile {
public:
  explicit ProfileFile(std::string path);
  ~ProfileFile();
  ProfileFile(const ProfileFile&) = delete;
  ProfileFile& operator=(const ProfileFile&) = delete;

  const std::string& Path() const { return path_; }

  // At most 2047 bytes of the value are returned; missing key → def.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  // Decimal, or hexadecimal after "0x", "0X" or "$"; unparsable → def.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  // Read as an integer; any non-zero value is true.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  // Either "." or "," is accepted as the separator; empty or unparsable → def.
  double ReadFloat(std::string_view section, std::string_view key, double def) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // General format, 15 significant digits, the system's decimal separator.
  void WriteFloat(std::string_view section, std::string_view key, double value);

  // Between BeginBatch and CommitBatch writes stay in memory and the file is
  // replaced once, at the commit. Each write still checks that the file can
  // be written and throws at the first key that cannot. A batch that is not
  // committed (an exception unwound past it) is written by the destructor as
  // far as it went.
  void BeginBatch();
  void CommitBatch();

private:
  struct Snapshot {
    bool exists = false;
    int64_t size = 0;
    int64_t mtimeNs = 0;
    uint64_t inode = 0;
    bool operator==(const Snapshot&) const = default;
  };

  Snapshot Stat() const;
  void Refresh() const;
  void Parse(const std::string& bytes) const;
  std::string Serialise() const;
  std::size_t FindSection(std::string_view section) const;
  std::size_t SectionEnd(std::size_t header) const;
  bool FindValue(std::string_view section, std::string_view key, std::string& value) const;
  void Write(std::string_view section, std::string_view key, std::string_view value);
  void EnsureWritable() const;
  void Flush();
  [[noreturn]] void FailWrite() const;

  std::string path_;
  mutable std::vector<std::string> lines_;
  mutable std::string eol_ = "\r\n";
  mutable bool finalEol_ = true;
  mutable Snapshot loaded_;
  mutable bool haveContent_ = false;
  bool batch_ = false;
  bool dirty_ = false;
};

}  // namespace tornel
