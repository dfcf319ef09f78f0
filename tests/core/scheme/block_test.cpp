#include "core/scheme/block.h"

#include <gtest/gtest.h>

#include "core/scheme/block_labels.h"
#include "core/scheme/block_values_edit.h"
#include "core/text/number_text.h"
#include "scheme_fixture.h"

namespace tornel {
namespace {

using testing::SchemeTest;

class BlockTest : public SchemeTest {};

struct KindCase {
  int kind;
  int width, height;
  std::string label0, label1;
  std::vector<Point> in;
  Point out;  // (-1, -1): no output
};

// Sizes worked out from a 7-pixel character and a 13-pixel text height:
// dynamic blocks are 32 high (2.5 heights), device blocks 19 (1.5 heights).
TEST_F(BlockTest, EveryKindHasItsLabelsSizeAndPorts) {
  table.ChanName[2] = "Ток";
  table.ChanName[kCapSlotBase + 1] = "U";
  const std::vector<KindCase> cases = {
      {kKindIntegr, 79, 32, "1", "1.0000p", {{5, 16}}, {78, 16}},
      {kKindAperiod, 107, 32, "1.0000", "1 + 1.0000p", {{5, 16}}, {106, 16}},
      {kKindPIReg, 107, 32, "1 + 1.0000p", "1.0000p", {{5, 16}}, {106, 16}},
      {kKindProporc, 72, 32, "1.0000", "", {{5, 16}}, {71, 16}},
      {kKindStep, 113, 34, "Um = 1.00", "T = 1.00", {}, {112, 17}},
      {kKindLine, 106, 34, "K = 1.00", "T = 1.00", {}, {105, 17}},
      {kKindMeandr, 113, 34, "Um = 1.00", "T = 1.00", {}, {112, 17}},
      {kKindSum, 40, 50, "", "", {{5, 16}, {5, 33}}, {39, 25}},
      {kKindMul, 40, 35, "", "", {{5, 11}, {5, 23}}, {39, 17}},
      {kKindZi, 50, 34, "", "", {{5, 17}}, {49, 17}},
      {kKindOgr, 50, 34, "", "", {{5, 17}}, {49, 17}},
  };
  for (const KindCase& c : cases) {
    auto block = factory.CreateBlock(c.kind);
    SCOPED_TRACE(block->Hint);
    EXPECT_EQ(block->Width, c.width);
    EXPECT_EQ(block->Height, c.height);
    EXPECT_EQ(block->LabelLine[0], c.label0);
    EXPECT_EQ(block->LabelLine[1], c.label1);
    ASSERT_EQ(block->InCount, static_cast<int>(c.in.size()));
    for (std::size_t i = 0; i < c.in.size(); ++i) EXPECT_EQ(block->InPort[i], c.in[i]) << i;
    EXPECT_EQ(block->OutCount, 1);
    EXPECT_EQ(block->OutPort[0], c.out);
  }

  auto acp = factory.CreateBlock(kKindAcp);
  auto edit = BlockValuesEdit::Channel(acp.get(), 2);
  Place(kKindStep);  // a scheme for the edit's label context
  edit->Apply(scheme);
  EXPECT_EQ(acp->LabelLine[0], "Ток");
  EXPECT_EQ(acp->Width, 51);
  EXPECT_EQ(acp->Height, 19);
  EXPECT_EQ(acp->OutPort[0], (Point{50, 9}));
  auto cap = factory.CreateBlock(kKindCap);
  BlockValuesEdit::Channel(cap.get(), 1)->Apply(scheme);
  EXPECT_EQ(cap->LabelLine[0], "U");
  EXPECT_EQ(cap->Width, 37);
  EXPECT_EQ(cap->InPort[0], (Point{5, 9}));
}

TEST_F(BlockTest, GraphBlockHasSixteenFixedInputsAndAnEmptyDoubleSampleFile) {
  auto graph = factory.CreateBlock(kKindGraph);
  EXPECT_EQ(graph->Bounds(), (PlotRect{20, 20, 220, 320}));
  const int ys[] = {17, 35, 52, 70, 88, 105, 123, 141, 158, 176, 194, 211, 229, 247, 264, 282};
  for (int k = 0; k < 16; ++k) EXPECT_EQ(graph->InPort[k], (Point{5, ys[k]})) << k;
  EXPECT_FALSE(graph->HasOutputs);
  const TGraphRecord& r = *graph->Record;
  EXPECT_EQ(r.ChanName[0], "Канал 1");
  EXPECT_EQ(r.ChanName[15], "Канал 16");
  EXPECT_EQ(r.ChanName[16], "Канал 1");
  EXPECT_EQ(r.ChanUnit[3], "");
  EXPECT_EQ(r.Base[20], 1.0);
  EXPECT_EQ(r.RealBase[5], 1.0);
  EXPECT_EQ(r.FullScale, 1.0);
  EXPECT_EQ(r.Samples, SampleFormat::Float64);
  EXPECT_EQ(r.DivX, 4);
  EXPECT_EQ(r.DivY, 4);
  EXPECT_EQ(r.SampleFile, r.OrigFile);
  EXPECT_EQ(r.FilteredFile, r.OrigFile + "f");
  EXPECT_EQ(r.OrigFile.rfind(dir.Path().string() + "/Trn", 0), 0u) << r.OrigFile;
  EXPECT_EQ(testing::ReadBytes(r.OrigFile), "");
  const std::string file = r.OrigFile;
  graph.reset();
  EXPECT_FALSE(std::filesystem::exists(file)) << "the block's record owns its sample file";
}

TEST_F(BlockTest, DefaultsOfTheDynamicBlocksAndTheIntegratorsInitialRow) {
  auto integr = factory.CreateBlock(kKindIntegr);
  EXPECT_EQ(integr->Hint, "Интегратор");
  EXPECT_EQ(integr->Params, (std::array<double, 3>{1.0, 1.0, 0.0}));
  EXPECT_EQ(integr->Group, kGroupDynamic);
  const auto rows = ParamRows(*integr);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Label, "Постоянная времени T");
  EXPECT_EQ(rows[1].Label, "Начальные условия");
  EXPECT_EQ(rows[1].Index, 2) << "the shown initial value is the one the state starts from";
  EXPECT_EQ(DialogCaption(*integr), "Интегратор");

