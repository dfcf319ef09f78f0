#include "core/scheme/run_messages.h"

#include <algorithm>
#include <cmath>

#include "core/scheme/model_tables.h"
#include "core/text/number_text.h"

namespace tornel {
namespace {

constexpr int kTimeDecimals = 5;

bool GraphHasInput(const TBlock& graph) {
  return std::any_of(graph.InConnected.begin(), graph.InConnected.begin() + graph.InCount,
                     [](bool connected) { return connected; });
}

}  // namespace

double PlannedSampleBytes(const Scheme& scheme, const RunSettings& settings) {
  if (settings.RealTime || !(settings.Step > 0) || !(settings.EndTime > 0)) return 0.0;
  const TBlock* graph = scheme.GraphBlock();
  if (graph == nullptr || !GraphHasInput(*graph)) return 0.0;
  return SampleBytesNeeded(BuildModelTables(scheme), settings);
}

std::string ByteSizeText(double bytes, char separator) {
  constexpr double kMiB = 1024.0 * 1024.0;
  if (bytes < 1024.0 * kMiB) {
    return FormatFixed(std::ceil(bytes / kMiB), 0, separator) + " МБ";
  }
  return FormatFixed(bytes / (1024.0 * kMiB), 1, separator) + " ГБ";
}

std::optional<std::string> LargeRunQuestion(const Scheme& scheme, const RunSettings& settings,
                                            char separator) {
  const double bytes = PlannedSampleBytes(scheme, settings);
  if (!(bytes > kConfirmSampleBytes)) return std::nullopt;
  return "Отсчёты графика займут " + ByteSizeText(bytes, separator) +
         " во временной папке. Начать расчет?";
}

std::optional<std::string> NothingToRun(const Scheme& scheme) {
  if (scheme.Blocks().empty()) return "В схеме нет блоков: рассчитывать нечего.";
  return std::nullopt;
}

std::string RunMessage(const Scheme& scheme, const RunResult& result, char separator) {
  const std::string step = "h = " + FormatFixedExact(result.Step, kTimeDecimals, separator);
  if (result.Cancelled) {
    return "Расчет прерван при t = " + FormatFixed(result.Time, kTimeDecimals, separator) + " с (" +
           step + ").";
  }
  const TBlock* graph = scheme.GraphBlock();
  if (graph != nullptr && !GraphHasInput(*graph)) {
    return step + "\nК блоку «График» не подключен ни один вход: график не построен.";
  }
  return step;
}

}  // namespace tornel
