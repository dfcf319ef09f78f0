#include "core/scheme/scheme_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/text/user_error.h"
#include "scheme_fixture.h"
#include "tests/core/graph/sample_bytes.h"

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

// A double's bits, written out as the file stores them.
std::string F64(uint64_t bits) { return I32(static_cast<uint32_t>(bits)) + I32(bits >> 32); }

struct BlockFields {
  int kind;
  int32_t left, top;
  bool rotated, option;
  std::array<double, 3> params;
  const char* label;  // LabelLine[0], rebuilt from the parameters
};

struct LineFields {
  std::size_t source, dest;
  int output, input;
};

// Every field of a record differs from its neighbours, and the rotation and
// option bytes differ from each other, so that reading or writing any two
// fields in each other's place shows.
TEST_F(SchemeFileTest, HandWrittenRecordsReadAndWriteFieldByField) {
  const std::string k2_5 = F64(0x4004000000000000), k0_125 = F64(0x3FC0000000000000),
                    kMinus3 = F64(0xC008000000000000), k2 = F64(0x4000000000000000),
                    k4 = F64(0x4010000000000000), kMinus0_5 = F64(0xBFE0000000000000),
                    k100 = F64(0x4059000000000000);
  const struct {
    const char* name;
    std::string bytes;
    std::vector<BlockFields> blocks;
    std::vector<LineFields> lines;
  } cases[] = {
      {"step into an integrator, 4 + 2 * 39 + 16 bytes",
       I32(2) + Record(1, 10, 20, 0, 0, 0, kOne + kOne + kOne) +
           Record(12, 200, 30, 0, 0, 1, kOne + kOne + kZero) + Line(0, 1, 0, 0),
       {{kKindStep, 10, 20, false, false, {1, 1, 1}, "Um = 1.00"},
        {kKindIntegr, 200, 30, false, false, {1, 1, 0}, "1"}},
       {{0, 1, 0, 0}}},
      {"rotation without option, option without rotation, both",
       I32(4) + Record(13, static_cast<uint32_t>(-5), 70000, 1, 0, 0, k2_5 + k0_125 + kMinus3) +
           Record(9, 300, 40, 0, 1, 1, k2 + k4 + kMinus0_5) +
           Record(10, 7, 8, 1, 1, 2, k100 + k0_125 + k2) +
           Record(11, 400, 0x10000, 0, 0, 3, k4 + kMinus3 + k2_5) + Line(0, 1, 0, 1) +
           Line(2, 1, 0, 0) + Line(1, 2, 0, 0) + Line(0, 3, 0, 5) + Line(2, 3, 0, 0),
       {{kKindPIReg, -5, 70000, true, false, {2.5, 0.125, -3}, "1 + 0.3125p"},
        {kKindSum, 300, 40, false, true, {2, 4, -0.5}, ""},
        {kKindAperiod, 7, 8, true, true, {100, 0.125, 2}, "100.0000"},
        {kKindGraph, 400, 0x10000, false, false, {4, -3, 2.5}, nullptr}},
       {{0, 1, 0, 1}, {2, 1, 0, 0}, {1, 2, 0, 0}, {0, 3, 0, 5}, {2, 3, 0, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.bytes.size(), 4 + 39 * c.blocks.size() + 16 * c.lines.size());
    scheme = ParseScheme(c.bytes, factory);
    ASSERT_EQ(scheme.Blocks().size(), c.blocks.size());
    for (std::size_t i = 0; i < c.blocks.size(); ++i) {
      const BlockFields& e = c.blocks[i];
      const TBlock& b = *scheme.Blocks()[i];
      EXPECT_EQ(b.Kind, e.kind) << i;
      EXPECT_EQ(b.Left, e.left) << i;
      EXPECT_EQ(b.Top, e.top) << i;
      EXPECT_EQ(b.Rotated, e.rotated) << i;
      EXPECT_EQ(b.Option, e.option) << i;
      EXPECT_EQ(b.Params, e.params) << i;
      if (e.label) {
        EXPECT_EQ(b.LabelLine[0], e.label) << i;
      }
      if (b.Rotated) {
        EXPECT_GT(b.InPort[0].x, b.OutPort[0].x) << i << ": ports mirrored";
      }
    }
    ASSERT_EQ(scheme.Lines().size(), c.lines.size());
    for (std::size_t l = 0; l < c.lines.size(); ++l) {
      const TConnectLine& line = *scheme.Lines()[l];
      EXPECT_EQ(scheme.IndexOf(line.Source), c.lines[l].source) << l;
      EXPECT_EQ(scheme.IndexOf(line.Dest), c.lines[l].dest) << l;
      EXPECT_EQ(line.SourceOutput, c.lines[l].output) << l;
      EXPECT_EQ(line.DestInput, c.lines[l].input) << l;
    }
    EXPECT_EQ(scheme.CheckInvariants(), "");
    EXPECT_EQ(SchemeBytes(Reload()), c.bytes) << "written back byte for byte";
  }
  EXPECT_EQ(scheme.Blocks()[0]->OutLineCount[0], 2) << "one output feeding two inputs";
}

// 1000 sum blocks, each feeding both inputs of the next: 4 + 39 000 + 31 968
// bytes, more than one read of the file takes.
TEST_F(SchemeFileTest, ALargeFileHoldsTheBlocksItsCountAndSizeAgreeOn) {
  const int n = 1000;
  std::string blocks, lines;
  for (int i = 0; i < n; ++i) {
    blocks += Record(9, static_cast<uint32_t>(i * 7), static_cast<uint32_t>(i * 13), i % 2 ? 1 : 0,
                     i % 3 ? 1 : 0, static_cast<uint32_t>(i),
                     testing::DoubleBytes({i + 0.5, -i * 1.0, i * 0.25}));
    if (i > 0) lines += Line(i - 1, i, 0, 0) + Line(i - 1, i, 0, 1);
  }
  const std::string path = dir.File("large.str");
  WriteBytes(path, I32(n) + blocks + lines);
  ASSERT_EQ(ReadBytes(path).size(), 70972u);
  Scheme loaded = LoadScheme(path, factory);
  ASSERT_EQ(loaded.Blocks().size(), static_cast<std::size_t>(n));
  ASSERT_EQ(loaded.Lines().size(), static_cast<std::size_t>(2 * (n - 1)));
  const TBlock& last = *loaded.Blocks().back();
  EXPECT_EQ(last.Left, 6993);
  EXPECT_EQ(last.Top, 12987);
  EXPECT_TRUE(last.Rotated);
  EXPECT_FALSE(last.Option);
  EXPECT_EQ(last.Params, (std::array<double, 3>{999.5, -999, 249.75}));
  EXPECT_EQ(loaded.IndexOf(last.InLine[1]->Source), static_cast<std::size_t>(n - 2));
  EXPECT_EQ(SchemeBytes(loaded), I32(n) + blocks + lines);

  // A count one off either way no longer agrees with the size.
  for (int count : {n + 1, n - 1}) {
    WriteBytes(path, I32(count) + blocks + lines);
    EXPECT_THROW(LoadScheme(path, factory), UserError) << count;
  }
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
