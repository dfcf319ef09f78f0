#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/tool_runner.h"

// Drawing needs QtGui, whose libraries take longer to load than most
// commands take to run: "plot" runs in tornel-tool-plot, which is loaded only
// then. A build has it beside this program, an installation under
// libexec/tornel.
int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "plot") {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::string plotter = (self.parent_path() / "tornel-tool-plot").string();
    if (::access(plotter.c_str(), X_OK) != 0) {
      plotter = (self.parent_path().parent_path() / "libexec/tornel/tornel-tool-plot").string();
    }
    argv[0] = const_cast<char*>(plotter.c_str());
    execv(plotter.c_str(), argv);
    std::cerr << "Не удалось запустить " << plotter << "\n";
    return tornel::cli::kExitFailure;
  }
  return tornel::cli::RunCommand(args, std::cout, std::cerr);
}
