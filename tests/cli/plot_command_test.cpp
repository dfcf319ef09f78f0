#include "cli/plot_command.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <sstream>

#include "cli/tool_runner.h"
#include "tests/cli/tool_run.h"
#include "tests/core/records/hand_file.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/support/temp_dir.h"

namespace tornel::cli {
namespace {

using tornel::testing::HandFile;
using tornel::testing::TempDir;
using tornel::testing::WriteBytes;

int InkPixels(const QImage& image) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128;
  }
  return ink;
}

TEST(PlotCommand, DrawsADataFileIntoAnImageOfTheGivenSizeAndLeavesNoTemporaryFile) {
  TempDir dir;
  tornel::testing::ScopedTmpDir tmp(dir.File(""));
  const std::string dta = dir.File("hand.dta");
  WriteBytes(dta, HandFile().Str());
  const std::string png = dir.File("plot.png");
  const ToolRun r = Tool({"plot", dta, "-o", png, "--size", "300x200"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const QImage image(QString::fromStdString(png));
  EXPECT_EQ(image.size(), QSize(300, 200));
  EXPECT_GT(InkPixels(image), 500);  // frame, axes, labels, legend
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    EXPECT_NE(entry.path().filename().string().rfind("Trn", 0), 0u) << entry.path();
  }

  const std::string svg = dir.File("plot.svg");
  ASSERT_EQ(Tool({"plot", dta, "-o", svg}).code, 0);
  EXPECT_NE(tornel::testing::ReadBytes(svg).find("viewBox=\"0 0 800 500\""), std::string::npos);
}

TEST(PlotCommand, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"plot"},
      {"plot", "a.dta"},
      {"plot", "a.dta", "-o"},
      {"plot", "-o", "a.png"},
      {"plot", "a.dta", "-o", "a.png", "--size", "800"},
      {"plot", "a.dta", "-o", "a.png", "--size", "10x10"},
      {"plot", "a.dta", "-o", "a.png", "--size", "800x20000"},
      {"plot", "a.dta", "-o", "a.png", "--size", "800xabc"},
      {"plot", "a.dta", "-o", "a.png", "--dpi", "300"},
      {"plot", "a.dta", "b.dta", "-o", "a.png"},
  };
  for (const auto& args : cases) {
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.code, 2) << args.back();
    EXPECT_NE(r.err.find("Использование:"), std::string::npos);
  }
  auto parsed = ParsePlotArguments({"plot", "a.dta", "--size", "1024×768", "-o", "b.pdf"});
  ASSERT_TRUE(std::holds_alternative<PlotRequest>(parsed));
  EXPECT_EQ(std::get<PlotRequest>(parsed).width, 1024);
  EXPECT_EQ(std::get<PlotRequest>(parsed).height, 768);
  EXPECT_EQ(std::get<PlotRequest>(parsed).output, "b.pdf");
}

TEST(PlotCommand, FailuresExitWithOneAndTheRussianMessage) {
  TempDir dir;
  const std::string other = dir.File("other.dta");
  WriteBytes(other, "not a data file at all, not at all");
  const std::string dta = dir.File("hand.dta");
  WriteBytes(dta, HandFile().Str());
  struct Case {
    std::string input, output, message;
  };
  const Case cases[] = {
      {other, dir.File("a.png"), "Файл создан другой программой\n" + other + "\n"},
      {dir.File("missing.dta"), dir.File("a.png"),
       "Не удалось открыть файл " + dir.File("missing.dta") + "\n"},
      {dta, dir.File("a.gif"),
       "Неизвестный формат изображения: " + dir.File("a.gif") +
           ". Укажите файл .png, .svg или .pdf\n"},
      {dta, dta + "/a.png", "Не удалось создать файл " + dta + "/a.png\n"},
  };
  for (const Case& c : cases) {
    const ToolRun r = Tool({"plot", c.input, "-o", c.output});
    EXPECT_EQ(r.code, 1) << c.message;
    EXPECT_EQ(r.err, c.message);
    EXPECT_FALSE(std::filesystem::exists(c.output));
  }
}

}  // namespace
}  // namespace tornel::cli
