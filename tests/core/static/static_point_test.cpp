#include "core/static/static_point.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/fake_device.h"
#include "tests/support/fake_priority_control.h"
#include "tests/support/fake_tick_clock.h"

namespace tornel {
namespace {

using testing::FakeDevice;
using testing::FakePriorityControl;
using testing::FakeTickClock;

class LoggingCursor final : public BusyCursor {
public:
  explicit LoggingCursor(std::vector<std::string>& log) : log_(log) {}
  void Show() override { log_.push_back("cursor"); }
  void Restore() override { log_.push_back("arrow"); }

private:
  std::vector<std::string>& log_;
};

struct Rig {
  ChannelTable table;
  FakeTickClock clock;
  FakeDevice device{&clock};
  FakePriorityControl priority;
  Rig() {
    table.ScanPriorityClass = 128;
    table.ScanThreadPriority = 2;
    table.AppPriorityClass = 32;
    table.AppThreadPriority = 0;
    device.SetReadHook([this](int16_t ch) {
      if (ch == 0) clock.Advance(1);
    });
  }
};

TEST(MeasureStaticPoint, AveragesEveryChannelWithItsZeroAndAppendsTheDacLevels) {
  Rig rig;
  rig.table.FilterMask = 0b11;  // channels 1 and 2 as root mean square
  rig.device.SetConstantAll(20);
  rig.device.SetConstant(0, -100);
  rig.device.SetSequence(1, {3, 4});
  rig.device.SetSequence(2, {3, 4});
  rig.table.Offset[15] = -25;
  StaticPoint point =
      MeasureStaticPoint(rig.device, rig.table, rig.clock, rig.priority, {-40, 255}, nullptr);
  EXPECT_EQ(point[0], 100);  // RMS of a constant -100
  EXPECT_EQ(point[1], 3);    // RMS of 3, 4: sqrt(12.5)
  EXPECT_EQ(point[2], 3);    // mean of 3, 4: 3.5
  EXPECT_EQ(point[3], 20);
  EXPECT_EQ(point[15], -5);
  EXPECT_EQ(point[16], -40);
  EXPECT_EQ(point[17], 255);
  EXPECT_EQ(rig.device.ReadCount(7), 1000u);
  EXPECT_TRUE(rig.device.Writes().empty());
}

TEST(MeasureStaticPoint, RaisesThePrioritiesAndRestoresThemAndTheCursorWhenTheDeviceThrows) {
  Rig rig;
  LoggingCursor cursor(rig.priority.calls);  // one log for both, in order
  rig.device.SetReadHook([&](int16_t ch) {
    if (ch == 4) throw std::runtime_error("device gone");
  });
  EXPECT_THROW(MeasureStaticPoint(rig.device, rig.table, rig.clock, rig.priority, {0, 0}, &cursor),
               std::runtime_error);
  EXPECT_EQ(rig.priority.calls, (std::vector<std::string>{"cursor", "class 128", "thread 2",
                                                          "class 32", "thread 0", "arrow"}));
}

}  // namespace
}  // namespace tornel
