#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/graph/filter_progress.h"
#include "core/graph/filter_stream.h"
#include "core/records/graph_record.h"

namespace tornel {

// The filters of a record's ADC channels. Each starts again from OrigFile,
// writes FilteredFile and, when done, shows it (SampleFile = FilteredFile,
// HasFiltered = true); unselected ADC columns and every DAC column pass
// unchanged. mask: bit i = ADC channel i + 1; a mask without a recorded
// channel changes nothing. Failures throw UserError naming the file (see
// FilterStream), cancelling returns Cancelled; either way the record shows
// OrigFile and keeps HasFiltered.
inline constexpr const char* kHanningTitle = "Фильтр Хеннинга";
inline constexpr const char* kMovingRmsTitle = "Фильтр Среднее квадратичное";
inline constexpr const char* kAbsTitle = "Фильтр Модуль сигнала";
inline constexpr const char* kExpSmoothingTitle = "Фильтр Экспон.сглаживание";

// The bar of the frame-by-frame filters.
inline constexpr int kFilterProgressSteps = 100;

FilterOutcome ApplyHanning(TGraphRecord& record, uint16_t mask, FilterProgress* progress = nullptr);
FilterOutcome ApplyAbs(TGraphRecord& record, uint16_t mask, FilterProgress* progress = nullptr);
FilterOutcome ApplyExpSmoothing(TGraphRecord& record, uint16_t mask, double k,
                                FilterProgress* progress = nullptr);
// windowFrames from MovingRmsWindow; below 1 throws UserError
// kWindowTooShort.
FilterOutcome ApplyMovingRms(TGraphRecord& record, uint16_t mask, int64_t windowFrames,
                             FilterProgress* progress = nullptr);

inline constexpr const char* kWindowTooShort = "Время усреднения меньше интервала между отсчётами";

// N = trunc(ms / (Duration * 1000) * FrameCount) over the frames of
// OrigFile, at most all of them (more gives the same single block); 0 when
// the time is shorter than one sample interval, or OrigFile cannot be read.
int64_t MovingRmsWindow(const TGraphRecord& record, int32_t ms);

// The parameters as typed: the averaging time is an integer, the smoothing
// factor a number with "," or "."; a text that is neither throws UserError
// "«<text>» — не число".
int32_t ParseAveragingTime(std::string_view text);
double ParseSmoothingFactor(std::string_view text);

// The prompt's initial smoothing factor, 0.3 with the user's decimal sign.
std::string DefaultSmoothingFactorText();

}  // namespace tornel
