#include "core/text/plural_ru.h"

namespace tornel {

std::string_view PluralRu(int64_t n, std::string_view one, std::string_view few,
                          std::string_view many) {
  // The magnitude in unsigned arithmetic, so that the most negative count
  // does not overflow.
  const uint64_t magnitude = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
  const uint64_t lastTwo = magnitude % 100;
  if (lastTwo >= 11 && lastTwo <= 14) return many;
  switch (magnitude % 10) {
    case 1:
      return one;
    case 2:
    case 3:
    case 4:
      return few;
    default:
      return many;
  }
}

std::string CountRu(int64_t n, std::string_view one, std::string_view few, std::string_view many) {
  std::string text = std::to_string(n);
  text += ' ';
  text += PluralRu(n, one, few, many);
  return text;
}

std::string PointsRu(int64_t n) { return CountRu(n, "точка", "точки", "точек"); }

}  // namespace tornel
