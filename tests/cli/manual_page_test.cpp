#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "cli/tool_arguments.h"

namespace tornel::cli {
namespace {

// The manual page with groff's escaped minus signs read as plain ones.
std::string ManualPage() {
  std::ifstream file(TORNEL_SOURCE_DIR "/resources/man/tornel-tool.1");
  std::stringstream text;
  text << file.rdbuf();
  return std::regex_replace(text.str(), std::regex(R"(\\-)"), "-");
}

// Every command and every key the usage text names, as "command" or
// "command key", so that a key documented for one command does not count
// for another.
std::set<std::string> UsageEntries() {
  std::set<std::string> entries;
  std::istringstream lines(kUsage);
  std::string line, command;
  const std::regex commandWord(R"(^  tornel-tool( [a-z][a-z-]*)?)");
  const std::regex key(R"((?:^|[\s\[(|])(--?[a-z][a-z-]*))");
  std::getline(lines, line);                            // "Использование:"
  while (std::getline(lines, line) && !line.empty()) {  // the synopsis ends at a blank line
    std::smatch m;
    if (std::regex_search(line, m, commandWord)) {
      command = m[1].matched ? m[1].str().substr(1) : "";
      entries.insert(command);
    }
    for (std::sregex_iterator it(line.begin(), line.end(), key), end; it != end; ++it) {
      entries.insert(command + " " + (*it)[1].str());
    }
  }
  return entries;
}

TEST(ManualPage, DescribesEveryCommandAndKeyOfTheUsage) {
  const std::string page = ManualPage();
  ASSERT_FALSE(page.empty());
  const std::set<std::string> entries = UsageEntries();
  ASSERT_GT(entries.size(), 20u);
  for (const std::string& entry : entries) {
    const auto space = entry.find(' ');
    const std::string command = entry.substr(0, space);
    // The command's synopsis in the page carries each of its keys.
    const std::string head =
        command.empty() ? ".SY tornel-tool\n" : ".SY \"tornel-tool " + command + "\"\n";
    const auto begin = page.find(head);
    ASSERT_NE(begin, std::string::npos) << "нет синтаксиса команды " << command;
    const std::string synopsis = page.substr(begin, page.find(".YS", begin) - begin);
    if (space != std::string::npos) {
      const std::string k = entry.substr(space + 1);
      EXPECT_NE(synopsis.find(k), std::string::npos) << command << " " << k;
    }
  }
}

}  // namespace
}  // namespace tornel::cli
