#include "core/acquisition/transient_settings.h"

#include <algorithm>
#include <cmath>

#include "core/config/profile_file.h"

namespace tornel {
namespace {

constexpr const char* kDurationKey = "Время переходного процесса";
constexpr const char* kAmplitudeKey = "Величина сигнала ЦАП №";
constexpr const char* kDelayKey = "Задержка сигнала ЦАП №";
constexpr const char* kRiseTimeKey = "Время нарастания сигнала ЦАП №";
constexpr const char* kAcpMaskKey = "Маска каналов АЦП";
constexpr const char* kCapMaskKey = "Маска каналов ЦАП";
constexpr const char* kAutoModeKey = "Автоматический режим";
constexpr const char* kStendStartKey = "Управление со стенда";

std::size_t CapsInUse(int capCount) {
  return static_cast<std::size_t>(std::clamp(capCount, 0, kCapChannels));
}

std::string Numbered(const char* key, std::size_t i) { return key + std::to_string(i + 1); }

int16_t TruncateToCode(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int16_t>(std::clamp(std::trunc(value), -32768.0, 32767.0));
}

}  // namespace

TransientSettings LoadTransientDefaults(const std::string& configPath, int capCount) {
  ProfileFile ini(configPath);
  TransientSettings s;
  s.Duration = ini.ReadFloat(kTransientSection, kDurationKey, 1.0);
  for (std::size_t i = 0; i < CapsInUse(capCount); ++i) {
    s.Amplitude[i] = ini.ReadFloat(kTransientSection, Numbered(kAmplitudeKey, i), 0.0);
    s.Delay[i] = ini.ReadFloat(kTransientSection, Numbered(kDelayKey, i), 0.0);
    s.RiseTime[i] = ini.ReadFloat(kTransientSection, Numbered(kRiseTimeKey, i), 0.0);
  }
  s.AcpMask = static_cast<int16_t>(ini.ReadInteger(kTransientSection, kAcpMaskKey, 0));
  s.CapMask = static_cast<int16_t>(ini.ReadInteger(kTransientSection, kCapMaskKey, 0));
  s.AutoMode = ini.ReadBool(kTransientSection, kAutoModeKey, false);
  s.StendStart = ini.ReadBool(kTransientSection, kStendStartKey, true);
  return s;
}

void SaveTransientDefaults(const std::string& configPath, int capCount,
                           const TransientSettings& s) {
  ProfileFile ini(configPath);
  ini.BeginBatch();
  ini.WriteFloat(kTransientSection, kDurationKey, s.Duration);
  for (std::size_t i = 0; i < CapsInUse(capCount); ++i) {
    ini.WriteFloat(kTransientSection, Numbered(kAmplitudeKey, i), s.Amplitude[i]);
    ini.WriteFloat(kTransientSection, Numbered(kDelayKey, i), s.Delay[i]);
    ini.WriteFloat(kTransientSection, Numbered(kRiseTimeKey, i), s.RiseTime[i]);
  }
  ini.WriteInteger(kTransientSection, kAcpMaskKey, s.AcpMask);
  ini.WriteInteger(kTransientSection, kCapMaskKey, s.CapMask);
  ini.WriteBool(kTransientSection, kAutoModeKey, s.AutoMode);
  ini.WriteBool(kTransientSection, kStendStartKey, s.StendStart);
  ini.CommitBatch();
}

ScanRequest MakeScanRequest(const TransientSettings& s, const ChannelTable& table,
                            const std::string& fileName) {
  ScanRequest r;
  r.AcpMask = s.AcpMask;
  r.CapMask = s.AutoMode ? s.CapMask : 0;
  r.Duration = s.Duration;
  r.DriveCap = s.AutoMode;
  for (std::size_t i = 0; i < kCapChannels; ++i) {
    r.Amplitude[i] = TruncateToCode(s.Amplitude[i]);
    r.Delay[i] = s.Delay[i];
    r.RiseTime[i] = s.RiseTime[i];
    r.CapZero[i] = table.Offset[kCapSlotBase + i];
  }
  for (std::size_t i = 0; i < kAcpChannels; ++i) r.AcpZero[i] = table.Offset[i];
  r.FileName = fileName;
  return r;
}

TrackRange AmplitudeTrackRange(int16_t zeroCode) { return {-zeroCode, -zeroCode + 1022}; }

double LevelToPhysical(double level, double base) { return level * (1.0 / kFullScaleCode) * base; }

}  // namespace tornel
