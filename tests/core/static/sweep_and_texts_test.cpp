#include <gtest/gtest.h>

#include "core/static/point_table_text.h"
#include "core/static/sweep_trace.h"

namespace tornel {
namespace {

TEST(SweepTrace, RunsAcrossThirtySecondsThenStartsAgainAtTheLeft) {
  SweepTrace sweep(1000);
  EXPECT_EQ(sweep.X(1000, 300), 0);
  EXPECT_EQ(sweep.X(16000, 300), 150);
  EXPECT_FALSE(sweep.WrapIfDue(31000));  // exactly 30 s: still this sweep
  EXPECT_EQ(sweep.X(31000, 300), 300);
  EXPECT_TRUE(sweep.WrapIfDue(31001));
  EXPECT_EQ(sweep.X(31001, 300), 0);
  EXPECT_EQ(sweep.X(31101, 300), 1);
}

TEST(SweepTrace, WrapOfTheTickCounterIsJustTime) {
  SweepTrace sweep(0xFFFFFFFFu - 999);
  EXPECT_FALSE(sweep.WrapIfDue(10000));
  EXPECT_EQ(sweep.X(14000, 300), 150);  // 15 s in
}

TEST(SweepTrace, CodeZeroOnTheMiddleLineFullScaleAtTheEdges) {
  EXPECT_EQ(SweepTrace::Y(0, 200), 100);
  EXPECT_EQ(SweepTrace::Y(511, 200), 0);
  EXPECT_EQ(SweepTrace::Y(-511, 200), 200);
  EXPECT_EQ(SweepTrace::Y(255, 201), 50);  // (1 - 0.499) * 100.5 = 50.35
}

TEST(PointTableText, HeadersCellsAndLiveValues) {
  ChannelTable table;
  table.ChanName[0] = "Скорость";
  table.ChanUnit[0] = "об/мин";
  table.ChanName[1] = "Ток";
  table.ChanUnit[1] = "";
  table.ChanName[17] = "Момент";
  table.ChanUnit[17] = "Нм";
  table.Base[0] = 1500;
  table.Base[17] = 10;
  EXPECT_EQ(PointHeaderText(table, 0), "Скорость, об/мин");
  EXPECT_EQ(PointHeaderText(table, 1), "Ток");

  StaticPoint point{};
  point[0] = -511;
  point[17] = 100;  // DAC 2
  EXPECT_EQ(PointCellText(table, point, 0), "-1500.000");
  EXPECT_EQ(PointCellText(table, point, 17), "1.957");  // 100 / 511 * 10 = 1.95695
  EXPECT_EQ(PointColumnSlot(16), 16);
  EXPECT_EQ(PointColumnSlot(17), 17);
  EXPECT_EQ(LiveValueText(table, 0, 511), "Скорость = 1500.000 об/мин");
}

}  // namespace
}  // namespace tornel
