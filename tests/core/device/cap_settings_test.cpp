#include "core/device/cap_settings.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/fake_device.h"

namespace tornel {
namespace {

using testing::FakeDevice;

CapSettings Defaults() { return CapSettings::FromTable(ChannelTable()); }

TEST(CapSettings, CopiesTheDacEntriesOfAll16BothWaysAndNothingElse) {
  ChannelTable table;
  table.Base[31] = 7;
  table.RealBase[16] = 3;
  table.Offset[17] = 500;
  CapSettings s = CapSettings::FromTable(table);
  EXPECT_EQ(s.CapBase[15], 7);
  EXPECT_EQ(s.CapRealBase[0], 3);
  EXPECT_EQ(s.CapOffset[1], 500);
  EXPECT_EQ(s.CapCount, 2);
  EXPECT_EQ(s.CapTestLevel, (std::array<int16_t, 16>{}));

  s.CapBase[15] = 8;
  s.CapOffset[0] = 400;
  s.CapTestLevel[0] = 99;
  ChannelTable back;
  s.CopyTo(back);
  EXPECT_EQ(back.Base[31], 8);
  EXPECT_EQ(back.Offset[16], 400);
  EXPECT_EQ(back.RealBase[16], 3);
  EXPECT_EQ(back.Offset[0], 0);  // ADC entries are not this dialog's
  EXPECT_EQ(back.Base[0], 15);
}

TEST(CapSettings, ALevelOf255AboveOffset511Calibrates50TypedToBase50Times511Over255) {
  CapSettings s = Defaults();
  EXPECT_EQ(s.Positions(1), (CapTrackPositions{511, 511}));
  s.MoveLevel(1, {511, 766});
  EXPECT_EQ(s.CapTestLevel[1], 255);
  CapTabFields shown = s.Fields(1);
  EXPECT_EQ(shown.Urov, "0.499");
  EXPECT_EQ(shown.Base, "0.499");  // Base 1 at full scale
  EXPECT_EQ(shown.Offset, "511");

  s.StoreCapTab(1, s.Positions(1), "50", shown.RealBase);
  EXPECT_DOUBLE_EQ(s.CapBase[1], 50.0 * 511 / 255);
  EXPECT_EQ(s.CapRealBase[1], 1);
  EXPECT_EQ(s.Fields(1).Base, "50.000");
}

TEST(CapSettings, MovingTheOffsetCarriesTheLevelBarAsFarAsTheBarGoes) {
  struct Case {
    int level;     // test level before
    int offsetTo;  // where the offset bar is moved
    CapTrackPositions after;
    int16_t levelAfter;
  };
  const std::vector<Case> cases = {
      {0, 521, {521, 521}, 0},
      {255, 521, {521, 776}, 255},    // +10 moves both, the level stays
      {100, 1000, {1000, 1022}, 22},  // the level bar stops at its end
      {-300, 100, {100, 0}, -100},
  };
  for (const Case& c : cases) {
    CapSettings s = Defaults();
    s.MoveLevel(0, {511, 511 + c.level});
    EXPECT_EQ(s.MoveOffset(0, c.offsetTo), c.after) << c.offsetTo;
    EXPECT_EQ(s.CapOffset[0], c.after.Offset);
    EXPECT_EQ(s.CapTestLevel[0], c.levelAfter);
    EXPECT_EQ(s.CapOffset[1], 511);  // the other tab is untouched
  }
}

TEST(CapSettings, AZeroTestLevelKeepsBaseAndRealBaseIsReadLeniently) {
  CapSettings s = Defaults();
  s.CapBase[0] = 4;
  s.StoreCapTab(0, {490, 490}, "50", "1,5");
  EXPECT_EQ(s.CapBase[0], 4);
  EXPECT_EQ(s.CapOffset[0], 490);
  EXPECT_EQ(s.CapRealBase[0], 1.5);
  s.StoreCapTab(0, {490, 500}, "x", "");
  EXPECT_EQ(s.CapBase[0], 0);  // unreadable text is 0, as everywhere
  EXPECT_EQ(s.CapRealBase[0], 0);
}

TEST(CapSettings, OutputsAreTheDacsInUseAtOffsetPlusLevelClamped) {
  CapSettings s = Defaults();
  s.CapOffset = {500, 1000, 300};
  s.CapTestLevel = {-10, 100, 5};
  FakeDevice device;
  s.WriteOutputs(device);
  EXPECT_EQ(device.Writes(), (std::vector<FakeDevice::WriteEntry>{{0, 490, 0}, {1, 1023, 0}}));
  EXPECT_EQ(std::vector<int16_t>(s.Levels().begin(), s.Levels().end()),
            (std::vector<int16_t>{-10, 100}));
}

TEST(CapSettings, AZeroCodeOutsideTheBarShowsAtItsEnd) {
  CapSettings s = Defaults();
  s.CapOffset[0] = 1100;
  s.CapOffset[1] = -5;
  EXPECT_EQ(s.Positions(0), (CapTrackPositions{1022, 1022}));
  EXPECT_EQ(s.Positions(1), (CapTrackPositions{0, 0}));
  EXPECT_EQ(s.Fields(0).Offset, "1100");
}

}  // namespace
}  // namespace tornel
