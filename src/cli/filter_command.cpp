#include "cli/filter_command.h"

#include <charconv>
#include <map>

#include "cli/tool_runner.h"
#include "core/graph/filtered_samples.h"
#include "core/graph/record_sort.h"
#include "core/graph/signal_filters.h"
#include "core/records/graph_record.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"

namespace tornel::cli {
namespace {

using Kind = FilterRequest::Kind;

// "1,6": ADC channels 1..16.
std::optional<uint16_t> ParseChannels(const std::string& text) {
  uint16_t mask = 0;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t end = std::min(text.find(',', at), text.size());
    int channel = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + at, text.data() + end, channel);
    if (ec != std::errc() || ptr != text.data() + end || channel < 1 || channel > kAcpChannels) {
      return std::nullopt;
    }
    mask |= static_cast<uint16_t>(1u << (channel - 1));
    at = end + 1;
  }
  return mask;
}

void RunFilter(const FilterRequest& request) {
  TGraphRecord record;
  record.LoadDta(request.input);
  record.RecountRecord();
  if (request.kind == Kind::Sort) {
    if (!record.IsStatic) {
      throw UserError(
          FileMessage("Сортировка возможна только для статической характеристики", request.input));
    }
    const std::optional<int32_t> n = StrToIntStrict(request.parameter);
    if (!n) throw UserError("«" + request.parameter + "» — не число");
    if (*n < 1 || *n > record.RecChannelCount) {
      throw UserError(FileMessage("В записи нет канала номер " + request.parameter, request.input));
    }
    SortRecordRows(record, *n - 1);
  } else {
    const uint16_t mask = request.channels.value_or(record.AcpMask);
    if (FilterColumns(record, mask).empty()) {
      throw UserError(FileMessage("Не выбран ни один записанный канал АЦП", request.input));
    }
    switch (request.kind) {
      case Kind::Hanning:
        ApplyHanning(record, mask);
        break;
      case Kind::Abs:
        ApplyAbs(record, mask);
        break;
      case Kind::ExpSmoothing:
        ApplyExpSmoothing(record, mask, ParseSmoothingFactor(request.parameter));
        break;
      case Kind::MovingRms:
        ApplyMovingRms(record, mask,
                       MovingRmsWindow(record, ParseAveragingTime(request.parameter)));
        break;
      case Kind::Sort:
        break;
    }
    SaveFilteredRows(record);
  }
  record.SaveDta(request.output);
}

}  // namespace

std::variant<FilterRequest, UsageError> ParseFilterArguments(const std::vector<std::string>& args) {
  static const std::map<std::string, std::pair<Kind, bool>> kFilters = {
      {"--hanning", {Kind::Hanning, false}}, {"--rms", {Kind::MovingRms, true}},
      {"--abs", {Kind::Abs, false}},         {"--exp", {Kind::ExpSmoothing, true}},
      {"--sort", {Kind::Sort, true}},
  };
  FilterRequest request;
  bool chosen = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto filter = kFilters.find(a);
    const bool takesValue =
        a == "-o" || a == "--channels" || (filter != kFilters.end() && filter->second.second);
    if (takesValue && i + 1 >= args.size()) return UsageError{"после " + a + " нужно значение"};
    if (filter != kFilters.end()) {
      if (chosen) return UsageError{"задано больше одного фильтра"};
      chosen = true;
      request.kind = filter->second.first;
      if (takesValue) request.parameter = args[++i];
    } else if (a == "-o") {
      request.output = args[++i];
    } else if (a == "--channels") {
      request.channels = ParseChannels(args[++i]);
      if (!request.channels) {
        return UsageError{"каналы АЦП задаются номерами от 1 до 16 через запятую: \"" + args[i] +
                          "\""};
      }
    } else if (auto error = TakeInputWord(a, request.input)) {
      return *error;
    }
  }
  if (request.input.empty()) return UsageError{"не задан файл данных"};
  if (!chosen) return UsageError{"не задан фильтр"};
  if (request.output.empty()) return UsageError{"не задан выходной файл (-o)"};
  if (request.kind == Kind::Sort && request.channels) {
    return UsageError{"--channels не применяется к --sort"};
  }
  return request;
}

int RunFilterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunParsed(ParseFilterArguments(args), RunFilter, out, err);
}

}  // namespace tornel::cli
