#include "core/acquisition/scan_result.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(ScanResultTexts, TheParticipleAgreesWithTheCount) {
  const struct {
    int32_t count;
    const char* scanned;
    const char* kept;
  } cases[] = {
      {0, "Считано 0 точек", "Сохранено 0 точек."},
      {1, "Считана 1 точка", "Сохранена 1 точка."},
      {3, "Считано 3 точки", "Сохранено 3 точки."},
      {11, "Считано 11 точек", "Сохранено 11 точек."},
      {21, "Считана 21 точка", "Сохранена 21 точка."},
      {1234, "Считано 1234 точки", "Сохранено 1234 точки."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScannedText(c.count), c.scanned);
    EXPECT_EQ(KeptText(c.count), c.kept);
  }
}

}  // namespace
}  // namespace tornel
