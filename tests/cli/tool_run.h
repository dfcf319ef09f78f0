#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/tool_runner.h"

namespace tornel::cli {

// One run of tornel-tool in-process: its exit code and what it printed.
struct ToolRun {
  int code;
  std::string out, err;
};

inline ToolRun Tool(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = RunTool(args, out, err);
  return {code, out.str(), err.str()};
}

}  // namespace tornel::cli
