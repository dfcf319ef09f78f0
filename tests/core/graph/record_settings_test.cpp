#include "core/graph/record_settings.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TGraphRecord Recorded(uint16_t acp, uint16_t cap, double duration) {
  TGraphRecord r;
  r.AcpMask = acp;
  r.CapMask = cap;
  r.Duration = duration;
  return r;
}

TEST(ApplyRecordSettings, WritesEveryEditedField) {
  TGraphRecord source = Recorded(0b111, 0b11, 4.0);
  source.AcpShowMask = 0b101;
  source.CapShowMask = 0b10;
  source.Deps[3] = {1, 2, 4};
  source.ChanColor[31] = 0x123456;
  source.DepColor[7] = 0x654321;
  source.ExprColor[3] = 0xABCDEF;
  source.CompareOn[5] = true;
  source.CompareName[5] = "/data/b.dta";
  source.CompareTemp[5] = "/nonexistent-tornel-dir/Trn5";
  source.ExprName[2] = "P";
  source.Expr[2] = "U*I";
  source.ExprOn[2] = true;
  source.Comments = {"one", "two"};
  source.Date = 45000;
  source.Time = 0.75;
  source.XMin = -0.5;
  source.XMax = 0.25;
  source.YMin = -3;
  source.YMax = 3;
  source.TMin = 1;
  source.TMax = 3;
  source.DivX = 7;
  source.DivY = 9;

  TGraphRecord target = Recorded(0b111, 0b11, 4.0);
  ApplyRecordSettings(TakeRecordSettings(source), target);

  EXPECT_EQ(target.ShowMask(), (MaskPair{0b101, 0b10}));
  EXPECT_EQ(target.Deps, source.Deps);
  EXPECT_TRUE(target.HasDeps);
  EXPECT_EQ(target.ChanColor, source.ChanColor);
  EXPECT_EQ(target.DepColor, source.DepColor);
  EXPECT_EQ(target.ExprColor, source.ExprColor);
  EXPECT_EQ(target.CompareOn, source.CompareOn);
  EXPECT_EQ(target.CompareName, source.CompareName);
  EXPECT_EQ(target.CompareTemp[5], "/nonexistent-tornel-dir/Trn5");
  EXPECT_EQ(target.ExprName, source.ExprName);
  EXPECT_EQ(target.Expr, source.Expr);
  EXPECT_EQ(target.ExprOn, source.ExprOn);
  EXPECT_EQ(target.Comments, source.Comments);
  EXPECT_EQ(target.Date, 45000);
  EXPECT_EQ(target.Time, 0.75);
  EXPECT_EQ(target.XMin, -0.5);
  EXPECT_EQ(target.XMax, 0.25);
  EXPECT_EQ(target.YMin, -3);
  EXPECT_EQ(target.YMax, 3);
  EXPECT_EQ(target.TMin, 1);
  EXPECT_EQ(target.TMax, 3);
  EXPECT_EQ(target.DivX, 7);
  EXPECT_EQ(target.DivY, 9);
}

TEST(ApplyRecordSettings, ShowsOnlyRecordedChannels) {
  TGraphRecord r = Recorded(0b0110, 0b01, 1.0);
  RecordSettings s = TakeRecordSettings(r);
  s.Show = {0xFFFF, 0xFFFF};
  ApplyRecordSettings(s, r);
  EXPECT_EQ(r.ShowMask(), (MaskPair{0b0110, 0b01}));
}

TEST(ApplyRecordSettings, RepairsTheTimeRangeAgainstTheRecordsLength) {
  TGraphRecord r = Recorded(1, 0, 2.5);
  RecordSettings s = TakeRecordSettings(r);
  s.TMin = -1;
  s.TMax = 10;
  ApplyRecordSettings(s, r);
  EXPECT_EQ(r.TMin, 0);
  EXPECT_EQ(r.TMax, 2.5);
}

TEST(ApplyRecordSettings, TakesXAndYLimitsAsTyped) {
  TGraphRecord r = Recorded(1, 0, 1.0);
  RecordSettings s = TakeRecordSettings(r);
  s.XMin = 2;
  s.XMax = -2;
  s.YMin = 1;
  s.YMax = 1;
  ApplyRecordSettings(s, r);
  EXPECT_EQ(r.XMin, 2);
  EXPECT_EQ(r.XMax, -2);
  EXPECT_EQ(r.YMin, 1);
  EXPECT_EQ(r.YMax, 1);
}

TEST(ApplyRecordSettings, HoldsDivisionsToTheOfferedRange) {
  TGraphRecord r = Recorded(1, 0, 1.0);
  RecordSettings s = TakeRecordSettings(r);
  s.DivX = 0;
  s.DivY = 1000;
  ApplyRecordSettings(s, r);
  EXPECT_EQ(r.DivX, 1);
  EXPECT_EQ(r.DivY, 100);
}

TEST(ApplyRecordSettings, HasDepsFollowsTheEnabledFlags) {
  TGraphRecord r = Recorded(1, 0, 1.0);
  r.HasDeps = true;
  RecordSettings s = TakeRecordSettings(r);
  ApplyRecordSettings(s, r);
  EXPECT_FALSE(r.HasDeps);
}

}  // namespace
}  // namespace tornel
