#include <iostream>
#include <string>
#include <vector>

#include "cli/tool_runner.h"

// tornel-tool's drawing half: tornel-tool hands "plot" over to it.
int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  return tornel::cli::RunTool(args, std::cout, std::cerr);
}
