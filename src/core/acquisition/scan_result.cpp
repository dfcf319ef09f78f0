#include "core/acquisition/scan_result.h"

#include "core/text/plural_ru.h"

namespace tornel {
namespace {

// The participle agrees with the count as the noun does: "Считана 21 точка".
std::string Counted(const char* one, const char* others, int32_t count) {
  return std::string(PluralRu(count, one, others, others)) + " " + PointsRu(count);
}

}  // namespace

std::string ScannedText(int32_t count) { return Counted("Считана", "Считано", count); }

std::string KeptText(int32_t count) { return Counted("Сохранена", "Сохранено", count) + "."; }

}  // namespace tornel
