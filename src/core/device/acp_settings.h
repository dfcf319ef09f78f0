#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/channel_table.h"
#include "core/device/one_second_read.h"

namespace tornel {

// How the ADC settings dialog reads the typed bench value.
enum class AcpSettingMode {
  ByMaximum = 0,  // the value the bench shows at full scale
  ByReading = 1,  // the value the bench shows now, against a measured reading
};

// The texts of one ADC channel's fields, UTF-8, numbers with the system's
// decimal separator.
struct AcpChannelFields {
  std::string Acp;    // the reading as a fraction of full scale
  std::string Stand;  // the reading in the channel's unit
  std::string Base;   // RealBase
  std::string Zero;   // Offset
  bool Filter = false;
};

// What the user left in one channel's fields when storing it.
struct AcpChannelEdits {
  bool Filter = false;
  std::string_view Stand;
  std::string_view Base;
  std::string_view Zero;
};

// The working copy the ADC settings dialog edits: scaling, zero codes and the
// filter flags of the 16 ADC channels. It reaches the channel table only
// through CopyTo, when the user confirms the dialog.
class AcpSettings {
public:
  std::array<double, kAcpChannels> AcpBase{};
  std::array<double, kAcpChannels> AcpRealBase{};
  std::array<int16_t, kAcpChannels> AcpOffset{};
  // The last reading of each channel as code / 511; 1.0 in ByMaximum.
  std::array<double, kAcpChannels> AcpReading{};
  int16_t FilterMask = 0;

  static AcpSettings FromTable(const ChannelTable& table);
  // Base, RealBase and Offset of all 16 ADC channels, and the filter mask.
  void CopyTo(ChannelTable& table) const;

  bool Filtered(int ch) const;
  void SetFiltered(int ch, bool on);

  // One second of ADC channel `channel` at the scan priorities, this copy's
  // zero code added, as a fraction of full scale (code / 511): the mean, or
  // the root mean square when `rms`.
  double MeasureAcpChannel(int channel, bool rms, const MeasurementSetup& setup) const;
  // The reading that showing channel `ch` takes: MeasureAcpChannel (RMS when
  // the channel is filtered) in ByReading; 1.0, without reading anything, in
  // ByMaximum.
  void TakeReading(int ch, AcpSettingMode mode, const MeasurementSetup& setup);
  AcpChannelFields Fields(int ch) const;

  // Stores the edits of channel `ch` in order: filter flag, RealBase, Base,
  // Offset. A zero text that is not an int16 throws UserError with the fields
  // before it already stored.
  void Store(int ch, AcpSettingMode mode, const AcpChannelEdits& edits);
};

}  // namespace tornel
