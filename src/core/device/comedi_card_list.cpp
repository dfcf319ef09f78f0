#include "core/device/comedi_card_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/text/user_error.h"

namespace tornel {
namespace {

// The number after "comedi", or -1 for any other name ("comedi0_subd2" too).
long CardNumber(const std::string& name) {
  constexpr std::string_view kPrefix = "comedi";
  if (name.size() <= kPrefix.size() || name.compare(0, kPrefix.size(), kPrefix) != 0) return -1;
  if (name.size() - kPrefix.size() > 6) return -1;
  long number = 0;
  for (std::size_t i = kPrefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    number = number * 10 + (name[i] - '0');
  }
  return number;
}

}  // namespace

std::vector<std::string> FindComediDeviceFiles(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::pair<long, std::string>> found;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    long number = CardNumber(it->path().filename().string());
    if (number >= 0) found.emplace_back(number, it->path().string());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  for (auto& [number, path] : found) paths.push_back(std::move(path));
  return paths;
}

std::string ListComediCards(const std::string& folder, const ComediCardProbe& probe) {
  std::vector<std::string> paths = FindComediDeviceFiles(folder);
  if (paths.empty()) return "Платы сбора данных не найдены\n";
  std::string text;
  for (const std::string& path : paths) {
    if (!text.empty()) text += "\n";
    try {
      text += DescribeComediCard(probe(path));
    } catch (const UserError& e) {
      text += std::string(e.what()) + "\n";
    }
  }
  return text;
}

}  // namespace tornel
