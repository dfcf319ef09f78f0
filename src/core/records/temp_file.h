#pragma once

#include <string>
#include <string_view>

namespace tornel {

// A new empty file "<prefix><decimal number>" in the system's temporary
// folder. The name is reserved by creating the file exclusively, so two
// records, or two running programs, never get the same one. Throws UserError
// "Не удалось создать файл <path>" when the folder cannot take a new file.
std::string CreateTempFile(std::string_view prefix);
// The same in `folder`.
std::string CreateTempFileIn(const std::string& folder, std::string_view prefix);
// The system's temporary folder ("/tmp" when it names none).
std::string SystemTempFolder();

// Deletes the file when it is a regular file; an empty path, a missing file
// or anything else (a device such as /dev/full, a folder, a pipe) is left
// alone without error, so a path someone pointed elsewhere never unlinks it.
void RemoveFileIfExists(const std::string& path);

}  // namespace tornel
