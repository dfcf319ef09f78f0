#include "core/config/scan_priority.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/fake_priority_control.h"

namespace tornel {
namespace {
TEST(ScanPriorityGuard, RaisesToScanAndLowersToAppEvenWhenTheAcquisitionThrows) {
  ChannelTable table;
  table.ScanPriorityClass = 256;
  table.ScanThreadPriority = 15;
  table.AppPriorityClass = 64;
  table.AppThreadPriority = 1;
  testing::FakePriorityControl control;
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
