#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "cli/tool_arguments.h"
#include "core/spectrum/spectrum_request.h"
#include "core/spectrum/spectrum_result.h"

namespace tornel::cli {

// tornel-tool spectrum FILE.dta --channel N [--from T] [--to T]
// [--window hann|rect] [--harmonics K] [--json]
struct SpectrumToolRequest {
  std::string input;
  int channel = 0;  // ADC channel 1..16
  SpectrumRequest spectrum;
  bool json = false;
};

// args are the words after the program name, beginning with "spectrum".
std::variant<SpectrumToolRequest, UsageError> ParseSpectrumArguments(
    const std::vector<std::string>& args);

// One JSON object with exactly the keys channel, sample_rate,
// resolution_hz, dc, fundamental_hz, thd_pct and harmonics (objects of
// order, hz and amplitude), numbers in their shortest exact form.
std::string SpectrumJson(int channel, const SpectrumResult& result);

// The spectrum of the whole record, or of --from .. --to, as text or JSON on
// out. Exit codes as RunTool's; a failure's message names the file.
int RunSpectrumCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tornel::cli
