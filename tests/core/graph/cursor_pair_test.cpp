#include "core/graph/cursor_pair.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(CursorPair, PlacedAtThirdsOfTheVisibleFrames) {
  CursorPair c;
  c.Place({100, 300});
  EXPECT_EQ(c.Frame(0), 200);
  EXPECT_EQ(c.Frame(1), 300);
  c.Place({0, 4});  // 4/3 and 8/3 rounded
  EXPECT_EQ(c.Frame(0), 1);
  EXPECT_EQ(c.Frame(1), 3);
}

TEST(CursorPair, StepsHeldToTheFile) {
  CursorPair c;
  c.Place({0, 9});
  c.SetActive(1);
  c.Step(100, 10);
  EXPECT_EQ(c.Frame(1), 9);
  c.SetActive(0);
  c.Step(-100, 10);
  EXPECT_EQ(c.Frame(0), 0);
}

TEST(CursorPair, ColumnsAndFramesMatchThePlot) {
  const VisibleFrames v{10, 4};  // frames 10..14 over 100 pixels from x 60
  const struct {
    int64_t frame;
    int x;
  } cases[] = {{10, 60}, {11, 85}, {14, 160}};
  for (const auto& c : cases) {
    EXPECT_EQ(CursorPair::XOfFrame(c.frame, v, 60, 100), c.x);
    EXPECT_EQ(CursorPair::FrameAtX(c.x, v, 60, 100), c.frame);
  }
  EXPECT_EQ(CursorPair::FrameAtX(72, v, 60, 100), 10);  // 0.48 of a frame
  EXPECT_EQ(CursorPair::FrameAtX(73, v, 60, 100), 11);
  EXPECT_EQ(CursorPair::FrameAtX(-500, v, 60, 100), 10);
  EXPECT_EQ(CursorPair::FrameAtX(900, v, 60, 100), 14);
}

TEST(VisibleRange, ThePlotsFramesOfTheTimeRange) {
  TGraphRecord record;
  record.FrameCount = 1000;
  record.Duration = 10;
  record.TMin = 2;
  record.TMax = 5;
  const VisibleFrames v = VisibleRange(record);
  EXPECT_EQ(v.first, 200);
  EXPECT_EQ(v.count, 299);  // last frame 499
  record.Duration = 0;
  EXPECT_TRUE(VisibleRange(record).Empty());
}

}  // namespace
}  // namespace tornel
