#include "core/config/scan_priority.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tornel {
namespace {

class RecordingPriorityControl : public PriorityControl {
public:
  void SetProcessPriorityClass(int32_t c) override { calls.push_back("class " + std::to_string(c)); }
  void SetThreadPriority(int32_t p) override { calls.push_back("thread " + std::to_string(p)); }
  std::vector<std::string> calls;
};

TEST(ScanPriorityGuard, RaisesToScanAndLowersToAppEvenWhenTheAcquisitionThrows) {
  ChannelTable table;
  table.ScanPriorityClass = 256;
  table.ScanThreadPriority = 15;
  table.AppPriorityClass = 64;
  table.AppThreadPriority = 1;
  RecordingPriorityControl control;
  try {
    ScanPriorityGuard guard(table, control);
    EXPECT_EQ(control.calls, (std::vector<std::string>{"class 256", "thread 15"}));
    throw std::runtime_error("device gone");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(control.calls,
            (std::vector<std::string>{"class 256", "thread 15", "class 64", "thread 1"}));
}

}  // namespace
}  // namespace tornel