  auto step = factory.CreateBlock(kKindStep);
  EXPECT_EQ(step->Params, (std::array<double, 3>{1.0, 1.0, 1.0}));
  EXPECT_EQ(DialogCaption(*step), "Параметры блока");
  EXPECT_EQ(ParamRowText(*step, ParamRows(*step)[1]), "1.00");
  EXPECT_TRUE(ParamRows(*factory.CreateBlock(kKindMul)).empty());
  EXPECT_TRUE(ParamRows(*factory.CreateBlock(kKindSum)).empty());
  EXPECT_EQ(KindInfo(kKindSum).Edit, EditKind::ToggleSign);
  EXPECT_EQ(factory.CreateBlock(77)->Kind, kKindProporc);
}

TEST_F(BlockTest, LabelsUseTheSystemDecimalSeparatorAndTheirWidth) {
  SetSystemDecimalSeparator(',');
  auto pi = factory.CreateBlock(kKindPIReg);
  pi->Params = {2.5, 0.5, 0.0};
  UpdateLabels(*pi, factory.Labels());
  SetSystemDecimalSeparator('.');
  EXPECT_EQ(pi->LabelLine[0], "1 + 1,2500p");
  EXPECT_EQ(pi->LabelLine[1], "0,5000p");
  EXPECT_EQ(pi->Width, 11 * 7 + 30);
  EXPECT_EQ(pi->OutPort[0].x, pi->Width - 1);
  EXPECT_EQ(FormatBlockNumber(1e300, 4), "1E300") << "a huge value keeps the block narrow";
}

TEST_F(BlockTest, HitTestsFindStripsAndPortsOnBothOrientations) {
  auto sum = factory.CreateBlock(kKindSum);  // 40 x 50, inputs at y 16 and 33, output at 25
  using A = BlockHit::Area;
  struct Case {
    bool rotated;
    Point p;
    A area;
    int port;
  };
  const Case cases[] = {
      {false, {20, 25}, A::Body, -1},       {false, {3, 16}, A::InputStrip, 0},
      {false, {3, 37}, A::InputStrip, 1},   {false, {3, 25}, A::InputStrip, -1},
      {false, {36, 21}, A::OutputStrip, 0}, {false, {36, 20}, A::OutputStrip, -1},
      {false, {7, 25}, A::None, -1},        {true, {36, 16}, A::InputStrip, 0},
      {true, {3, 25}, A::OutputStrip, 0},   {true, {20, 25}, A::Body, -1},
  };
  for (const Case& c : cases) {
    if (sum->Rotated != c.rotated) sum->Rotate();
    const BlockHit hit = sum->HitTest(c.p);
    EXPECT_EQ(hit.Where, c.area) << c.rotated << " " << c.p.x << "," << c.p.y;
    EXPECT_EQ(hit.Port, c.port) << c.rotated << " " << c.p.x << "," << c.p.y;
  }
  EXPECT_EQ(sum->InPort[0].x, 39);
  EXPECT_EQ(sum->OutPort[0].x, 5);

  auto step = factory.CreateBlock(kKindStep);  // no inputs: the body reaches the left edge
  EXPECT_EQ(step->HitTest({3, 17}).Where, A::Body);
  EXPECT_EQ(step->HitTest({0, 17}).Where, A::None);
}

}  // namespace
}  // namespace tornel
