#include "cli/run_scheme_command.h"

#include <filesystem>
#include <memory>
#include <streambuf>

#include "cli/tool_runner.h"
#include "core/device/null_device.h"
#include "core/device/simulated_bench.h"
#include "core/device/tick_clock.h"
#include "core/records/file_handle.h"
#include "core/records/replacing_file.h"
#include "core/scheme/fixed_text_measure.h"
#include "core/scheme/graph_block_csv.h"
#include "core/scheme/scheme_calculation.h"
#include "core/scheme/scheme_file.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"

namespace tornel::cli {
namespace {

enum class OutputKind { Csv, Dta, Other };

OutputKind KindOf(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == ".csv") return OutputKind::Csv;
  if (ext == ".dta") return OutputKind::Dta;
  return OutputKind::Other;
}

// An output stream buffer over a file handle, flushed in bounded pieces.
class HandleBuffer : public std::streambuf {
public:
  explicit HandleBuffer(FileHandle& file) : file_(file) { setp(buffer_, buffer_ + sizeof buffer_); }

protected:
  int_type overflow(int_type c) override {
    sync();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override {
    file_.WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_, buffer_ + sizeof buffer_);
    return 0;
  }

private:
  FileHandle& file_;
  char buffer_[1 << 16];
};

// Through a sibling file, so that a failure leaves no half table behind.
void WriteCsvFile(const TGraphRecord& record, double step, const std::string& path) {
  ReplacingFile file(path);
  HandleBuffer buffer(file.File());
  std::ostream out(&buffer);
  out.exceptions(std::ios::badbit);  // the handle's own error goes on
  WriteGraphBlockCsv(record, step, out, path);
  file.Commit();
}

ChannelTable LoadTable(const RunSchemeRequest& request) {
  ChannelTable table;
  if (request.config.empty()) {
    table.Offset.fill(0);
  } else {
    if (!FileHandle::TryOpenRead(request.config)) ThrowOpenError(request.config);
    table.ConfigPath = request.config;
    table.LoadConfig();
  }
  // Without a bench there is nothing to bring back gently.
  if (!request.simulatedBench) table.Tzi = 0.0;
  return table;
}

void RunScheme(const RunSchemeRequest& request) {
  const RunSettings settings{request.endTime, request.step, false};
  // A header without rows would pass for a result.
  CheckRunSettings(settings);
  std::error_code ec;
  if (std::filesystem::equivalent(request.input, request.output, ec)) {
    throw UserError("Не удалось создать файл " + request.output + ": это файл схемы");
  }
  const ChannelTable table = LoadTable(request);
  MonotonicTickClock clock;
  std::unique_ptr<Device> device;
  if (request.simulatedBench) {
    device = std::make_unique<SimulatedBench>(clock);
  } else {
    device = std::make_unique<NullDevice>();
  }
  const FixedTextMeasure measure;
  const BlockFactory factory(measure, table);
  Scheme scheme = LoadScheme(request.input, factory);
  const TBlock* graph = scheme.GraphBlock();
  bool connected = false;
  for (int i = 0; graph && i < graph->InCount; ++i) connected |= graph->InConnected[i];
  if (!connected) {
    throw UserError(
        FileMessage("В схеме нет блока «График» с подключёнными входами", request.input));
  }

  SchemeCalculation calculation(*device, clock, table);
  const RunResult result = calculation.Run(scheme, settings);
  if (KindOf(request.output) == OutputKind::Dta) {
    graph->Record->SaveDta(request.output);
  } else {
    WriteCsvFile(*graph->Record, result.Step, request.output);
  }
}

}  // namespace

std::variant<RunSchemeRequest, UsageError> ParseRunSchemeArguments(
    const std::vector<std::string>& args) {
  RunSchemeRequest request;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-o" || a == "--end" || a == "--step" || a == "--device" || a == "--config") {
      if (i + 1 >= args.size()) return UsageError{"после " + a + " нужно значение"};
      const std::string& value = args[++i];
      if (a == "-o") {
        request.output = value;
      } else if (a == "--config") {
        request.config = value;
      } else if (a == "--device") {
        if (value != "none" && value != "sim") {
          return UsageError{"--device: none или sim, а не \"" + value + "\""};
        }
        request.simulatedBench = value == "sim";
      } else {
        const auto number = StrToFloatStrict(value);
        if (!number) return UsageError{"значение " + a + " должно быть числом: \"" + value + "\""};
        (a == "--end" ? request.endTime : request.step) = *number;
      }
    } else if (auto wrong = TakeInputWord(a, request.input)) {
      return *wrong;
    }
  }
  if (request.input.empty()) return UsageError{"не задан файл схемы"};
  if (request.output.empty()) return UsageError{"не задан выходной файл (-o)"};
  if (KindOf(request.output) == OutputKind::Other) {
    return UsageError{"выходной файл должен быть .csv или .dta: \"" + request.output + "\""};
  }
  return request;
}

int RunSchemeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunParsed(ParseRunSchemeArguments(args), RunScheme, out, err);
}

}  // namespace tornel::cli
