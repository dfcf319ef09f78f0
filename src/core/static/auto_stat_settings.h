#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tornel {

// The automatic run's parameters per DAC (1 and 2), kept in the static
// section: start and end of the reference signal in the DAC's physical
// units, the number of points and the settling time before each, s.
struct AutoStatSettings {
  int32_t DacIndex = 0;
  std::array<double, 2> AutoStart{};
  std::array<double, 2> AutoEnd{};
  std::array<int32_t, 2> AutoPoints{10, 10};
  std::array<double, 2> AutoTimeStep{};
};

// Every value is stored as a floating-point number; the index and the point
// counts are truncated. A DAC index other than 0 or 1 reads as 0.
AutoStatSettings LoadAutoStatSettings(const std::string& configPath);
// Throws UserError "Не удалось записать файл <path>".
void SaveAutoStatSettings(const std::string& configPath, const AutoStatSettings& settings);

}  // namespace tornel
