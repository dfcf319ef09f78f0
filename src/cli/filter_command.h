#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "cli/tool_arguments.h"

namespace tornel::cli {

// tornel-tool filter FILE.dta (--hanning | --rms MS | --abs | --exp K |
// --sort N) [--channels LIST] -o OUT.dta
struct FilterRequest {
  enum class Kind { Hanning, MovingRms, Abs, ExpSmoothing, Sort };
  Kind kind = Kind::Hanning;
  std::string parameter;             // MS, K or N as typed
  std::optional<uint16_t> channels;  // bit i = ADC channel i + 1; none: all recorded
  std::string input;
  std::string output;
};

// args are the words after the program name, beginning with "filter".
std::variant<FilterRequest, UsageError> ParseFilterArguments(const std::vector<std::string>& args);

// Applies the filter as the graph window does, makes the filtered samples
// the record's own and saves the record to the output. Exit codes and
// messages as RunTool's; a refusal writes no output file.
int RunFilterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tornel::cli
