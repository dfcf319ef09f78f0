#pragma once

#include "core/config/channel_table.h"
#include "core/records/recovery_note.h"

namespace tornel {

// The recovery note of a static window's point file, opened at `date`,
// `time`: every frame holds the 16 ADC channels and DAC 1 and 2.
RecoveryNote MakeStaticNote(const ChannelTable& table, double date, double time);

}  // namespace tornel
