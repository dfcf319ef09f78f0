#pragma once

#include <string>

#include "core/config/channel_table.h"
#include "core/device/device_selection.h"

namespace tornel::cli {

// What --config INI gives a command that touches the bench: the channel
// table and the device settings.
struct ToolConfig {
  ChannelTable table;
  DeviceChoice device;
};

// The program's defaults for an empty path; otherwise the file, which must
// exist (UserError naming it).
ToolConfig LoadToolConfig(const std::string& path);

}  // namespace tornel::cli
