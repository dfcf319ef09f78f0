#include "core/plot/text_table.h"

#include <gtest/gtest.h>

#include "recording_canvas.h"

namespace tornel::testing {
namespace {

using Kind = RecordingCanvas::Kind;

struct Placed {
  std::string text;
  Point at;
  bool operator==(const Placed&) const = default;
};

std::vector<Placed> Texts(const RecordingCanvas& canvas) {
  std::vector<Placed> out;
  for (const auto& op : canvas.OfKind(Kind::Text)) out.push_back({op.text, op.points[0]});
  return out;
}

// Characters are 6 wide and lines 10 high on the recording canvas: columns
// are as wide as their widest cell (2 and 5 characters) and two blanks
// apart; the rows that end past the area's bottom are left out.
TEST(TextTableTest, ColumnsAsWideAsTheirCellsRowsCutAtTheBottom) {
  const std::vector<std::vector<std::string>> rows = {
      {"№", "f, Гц"}, {"1", "50,00"}, {"12", "600,5"}};
  struct Case {
    int bottom;
    std::vector<Placed> texts;
  };
  const Case cases[] = {
      {230,
       {{"№", {100, 200}},
        {"f, Гц", {124, 200}},
        {"1", {100, 210}},
        {"50,00", {124, 210}},
        {"12", {100, 220}},
        {"600,5", {124, 220}}}},
      {220, {{"№", {100, 200}}, {"f, Гц", {124, 200}}, {"1", {100, 210}}, {"50,00", {124, 210}}}},
      {200, {}},  // an empty area draws nothing, not even a clip
  };
  for (const Case& c : cases) {
    RecordingCanvas canvas;
    const TextTable table(canvas, rows);
    EXPECT_EQ(table.Extent().cx, 54);
    EXPECT_EQ(table.Extent().cy, 30);
    table.Draw(canvas, {100, 200, 300, c.bottom});
    EXPECT_EQ(Texts(canvas), c.texts) << c.bottom;
    if (c.texts.empty()) {
      EXPECT_TRUE(canvas.Ops().empty());
    } else {
      EXPECT_EQ(canvas.Ops().front().kind, Kind::Clip);
      EXPECT_EQ(canvas.Ops().front().clip, (PlotRect{100, 200, 300, c.bottom}));
      EXPECT_EQ(canvas.Ops().back().kind, Kind::Unclip);
    }
  }
}

// One legend line takes (1 + 2) lines of 12; a blank line of 10 follows.
TEST(TextTableTest, BelowLegendLeavesTheLegendAndABlankLine) {
  TGraphRecord r;
  r.AcpMask = r.AcpShowMask = 1;
  RecordingCanvas canvas;
  EXPECT_EQ(BelowLegend(r, canvas, {10, 20, 110, 220}), (PlotRect{10, 66, 110, 220}));
  r.AcpShowMask = 0;
  EXPECT_EQ(BelowLegend(r, canvas, {10, 20, 110, 220}), (PlotRect{10, 54, 110, 220}));
}

}  // namespace
}  // namespace tornel::testing
