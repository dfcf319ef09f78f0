#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "cli/tool_arguments.h"
#include "core/analysis/transient_fit.h"

namespace tornel::cli {

// tornel-tool analyze FILE.dta --channel N [--from T0] [--settle 2|5]
// [--fit first|second] [--json]
struct AnalyzeRequest {
  std::string input;
  int channel = 0;  // ADC channel 1..16
  double stepTime = 0;
  int settleBand = 5;
  FitKind fit = FitKind::None;
  bool json = false;
};

// args are the words after the program name, beginning with "analyze".
std::variant<AnalyzeRequest, UsageError> ParseAnalyzeArguments(
    const std::vector<std::string>& args);

// The step metrics, and the fit when asked for, of one ADC channel of a data
// file, read in place: a table for people, or one JSON object. A channel
// without a step, one not recorded, a static record or a file that does not
// load is refused (exit 1) with nothing on out; a fit that does not converge
// says so on err, and the metrics still stand.
int AnalyzeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tornel::cli
