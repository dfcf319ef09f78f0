#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tornel {

class TGraphRecord;

// The names offered by every list of the dependencies page: the recorded
// channels, ADC channels ascending, then DAC channels ascending, so that an
// item's index is the channel's recorded position.
std::vector<std::string> DependencyChoices(const TGraphRecord& record);

// The item a list shows for a stored position: the position itself when it
// names one of `choiceCount` items, otherwise -1 (no item).
int DependencyChoiceIndex(int32_t position, int choiceCount);

}  // namespace tornel
