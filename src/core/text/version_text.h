#pragma once

#include <string>
#include <string_view>

namespace tornel {

// What `--version` prints for each of the programs: the name, the version as
// the about box shows it, and the build number (UTF-8).
std::string VersionLine(std::string_view program);

}  // namespace tornel
