#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/records/csv_export.h"

namespace tornel::cli {

struct ToolRequest {
  enum class Command { Help, Info, ExportCsv };
  Command command = Command::Help;
  std::string input;
  std::string output;  // empty or "-": standard output
  CsvOptions csv;
};

// A command line that cannot be run; the text says why.
struct UsageError {
  std::string message;
};

// A word that is not a key's value: the input file (the first), an unknown
// key, or one word too many. "-" is a file name (standard input or output).
std::optional<UsageError> TakeInputWord(const std::string& word, std::string& input);

// args are the words after the program name.
std::variant<ToolRequest, UsageError> ParseToolArguments(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace tornel::cli
