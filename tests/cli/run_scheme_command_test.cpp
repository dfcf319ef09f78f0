#include "cli/run_scheme_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/records/graph_record.h"
#include "core/records/sample_file_reader.h"
#include "core/scheme/fixed_text_measure.h"
#include "core/scheme/line_edit.h"
#include "core/scheme/place_block_edit.h"
#include "core/scheme/scheme_file.h"
#include "tests/cli/tool_run.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/support/temp_dir.h"

namespace tornel::cli {
namespace {

using tornel::testing::ReadBytes;
using tornel::testing::TempDir;

class RunSchemeTest : public ::testing::Test {
protected:
  TBlock* Place(int kind, std::array<double, 3> params = {1, 1, 1}) {
    PlaceBlockEdit edit(scheme, kind, {0, 0});
    edit.Apply(scheme);
    edit.Block()->Params = params;
    return edit.Block();
  }
  void Connect(TBlock* source, TBlock* dest, int input) {
    auto start = LineEdit::Start(scheme, source, 0);
    start->Apply(scheme);
    LineEdit::Complete(scheme, dest, input)->Apply(scheme);
  }
  // A step of 2 from t = 0 into graph input 0, and through a gain of 0.5 into
  // input 3: values exact in binary.
  std::string StepAndGain() {
    TBlock* step = Place(kKindStep, {2.0, -1.0, 1.0});
    TBlock* gain = Place(kKindProporc, {0.5, 1, 1});
    TBlock* graph = Place(kKindGraph);
    Connect(step, graph, 0);
    Connect(step, gain, 0);
    Connect(gain, graph, 3);
    return Save("step.str");
  }
  std::string Save(const std::string& name) {
    const std::string path = dir.File(name);
    SaveScheme(scheme, path);
    return path;
  }

