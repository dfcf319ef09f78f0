#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tornel {

// An open file descriptor that closes itself, with the program's messages for
// the failures a user must hear about. Reads and writes retry short transfers.
class FileHandle {
public:
  FileHandle() = default;
  FileHandle(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~FileHandle();
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  // A regular file (or device) for reading; a folder does not count.
  static std::optional<FileHandle> TryOpenRead(const std::string& path);
  // Throws UserError "Не удалось открыть файл <path>".
  static FileHandle OpenRead(const std::string& path);
  // Creates or truncates; throws UserError "Не удалось создать файл <path>".
  static FileHandle CreateTruncate(const std::string& path);
  // Opens for appending, creating the file when missing; same error.
  static FileHandle OpenAppend(const std::string& path);

  bool IsOpen() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  const std::string& Path() const { return path_; }

  // Fills buf unless the file ends first; returns the bytes read. A read
  // error throws UserError "Не удалось прочитать файл <path>".
  std::size_t Read(void* buf, std::size_t n);
  // The same at an absolute offset, without moving the file position.
  std::size_t ReadAt(void* buf, std::size_t n, int64_t offset) const;
  // Throws UserError "Не удалось записать файл <path>" unless all n bytes land.
  void WriteAll(const void* buf, std::size_t n);
  // Current size in bytes, -1 when it cannot be told.
  int64_t Size() const;
  // Closes; a failing close of a written file throws like WriteAll.
  void Close();

private:
  int fd_ = -1;
  std::string path_;
};

[[noreturn]] void ThrowOpenError(const std::string& path);
[[noreturn]] void ThrowCreateError(const std::string& path);
[[noreturn]] void ThrowWriteError(const std::string& path);

}  // namespace tornel
