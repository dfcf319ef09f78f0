#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tornel {

// Number of slots of every per-channel array: 0..15 ADC channels, 16..31 DAC.
inline constexpr int kChannelSlots = 32;
inline constexpr int kAcpChannels = 16;
inline constexpr int kCapSlotBase = 16;
// The code that stands for a channel's Base value.
inline constexpr int kFullScaleCode = 511;

// Names, units, scale values and zero codes of every channel, the global
// acquisition settings kept beside them, and their persistence in the
// configuration file. Strings are UTF-8 here; the file holds code page 1251.
class ChannelTable {
public:
  ChannelTable();

  std::array<std::string, kChannelSlots> ChanName;
  std::array<std::string, kChannelSlots> ChanUnit;
  std::string ConfigPath;
  std::array<double, kChannelSlots> Base{};
  std::array<double, kChannelSlots> RealBase{};
  std::array<int16_t, kChannelSlots> Offset{};
  int16_t FilterMask = 15;
  int32_t ScanPriorityClass = 32;
  int32_t ScanThreadPriority = 0;
  int32_t AppPriorityClass = 32;
  int32_t AppThreadPriority = 0;
  int32_t CapCount = 2;
  double Tzi = 2.0;

  // Fills every field from the file at ConfigPath, defaults for what is
  // missing or unparsable. A missing file is not an error.
  void LoadConfig();
  // Writes the table back: all 16 ADC channels, the DAC channels in use,
  // the priorities, Tzi and the filter mask. Throws UserError
  // "Не удалось записать файл <path>" when the file cannot be written.
  void SaveConfig() const;

  // The value a field takes when its key is missing.
  static std::string DefaultName(int slot);
  static std::string DefaultUnit(int slot);
  static double DefaultBase(int slot);
};

}  // namespace tornel
