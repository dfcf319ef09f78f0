#pragma once

#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "cli/tool_arguments.h"

namespace tornel::cli {

// tornel-tool plot FILE.dta -o OUT.png|OUT.svg|OUT.pdf [--size WxH]
struct PlotRequest {
  std::string input;
  std::string output;
  int width = 800;  // 96 dpi pixels
  int height = 500;
};

inline constexpr int kMinPlotSide = 50;
inline constexpr int kMaxPlotSide = 10000;

// args are the words after the program name, beginning with "plot".
std::variant<PlotRequest, UsageError> ParsePlotArguments(const std::vector<std::string>& args);

// Draws the plot with its legend into the file, in batch: without a display,
// on Qt's offscreen platform unless QT_QPA_PLATFORM names another. Exit codes
// and messages as RunTool's.
int RunPlotCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tornel::cli