  TempDir dir;
  TempDir tmpFolder;
  testing::ScopedTmpDir tmp{tmpFolder.Path().string()};
  FixedTextMeasure measure;
  ChannelTable table;
  BlockFactory factory{measure, table};
  Scheme scheme{factory};
};

TEST_F(RunSchemeTest, CsvHoldsModelTimeAndTheConnectedInputsByChannelName) {
  const std::string out = dir.File("out.csv");
  const std::string in = StepAndGain();
  const auto files = [&] {
    return std::distance(std::filesystem::directory_iterator(tmpFolder.Path()), {});
  };
  const auto before = files();
  const ToolRun run = Tool({"run-scheme", in, "--end", "1", "--step", "0,25", "-o", out});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(ReadBytes(out),
            "\"t, c\",Канал 1,Канал 4\r\n"
            "0.25,2,1\r\n"
            "0.5,2,1\r\n"
            "0.75,2,1\r\n"
            "1,2,1\r\n");
  EXPECT_EQ(files(), before) << "the run's sample file is gone";
}

TEST_F(RunSchemeTest, CsvTimesAreTickTimesStepNotASumOfSteps) {
  const std::string out = dir.File("out.csv");
  const ToolRun run =
      Tool({"run-scheme", StepAndGain(), "--end", "0.2", "--step", "0.001", "-o", out});
  ASSERT_EQ(run.code, 0) << run.err;
  // Added up 194 times, 0.001 makes 0.19400000000000014.
  EXPECT_NE(ReadBytes(out).find("\r\n0.194,2,1\r\n0.195,2,1\r\n"), std::string::npos);
}

TEST_F(RunSchemeTest, DtaGoesThroughTheRecordsExport) {
  const std::string out = dir.File("out.dta");
  const ToolRun run =
      Tool({"run-scheme", StepAndGain(), "--end", "0.5", "--step", "0.25", "-o", out});
  ASSERT_EQ(run.code, 0) << run.err;
  TGraphRecord record;
  record.LoadDta(out);
  record.RecountRecord();
  EXPECT_EQ(record.AcpMask, 9);
  EXPECT_EQ(record.Duration, 0.5);
  EXPECT_EQ(record.ChanName[3], "Канал 4");
  EXPECT_EQ(record.FrameCount, 2);
  // Peaks 2 and 1 take bases 0.032 and 0.016: 2 * 511 / 0.032 = 31937.5.
  EXPECT_EQ(record.Base[0], 0.032);
  EXPECT_EQ(record.Base[3], 0.016);
  SampleFileReader<int16_t> samples(record.SampleFile, 2);
  std::vector<int16_t> codes(4);
  ASSERT_EQ(samples.Read(codes), 2u);
  EXPECT_EQ(codes, (std::vector<int16_t>{31937, 31937, 31937, 31937}));
}

// The values of a row, after the time.
std::vector<std::vector<double>> CsvValues(const std::string& csv) {
  std::vector<std::vector<double>> rows;
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<double> row;
    std::istringstream fields(line);
    std::string field;
    std::getline(fields, field, ',');
    while (std::getline(fields, field, ',')) row.push_back(std::stod(field));
    rows.push_back(row);
  }
  return rows;
}

TEST_F(RunSchemeTest, DtaExportAgreesWithTheCsvOfTheSameRun) {
  // An integrator (T 0.01) of 1 reaches 100 in 1 s, far past the +-64.1
  // that base 1 holds; a gain of -0.001 on it stays below 0.1.
  TBlock* one = Place(kKindStep, {1.0, -1.0, 1.0});
  TBlock* integr = Place(kKindIntegr, {0.01, 0, 0});
  TBlock* gain = Place(kKindProporc, {-0.001, 1, 1});
  TBlock* graph = Place(kKindGraph);
  Connect(one, integr, 0);
  Connect(integr, gain, 0);
  Connect(integr, graph, 0);
  Connect(gain, graph, 1);
  const std::string in = Save("climb.str");
  const std::string csv = dir.File("run.csv");
  const std::string dta = dir.File("run.dta");
  const std::string back = dir.File("back.csv");
  for (const std::string& out : {csv, dta}) {
    const ToolRun run = Tool({"run-scheme", in, "--end", "1", "--step", "0.001", "-o", out});
    ASSERT_EQ(run.code, 0) << run.err;
  }
  ASSERT_EQ(Tool({"export-csv", dta, "-o", back}).code, 0);
  const auto direct = CsvValues(ReadBytes(csv));
  const auto exported = CsvValues(ReadBytes(back));
  ASSERT_EQ(direct.size(), 1000u);
  ASSERT_EQ(exported.size(), direct.size());
  EXPECT_NEAR(direct.back()[0], 100.0, 1e-9);
  const double range[] = {100.0, 0.1};
  for (std::size_t r = 0; r < direct.size(); ++r) {
    for (std::size_t c = 0; c < 2; ++c) {
      ASSERT_NEAR(exported[r][c], direct[r][c], 0.001 * range[c]) << "row " << r << " col " << c;
    }
  }
}

TEST_F(RunSchemeTest, RefusalsExitWithOneAndLeaveNoOutput) {
  const std::string noGraph = [&] {
    Place(kKindStep);
    return Save("nograph.str");
  }();
  Place(kKindGraph);
  const std::string unconnected = Save("unconnected.str");
  const std::string damaged = dir.File("damaged.str");
  tornel::testing::WriteBytes(damaged, std::string("\x05\x00\x00\x00", 4));
  scheme = Scheme(factory);
  const std::string good = StepAndGain();
  const std::string out = dir.File("out.csv");
  const struct {
    std::vector<std::string> args;
    std::string says;
  } cases[] = {
      {{"run-scheme", noGraph, "-o", out}, "В схеме нет блока «График» с подключёнными входами"},
      {{"run-scheme", unconnected, "-o", out},
       "В схеме нет блока «График» с подключёнными входами"},
      {{"run-scheme", damaged, "-o", out}, "Файл схемы повреждён: "},
      {{"run-scheme", dir.File("none.str"), "-o", out}, "Не удалось открыть файл "},
      {{"run-scheme", good, "--step", "0", "-o", out}, "Шаг по времени должен быть больше нуля"},
      {{"run-scheme", good, "--step", "-0.001", "-o", out},
       "Шаг по времени должен быть больше нуля"},
      {{"run-scheme", good, "--end", "-5", "-o", out}, "Время расчета должно быть больше нуля"},
      {{"run-scheme", good, "--end", "0", "-o", out}, "Время расчета должно быть больше нуля"},
      {{"run-scheme", good, "--config", dir.File("none.ini"), "-o", out},
       "Не удалось открыть файл "},
      {{"run-scheme", good, "-o", dir.File("missing/out.csv")}, "Не удалось создать файл "},
  };
  for (const auto& c : cases) {
    const ToolRun run = Tool(c.args);
    EXPECT_EQ(run.code, kExitFailure) << c.args[1];
    EXPECT_EQ(run.err.rfind(c.says, 0), 0u) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.args[1];
  }
}

TEST_F(RunSchemeTest, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"run-scheme"},
      {"run-scheme", "a.str"},
      {"run-scheme", "a.str", "-o", "out.png"},
      {"run-scheme", "a.str", "-o", "out.csv", "--end", "soon"},
      {"run-scheme", "a.str", "-o", "out.csv", "--device", "comedi"},
      {"run-scheme", "a.str", "-o", "out.csv", "--step"},
      {"run-scheme", "a.str", "b.str", "-o", "out.csv"},
  };
  for (const auto& args : cases) {
    const ToolRun run = Tool(args);
    EXPECT_EQ(run.code, kExitUsage) << args.size();
    EXPECT_NE(run.err.find("run-scheme ФАЙЛ.str"), std::string::npos);
  }
}

TEST_F(RunSchemeTest, SimulatedBenchFeedsTheAdcBlocks) {
  TBlock* acp = Place(kKindAcp);
  Connect(acp, Place(kKindGraph), 0);
  const std::string out = dir.File("out.csv");
  const ToolRun run = Tool({"run-scheme", Save("acp.str"), "--device", "sim", "-o", out});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(ReadBytes(out).rfind("\"t, c\",Канал 1\r\n0.001,", 0), 0u);
}

}  // namespace
}  // namespace tornel::cli
