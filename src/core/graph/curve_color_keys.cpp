#include "core/graph/curve_color_keys.h"

#include "core/config/profile_file.h"

namespace tornel {

void WriteCurveColors(const std::string& configPath,
                      const std::array<Color, kChannelSlots>& chanColor,
                      const std::array<Color, kDependencyCount>& depColor) {
  constexpr const char* kSection = "Colors";
  ProfileFile ini(configPath);
  ini.BeginBatch();
  for (int n = 1; n <= kAcpChannels; ++n) {
    ini.WriteString(kSection, "color" + std::to_string(n), ColorToString(chanColor[n - 1]));
  }
  for (int n = 1; n <= kAcpChannels; ++n) {
    ini.WriteString(kSection, "CAP_color" + std::to_string(n),
                    ColorToString(chanColor[kCapSlotBase + n - 1]));
  }
  for (int n = 1; n <= kDependencyCount; ++n) {
    ini.WriteString(kSection, "funcs_color" + std::to_string(n), ColorToString(depColor[n - 1]));
  }
  ini.CommitBatch();
}

}  // namespace tornel
