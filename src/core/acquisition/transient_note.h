#pragma once

#include "core/acquisition/scan_request.h"
#include "core/config/channel_table.h"
#include "core/records/recovery_note.h"

namespace tornel {

// The recovery note of a transient run about to start at `date`, `time`:
// the channels of `table` and what `request` records and drives.
RecoveryNote MakeTransientNote(const ScanRequest& request, const ChannelTable& table, double date,
                               double time);

}  // namespace tornel
