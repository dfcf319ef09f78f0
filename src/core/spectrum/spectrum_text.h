#pragma once

#include <string>

#include "core/spectrum/spectrum_result.h"

namespace tornel {

// The harmonic table as lines of tab-separated cells: a header ("№",
// "f, Гц", "A, <unit>", "%"), then one row per harmonic with its order,
// frequency, amplitude and share of the fundamental. Decimals follow the
// numbers: frequencies a digit finer than the resolution, amplitudes five
// significant digits of the fundamental's.
std::string HarmonicTableText(const SpectrumResult& result, const std::string& unit,
                              char separator);

// What a spectrum came to, one item per line: the fundamental, THD, DC,
// then the window, the time span, the frames and the resolution.
std::string SpectrumSummaryText(const SpectrumResult& result, const std::string& unit,
                                char separator);

// "Хеннинга" or "прямоугольное".
std::string WindowFunctionName(WindowFunction window);

}  // namespace tornel
