#include "core/scheme/scheme_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/scheme/block_values_edit.h"
#include "core/text/user_error.h"
#include "scheme_fixture.h"

namespace tornel {
namespace {

using testing::ReadBytes;
using testing::SchemeTest;
using testing::WriteBytes;

// Little-endian pieces written out by hand.
std::string I32(uint32_t v) {
  return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
}
const std::string kOne("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8);
const std::string kZero(8, '\0');
const std::string kTwoAndHalf("\x00\x00\x00\x00\x00\x00\x04\x40", 8);

std::string Record(char kind, uint32_t left, uint32_t top, char rotated, char option,
                   uint32_t serial, const std::string& params) {
  return std::string(1, kind) + I32(left) + I32(top) + rotated + option + I32(serial) + params;
}

std::string Line(uint32_t s, uint32_t d, uint32_t out, uint32_t in) {
  return I32(s) + I32(d) + I32(out) + I32(in);
}

class SchemeFileTest : public SchemeTest {
protected:
  Scheme Reload() {
    const std::string path = dir.File("reload.str");
    SaveScheme(scheme, path);
    return LoadScheme(path, factory);
  }
  std::string Refusal(const std::string& bytes) {
    try {
      ParseScheme(bytes, factory);
    } catch (const UserError& e) {
      return e.what();
    }
    return "accepted";
  }
};

TEST_F(SchemeFileTest, EmptySchemeIsFourZeroBytes) {
  const std::string path = dir.File("empty.str");
  SaveScheme(scheme, path);
  EXPECT_EQ(ReadBytes(path), std::string(4, '\0'));
  EXPECT_EQ(scheme.FileName, path);
  Scheme loaded = LoadScheme(path, factory);
  EXPECT_TRUE(loaded.Blocks().empty());
  EXPECT_TRUE(loaded.Lines().empty());
  EXPECT_EQ(loaded.FileName, path);
}

TEST_F(SchemeFileTest, StepIntoIntegratorIsNinetyEightBytesAsWrittenByHand) {
  TBlock* step = Place(kKindStep, 10, 20);
  TBlock* integr = Place(kKindIntegr, 200, 30);
  Connect(step, integr);
  const std::string expected = I32(2) + Record(1, 10, 20, 0, 0, 0, kOne + kOne + kOne) +
                               Record(12, 200, 30, 0, 0, 1, kOne + kOne + kZero) + Line(0, 1, 0, 0);
  ASSERT_EQ(expected.size(), 98u);
  EXPECT_EQ(SchemeBytes(scheme), expected);

  Scheme loaded = ParseScheme(expected, factory);
  ASSERT_EQ(loaded.Blocks().size(), 2u);
  const TBlock& b = *loaded.Blocks()[1];
  EXPECT_EQ(b.Kind, kKindIntegr);
  EXPECT_EQ(b.Left, 200);
  EXPECT_EQ(b.Top, 30);
  ASSERT_EQ(loaded.Lines().size(), 1u);
  EXPECT_EQ(b.InLine[0], loaded.Lines()[0].get());
  EXPECT_EQ(loaded.CheckInvariants(), "");
}

TEST_F(SchemeFileTest, RotationOptionParamsAndLineOrderSurviveAReload) {
  TBlock* step = Place(kKindStep);
  TBlock* pi = Place(kKindPIReg, 50, 60);
  TBlock* sum = Place(kKindSum);
  TBlock* graph = Place(kKindGraph);
  pi->Rotate();
  BlockValuesEdit::Params(pi, {"2.5", "1", "0"})->Apply(scheme);
  sum->Option = true;
  Connect(step, graph, 4);
  Connect(step, pi);
  Connect(pi, sum, 1);
  Connect(step, sum, 0);
  Scheme loaded = Reload();
  EXPECT_EQ(SchemeBytes(loaded), SchemeBytes(scheme));
  const TBlock& p = *loaded.Blocks()[1];
  EXPECT_TRUE(p.Rotated);
  EXPECT_EQ(p.Params[0], 2.5);
  EXPECT_EQ(p.LabelLine[0], "1 + 2.5000p") << "labels are rebuilt from the loaded values";
  EXPECT_EQ(p.InPort[0].x, p.Width - 1);
  EXPECT_TRUE(loaded.Blocks()[2]->Option);
  ASSERT_EQ(loaded.Lines().size(), 4u);
  EXPECT_EQ(loaded.Lines()[0]->DestInput, 4);
  EXPECT_EQ(loaded.Blocks()[0]->OutLineCount[0], 3) << "one output feeding three inputs";
  EXPECT_EQ(loaded.CheckInvariants(), "");
  EXPECT_NE(loaded.GraphBlock()->Record->OrigFile, graph->Record->OrigFile);
}

TEST_F(SchemeFileTest, UnknownKindsLoadAsProportionalAndChannelsStartAtZero) {
  const std::string bytes = I32(2) + Record(4, 0, 0, 0, 0, 0, kTwoAndHalf + kOne + kOne) +
                            Record(15, 0, 0, 0, 0, 1, kOne + kOne + kOne);
  Scheme loaded = ParseScheme(bytes, factory);
  EXPECT_EQ(loaded.Blocks()[0]->Kind, kKindProporc);
  EXPECT_EQ(loaded.Blocks()[0]->LabelLine[0], "2.5000");
  EXPECT_EQ(loaded.Blocks()[1]->Channel, 0);
  EXPECT_EQ(SchemeBytes(loaded)[4], 16) << "saved back under the proportional code";
}

TEST_F(SchemeFileTest, LinesNameTheLastBlockCarryingASerialNumber) {
  const std::string bytes = I32(3) + Record(1, 0, 0, 0, 0, 7, kOne + kOne + kOne) +
                            Record(16, 0, 0, 0, 0, 5, kOne + kOne + kOne) +
                            Record(16, 0, 0, 0, 0, 5, kOne + kOne + kOne) + Line(7, 5, 0, 0);
  Scheme loaded = ParseScheme(bytes, factory);
  EXPECT_FALSE(loaded.Blocks()[1]->InConnected[0]);
  EXPECT_TRUE(loaded.Blocks()[2]->InConnected[0]);
}

TEST_F(SchemeFileTest, DamagedFilesAreRefusedWholeAndLeaveNoFileBehind) {
  const std::string step = Record(1, 0, 0, 0, 0, 0, kOne + kOne + kOne);
  const std::string graph = Record(11, 0, 0, 0, 0, 1, kOne + kOne + kOne);
  const std::string two = I32(2) + step + graph;
  const struct {
    std::string bytes;
    std::string says;
  } cases[] = {
      {"", "файл короче 4 байт"},
      {std::string("\x01\x00\x00", 3), "файл короче 4 байт"},
      {I32(0xFFFFFFFF), "отрицательное число блоков (-1)"},
      {I32(0x7FFFFFFF), "записи 2147483647 блоков не умещаются в файле длиной 4 байт"},
      {I32(2) + step + graph.substr(0, 38), "записи 2 блоков не умещаются"},
      {two + Line(0, 1, 0, 0).substr(0, 15), "в конце файла 15 лишних байт"},
      {two + Line(0, 9, 0, 0), "линия 1 ссылается на блок с номером 9, которого нет"},
      {two + Line(0, 1, 1, 0), "линия 1 выходит из выхода 1, которого у блока 1 нет"},
      {two + Line(1, 0, 0, 0), "выходит из выхода 0, которого у блока 2 нет"},
      {two + Line(0, 1, 0, 16), "линия 1 входит во вход 16, которого у блока 2 нет"},
      {two + Line(0, 1, 0, -1), "входит во вход -1"},
      {two + Line(0, 1, 0, 3) + Line(0, 1, 0, 3),
       "линия 2 входит во вход 3 блока 2, уже занятый линией 1"},
      {I32(2) + graph + graph, "второй блок «График» (блок 2)"},
  };
  for (const auto& c : cases) {
    const std::string said = Refusal(c.bytes);
    EXPECT_EQ(said.rfind("Файл схемы повреждён: ", 0), 0u) << said;
    EXPECT_NE(said.find(c.says), std::string::npos) << said;
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << "no graph block file of a refused load";
}

TEST_F(SchemeFileTest, SaveAsChoosesByTheExactExtension) {
  EXPECT_EQ(SaveSchemeAs(scheme, dir.File("a.dta")), SaveAsResult::Nothing) << "no graph block";
  Place(kKindGraph);
  EXPECT_EQ(SaveSchemeAs(scheme, dir.File("a.STR")), SaveAsResult::Nothing);
  EXPECT_EQ(SaveSchemeAs(scheme, dir.File("a.txt")), SaveAsResult::Nothing);
  EXPECT_FALSE(std::filesystem::exists(dir.File("a.STR")));
  EXPECT_EQ(SaveSchemeAs(scheme, dir.File("a.str")), SaveAsResult::Scheme);
  EXPECT_EQ(ReadBytes(dir.File("a.str")).size(), 4u + 39u);
  EXPECT_EQ(SaveSchemeAs(scheme, dir.File("a.dta")), SaveAsResult::GraphData);
  EXPECT_EQ(ReadBytes(dir.File("a.dta")).substr(0, 20), "Quendaris v1.3 file ");
}

TEST_F(SchemeFileTest, MissingFilesAndUnwritableTargetsSayWhich) {
  const std::string missing = dir.File("nothing.str");
  try {
    LoadScheme(missing, factory);
    FAIL();
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось открыть файл " + missing);
  }
  const std::string path = dir.File("no/such/folder.str");
  try {
    SaveScheme(scheme, path);
    FAIL();
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось создать файл " + path);
  }
  EXPECT_EQ(scheme.FileName, "");
  // A file far longer than its blocks could have lines for is not read in.
  const std::string longFile = dir.File("long.str");
  WriteBytes(longFile,
             I32(1) + Record(16, 0, 0, 0, 0, 0, kOne + kOne + kOne) + std::string(17 * 16, '\0'));
  EXPECT_THROW(LoadScheme(longFile, factory), UserError);
}

}  // namespace
}  // namespace tornel
