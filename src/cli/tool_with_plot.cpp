#include "cli/plot_command.h"
#include "cli/tool_runner.h"

namespace tornel::cli {

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (!args.empty() && args[0] == "plot") return RunPlotCommand(args, out, err);
  return RunCommand(args, out, err);
}

}  // namespace tornel::cli
