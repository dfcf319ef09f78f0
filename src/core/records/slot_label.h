#pragma once

#include <string>

#include "core/config/channel_table.h"

namespace tornel {

// A record's channel slot as messages and listings name it: "АЦП 1".."АЦП 16",
// then "ЦАП 1".. from kCapSlotBase on.
inline std::string SlotLabel(int slot) {
  return slot < kCapSlotBase ? "АЦП " + std::to_string(slot + 1)
                             : "ЦАП " + std::to_string(slot - kCapSlotBase + 1);
}

}  // namespace tornel
