#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "core/scheme/block_values_edit.h"
#include "core/scheme/delete_blocks_edit.h"
#include "core/scheme/move_blocks_edit.h"
#include "core/scheme/resize_block_edit.h"
#include "core/scheme/rotate_blocks_edit.h"
#include "core/text/user_error.h"
#include "scheme_fixture.h"

namespace tornel {
namespace {

using testing::ExpectRoundTrip;
using testing::SchemeTest;

class SchemeEditTest : public SchemeTest {
protected:
  // step -> sum(0) -> lag -> sum(1), step -> graph(0), lag -> graph(3)
  void Build() {
    step = Place(kKindStep, 10, 10);
    sum = Place(kKindSum, 150, 10);
    lag = Place(kKindAperiod, 250, 10);
    graph = Place(kKindGraph, 400, 10);
    Connect(step, sum, 0);
    Connect(lag, sum, 1);
    Connect(sum, lag, 0);
    Connect(step, graph, 0);
    Connect(lag, graph, 3);
    ASSERT_EQ(scheme.CheckInvariants(), "");
  }
  TBlock *step = nullptr, *sum = nullptr, *lag = nullptr, *graph = nullptr;
};

TEST_F(SchemeEditTest, EveryEditRevertsAndRedoesExactly) {
  Build();
  using Make = std::function<std::unique_ptr<SchemeEdit>()>;
  const std::vector<std::pair<const char*, Make>> edits = {
      {"place",
       [&] {
         return std::make_unique<PlaceBlockEdit>(scheme, kKindPIReg, Point{5, 7});
       }},
      {"move",
       [&] {
         return std::make_unique<MoveBlocksEdit>(std::vector{sum, lag}, 12, -3);
       }},
      {"rotate",
       [&] {
         sum->Selected = lag->Selected = step->Selected = true;
         return std::make_unique<RotateBlocksEdit>(scheme);
       }},
      {"start", [&] { return LineEdit::Start(scheme, lag, 0); }},
      {"detach", [&] { return LineEdit::Detach(scheme, sum, 1); }},
      {"delete sum",
       [&] {
         sum->Selected = true;
         return std::make_unique<DeleteBlocksEdit>(scheme);
       }},
      {"delete step and lag",
       [&] {
         step->Selected = lag->Selected = true;
         return std::make_unique<DeleteBlocksEdit>(scheme);
       }},
      {"params",
       [&] {
         return BlockValuesEdit::Params(lag, {"2,5", "0.25", "x"});
       }},
      {"sign", [&] { return BlockValuesEdit::ToggleSign(sum); }},
      {"resize", [&] { return std::make_unique<ResizeBlockEdit>(scheme, graph, 300, 400); }},
      {"channel",
       [&] {
         TBlock* acp = Place(kKindAcp);
         return BlockValuesEdit::Channel(acp, 1);
       }},
  };
  for (const auto& [name, make] : edits) {
    SCOPED_TRACE(name);
    for (const auto& b : scheme.Blocks()) b->Selected = false;
    auto edit = make();
    ASSERT_TRUE(edit);
    ExpectRoundTrip(scheme, *edit);
    edit->Revert(scheme);
  }
}

TEST_F(SchemeEditTest, DraggedLineCompletesDropsAndMovesBetweenInputs) {
  Build();
  auto start = LineEdit::Start(scheme, sum, 0);
  start->Apply(scheme);
  EXPECT_EQ(sum->OutLineCount[0], 2) << "a dragged line counts at its output";
  EXPECT_FALSE(LineEdit::Start(scheme, lag, 0)) << "one dragged line at a time";
  EXPECT_FALSE(LineEdit::Complete(scheme, graph, 3)) << "an occupied input takes no second line";
  auto complete = LineEdit::Complete(scheme, graph, 5);
  ExpectRoundTrip(scheme, *complete);
  EXPECT_EQ(graph->InLine[5], start->Line());
  EXPECT_FALSE(LineEdit::Drop(scheme));

  // Pressing on a connected input and releasing elsewhere removes the line.
  auto detach = LineEdit::Detach(scheme, graph, 3);
  detach->Apply(scheme);
  EXPECT_FALSE(graph->InConnected[3]);
  EXPECT_EQ(lag->OutLineCount[0], 2);
  auto drop = LineEdit::Drop(scheme);
  ExpectRoundTrip(scheme, *drop);
  EXPECT_EQ(lag->OutLineCount[0], 1);
  EXPECT_TRUE(lag->OutConnected[0]);

  // ... or on another free input moves it there.
  detach = LineEdit::Detach(scheme, graph, 0);
  detach->Apply(scheme);
  LineEdit::Complete(scheme, graph, 7)->Apply(scheme);
  EXPECT_TRUE(graph->InConnected[7]);
  EXPECT_FALSE(graph->InConnected[0]);
  EXPECT_EQ(scheme.CheckInvariants(), "");
}

TEST_F(SchemeEditTest, OutputStaysFilledUntilItsLastLineGoes) {
  TBlock* gen = Place(kKindStep);
  TBlock* a = Place(kKindProporc);
  TBlock* b = Place(kKindProporc);
  TBlock* c = Place(kKindProporc);
  Connect(gen, a);
  Connect(gen, b);
  Connect(gen, c);
  for (TBlock* dest : {a, b, c}) {
    EXPECT_TRUE(gen->OutConnected[0]);
    LineEdit::Detach(scheme, dest, 0)->Apply(scheme);
    LineEdit::Drop(scheme)->Apply(scheme);
  }
  EXPECT_FALSE(gen->OutConnected[0]);
  EXPECT_EQ(gen->OutLineCount[0], 0);
}

TEST_F(SchemeEditTest, DeletingABlockFreesWhatItFedAndKeepsOtherLines) {
  Build();
  sum->Selected = true;
  DeleteBlocksEdit edit(scheme);
  edit.Apply(scheme);
  EXPECT_EQ(scheme.CheckInvariants(), "");
  EXPECT_FALSE(lag->InConnected[0]) << "the input it fed is empty";
  EXPECT_TRUE(step->OutConnected[0]) << "the step still feeds the graph";
  EXPECT_EQ(step->OutLineCount[0], 1);
  EXPECT_EQ(lag->OutLineCount[0], 1) << "only its line to the graph is left";
  EXPECT_EQ(scheme.Lines().size(), 2u);
  EXPECT_EQ(scheme.Blocks().size(), 3u);
  edit.Revert(scheme);
  EXPECT_EQ(scheme.Blocks()[1].get(), sum) << "the block comes back in its place";
  EXPECT_EQ(scheme.Lines().size(), 5u);
}

TEST_F(SchemeEditTest, RotateTurnsOnlyBlocksWithBothSides) {
  Build();
  for (const auto& b : scheme.Blocks()) b->Selected = true;
  RotateBlocksEdit(scheme).Apply(scheme);
  EXPECT_FALSE(step->Rotated);
  EXPECT_FALSE(graph->Rotated);
  EXPECT_TRUE(sum->Rotated);
  EXPECT_TRUE(lag->Rotated);
  EXPECT_EQ(lag->InPort[0].x, lag->Width - 1);
}

TEST_F(SchemeEditTest, ParamsReadCommasAndNonNumbersAndSecondGraphIsRefused) {
  Build();
  BlockValuesEdit::Params(lag, {"0,5", "abc", "3"})->Apply(scheme);
  EXPECT_EQ(lag->Params, (std::array<double, 3>{0.5, 0.0, 3.0}));
  EXPECT_EQ(lag->LabelLine[1], "1 + 0.0000p");
  TBlock* integr = Place(kKindIntegr);
  BlockValuesEdit::Params(integr, {"0.5", "2"})->Apply(scheme);
  EXPECT_EQ(integr->Params, (std::array<double, 3>{0.5, 1.0, 2.0}));
  EXPECT_FALSE(scheme.CanPlace(kKindGraph));
  EXPECT_THROW(PlaceBlockEdit(scheme, kKindGraph, {0, 0}), UserError);
  sum->Selected = false;
  graph->Selected = true;
  DeleteBlocksEdit(scheme).Apply(scheme);
  EXPECT_TRUE(scheme.CanPlace(kKindGraph));
}

TEST_F(SchemeEditTest, GraphBlockResizeStopsAtItsLimitsAndItsPortsFollow) {
  Build();
  ResizeBlockEdit shrink(scheme, graph, 10, 100);
  shrink.Apply(scheme);
  EXPECT_EQ(graph->Width, 40);
  EXPECT_EQ(graph->Height, 16 * 13);
  // 208 * 1 / 17 and 208 * 16 / 17, inside the block.
  EXPECT_EQ(graph->InPort[0], (Point{5, 12}));
  EXPECT_EQ(graph->InPort[15], (Point{5, 195}));
  EXPECT_TRUE(ResizeBlockEdit(scheme, graph, 0, 0).Empty()) << "held at the limits already";
  EXPECT_FALSE(ResizeBlockEdit(scheme, graph, 41, 0).Empty());
  shrink.Revert(scheme);
  EXPECT_EQ(graph->InPort[0], (Point{5, 17}));
  EXPECT_EQ(graph->InPort[15], (Point{5, 282}));
  EXPECT_TRUE(ResizeBlockEdit(scheme, graph, 200, 300).Empty()) << "a click on the grip";
}

TEST_F(SchemeEditTest, SchemeOutsideTheAreaMovesInKeepingItsLayout) {
  struct Case {
    const char* name;
    std::vector<Point> at;
    std::vector<Point> moved;  // empty: no edit
  };
  const Case cases[] = {
      {"left and above", {{-30, 10}, {5, -7}, {100, 100}}, {{0, 17}, {35, 0}, {130, 107}}},
      {"above only", {{20, -1}}, {{20, 0}}},
      {"touching the origin", {{0, 0}, {50, 3}}, {}},
      {"empty scheme", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    scheme = Scheme(factory);
    for (const Point& p : c.at) Place(kKindProporc, p.x, p.y);
    auto edit = MoveBlocksEdit::IntoArea(scheme);
    ASSERT_EQ(edit != nullptr, !c.moved.empty());
    if (!edit) continue;
    ExpectRoundTrip(scheme, *edit);
    for (std::size_t i = 0; i < c.moved.size(); ++i) {
      const TBlock& b = *scheme.Blocks()[i];
      EXPECT_EQ((Point{b.Left, b.Top}), c.moved[i]);
    }
  }
  // Coordinates a damaged file could hold: left alone rather than overflow.
  scheme = Scheme(factory);
  Place(kKindProporc, std::numeric_limits<int32_t>::min(), 0);
  Place(kKindProporc, std::numeric_limits<int32_t>::max(), 0);
  EXPECT_EQ(MoveBlocksEdit::IntoArea(scheme), nullptr);
}

TEST_F(SchemeEditTest, BandSelectsBlocksItTouchesAndClearsTheRest) {
  Build();  // step 113 wide at x 10, sum at 150..190
  step->Selected = graph->Selected = true;
  scheme.SelectInBand({160, 100, 122, 40});  // corners in any order
  EXPECT_TRUE(step->Selected);
  EXPECT_TRUE(sum->Selected);
  EXPECT_FALSE(lag->Selected);
  EXPECT_FALSE(graph->Selected);
  scheme.SelectInBand({0, 500, 1, 501});
  EXPECT_TRUE(scheme.SelectedBlocks().empty());
}

}  // namespace
}  // namespace tornel
