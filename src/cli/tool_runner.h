#pragma once

#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "cli/tool_arguments.h"
#include "core/text/user_error.h"

namespace tornel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs tornel-tool on the words after the program name. Results go to out,
// messages to err: the Russian text of a failure (exit 1) or the usage with
// what was wrong (exit 2).
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The same for every command but "plot", without the drawing libraries
// (library tornel_cli_core): what the tool runs in its own process.
int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// One command's ending, as RunTool's: a usage error with the usage (exit 2),
// or run(request) with a UserError's text on err (exit 1).
template <typename Request, typename Run>
int RunParsed(const std::variant<Request, UsageError>& parsed, Run run, std::ostream& out,
              std::ostream& err) {
  if (auto* usage = std::get_if<UsageError>(&parsed)) {
    err << "tornel-tool: " << usage->message << "\n\n" << kUsage;
    return kExitUsage;
  }
  try {
    run(std::get<Request>(parsed));
  } catch (const UserError& e) {
    err << e.what() << "\n";
    return kExitFailure;
  }
  out.flush();
  return kExitOk;
}

}  // namespace tornel::cli
