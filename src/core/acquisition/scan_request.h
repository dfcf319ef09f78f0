#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tornel {

// DAC channels a request can describe; the first CapCount are in use.
inline constexpr int kCapChannels = 16;

// What one transient recording is asked to do, copied from the dialog before
// the run starts. Masks hold one bit per channel (bit 0 = channel 1).
struct ScanRequest {
  int16_t AcpMask = 0;
  // Only bits below CapCount count; 0 unless automatic mode is on.
  int16_t CapMask = 0;
  double Duration = 0.0;  // s
  // Per DAC: when its signal begins and how long it takes to rise by the
  // channel's RealBase, s.
  std::array<double, kCapChannels> Delay{};
  std::array<double, kCapChannels> RiseTime{};
  // Per DAC: the level the signal holds at, in codes relative to zero.
  std::array<int16_t, kCapChannels> Amplitude{};
  std::array<int16_t, kCapChannels> CapZero{};
  std::array<int16_t, 16> AcpZero{};
  // Automatic mode: generate the DAC signals.
  bool DriveCap = false;
  std::string FileName;
};

}  // namespace tornel
