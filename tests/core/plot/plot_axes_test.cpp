#include "core/plot/plot_axes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/text/number_text.h"
#include "plot_fixture.h"
#include "recording_canvas.h"

namespace tornel::testing {
namespace {

using ::testing::ElementsAre;
using Kind = RecordingCanvas::Kind;

struct Segment {
  int x0, y0, x1, y1;
  bool operator==(const Segment&) const = default;
};

std::vector<Segment> Segments(const std::vector<RecordingCanvas::Op>& ops) {
  std::vector<Segment> out;
  for (const auto& op : ops) {
    out.push_back({op.points[0].x, op.points[0].y, op.points[1].x, op.points[1].y});
  }
  return out;
}

struct Placed {
  std::string text;
  int x, y;
  bool operator==(const Placed&) const = default;
};

std::vector<Placed> PlacedTexts(const RecordingCanvas& canvas) {
  std::vector<Placed> out;
  for (const auto& op : canvas.OfKind(Kind::Text)) {
    out.push_back({op.text, op.points[0].x, op.points[0].y});
  }
  return out;
}

TGraphRecord TimeRecord() {
  TGraphRecord r;
  r.AcpMask = r.AcpShowMask = 1;
  r.Duration = r.TMax = 2.0;
  return r;
}

TGraphRecord DepRecord() {
  TGraphRecord r;
  r.AcpMask = 0b11;
  r.Deps[0] = {1, 1, 0};
  return r;
}

TEST(DrawGrid, FiveBySixDivisionsGiveFourVerticalAndFiveHorizontalDottedLines) {
  TGraphRecord r = TimeRecord();
  RecordingCanvas canvas;
  DrawGrid(r, canvas, kMargins, kRect);
  // y = 20 + i * 300 div 6, x = 60 + i * 480 div 5.
  EXPECT_THAT(
      Segments(canvas.LinesIn(PenStyle::Dotted, 1)),
      ElementsAre(Segment{60, 70, 540, 70}, Segment{60, 120, 540, 120}, Segment{60, 170, 540, 170},
                  Segment{60, 220, 540, 220}, Segment{60, 270, 540, 270},
                  Segment{156, 20, 156, 320}, Segment{252, 20, 252, 320},
                  Segment{348, 20, 348, 320}, Segment{444, 20, 444, 320}));
  for (const auto& op : canvas.LinesIn(PenStyle::Dotted, 1)) EXPECT_EQ(op.pen.color, 0xC0C0C0u);
  const auto frame = canvas.OfKind(Kind::Polyline);
  ASSERT_EQ(frame.size(), 1u);
  EXPECT_THAT(frame[0].points, ElementsAre(Point{59, 19}, Point{540, 19}, Point{540, 320},
                                           Point{59, 320}, Point{59, 19}));
  EXPECT_EQ(frame[0].pen, (Pen{0, 1, PenStyle::Solid, PenMode::Copy}));
  EXPECT_EQ(canvas.GetPen(), RecordingCanvas::kOwnPen);
}

TEST(DrawGrid, DivisionPositionsTruncateTowardZero) {
  TGraphRecord r = TimeRecord();
  r.DivY = 1;
  RecordingCanvas canvas;
  // W = 481: 96.2, 192.4, 288.6 and 384.8 become 96, 192, 288 and 384.
  DrawGrid(r, canvas, kMargins, {0, 0, 561, 340});
  EXPECT_THAT(Segments(canvas.LinesIn(PenStyle::Dotted, 1)),
              ElementsAre(Segment{156, 20, 156, 320}, Segment{252, 20, 252, 320},
                          Segment{348, 20, 348, 320}, Segment{444, 20, 444, 320}));
}

TEST(DrawTicks, MajorAndMinorTicksOnBottomAndLeftAxes) {
  TGraphRecord r = TimeRecord();
  RecordingCanvas canvas;
  DrawTicks(r, canvas, kMargins, kRect);
  const auto lines = Segments(canvas.LinesIn(PenStyle::Solid, 2));
  // len = trunc(0.5 * 10) = 5, minor ticks 2; no top axis without dependencies.
  const std::vector<Segment> expected = {
      {60, 320, 540, 320},  {60, 320, 60, 315},   {156, 320, 156, 315}, {540, 320, 540, 315},
      {108, 320, 108, 318}, {492, 320, 492, 318}, {60, 20, 60, 320},    {60, 20, 65, 20},
      {60, 70, 65, 70},     {60, 320, 65, 320},   {60, 45, 62, 45},     {60, 295, 62, 295}};
  for (const Segment& s : expected) EXPECT_THAT(lines, ::testing::Contains(s));
  // 1 + 6 + 5 bottom, 1 + 7 + 6 left.
  EXPECT_EQ(lines.size(), 26u);
  for (const Segment& s : lines) EXPECT_FALSE(s.y0 == 20 && s.y1 == 20 && s.x1 == 540);
}

TEST(DrawTicks, TopAxisOnlyWhenTimeAndDependenciesAreShownTogether) {
  struct Case {
    bool time, deps, top;
  };
  for (Case c : {Case{true, false, false}, Case{false, true, false}, Case{true, true, true}}) {
    TGraphRecord r;
    r.AcpMask = 0b11;
    if (c.time) r.AcpShowMask = 1;
    if (c.deps) r.Deps[3] = {1, 0, 1};
    RecordingCanvas canvas;
    DrawTicks(r, canvas, kMargins, kRect);
    const auto lines = Segments(canvas.LinesIn(PenStyle::Solid, 2));
    const bool top = std::find(lines.begin(), lines.end(), Segment{60, 20, 540, 20}) != lines.end();
    EXPECT_EQ(top, c.top) << c.time << c.deps;
    if (c.top) {
      EXPECT_THAT(lines, ::testing::Contains(Segment{156, 20, 156, 25}));
      EXPECT_THAT(lines, ::testing::Contains(Segment{108, 20, 108, 22}));
    }
  }
}

TEST(DrawZeroLines, PresentOnlyWhereTheRangeCrossesZero) {
  struct Case {
    bool time, deps;
    double yMin, yMax, xMin, xMax;
    std::vector<Segment> lines;
  };
  const Case cases[] = {
      // Middle of 20..320 for a symmetric range.
      {true, false, -1.9, 1.9, -1.9, 1.9, {{60, 170, 540, 170}}},
      {true, false, 0, 1.9, -1.9, 1.9, {}},
      {true, false, -3, 1, -1.9, 1.9, {{60, 95, 540, 95}}},
      // x = 60 + XMin * 480 / (XMin - XMax).
      {false, true, 0, 1.9, -1.9, 1.9, {{300, 20, 300, 320}}},
      {false, true, 0, 1.9, -1, 3, {{180, 20, 180, 320}}},
      {false, true, 0, 1.9, 0, 3, {}},
      {true, true, -1.9, 1.9, -1, 3, {{180, 20, 180, 320}, {60, 170, 540, 170}}},
      // Nothing to draw is no reason to divide by zero.
      {false, true, 0, 0, 0, 0, {}},
  };
  for (const Case& c : cases) {
    TGraphRecord r;
    r.AcpMask = 0b11;
    if (c.time) r.AcpShowMask = 1;
    if (c.deps) r.Deps[0] = {1, 0, 1};
    r.YMin = c.yMin;
    r.YMax = c.yMax;
    r.XMin = c.xMin;
    r.XMax = c.xMax;
    RecordingCanvas canvas;
    DrawZeroLines(r, canvas, kMargins, kRect);
    EXPECT_EQ(Segments(canvas.LinesIn(PenStyle::Solid, 2)), c.lines) << c.yMin << " " << c.xMin;
    EXPECT_EQ(canvas.GetPen(), RecordingCanvas::kOwnPen);
  }
}

TEST(DrawTickLabels, SixBottomAndSevenLeftLabelsWithTwoDecimals) {
  TGraphRecord r = TimeRecord();
  RecordingCanvas canvas;
  DrawTickLabels(r, canvas, kMargins, kRect);
  // Bottom: centred on x0 + i * 96, top = yb + 5; "0.00" is 24 wide.
  // Left: right edge at x0 - 5, top = y0 + i * 50 - 5.
  EXPECT_THAT(
      PlacedTexts(canvas),
      ElementsAre(Placed{"0.00", 48, 325}, Placed{"0.40", 144, 325}, Placed{"0.80", 240, 325},
                  Placed{"1.20", 336, 325}, Placed{"1.60", 432, 325}, Placed{"2.00", 528, 325},
                  Placed{"1.90", 31, 15}, Placed{"1.27", 31, 65}, Placed{"0.63", 31, 115},
                  Placed{"0.00", 31, 165}, Placed{"-0.63", 25, 215}, Placed{"-1.27", 25, 265},
                  Placed{"-1.90", 25, 315}));
  for (const auto& op : canvas.OfKind(Kind::Text)) EXPECT_EQ(op.color, 0u);
}

// "2500.00" is 42 wide: centred on x1 = 540 it would end at 561, past the
// plot rectangle, so it ends at 560; with a left margin of 10 the first
// label "1000.00" would start at -11 and starts at 0.
TEST(DrawTickLabels, WideLabelsStayWholeInsideThePlotRectangle) {
  struct Case {
    double tMin, tMax;
    PlotMargins margins;
    Placed first, last;
  };
  const Case cases[] = {
      {0, 2500, kMargins, {"0.00", 48, 325}, {"2500.00", 518, 325}},
      {1000, 1500, {10, 20, 20, 20}, {"1000.00", 0, 325}, {"1500.00", 518, 325}},
      {0, 20, kMargins, {"0.00", 48, 325}, {"20.00", 525, 325}},  // fits: not moved
  };
  for (const Case& c : cases) {
    TGraphRecord r = TimeRecord();
    r.TMin = c.tMin;
    r.TMax = c.tMax;
    RecordingCanvas canvas;
    DrawTickLabels(r, canvas, c.margins, kRect);
    const std::vector<Placed> placed = PlacedTexts(canvas);
    ASSERT_GE(placed.size(), 6u);
    EXPECT_EQ(placed[0], c.first) << c.tMax;
    EXPECT_EQ(placed[5], c.last) << c.tMax;
  }
}

TEST(DrawTickLabels, UseTheSystemDecimalSeparator) {
  TGraphRecord r = TimeRecord();
  SetSystemDecimalSeparator(',');
  RecordingCanvas canvas;
  DrawTickLabels(r, canvas, kMargins, kRect);
  SetSystemDecimalSeparator('.');
  EXPECT_EQ(canvas.Texts().front(), "0,00");
  EXPECT_EQ(canvas.Texts()[6], "1,90");
}

TEST(DrawTickLabels, DependenciesAloneLabelTheBottomAxisFromXMin) {
  TGraphRecord r = DepRecord();
  RecordingCanvas canvas;
  DrawTickLabels(r, canvas, kMargins, kRect);
  const auto texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 13u);  // no top row
  EXPECT_THAT(std::vector<std::string>(texts.begin(), texts.begin() + 6),
              ElementsAre("-1.90", "-1.14", "-0.38", "0.38", "1.14", "1.90"));
}

TEST(DrawTickLabels, TimeAndDependenciesTogetherLabelTheTopAxisInX) {
  TGraphRecord r = DepRecord();
  r.AcpShowMask = 1;
  r.TMax = 1.0;
  r.XMin = 0;
  r.XMax = 5;
  RecordingCanvas canvas;
  DrawTickLabels(r, canvas, kMargins, kRect);
  const auto placed = PlacedTexts(canvas);
  ASSERT_EQ(placed.size(), 19u);
  EXPECT_EQ(placed[0], (Placed{"0.00", 48, 325}));
  EXPECT_EQ(placed[5], (Placed{"1.00", 528, 325}));
  // The top row sits above y0: bottom = 20 - 5, top = bottom - 10.
  EXPECT_EQ(placed[6], (Placed{"0.00", 48, 5}));
  EXPECT_EQ(placed[11], (Placed{"5.00", 528, 5}));
}

TEST(DrawTickLabels, LabelsThatWouldRunTogetherAreLeftOut) {
  // A graph block's narrow plot: W = 120 in 4 divisions of 30, the bottom
  // labels centred at x 60, 90, 120, 150, 180 on the row top 325, the title
  // in the middle of the last division at 165. Characters are 6 wide and a
  // space (the least gap) is 6.
  struct Case {
    const char* name;
    bool time;
    PlotRect rect;
    std::vector<Placed> placed;
  };
  const Case cases[] = {
      // Before a run: "-1.90" [45,75) and "0.00" [108,132); "-0.95" [75,105)
      // touches the first, "0.95" [138,162) and "1.90" [168,192) meet the
      // title "X,o.e." [147,183). The left column is tall enough for all.
      {"X labels", false, {0, 0, 200, 340}, {{"-1.90", 45, 325}, {"0.00", 108, 325}}},
      // After a run: "0.00" [48,72), "0.25" [78,102) and "0.50" [108,132)
      // are each a space apart; "0.75" [138,162) and "1.00" [168,192) meet
      // "t,c" [156,174).
      {"time labels",
       true,
       {0, 0, 200, 340},
       {{"0.00", 48, 325}, {"0.25", 78, 325}, {"0.50", 108, 325}}},
  };
  for (const Case& c : cases) {
    TGraphRecord r;
    r.DivX = r.DivY = 4;
    r.AcpMask = 1;
    if (c.time) {
      r.AcpShowMask = 1;
      r.Duration = r.TMax = 1.0;
    }
    RecordingCanvas canvas;
    DrawTickLabels(r, canvas, kMargins, c.rect);
    std::vector<Placed> bottom;
    for (const Placed& p : PlacedTexts(canvas)) {
      if (p.y == 325) bottom.push_back(p);
    }
    EXPECT_EQ(bottom, c.placed) << c.name;
  }

  // A low plot: H = 32 in 4 divisions of 8, labels one line (10) high with
  // tops at 15, 23, 31, 39, 47; "Y,o.e." takes [19,29), so the 1.90 and 0.95
  // labels go, 0.00 stays and -0.95 [39,49) runs into it.
  TGraphRecord r;
  r.DivX = r.DivY = 4;
  RecordingCanvas canvas;
  DrawTickLabels(r, canvas, kMargins, {0, 0, 560, 72});
  std::vector<Placed> left;
  for (const Placed& p : PlacedTexts(canvas)) {
    if (p.y != 57) left.push_back(p);  // not the bottom row
  }
  EXPECT_EQ(left, (std::vector<Placed>{{"0.00", 31, 31}, {"-1.90", 25, 47}}));
}

TEST(DrawAxisTitles, TitlesFollowWhichPlotsArePresent) {
  struct Case {
    bool time, deps;
    std::vector<Placed> titles;
    PlotTitles texts = {};
  };
  // Bottom and top titles centred on x1 - W div 10 = 492; "Y,o.e." is 36
  // wide, right-aligned at x0 - 5, top y0 + 300 div 12 - 5.
  const Case cases[] = {
      {true, false, {{"t,c", 483, 325}, {"Y,o.e.", 19, 40}}},
      {false, true, {{"X,o.e.", 474, 325}, {"Y,o.e.", 19, 40}}},
      {true, true, {{"t,c", 483, 325}, {"X,o.e.", 474, 5}, {"Y,o.e.", 19, 40}}},
      // A record's own titles (a spectrum's) in the same places.
      {true, false, {{"f,Hz", 480, 325}, {"lg A", 31, 40}}, {"f,Hz", "X", "lg A", ""}},
      {false, true, {{"X,V", 483, 325}, {"lg A", 31, 40}}, {"f,Hz", "X,V", "lg A", ""}},
  };
  for (const Case& c : cases) {
    TGraphRecord r;
    r.Titles = c.texts;
    r.AcpMask = 0b11;
    if (c.time) r.AcpShowMask = 1;
    if (c.deps) r.Deps[7] = {1, 0, 1};
    RecordingCanvas canvas;
    DrawAxisTitles(r, canvas, kMargins, kRect);
    EXPECT_EQ(PlacedTexts(canvas), c.titles);
  }
}

TEST(PlotAxes, EverythingIsBlackOnAPrinter) {
  TGraphRecord r = DepRecord();
  r.AcpShowMask = 1;
  RecordingCanvas canvas(true);
  DrawGrid(r, canvas, kMargins, kRect);
  DrawTicks(r, canvas, kMargins, kRect);
  DrawZeroLines(r, canvas, kMargins, kRect);
  DrawTickLabels(r, canvas, kMargins, kRect);
  DrawAxisTitles(r, canvas, kMargins, kRect);
  for (const auto& op : canvas.Ops()) {
    if (op.kind == Kind::Text) {
      EXPECT_EQ(op.color, 0u) << op.text;
    } else {
      EXPECT_EQ(op.pen.color, 0u);
    }
  }
}

TEST(PlotAxes, DivisionsOutOfRangeNeverDivideByZero) {
  TGraphRecord r = TimeRecord();
  r.DivX = 0;
  r.DivY = -3;
  RecordingCanvas canvas;
  DrawGrid(r, canvas, kMargins, kRect);
  DrawTickLabels(r, canvas, kMargins, kRect);
  DrawAxisTitles(r, canvas, kMargins, kRect);
  // Held to one division: no grid lines, two labels on each axis.
  EXPECT_TRUE(canvas.LinesIn(PenStyle::Dotted, 1).empty());
  EXPECT_THAT(canvas.Texts(), ElementsAre("0.00", "2.00", "1.90", "-1.90", "t,c", "Y,o.e."));
}

}  // namespace
}  // namespace tornel::testing
