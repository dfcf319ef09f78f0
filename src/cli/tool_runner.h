#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tornel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs tornel-tool on the words after the program name. Results go to out,
// messages to err: the Russian text of a failure (exit 1) or the usage with
// what was wrong (exit 2).
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tornel::cli
