#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/config/profile_file.h"
#include "core/device/device.h"
#include "core/device/tick_clock.h"

namespace tornel {

// Section "Устройство" of the configuration file.
inline constexpr const char* kDeviceSection = "Устройство";
inline constexpr const char* kDeviceDriverKey = "Драйвер";
inline constexpr const char* kComediPathKey = "Файл устройства";
inline constexpr const char* kComediInputSubdeviceKey = "Подустройство АЦП";
inline constexpr const char* kComediOutputSubdeviceKey = "Подустройство ЦАП";
inline constexpr const char* kComediInputRangeKey = "Диапазон АЦП";
inline constexpr const char* kComediOutputRangeKey = "Диапазон ЦАП";
inline constexpr const char* kComediReferenceKey = "Опора АЦП";

// The conversion time the program gives the simulated bench: a 40 kHz card,
// so a two-channel recording takes some 20,000 scans a second.
inline constexpr std::chrono::microseconds kSimulatedConversionTime{25};

// Which backend to open, from the configuration and the command line.
struct DeviceChoice {
  enum class Kind { None, Simulated, Comedi } kind = Kind::Simulated;
  std::string comediPath = "/dev/comedi0";
  // -1: the card's first analog input (output) subdevice.
  int inputSubdevice = -1;
  int outputSubdevice = -1;
  // Indices into the subdevice's range table.
  int inputRange = 0;
  int outputRange = 0;
  // Analog reference of the inputs: "ground", "common", "diff" or "other".
  std::string inputReference = "ground";
  // Set when the configuration holds something unusable; the UI shows it
  // once beside the device's own warning.
  std::string problem;
};

// Key "Драйвер": "нет", "модель" or "comedi" (any case). Without the key the
// simulated bench is used; an unknown value also falls back to it and says so
// in `problem`.
DeviceChoice ReadDeviceChoice(const ProfileFile& ini);

// The --device option: "none", "sim", "comedi" or "comedi:<device file>". It
// overrides the configured backend (and the device file when it names one);
// the other comedi settings stay as `configured` has them. nullopt for text
// that is none of these.
std::optional<DeviceChoice> ParseDeviceOption(std::string_view text,
                                              const DeviceChoice& configured = {});

struct OpenedDevice {
  std::unique_ptr<Device> device;
  // Russian, shown once by the UI; empty when the chosen device opened.
  std::string warning;
};

// Opens the chosen backend. A card that cannot be opened gives the null
// device, whose description says which card did not open, and a warning
// naming the device file and the library's reason.
OpenedDevice OpenDevice(const DeviceChoice& choice, TickClock& clock);

}  // namespace tornel
