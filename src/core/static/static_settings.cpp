#include "core/static/static_settings.h"

#include "core/config/profile_file.h"

namespace tornel {
namespace {

constexpr const char* kCoord1Key = "Координата №1";
constexpr const char* kCoord2Key = "Координата №2";
constexpr const char* kStendKey = "Управление со стенда";

int16_t ReadChannel(const ProfileFile& ini, const char* key, int16_t def) {
  int32_t value = ini.ReadInteger(kStaticSection, key, def);
  return value >= 0 && value < 16 ? static_cast<int16_t>(value) : def;
}

}  // namespace

StaticSettings LoadStaticSettings(const std::string& configPath) {
  ProfileFile ini(configPath);
  StaticSettings s;
  s.Coord1 = ReadChannel(ini, kCoord1Key, s.Coord1);
  s.Coord2 = ReadChannel(ini, kCoord2Key, s.Coord2);
  s.StartFromStend = ini.ReadBool(kStaticSection, kStendKey, s.StartFromStend);
  return s;
}

void SaveStaticSettings(const std::string& configPath, const StaticSettings& s) {
  ProfileFile ini(configPath);
  ini.BeginBatch();
  ini.WriteInteger(kStaticSection, kCoord1Key, s.Coord1);
  ini.WriteInteger(kStaticSection, kCoord2Key, s.Coord2);
  ini.WriteBool(kStaticSection, kStendKey, s.StartFromStend);
  ini.CommitBatch();
}

}  // namespace tornel
