#pragma once

#include <optional>
#include <string>

#include "core/scheme/scheme.h"
#include "core/scheme/scheme_calculation.h"

namespace tornel {

// What the scheme window says around a calculation. Numbers use the given
// decimal separator.

// Graph samples above this size are confirmed by the user before a run.
inline constexpr double kConfirmSampleBytes = 1024.0 * 1024.0 * 1024.0;

// The bytes of graph samples a simulated-time run would write. Zero for a
// real-time run, whose length in ticks follows the clock, and for settings
// that the run refuses anyway.
double PlannedSampleBytes(const Scheme& scheme, const RunSettings& settings);

// "512 МБ", "14,9 ГБ" (binary units, as the free-space refusal counts).
std::string ByteSizeText(double bytes, char separator);

// The question before a run whose samples pass kConfirmSampleBytes, or
// nothing when the run needs none.
std::optional<std::string> LargeRunQuestion(const Scheme& scheme, const RunSettings& settings,
                                            char separator);

// Why a run would be pointless before it starts, or nothing.
std::optional<std::string> NothingToRun(const Scheme& scheme);

// After a run: "h = " and the step used, written so that it reads back
// exactly; a run the user stopped says so and when; a graph block with no
// input says why it shows nothing.
std::string RunMessage(const Scheme& scheme, const RunResult& result, char separator);

}  // namespace tornel
