#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tornel::testing {

// Records that a per-column drawing must not smooth away: steps, spikes of
// a single frame each way, noise over the whole range, and a sine.
enum class Signal { Steps, Spikes, Noise, Sine };
inline constexpr std::array<Signal, 4> kSignals{Signal::Steps, Signal::Spikes, Signal::Noise,
                                                Signal::Sine};

inline int16_t SignalCode(Signal signal, int64_t frame) {
  switch (signal) {
    case Signal::Steps:
      return (frame / 777) % 2 ? 400 : -400;
    case Signal::Spikes:
      if (frame % 9973 == 0) return 511;
      return frame % 7919 == 5 ? -511 : 0;
    case Signal::Noise: {
      auto x = static_cast<uint32_t>(frame) * 2654435761u;
      x ^= x >> 15;
      return static_cast<int16_t>(static_cast<int>(x % 1001) - 500);
    }
    case Signal::Sine:
      return static_cast<int16_t>(450 * std::sin(static_cast<double>(frame) / 1965.0));
  }
  return 0;
}

// Frames of the four signals, one channel each, in the order of kSignals.
inline std::vector<int16_t> FourSignals(int64_t frames) {
  std::vector<int16_t> codes;
  codes.reserve(static_cast<std::size_t>(frames) * kSignals.size());
  for (int64_t i = 0; i < frames; ++i) {
    for (Signal s : kSignals) codes.push_back(SignalCode(s, i));
  }
  return codes;
}

}  // namespace tornel::testing
