#pragma once

#include <cstdint>

#include "core/device/device.h"

namespace tornel {

inline constexpr int16_t kCapMinCode = 0;
inline constexpr int16_t kCapMaxCode = 1023;
// ADC input 16 is wired to the bench's start button.
inline constexpr int16_t kStendStartChannel = 15;

// The device operations every experiment uses, over the device it is given.

inline int16_t AcpRead(Device& device, int16_t channel) { return device.Read(channel); }
int16_t ClampCapCode(int code);
// Clamps to 0..1023, then outputs.
inline void CapWrite(Device& device, int16_t channel, int16_t code) {
  device.Write(channel, ClampCapCode(code));
}
// Ten raw reads of ADC 16 averaged with truncation: true above 500.
bool StendStartSignal(Device& device);

}  // namespace tornel
