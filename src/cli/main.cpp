#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/tool_runner.h"

// Drawing needs QtGui, whose libraries take longer to load than most
// commands take to run: "plot" runs in tornel-tool-plot beside this program,
// which is loaded only then.
int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "plot") {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string plotter = (self.parent_path() / "tornel-tool-plot").string();
    argv[0] = const_cast<char*>(plotter.c_str());
    execv(plotter.c_str(), argv);
    std::cerr << "Не удалось запустить " << plotter << "\n";
    return tornel::cli::kExitFailure;
  }
  return tornel::cli::RunCommand(args, std::cout, std::cerr);
}
