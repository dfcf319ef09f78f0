#include "core/device/device_selection.h"

#include "core/device/comedi_device.h"
#include "core/device/null_device.h"
#include "core/device/simulated_bench.h"
#include "core/text/cp1251.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool SameWord(std::string_view a, std::string_view b) {
  return Cp1251EqualsIgnoreCase(Utf8ToCp1251(Trim(a)), Utf8ToCp1251(b));
}

std::optional<DeviceChoice::Kind> DriverKind(std::string_view value) {
  if (SameWord(value, "нет") || SameWord(value, "none")) return DeviceChoice::Kind::None;
  if (SameWord(value, "модель") || SameWord(value, "sim")) return DeviceChoice::Kind::Simulated;
  if (SameWord(value, "comedi")) return DeviceChoice::Kind::Comedi;
  return std::nullopt;
}

bool KnownReference(std::string_view value) {
  return value == "ground" || value == "common" || value == "diff" || value == "other";
}

}  // namespace

DeviceChoice ReadDeviceChoice(const ProfileFile& ini) {
  DeviceChoice choice;
  std::string driver = ini.ReadString(kDeviceSection, kDeviceDriverKey, "модель");
  if (auto kind = DriverKind(driver)) {
    choice.kind = *kind;
  } else {
    choice.problem = "Неизвестный драйвер устройства \"" + driver + "\" в секции [" +
                     kDeviceSection + "] файла " + ini.Path() +
                     "; используется модель стенда (допустимо: нет, модель, comedi)";
  }
  std::string path(Trim(ini.ReadString(kDeviceSection, kComediPathKey, choice.comediPath)));
  if (!path.empty()) choice.comediPath = path;
  choice.inputSubdevice = ini.ReadInteger(kDeviceSection, kComediInputSubdeviceKey, -1);
  choice.outputSubdevice = ini.ReadInteger(kDeviceSection, kComediOutputSubdeviceKey, -1);
  choice.inputRange = ini.ReadInteger(kDeviceSection, kComediInputRangeKey, 0);
  choice.outputRange = ini.ReadInteger(kDeviceSection, kComediOutputRangeKey, 0);
  std::string reference =
      Utf8ToCp1251(Trim(ini.ReadString(kDeviceSection, kComediReferenceKey, "ground")));
  for (char& c : reference) c = Cp1251ToLower(c);
  reference = Cp1251ToUtf8(reference);
  if (KnownReference(reference)) {
    choice.inputReference = reference;
  } else if (choice.problem.empty()) {
    choice.problem = "Неизвестная опора АЦП \"" + reference +
                     "\"; используется ground (допустимо: ground, common, diff, other)";
  }
  return choice;
}

std::optional<DeviceChoice> ParseDeviceOption(std::string_view text,
                                              const DeviceChoice& configured) {
  DeviceChoice choice = configured;
  // The option replaces what the file said, including its complaint.
  choice.problem.clear();
  std::string_view word = text.substr(0, text.find(':'));
  auto kind = DriverKind(word);
  if (!kind || word.size() != Trim(word).size()) return std::nullopt;
  choice.kind = *kind;
  if (word.size() < text.size()) {
    std::string_view path = text.substr(word.size() + 1);
    if (choice.kind != DeviceChoice::Kind::Comedi || path.empty()) return std::nullopt;
    choice.comediPath = std::string(path);
  }
  return choice;
}

OpenedDevice OpenDevice(const DeviceChoice& choice, TickClock& clock) {
  OpenedDevice opened;
  switch (choice.kind) {
    case DeviceChoice::Kind::None:
      opened.device = std::make_unique<NullDevice>();
      break;
    case DeviceChoice::Kind::Simulated: {
      auto bench = std::make_unique<SimulatedBench>(clock);
      bench->SetConversionTime(kSimulatedConversionTime);
      opened.device = std::move(bench);
      break;
    }
    case DeviceChoice::Kind::Comedi:
      try {
        opened.device = ComediDevice::Open(choice, &opened.warning);
      } catch (const UserError& error) {
        opened.device =
            std::make_unique<NullDevice>("нет (плата " + choice.comediPath + " не открылась)");
        opened.warning = std::string(error.what()) +
                         ".\nПрограмма работает без устройства: АЦП читают 0, ЦАП ничего не "
                         "выводят.";
      }
      break;
  }
  if (!choice.problem.empty())
    opened.warning =
        opened.warning.empty() ? choice.problem + "." : choice.problem + ".\n" + opened.warning;
  return opened;
}

}  // namespace tornel
