#include "cli/spectrum_command.h"

#include <charconv>
#include <cmath>

#include "cli/tool_runner.h"
#include "core/records/graph_record.h"
#include "core/spectrum/spectrum_analysis.h"
#include "core/spectrum/spectrum_text.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"

namespace tornel::cli {
namespace {

std::string JsonNumber(double v) {
  if (!std::isfinite(v)) return "null";
  char buf[32];
  const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return ec == std::errc() ? std::string(buf, ptr) : "null";
}

void RunSpectrum(const SpectrumToolRequest& request, std::ostream& out) {
  try {
    TGraphRecord record;
    record.LoadDta(request.input);
    record.RecountRecord();
    const std::optional<SpectrumResult> result = AnalyzeSpectrum(record, request.spectrum);
    if (!result) throw UserError("Спектр не построен");
    if (request.json) {
      out << SpectrumJson(request.channel, *result) << "\n";
      return;
    }
    const int slot = request.spectrum.slot;
    const std::string& unit = record.ChanUnit[slot];
    out << "Файл: " << request.input << "\n";
    out << "Канал: АЦП " << request.channel << " " << record.ChanName[slot]
        << (unit.empty() ? "" : ", " + unit) << "\n";
    out << SpectrumSummaryText(*result, unit, '.') << "\n" << HarmonicTableText(*result, unit, '.');
  } catch (const UserError& e) {
    const std::string text = e.what();
    if (text.find(request.input) != std::string::npos) throw;
    throw UserError(FileMessage(text, request.input));
  }
}

}  // namespace

std::string SpectrumJson(int channel, const SpectrumResult& r) {
  std::string json = "{\"channel\": " + std::to_string(channel) +
                     ", \"sample_rate\": " + JsonNumber(r.sampleRate) +
                     ", \"resolution_hz\": " + JsonNumber(r.resolutionHz) +
                     ", \"dc\": " + JsonNumber(r.dc) +
                     ", \"fundamental_hz\": " + JsonNumber(r.fundamentalHz) +
                     ", \"thd_pct\": " + JsonNumber(r.thdPct) + ", \"harmonics\": [";
  for (std::size_t i = 0; i < r.harmonics.size(); ++i) {
    const Harmonic& h = r.harmonics[i];
    json += (i == 0 ? "" : ", ");
    json += "{\"order\": " + std::to_string(h.order) + ", \"hz\": " + JsonNumber(h.hz) +
            ", \"amplitude\": " + JsonNumber(h.amplitude) + "}";
  }
  return json + "]}";
}

std::variant<SpectrumToolRequest, UsageError> ParseSpectrumArguments(
    const std::vector<std::string>& args) {
  SpectrumToolRequest request;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue =
        a == "--channel" || a == "--from" || a == "--to" || a == "--window" || a == "--harmonics";
    if (takesValue && i + 1 >= args.size()) return UsageError{"после " + a + " нужно значение"};
    if (a == "--json") {
      request.json = true;
    } else if (a == "--channel") {
      const std::optional<int32_t> n = StrToIntStrict(args[++i]);
      if (!n || *n < 1 || *n > kAcpChannels) {
        return UsageError{"канал АЦП задаётся номером от 1 до 16: \"" + args[i] + "\""};
      }
      request.channel = *n;
      request.spectrum.slot = *n - 1;
    } else if (a == "--from" || a == "--to") {
      const std::optional<double> t = StrToFloatStrict(args[++i]);
      if (!t)
        return UsageError{"значение " + a + " должно быть числом секунд: \"" + args[i] + "\""};
      (a == "--from" ? request.spectrum.from : request.spectrum.to) = *t;
    } else if (a == "--window") {
      const std::string& w = args[++i];
      if (w != "hann" && w != "rect") return UsageError{"окно задаётся словом hann или rect"};
      request.spectrum.window = w == "hann" ? WindowFunction::Hann : WindowFunction::Rectangular;
    } else if (a == "--harmonics") {
      const std::optional<int32_t> k = StrToIntStrict(args[++i]);
      if (!k || *k < 1) {
        return UsageError{"число гармоник должно быть целым не меньше 1: \"" + args[i] + "\""};
      }
      request.spectrum.harmonics = *k;
    } else if (auto error = TakeInputWord(a, request.input)) {
      return *error;
    }
  }
  if (request.input.empty()) return UsageError{"не задан файл данных"};
  if (request.channel == 0) return UsageError{"не задан канал (--channel N)"};
  return request;
}

int RunSpectrumCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunParsed(
      ParseSpectrumArguments(args),
      [&out](const SpectrumToolRequest& request) { RunSpectrum(request, out); }, out, err);
}

}  // namespace tornel::cli
