#include "cli/analyze_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "cli/tool_runner.h"
#include "core/analysis/transient_analysis.h"
#include "core/records/dta_info.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"

namespace tornel::cli {
namespace {

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04x", c);
      out += code;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// The shortest text that reads back as the same double; JSON has no NaN.
std::string JsonNumber(double v) {
  if (!std::isfinite(v)) return "null";
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, r.ptr);
}

std::string JsonNumber(const std::optional<double>& v) { return v ? JsonNumber(*v) : "null"; }

void WriteJson(const AnalyzeRequest& request, const ChannelAnalysis& a, std::ostream& out) {
  const StepMetrics& m = a.Metrics;
  out << "{\"channel\": " << request.channel << ", \"name\": " << JsonString(a.Channel.Name)
      << ", \"unit\": " << JsonString(a.Channel.Unit) << ", \"initial\": " << JsonNumber(m.Initial)
      << ", \"final\": " << JsonNumber(m.Final) << ", \"rise_time\": " << JsonNumber(m.RiseTime)
      << ", \"delay_time\": " << JsonNumber(m.DelayTime) << ", \"peak\": " << JsonNumber(m.Peak)
      << ", \"peak_time\": " << JsonNumber(m.PeakTime)
      << ", \"overshoot_pct\": " << JsonNumber(m.OvershootPct)
      << ", \"settling_time\": " << JsonNumber(m.SettlingTime);
  if (request.fit != FitKind::None) {
    const StepFit& f = a.Fit;
    out << ", \"fit\": ";
    if (!f.Converged) {
      out << "null";
    } else if (f.Kind == FitKind::First) {
      out << "{\"model\": \"first\", \"gain\": " << JsonNumber(f.Gain)
          << ", \"time_constant\": " << JsonNumber(f.TimeConstant)
          << ", \"delay\": " << JsonNumber(f.Delay) << ", \"rms\": " << JsonNumber(f.Rms) << "}";
    } else {
      out << "{\"model\": \"second\", \"gain\": " << JsonNumber(f.Gain)
          << ", \"damping\": " << JsonNumber(f.Damping)
          << ", \"natural_frequency\": " << JsonNumber(f.NaturalFrequency)
          << ", \"delay\": " << JsonNumber(f.Delay) << ", \"rms\": " << JsonNumber(f.Rms) << "}";
    }
  }
  out << "}\n";
}

std::size_t Characters(const std::string& utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// The table's two columns, the names padded to one width.
void WriteTable(const std::string& path, const TransientAnalysis& analysis, std::ostream& out) {
  const std::string text = AnalysisTableText(analysis, '.', 6);
  std::vector<std::pair<std::string, std::string>> rows;
  std::size_t width = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end - at);
    const std::size_t tab = line.find('\t');
    rows.emplace_back(line.substr(0, tab), tab == std::string::npos ? "" : line.substr(tab + 1));
    width = std::max(width, Characters(rows.back().first));
    at = end == std::string::npos ? text.size() : end + 1;
  }
  out << "Файл: " << path << "\n";
  for (const auto& [name, value] : rows) {
    out << name << std::string(width + 2 - Characters(name), ' ') << value << "\n";
  }
}

void RunAnalyze(const AnalyzeRequest& request, std::ostream& out, std::ostream& err) {
  const DtaInfo info = ReadDtaInfo(request.input);
  const TransientSource source = SourceOfDataFile(info, request.input);
  const std::optional<AnalysisChannel> channel =
      ChannelOfSlot(info.Header, source.FullScale, request.channel - 1);
  if (!channel) {
    throw UserError(FileMessage("Канал " + std::to_string(request.channel) + " в записи не записан",
                                request.input));
  }
  const TransientAnalysis analysis =
      AnalyseTransient(source, {*channel}, {request.stepTime, request.settleBand}, request.fit);
  const ChannelAnalysis& a = analysis.Channels.at(0);
  if (!a.Metrics.HasStep) throw UserError(FileMessage(ChannelNote(a), request.input));
  if (request.fit != FitKind::None && !a.Fit.Converged) {
    err << FileMessage(ChannelNote(a), request.input) << "\n";
  }
  if (request.json) {
    WriteJson(request, a, out);
  } else {
    WriteTable(request.input, analysis, out);
  }
}

}  // namespace

std::variant<AnalyzeRequest, UsageError> ParseAnalyzeArguments(
    const std::vector<std::string>& args) {
  AnalyzeRequest request;
  bool channelGiven = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "--channel" || a == "--from" || a == "--settle" || a == "--fit";
    if (takesValue && i + 1 >= args.size()) return UsageError{"после " + a + " нужно значение"};
    if (a == "--channel") {
      const std::optional<int32_t> n = StrToIntStrict(args[++i]);
      if (!n || *n < 1 || *n > kAcpChannels) {
        return UsageError{"--channel: номер канала АЦП от 1 до 16: \"" + args[i] + "\""};
      }
      request.channel = *n;
      channelGiven = true;
    } else if (a == "--from") {
      const std::optional<double> t = StrToFloatStrict(args[++i]);
      if (!t || !(*t >= 0) || !std::isfinite(*t)) {
        return UsageError{"--from: момент скачка в секундах, не меньше 0: \"" + args[i] + "\""};
      }
      request.stepTime = *t;
    } else if (a == "--settle") {
      const std::string& v = args[++i];
      if (v != "2" && v != "5") return UsageError{"--settle: 2 или 5 (%): \"" + v + "\""};
      request.settleBand = v == "2" ? 2 : 5;
    } else if (a == "--fit") {
      const std::string& v = args[++i];
      if (v != "first" && v != "second") {
        return UsageError{"--fit: first или second: \"" + v + "\""};
      }
      request.fit = v == "first" ? FitKind::First : FitKind::Second;
    } else if (a == "--json") {
      request.json = true;
    } else if (auto error = TakeInputWord(a, request.input)) {
      return *error;
    }
  }
  if (request.input.empty()) return UsageError{"не задан файл данных"};
  if (!channelGiven) return UsageError{"не задан канал (--channel N)"};
  return request;
}

int AnalyzeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunParsed(
      ParseAnalyzeArguments(args),
      [&](const AnalyzeRequest& request) { RunAnalyze(request, out, err); }, out, err);
}

}  // namespace tornel::cli
