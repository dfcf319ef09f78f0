#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/scheme/scheme_file.h"
#include "core/text/user_error.h"
#include "scheme_fixture.h"

namespace tornel {
namespace {

template <typename T>
void Put(std::string& out, T value) {
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));  // the test machine is little-endian
  out.append(bytes, sizeof(T));
}

// `count` proportional blocks in a row, no lines.
std::string Blocks(int32_t count) {
  std::string bytes;
  Put<int32_t>(bytes, count);
  for (int32_t i = 0; i < count; ++i) {
    Put<uint8_t>(bytes, kKindProporc);
    Put<int32_t>(bytes, 10 * i);
    Put<int32_t>(bytes, 0);
    Put<uint16_t>(bytes, 0);  // rotation and option
    Put<int32_t>(bytes, i);
    for (int p = 0; p < 3; ++p) Put<double>(bytes, 1.0);
  }
  return bytes;
}

class SchemeFileLimitTest : public testing::SchemeTest {
protected:
  std::string LoadError(const std::string& path) {
    try {
      LoadScheme(path, factory);
    } catch (const UserError& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(SchemeFileLimitTest, MoreBlocksThanASchemeHoldsAreRefused) {
  const std::string most = dir.File("most.str");
  testing::WriteBytes(most, Blocks(kMaxSchemeBlocks));
  EXPECT_EQ(LoadScheme(most, factory).Blocks().size(), 5000u);

  const std::string over = dir.File("over.str");
  testing::WriteBytes(over, Blocks(kMaxSchemeBlocks + 1));
  const std::string says = "В файле схемы 5001 блоков, а схема может содержать не более 5000";
  EXPECT_EQ(LoadError(over), says + "\n" + over);
  EXPECT_THROW(ParseScheme(testing::ReadBytes(over), factory), UserError);

  // A million blocks is refused from the count, before the 39 MB are read
  // (the file is sparse: only its first bytes were ever written).
  const std::string million = dir.File("million.str");
  testing::WriteBytes(million, Blocks(1000000).substr(0, 4));
  std::filesystem::resize_file(million, 4 + 39 * 1000000);
  EXPECT_EQ(LoadError(million).rfind("В файле схемы 1000000 блоков", 0), 0u);
}

}  // namespace
}  // namespace tornel
