#pragma once

#include <cstdint>
#include <string>

namespace tornel {

inline constexpr const char* kStaticSection = "Статическая характеристика (defaults)";

// What the static window keeps between runs: the two ADC channels on its
// sweep display and whether the bench's button records points.
struct StaticSettings {
  int16_t Coord1 = 5;
  int16_t Coord2 = 6;
  bool StartFromStend = true;
};

// Missing keys take their defaults, and so does a channel outside 1..16 in
// the file's 0-based numbering, which would index past the channel table.
StaticSettings LoadStaticSettings(const std::string& configPath);
// Throws UserError "Не удалось записать файл <path>".
void SaveStaticSettings(const std::string& configPath, const StaticSettings& settings);

}  // namespace tornel
