#pragma once

#include <string>
#include <string_view>

namespace tornel {

// A new empty file "<prefix><decimal number>" in the system's temporary
// folder. The name is reserved by creating the file exclusively, so two
// records, or two running programs, never get the same one. Throws UserError
// "Не удалось создать файл <path>" when the folder cannot take a new file.
std::string CreateTempFile(std::string_view prefix);

// Deletes the file when it exists; an empty path or a missing file is no error.
void RemoveFileIfExists(const std::string& path);

}  // namespace tornel
