#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"
#include "tests/ui/support/fake_window_host.h"

// A host whose channel table's file lies in a folder of the test's own (and
// does not exist until something saves it); its clock moves on by 1 ms at
// each look at the time.
class SettingsTest : public ::testing::Test {
protected:
  SettingsTest() {
    table.ConfigPath = dir.File("Tornel.ini");
    clock.SetAutoAdvance(1);
  }
  bool Saved() const;
  // A key of the saved file, "?" when it is missing.
  std::string Stored(const std::string& section, const std::string& key) const;

  tornel::testing::TempDir dir;
  tornel::testing::FakeWindowHost host;
  tornel::ChannelTable& table = host.table;
  tornel::testing::FakeTickClock& clock = host.clock;
  tornel::testing::FakeDevice& device = host.device;
};
