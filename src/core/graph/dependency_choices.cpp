#include "core/graph/dependency_choices.h"

#include "core/records/graph_record.h"

namespace tornel {

std::vector<std::string> DependencyChoices(const TGraphRecord& record) {
  std::vector<std::string> names;
  for (int p = 0;; ++p) {
    const int slot = record.PositionToSlot(p);
    if (slot < 0) break;
    names.push_back(record.ChanName[slot]);
  }
  return names;
}

int DependencyChoiceIndex(int32_t position, int choiceCount) {
  return position >= 0 && position < choiceCount ? static_cast<int>(position) : -1;
}

}  // namespace tornel
