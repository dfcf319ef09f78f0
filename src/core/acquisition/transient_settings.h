#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/acquisition/scan_request.h"
#include "core/config/channel_table.h"

namespace tornel {

// What the transient dialog edits and keeps between runs in the section
// "Переходный процесс (defaults)". Only the DACs in use are loaded and saved.
struct TransientSettings {
  // Per DAC: signal size as a track-bar position (codes relative to zero),
  // its delay and its rise time to the nominal value, s.
  std::array<double, kCapChannels> Amplitude{};
  std::array<double, kCapChannels> Delay{};
  std::array<double, kCapChannels> RiseTime{};
  int16_t AcpMask = 0;
  int16_t CapMask = 0;
  double Duration = 1.0;  // s
  bool AutoMode = false;
  bool StendStart = true;
};

inline constexpr const char* kTransientSection = "Переходный процесс (defaults)";

// Missing keys take their defaults; a missing file is no error.
TransientSettings LoadTransientDefaults(const std::string& configPath, int capCount);
// The masks go out as signed 16-bit decimals (ADC 16 alone is -32768).
// Throws UserError "Не удалось записать файл <path>".
void SaveTransientDefaults(const std::string& configPath, int capCount,
                           const TransientSettings& settings);

// The scan thread's copy of a run: amplitudes truncated to codes, the zero
// codes of the table, DAC signals only in automatic mode.
ScanRequest MakeScanRequest(const TransientSettings& settings, const ChannelTable& table,
                            const std::string& fileName);

// The track bar of a DAC whose zero code is `zeroCode`: zero code + position
// stays within 0..1022.
struct TrackRange {
  int Minimum;
  int Maximum;
};
TrackRange AmplitudeTrackRange(int16_t zeroCode);

// A level in codes as the channel's physical value: 511 codes are `base`.
double LevelToPhysical(double level, double base);

}  // namespace tornel
