#include "settings_fixture.h"

#include <filesystem>

#include "core/config/profile_file.h"

bool SettingsTest::Saved() const { return std::filesystem::exists(table.ConfigPath); }

std::string SettingsTest::Stored(const std::string& section, const std::string& key) const {
  return tornel::ProfileFile(table.ConfigPath).ReadString(section, key, "?");
}
