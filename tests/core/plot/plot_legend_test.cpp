#include "core/plot/plot_legend.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "recording_canvas.h"

namespace tornel::testing {
namespace {

using ::testing::ElementsAre;

// ADC 2 and ADC 5 and DAC 1 recorded: positions 0, 1 and 2.
TGraphRecord ThreeChannels() {
  TGraphRecord r;
  r.AcpMask = 0b10010;
  r.CapMask = 0b1;
  r.ChanName[1] = "Ток";
  r.ChanName[4] = "Скорость";
  r.ChanName[16] = "Задание";
  r.ChanColor[1] = 0x0000FF;
  r.ChanColor[16] = 0x00FF00;
  r.DepColor[0] = 0xFF0000;
  r.DepColor[2] = 0x808000;
  return r;
}

TEST(DrawLegend, ShownChannelsThenDependenciesOneLineHeightApart) {
  TGraphRecord r = ThreeChannels();
  r.AcpShowMask = 0b10;
  r.CapShowMask = 0b1;
  r.Deps[0] = {1, 2, 1};  // ADC 5 over DAC 1
  RecordingCanvas canvas;
  DrawLegend(r, canvas, 100, 50);
  const auto texts = canvas.OfKind(RecordingCanvas::Kind::Text);
  ASSERT_EQ(texts.size(), 3u);
  // lh = trunc(1.2 * 10) = 12; lines at (lx + 6, ly + n * 12).
  EXPECT_EQ(texts[0].text, "Ток(t)");
  EXPECT_EQ(texts[0].points[0], (Point{106, 62}));
  EXPECT_EQ(texts[0].color, 0x0000FFu);
  EXPECT_EQ(texts[1].text, "Задание(t)");
  EXPECT_EQ(texts[1].points[0], (Point{106, 74}));
  EXPECT_EQ(texts[1].color, 0x00FF00u);
  EXPECT_EQ(texts[2].text, "Скорость(Задание)");
  EXPECT_EQ(texts[2].points[0], (Point{106, 86}));
  EXPECT_EQ(texts[2].color, 0xFF0000u);
}

TEST(LegendLines, ShownButNotRecordedChannelsAndUnusableDependenciesAreLeftOut) {
  TGraphRecord r = ThreeChannels();
  r.AcpShowMask = 0b11;  // ADC 1 is not recorded
  r.Deps[0] = {1, -1, 0};
  r.Deps[1] = {1, 0, 3};  // only three channels are recorded
  r.Deps[2] = {1, 0, 2};
  r.Deps[3] = {0, 0, 1};  // not enabled
  EXPECT_THAT(LegendLines(r),
              ElementsAre(LegendLine{"Ток(t)", 0x0000FF}, LegendLine{"Задание(Ток)", 0x808000}));
}

TEST(DrawLegend, BlackOnAPrinter) {
  TGraphRecord r = ThreeChannels();
  r.AcpShowMask = 0b10010;
  r.Deps[5] = {1, 0, 1};
  RecordingCanvas canvas(true);
  DrawLegend(r, canvas, 0, 0);
  ASSERT_EQ(canvas.Ops().size(), 3u);
  for (const auto& op : canvas.Ops()) EXPECT_EQ(op.color, 0u) << op.text;
}

TEST(LegendExtent, WidestLineWithHalfALineEachSide) {
  TGraphRecord r = ThreeChannels();
  r.AcpShowMask = 0b10010;
  RecordingCanvas canvas;
  // "Скорость(t)" is 11 characters: 66 + 12; two lines plus a line above and below.
  const TextSize size = LegendExtent(r, canvas);
  EXPECT_EQ(size.cx, 78);
  EXPECT_EQ(size.cy, 48);
}

// The graph window and the pictures size the legend's area from its extent:
// every line drawn must lie inside it, whatever the names.
TEST(LegendExtent, HoldsEveryLineDrawn) {
  const struct {
    const char* what;
    std::string name;
    bool dependency;
  } cases[] = {
      {"short name", "W", false},
      {"name of the graph block", "Канал 1", false},
      {"long dependency", "Частота вращения", true},
      {"no lines", "", false},
  };
  for (const auto& c : cases) {
    TGraphRecord r = ThreeChannels();
    r.ChanName[4] = c.name;
    r.AcpShowMask = c.name.empty() ? 0 : 0b10000;
    if (c.dependency) r.Deps[0] = {1, 1, 2};
    RecordingCanvas canvas;
    constexpr int kLx = 7, kLy = 3;
    DrawLegend(r, canvas, kLx, kLy);
    const TextSize extent = LegendExtent(r, canvas);
    const auto texts = canvas.OfKind(RecordingCanvas::Kind::Text);
    EXPECT_EQ(texts.empty(), c.name.empty()) << c.what;
    for (const auto& t : texts) {
      const TextSize size = canvas.TextExtent(t.text);
      EXPECT_GE(t.points[0].x, kLx) << c.what;
      EXPECT_LE(t.points[0].x + size.cx, kLx + extent.cx) << c.what << ": " << t.text;
      EXPECT_LE(t.points[0].y + size.cy, kLy + extent.cy) << c.what << ": " << t.text;
    }
  }
}

}  // namespace
}  // namespace tornel::testing
