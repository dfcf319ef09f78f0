#pragma once

#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "cli/tool_arguments.h"

namespace tornel::cli {

// tornel-tool run-scheme FILE.str [--end T] [--step H] [--device none|sim]
//   [--config INI] -o OUT.csv|OUT.dta
struct RunSchemeRequest {
  std::string input;
  std::string output;
  double endTime = 1.0;
  double step = 0.001;
  bool simulatedBench = false;
  std::string config;  // empty: every channel offset 0
};

// args are the words after the program name, beginning with "run-scheme".
std::variant<RunSchemeRequest, UsageError> ParseRunSchemeArguments(
    const std::vector<std::string>& args);

// Runs the scheme's simulated-time calculation without a display and writes
// the graph block's samples. Exit codes and messages as RunTool's; a refused
// or failed run leaves no output file.
int RunSchemeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tornel::cli
