#include "cli/tool_config.h"

#include "core/config/profile_file.h"
#include "core/records/file_handle.h"

namespace tornel::cli {

ToolConfig LoadToolConfig(const std::string& path) {
  ToolConfig config;
  if (path.empty()) return config;
  if (!FileHandle::TryOpenRead(path)) ThrowOpenError(path);
  config.table.ConfigPath = path;
  config.table.LoadConfig();
  config.device = ReadDeviceChoice(ProfileFile(path));
  return config;
}

}  // namespace tornel::cli
