#pragma once

#include <string>

#include "core/records/file_handle.h"

namespace tornel {

// Writes a file so that the old one stays whole until the new one is: the
// bytes go to a sibling temporary file that Commit() renames over the
// target. Without Commit() the temporary file is deleted. A target that is
// not a regular file (a device such as /dev/stdout, a pipe) is written
// directly, and so is a target whose folder takes no new files.
class ReplacingFile {
public:
  // Throws UserError "Не удалось создать файл <path>".
  explicit ReplacingFile(const std::string& path);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Write errors name the target: "Не удалось записать файл <path>".
  FileHandle& File() { return file_; }
  void Commit();

private:
  std::string target_;
  std::string temp_;  // empty when writing the target directly
  FileHandle file_;
};

}  // namespace tornel
