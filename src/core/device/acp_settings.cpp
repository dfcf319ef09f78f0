#include "core/device/acp_settings.h"

#include <limits>

#include "core/text/number_text.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

constexpr int kFieldDecimals = 3;

std::string Fixed(double value) {
  return FormatFixed(value, kFieldDecimals, SystemDecimalSeparator());
}

int16_t StrictZeroCode(std::string_view text) {
  std::optional<int32_t> value = StrToIntStrict(text);
  if (!value) throw UserError("«" + std::string(text) + "» — не целое число");
  // A zero code that wrapped into 16 bits would shift every reading.
  if (*value < std::numeric_limits<int16_t>::min() || *value > std::numeric_limits<int16_t>::max())
    throw UserError("«" + std::string(text) + "» — смещение нуля должно лежать в пределах от " +
                    "-32768 до 32767");
  return static_cast<int16_t>(*value);
}

}  // namespace

AcpSettings AcpSettings::FromTable(const ChannelTable& table) {
  AcpSettings s;
  for (int ch = 0; ch < kAcpChannels; ++ch) {
    s.AcpBase[ch] = table.Base[ch];
    s.AcpRealBase[ch] = table.RealBase[ch];
    s.AcpOffset[ch] = table.Offset[ch];
  }
  s.FilterMask = table.FilterMask;
  return s;
}

void AcpSettings::CopyTo(ChannelTable& table) const {
  for (int ch = 0; ch < kAcpChannels; ++ch) {
    table.Base[ch] = AcpBase[ch];
    table.RealBase[ch] = AcpRealBase[ch];
    table.Offset[ch] = AcpOffset[ch];
  }
  table.FilterMask = FilterMask;
}

bool AcpSettings::Filtered(int ch) const { return (static_cast<uint16_t>(FilterMask) >> ch) & 1u; }

void AcpSettings::SetFiltered(int ch, bool on) {
  auto bit = static_cast<uint16_t>(1u << ch);
  auto mask = static_cast<uint16_t>(FilterMask);
  FilterMask = static_cast<int16_t>(on ? (mask | bit) : (mask & ~bit));
}

double AcpSettings::MeasureAcpChannel(int channel, bool rms, const MeasurementSetup& setup) const {
  int16_t code = MeasureMeanCode(setup, static_cast<int16_t>(channel), AcpOffset[channel], rms);
  return code / static_cast<double>(kFullScaleCode);
}

void AcpSettings::TakeReading(int ch, AcpSettingMode mode, const MeasurementSetup& setup) {
  AcpReading[ch] =
      mode == AcpSettingMode::ByMaximum ? 1.0 : MeasureAcpChannel(ch, Filtered(ch), setup);
}

AcpChannelFields AcpSettings::Fields(int ch) const {
  AcpChannelFields f;
  f.Acp = Fixed(AcpReading[ch]);
  f.Stand = Fixed(AcpReading[ch] * AcpBase[ch]);
  f.Base = Fixed(AcpRealBase[ch]);
  f.Zero = std::to_string(AcpOffset[ch]);
  f.Filter = Filtered(ch);
  return f;
}

void AcpSettings::Store(int ch, AcpSettingMode mode, const AcpChannelEdits& edits) {
  SetFiltered(ch, edits.Filter);
  AcpRealBase[ch] = StrToFloatLenient(edits.Base);
  double stand = StrToFloatLenient(edits.Stand);
  if (mode == AcpSettingMode::ByMaximum)
    AcpBase[ch] = stand;
  else
    AcpBase[ch] = AcpReading[ch] != 0.0 ? stand / AcpReading[ch] : 1.0;
  AcpOffset[ch] = StrictZeroCode(edits.Zero);
}

}  // namespace tornel
