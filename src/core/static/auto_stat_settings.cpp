#include "core/static/auto_stat_settings.h"

#include <cmath>

#include "core/config/profile_file.h"
#include "core/static/static_settings.h"
#include "core/static/truncate_to_int.h"

namespace tornel {
namespace {

constexpr const char* kDacKey = "Номер ЦАП";
constexpr const char* kStartKey = "Нач.значение сигнала задания";
constexpr const char* kEndKey = "Кон.значение сигнала задания";
constexpr const char* kPointsKey = "Кол-во экспер.точек";
constexpr const char* kTimeStepKey = "Шаг по времени";

std::string Indexed(const char* key, std::size_t dac) { return key + std::to_string(dac); }

}  // namespace

AutoStatSettings LoadAutoStatSettings(const std::string& configPath) {
  ProfileFile ini(configPath);
  AutoStatSettings s;
  int32_t dac = TruncateToInt(ini.ReadFloat(kStaticSection, kDacKey, 0));
  s.DacIndex = dac == 1 ? 1 : 0;
  for (std::size_t d = 0; d < 2; ++d) {
    s.AutoStart[d] = ini.ReadFloat(kStaticSection, Indexed(kStartKey, d), 0);
    s.AutoEnd[d] = ini.ReadFloat(kStaticSection, Indexed(kEndKey, d), 0);
    s.AutoPoints[d] = TruncateToInt(ini.ReadFloat(kStaticSection, Indexed(kPointsKey, d), 10));
    s.AutoTimeStep[d] = ini.ReadFloat(kStaticSection, Indexed(kTimeStepKey, d), 0);
  }
  return s;
}

void SaveAutoStatSettings(const std::string& configPath, const AutoStatSettings& s) {
  ProfileFile ini(configPath);
  ini.BeginBatch();
  ini.WriteFloat(kStaticSection, kDacKey, s.DacIndex);
  for (std::size_t d = 0; d < 2; ++d) {
    ini.WriteFloat(kStaticSection, Indexed(kStartKey, d), s.AutoStart[d]);
    ini.WriteFloat(kStaticSection, Indexed(kEndKey, d), s.AutoEnd[d]);
    ini.WriteFloat(kStaticSection, Indexed(kPointsKey, d), s.AutoPoints[d]);
    ini.WriteFloat(kStaticSection, Indexed(kTimeStepKey, d), s.AutoTimeStep[d]);
  }
  ini.CommitBatch();
}

}  // namespace tornel
