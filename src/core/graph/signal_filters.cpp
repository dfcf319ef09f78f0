#include "core/graph/signal_filters.h"

#include <cmath>
#include <string>

#include "core/graph/abs_value_filter.h"
#include "core/graph/exp_smoothing_filter.h"
#include "core/graph/hanning_filter.h"
#include "core/graph/moving_rms_filter.h"
#include "core/records/file_handle.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

template <typename Filter, typename... Args>
FilterOutcome RunFrameFilter(TGraphRecord& record, uint16_t mask, FilterProgress* progress,
                             const char* title, Args... args) {
  if (FilterColumns(record, mask).empty()) return FilterOutcome::NothingSelected;
  FilterStream stream(record, mask);
  Filter filter(stream.Columns(), args...);
  return stream.Run(filter, progress, title, kFilterProgressSteps);
}

[[noreturn]] void ThrowNotANumber(std::string_view text) {
  throw UserError("«" + std::string(text) + "» — не число");
}

}  // namespace

FilterOutcome ApplyHanning(TGraphRecord& record, uint16_t mask, FilterProgress* progress) {
  return RunFrameFilter<HanningFilter>(record, mask, progress, kHanningTitle);
}

FilterOutcome ApplyAbs(TGraphRecord& record, uint16_t mask, FilterProgress* progress) {
  return RunFrameFilter<AbsValueFilter>(record, mask, progress, kAbsTitle);
}

FilterOutcome ApplyExpSmoothing(TGraphRecord& record, uint16_t mask, double k,
                                FilterProgress* progress) {
  return RunFrameFilter<ExpSmoothingFilter>(record, mask, progress, kExpSmoothingTitle, k);
}

FilterOutcome ApplyMovingRms(TGraphRecord& record, uint16_t mask, int64_t windowFrames,
                             FilterProgress* progress) {
  if (FilterColumns(record, mask).empty()) return FilterOutcome::NothingSelected;
  if (windowFrames < 1) throw UserError(kWindowTooShort);
  FilterStream stream(record, mask);
  MovingRmsFilter filter(stream.Columns(), windowFrames);
  return filter.Run(stream, progress, kMovingRmsTitle);
}

int64_t MovingRmsWindow(const TGraphRecord& record, int32_t ms) {
  const int width = record.FrameValues();
  const auto file = FileHandle::TryOpenRead(record.OrigFile);
  const int64_t size = file ? file->Size() : -1;
  if (width == 0 || size < 0) return 0;
  const double frames = static_cast<double>(size / (2 * width));
  const double n = ms / (record.Duration * 1000) * frames;
  if (!(n >= 1)) return 0;  // NaN too
  return n >= frames ? static_cast<int64_t>(frames) : static_cast<int64_t>(n);
}

int32_t ParseAveragingTime(std::string_view text) {
  const auto value = StrToIntStrict(text);
  if (!value) ThrowNotANumber(text);
  return *value;
}

double ParseSmoothingFactor(std::string_view text) {
  const auto value = StrToFloatStrict(text);
  if (!value || !std::isfinite(*value)) ThrowNotANumber(text);
  return *value;
}

std::string DefaultSmoothingFactorText() { return FormatGeneral(0.3, SystemDecimalSeparator()); }

}  // namespace tornel
