#pragma once

#include <array>
#include <string>

#include "core/config/channel_table.h"
#include "core/config/color_names.h"
#include "core/records/dta_header.h"

namespace tornel {

// Stores the curve colours as the defaults of every new record: the 40 keys
// "color1".."color16" (ADC), "CAP_color1".."CAP_color16" (DAC) and
// "funcs_color1".."funcs_color8" (dependencies) of section "Colors", in one
// replacement of the file. Throws UserError when the file cannot be written.
void WriteCurveColors(const std::string& configPath,
                      const std::array<Color, kChannelSlots>& chanColor,
                      const std::array<Color, kDependencyCount>& depColor);

}  // namespace tornel
