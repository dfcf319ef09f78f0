#include "core/spectrum/spectrum_span.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/records/slot_label.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

std::string Seconds(double v) { return FormatGeneral(v, SystemDecimalSeparator()); }

// The first frame at or after time t, by the plot's rule; the fraction
// t / duration first, so that the record's end gives exactly `frames`.
int64_t FrameAt(double t, double duration, int64_t frames) {
  return static_cast<int64_t>(std::floor(static_cast<double>(frames) * (t / duration)));
}

}  // namespace

void CheckSpectrumRecord(const TGraphRecord& record) {
  if (record.IsStatic) {
    throw UserError(
        "Спектр строится только для переходного процесса, а это статическая характеристика");
  }
  if (!(record.Duration > 0) || !std::isfinite(record.Duration)) {
    throw UserError("У записи нет длительности, частота отсчётов неизвестна");
  }
}

SpectrumSpan ResolveSpectrumSpan(const TGraphRecord& record, const SpectrumRequest& request) {
  CheckSpectrumRecord(record);
  const double duration = record.Duration;
  SpectrumSpan span;
  span.slot = request.slot;
  span.position = record.SlotToPosition(request.slot);
  if (span.position < 0) throw UserError("В записи нет канала " + SlotLabel(request.slot));

  const double from = request.from.value_or(0.0);
  const double to = request.to.value_or(duration);
  if (!std::isfinite(from) || !std::isfinite(to) || !(from < to)) {
    throw UserError("Интервал от " + Seconds(from) + " до " + Seconds(to) +
                    " с пуст: начало должно быть раньше конца");
  }
  if (from >= duration || to <= 0) {
    throw UserError("Интервал " + Seconds(from) + "…" + Seconds(to) + " с лежит вне записи 0…" +
                    Seconds(duration) + " с");
  }
  span.from = std::max(from, 0.0);
  span.to = std::min(to, duration);

  const auto frames = static_cast<int64_t>(record.FrameCount);
  span.first = std::clamp<int64_t>(FrameAt(span.from, duration, frames), 0, frames);
  const int64_t end = std::clamp<int64_t>(FrameAt(span.to, duration, frames), 0, frames);
  span.count = std::max<int64_t>(0, end - span.first);
  if (span.count < kMinSpectrumFrames) throw UserError("Слишком мало отсчётов для спектра");
  span.sampleRate = static_cast<double>(frames) / duration;
  return span;
}

std::vector<int> SpectrumChannelChoices(const TGraphRecord& record) {
  std::vector<int> slots;
  const MaskPair shown = record.RecordedMask() & record.ShowMask();
  for (int slot = 0; slot < kChannelSlots; ++slot) {
    const bool dac = slot >= kCapSlotBase;
    if ((shown[dac ? 1 : 0] >> (dac ? slot - kCapSlotBase : slot)) & 1) slots.push_back(slot);
  }
  return slots;
}

}  // namespace tornel
