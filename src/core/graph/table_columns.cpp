#include "core/graph/table_columns.h"

#include <cmath>

#include "core/text/number_text.h"

namespace tornel {
namespace {

constexpr int kTableDecimals = 3;
// Below a nanosecond a step is no longer a sampling interval.
constexpr int kMaxTimeDecimals = 9;

// The fewest decimals (at least three) at which times one step apart differ:
// a step of one unit of the last decimal or more always changes the text.
int TimeDecimalsFor(double step) {
  int decimals = kTableDecimals;
  if (!(step > 0) || !std::isfinite(step)) return decimals;
  double scaled = step * 1000.0;
  // The tolerance keeps 0.0001 (stored a hair below) at four decimals.
  while (scaled < 1.0 - 1e-9 && decimals < kMaxTimeDecimals) {
    scaled *= 10.0;
    ++decimals;
  }
  return decimals;
}

}  // namespace

TableColumns::TableColumns(const TGraphRecord& record, MaskPair selected)
    : recorded_(record.RecordedMask()),
      selected_(selected & record.RecordedMask()),
      recChannelCount_(record.FrameValues()),
      format_(record.Samples),
      fullScale_(record.FullScale),
      isStatic_(record.IsStatic) {
  for (int slot = 0; slot < kChannelSlots; ++slot) {
    const bool dac = slot >= kCapSlotBase;
    const uint16_t word = dac ? selected_.Cap : selected_.Acp;
    if (!((word >> (dac ? slot - kCapSlotBase : slot)) & 1)) continue;
    columns_.push_back({slot, record.SlotToPosition(slot), record.ChanName[slot],
                        record.ChanUnit[slot], record.Base[slot]});
  }
  const double frames = record.FrameCount;
  frameRows_ = std::isfinite(frames) && frames > 0 ? static_cast<int64_t>(frames) : 0;
  // One frame (or none) has no spacing; dividing by FrameCount - 1 would put
  // NaN or infinity into the time column.
  timeStep_ = frameRows_ > 1 ? record.Duration / static_cast<double>(frameRows_ - 1) : 0.0;
  timeDecimals_ = TimeDecimalsFor(timeStep_);
}

std::string TableColumns::CornerText() const { return isStatic_ ? "№" : "t, c"; }

std::string TableColumns::HeaderText(int column) const {
  const TableColumn& c = columns_.at(column);
  return c.Unit.empty() ? c.Name : c.Name + ", " + c.Unit;
}

std::string TableColumns::RowText(int64_t frame, char separator) const {
  if (isStatic_) return std::to_string(frame + 1);
  return FormatFixed(static_cast<double>(frame) * timeStep_, timeDecimals_, separator);
}

double TableColumns::Value(int column, double sample) const {
  return sample / fullScale_ * columns_.at(column).Scale;
}

std::string TableColumns::ValueText(int column, double sample, char separator) const {
  return FormatFixed(Value(column, sample), kTableDecimals, separator);
}

}  // namespace tornel
