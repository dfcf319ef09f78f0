#include "core/config/channel_table.h"

#include "core/config/profile_file.h"

namespace tornel {
namespace {

constexpr const char* kAcpNames = "Наименования каналов АЦП";
constexpr const char* kCapNames = "Наименования каналов ЦАП";
constexpr const char* kBase = "Base";
constexpr const char* kRealBase = "real_Base";
constexpr const char* kOffset = "Offset";
constexpr const char* kPriorities = "Приоритеты процессов";
constexpr const char* kDefaults = "defaults";

struct DefaultEntry {
  const char* name;
  const char* unit;
  double base;
};

// ADC 1..16. The units of ADC 1-4 are Latin "A"/"B"; ADC 10's is Cyrillic "А",
// and its name is a Latin I followed by a Cyrillic п.
constexpr DefaultEntry kAcpDefaults[kAcpChannels] = {
    {"Ica", "A", 15},  {"Uca", "B", 220},   {"Ipbc", "A", 15}, {"Upbc", "B", 220},
    {"f1", "Гц", 100}, {"W", "рад/с", 188}, {"M", "Н*м", 25},  {"P1", "кВт", 1},
    {"P2", "кВт", 1},  {"Iп", "А", 20},     {"K11", "", 1},    {"K12", "", 1},
    {"K13", "", 1},    {"K14", "", 1},      {"K15", "", 1},    {"K16", "", 1},
};

// DAC 1..3; DAC 4..16 have no name or unit. DAC 2's unit is a Latin "B",
// DAC 3's a Cyrillic "В".
constexpr DefaultEntry kCapDefaults[3] = {{"M", "Н*м", 1}, {"U", "B", 1}, {"Пар.порт", "В", 1}};

std::string Numbered(const char* key, int n) { return key + std::to_string(n); }

}  // namespace

ChannelTable::ChannelTable() {
  for (int s = 0; s < kChannelSlots; ++s) {
    ChanName[s] = DefaultName(s);
    ChanUnit[s] = DefaultUnit(s);
    Base[s] = RealBase[s] = DefaultBase(s);
    Offset[s] = s < kCapSlotBase ? 0 : 511;
  }
}

std::string ChannelTable::DefaultName(int slot) {
  if (slot < kCapSlotBase) return kAcpDefaults[slot].name;
  int dac = slot - kCapSlotBase;
  return dac < 3 ? kCapDefaults[dac].name : "";
}

std::string ChannelTable::DefaultUnit(int slot) {
  if (slot < kCapSlotBase) return kAcpDefaults[slot].unit;
  int dac = slot - kCapSlotBase;
  return dac < 3 ? kCapDefaults[dac].unit : "";
}

double ChannelTable::DefaultBase(int slot) {
  if (slot < kCapSlotBase) return kAcpDefaults[slot].base;
  return 1.0;
}

void ChannelTable::LoadConfig() {
  ProfileFile ini(ConfigPath);
  auto loadChannel = [&](int slot, const char* names, const char* prefix, int n, int16_t zero) {
    ChanName[slot] = ini.ReadString(names, Numbered("label", n), DefaultName(slot));
    ChanUnit[slot] = ini.ReadString(names, Numbered("razmern", n), DefaultUnit(slot));
    std::string baseKey = std::string(prefix) + Numbered("_Base", n);
    Base[slot] = ini.ReadFloat(kBase, baseKey, DefaultBase(slot));
    RealBase[slot] = ini.ReadFloat(kRealBase, baseKey, DefaultBase(slot));
    Offset[slot] = static_cast<int16_t>(
        ini.ReadInteger(kOffset, std::string(prefix) + Numbered("_Offset", n), zero));
  };
  for (int i = 0; i < kAcpChannels; ++i) loadChannel(i, kAcpNames, "ACP", i + 1, 0);
  for (int i = 0; i < kAcpChannels; ++i)
    loadChannel(kCapSlotBase + i, kCapNames, "CAP", i + 1, 511);

  ScanPriorityClass = ini.ReadInteger(kPriorities, "ScanPriorityClass", 32);
  ScanThreadPriority = ini.ReadInteger(kPriorities, "ScanThreadPriority", 0);
  AppPriorityClass = ini.ReadInteger(kPriorities, "AppPriorityClass", 32);
  AppThreadPriority = ini.ReadInteger(kPriorities, "AppThreadPriority", 0);

  Tzi = ini.ReadFloat(kDefaults, "Тзи", 2.0);
  FilterMask = static_cast<int16_t>(ini.ReadInteger(kDefaults, "Маска фильтра", 15));
}

void ChannelTable::SaveConfig() const {
  ProfileFile ini(ConfigPath);
  ini.BeginBatch();
  auto saveChannel = [&](int slot, const char* names, const char* prefix, int n) {
    ini.WriteString(names, Numbered("label", n), ChanName[slot]);
    ini.WriteString(names, Numbered("razmern", n), ChanUnit[slot]);
    std::string baseKey = std::string(prefix) + Numbered("_Base", n);
    ini.WriteFloat(kBase, baseKey, Base[slot]);
    ini.WriteFloat(kRealBase, baseKey, RealBase[slot]);
    ini.WriteInteger(kOffset, std::string(prefix) + Numbered("_Offset", n), Offset[slot]);
  };
  for (int i = 0; i < kAcpChannels; ++i) saveChannel(i, kAcpNames, "ACP", i + 1);
  // Only the DAC channels in use are saved; the file keeps what it has for the rest.
  for (int i = 0; i < CapCount && i < kAcpChannels; ++i) {
    saveChannel(kCapSlotBase + i, kCapNames, "CAP", i + 1);
  }

  ini.WriteInteger(kPriorities, "ScanPriorityClass", ScanPriorityClass);
  ini.WriteInteger(kPriorities, "ScanThreadPriority", ScanThreadPriority);
  ini.WriteInteger(kPriorities, "AppPriorityClass", AppPriorityClass);
  ini.WriteInteger(kPriorities, "AppThreadPriority", AppThreadPriority);
  ini.WriteFloat(kDefaults, "Тзи", Tzi);
  ini.WriteInteger(kDefaults, "Маска фильтра", FilterMask);
  ini.CommitBatch();
}

}  // namespace tornel
