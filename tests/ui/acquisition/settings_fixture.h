#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/config/channel_table.h"
#include "core/config/priority_control.h"
#include "support/fake_device.h"
#include "support/fake_tick_clock.h"
#include "support/temp_dir.h"

// A channel table whose file lies in a folder of the test's own (and does not
// exist until something saves it), on a fake device whose clock moves on by
// 1 ms at each reading and each look at the time.
class SettingsTest : public ::testing::Test {
protected:
  class IgnoredPriority final : public tornel::PriorityControl {
  public:
    void SetProcessPriorityClass(int32_t) override {}
    void SetThreadPriority(int32_t) override {}
  };

  SettingsTest() {
    table.ConfigPath = dir.File("Tornel.ini");
    clock.SetAutoAdvance(1);
  }
  bool Saved() const;
  // A key of the saved file, "?" when it is missing.
  std::string Stored(const std::string& section, const std::string& key) const;

  tornel::testing::TempDir dir;
  tornel::ChannelTable table;
  tornel::testing::FakeTickClock clock;
  tornel::testing::FakeDevice device{&clock};
  IgnoredPriority priority;
};
