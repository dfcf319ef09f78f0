#pragma once

#include <cstdint>

#include "core/device/device.h"

namespace tornel {

inline constexpr int16_t kCapMinCode = 0;
inline constexpr int16_t kCapMaxCode = 1023;
// ADC input 16 is wired to the bench's start button.
inline constexpr int16_t kStendStartChannel = 15;

// The device operations every experiment uses, over the active device.

// `device` is not owned and must outlive its use; nullptr selects the
// built-in null device.
void SetActiveDevice(Device* device);
Device& ActiveDevice();

int16_t AcpRead(int16_t channel);
// Clamps to 0..1023, then outputs.
void CapWrite(int16_t channel, int16_t code);
int16_t ClampCapCode(int code);
// Ten raw reads of ADC 16 averaged with truncation: true above 500.
bool StendStartSignal();

}  // namespace tornel
