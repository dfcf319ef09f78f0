#include "core/text/version_text.h"

#include "tornel_version.h"

namespace tornel {

std::string VersionLine(std::string_view program) {
  std::string line(program);
  line += ". Версия ";
  line += kVersion;
  line += ", сборка ";
  line += kBuildNumber;
  return line;
}

}  // namespace tornel
