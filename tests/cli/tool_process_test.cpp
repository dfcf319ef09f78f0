#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/core/records/hand_file.h"
#include "tests/support/temp_dir.h"

namespace {

// The tool starts without the drawing libraries and hands "plot" to its
// drawing half; as a user runs it, both answer.
TEST(ToolProcess, PlotRunsInTheDrawingHalf) {
  tornel::testing::TempDir dir;
  tornel::testing::WriteBytes(dir.File("a.dta"), tornel::testing::HandFile().Str());
  const std::string tool = TORNEL_TOOL_PATH;
  const std::string plot =
      tool + " plot '" + dir.File("a.dta") + "' -o '" + dir.File("a.png") + "'";
  EXPECT_EQ(std::system(plot.c_str()), 0);
  ASSERT_TRUE(std::filesystem::exists(dir.File("a.png")));
  EXPECT_GT(std::filesystem::file_size(dir.File("a.png")), 1000u);
  const std::string info = tool + " info '" + dir.File("a.dta") + "' > /dev/null";
  EXPECT_EQ(std::system(info.c_str()), 0);
}

}  // namespace
