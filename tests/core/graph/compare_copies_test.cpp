#include "core/graph/compare_copies.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

namespace fs = std::filesystem;

class CompareCopiesTest : public ::testing::Test {
protected:
  std::string Make(const std::string& name) {
    std::string path = dir.File(name);
    tornel::testing::WriteBytes(path, "xx");
    return path;
  }
  tornel::testing::TempDir dir;
};

TEST_F(CompareCopiesTest, CancellingKeepsTheRecordsCopiesAndDeletesTheDialogs) {
  std::array<std::string, kCompareSlots> owned{};
  owned[0] = Make("record0");
  const std::string made0 = Make("made0");
  const std::string made3 = Make("made3");
  {
    CompareCopies copies(owned);
    copies.Replace(0, made0);
    copies.Replace(3, made3);
    EXPECT_EQ(copies.Current(0), made0);
    EXPECT_TRUE(fs::exists(owned[0])) << "the record still owns its copy while the dialog is open";
  }
  EXPECT_TRUE(fs::exists(owned[0]));
  EXPECT_FALSE(fs::exists(made0));
  EXPECT_FALSE(fs::exists(made3));
}

TEST_F(CompareCopiesTest, ASecondChoiceDeletesTheFirstCopyAtOnce) {
  CompareCopies copies({});
  const std::string first = Make("first");
  const std::string second = Make("second");
  copies.Replace(2, first);
  copies.Replace(2, second);
  EXPECT_FALSE(fs::exists(first));
  EXPECT_TRUE(fs::exists(second));
}

TEST_F(CompareCopiesTest, ConfirmingHandsTheNewCopiesOverAndDeletesTheReplacedOnes) {
  std::array<std::string, kCompareSlots> owned{};
  owned[0] = Make("record0");
  owned[1] = Make("record1");
  const std::string made = Make("made");
  std::array<std::string, kCompareSlots> taken;
  {
    CompareCopies copies(owned);
    copies.Replace(0, made);
    taken = copies.Commit();
  }
  EXPECT_EQ(taken[0], made);
  EXPECT_EQ(taken[1], owned[1]);
  EXPECT_TRUE(taken[2].empty());
  EXPECT_FALSE(fs::exists(owned[0]));
  EXPECT_TRUE(fs::exists(owned[1]));
  EXPECT_TRUE(fs::exists(made)) << "the record owns it now";
}

}  // namespace
}  // namespace tornel
