#include "core/graph/cursor_geometry.h"

#include <gtest/gtest.h>

#include "core/graph/cursor_readout.h"
#include "graph_test_record.h"

namespace tornel {
namespace {

using testing::FillRecord;
using testing::TempDir;

// ADC 1 is the abscissa, ADC 2 the ordinate; one code is one scaled unit.
void DependencyRecord(TGraphRecord& record, const TempDir& dir,
                      const std::vector<int16_t>& values) {
  record.AcpShowMask = record.CapShowMask = 0;
  record.Deps[0] = {1, 0, 1};
  record.Base[0] = record.RealBase[0] = 1;
  record.Base[1] = 511;
  record.RealBase[1] = 1;
  record.Duration = record.TMax = 1;
  record.TMin = 0;
  FillRecord(record, dir, 0b11, 0, values);
}

TEST(CursorGeometry, TheFirstEnabledDependencyGivesTheAbscissaOnlyWithoutATimePlot) {
  TempDir dir;
  TGraphRecord record;
  DependencyRecord(record, dir, {0, 0});
  record.Deps[0].Enabled = 0;
  record.Deps[2] = {1, 1, 0};
  EXPECT_EQ(CursorAbscissaPosition(record), 1);
  record.AcpShowMask = 1;
  EXPECT_EQ(CursorAbscissaPosition(record), -1);
  record.AcpShowMask = 0;
  record.Deps[2].Enabled = 0;
  EXPECT_EQ(CursorAbscissaPosition(record), -1);
}

struct NearestCase {
  const char* name;
  double value;
  VisibleFrames visible;
  int64_t frame;
};

TEST(CursorGeometry, NearestAbscissaFrameOfANonMonotonicAbscissa) {
  TempDir dir;
  TGraphRecord record;
  // abscissa codes 0, 10, 20, 10, 0, 30
  DependencyRecord(record, dir, {0, 0, 10, 0, 20, 0, 10, 0, 0, 0, 30, 0});
  const NearestCase cases[] = {
      {"equal distance: the earlier frame", 10, {0, 5}, 1},
      {"nearer to the lower value", 14, {0, 5}, 1},
      {"nearer to the peak", 16, {0, 5}, 2},
      {"halfway between two frames", 25, {0, 5}, 2},
      {"beyond every value", 100, {0, 5}, 5},
      {"below every value", -5, {0, 5}, 0},
      {"only the visible frames", 10, {3, 2}, 3},
      {"a visible range past the file", 20, {4, 10}, 5},
  };
  for (const NearestCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(NearestAbscissaFrame(record, 0, c.value, c.visible), c.frame);
  }
}

TEST(CursorGeometry, DependencyCursorsStandAtTheirAbscissaValues) {
  TempDir dir;
  TGraphRecord record;
  // abscissa codes 0, 511, 1022, 1533, 511; X from 0 to 3 per unit
  DependencyRecord(record, dir, {0, 5, 511, 6, 1022, 7, 1533, 8, 511, 9});
  record.XMin = 0;
  record.XMax = 3;
  CursorPair cursors;
  PlaceCursors(cursors, record);
  EXPECT_EQ(cursors.Frame(0), 1);  // 1 per unit, before frame 4
  EXPECT_EQ(cursors.Frame(1), 2);  // 2 per unit

  // Inner width 90 over 3 per unit: 30 columns per unit from x = 60.
  const PlotRect rect{0, 0, 170, 100};
  const PlotMargins margins{60, 20, 20, 20};
  const int columns[] = {60, 90, 120, 150, 90};
  for (int64_t frame = 0; frame < 5; ++frame) {
    EXPECT_EQ(CursorColumn(record, frame, rect, margins), columns[frame]) << frame;
  }
  EXPECT_EQ(CursorFrameAtColumn(record, 134, rect, margins), 2);
  EXPECT_EQ(CursorFrameAtColumn(record, 136, rect, margins), 3);

  // The readout shows the abscissa, then the ordinate, at those frames.
  const CursorReadout r = MeasureCursors(record, 1, 3);
  ASSERT_EQ(r.channels.size(), 2u);
  EXPECT_EQ(r.channels[0].slot, 0);
  EXPECT_EQ(r.channels[0].at1, 1);
  EXPECT_EQ(r.channels[0].at2, 3);
  EXPECT_EQ(r.channels[1].slot, 1);
  EXPECT_EQ(r.channels[1].at1, 6);
  EXPECT_EQ(r.channels[1].at2, 8);
  EXPECT_EQ(r.channels[1].mean, 7);
}

}  // namespace
}  // namespace tornel
