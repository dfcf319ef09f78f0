#include "cli/tool_runner.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include "cli/analyze_command.h"
#include "cli/device_command.h"
#include "cli/filter_command.h"
#include "cli/record_command.h"
#include "cli/recover_command.h"
#include "cli/run_scheme_command.h"
#include "cli/spectrum_command.h"
#include "cli/tool_arguments.h"
#include "core/records/csv_export.h"
#include "core/records/dta_info.h"
#include "core/records/temp_file.h"
#include "core/text/user_error.h"
#include "core/text/version_text.h"

namespace tornel::cli {
namespace {

void RunInfo(const ToolRequest& request, std::ostream& out) {
  const DtaInfo info = ReadDtaInfo(request.input);
  out << "Файл: " << request.input << "\n" << DescribeDta(info);
}

void RunExportCsv(const ToolRequest& request, std::ostream& out) {
  if (request.output.empty() || request.output == "-") {
    ExportDtaToCsv(request.input, out, "(стандартный вывод)", request.csv);
    return;
  }
  std::error_code ec;
  if (std::filesystem::equivalent(request.input, request.output, ec)) {
    throw UserError("Не удалось создать файл " + request.output + ": это файл данных");
  }
  std::vector<char> buffer(1 << 16);
  std::ofstream file;
  file.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  file.open(request.output, std::ios::binary | std::ios::trunc);
  if (!file) throw UserError("Не удалось создать файл " + request.output);
  try {
    ExportDtaToCsv(request.input, file, request.output, request.csv);
    file.close();
    if (!file) throw UserError("Не удалось записать файл " + request.output);
  } catch (...) {
    // Half a table is worse than none; a device such as /dev/full stays.
    file.close();
    RemoveFileIfExists(request.output);
    throw;
  }
}

}  // namespace

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--version" || args[0] == "-v")) {
    out << VersionLine("tornel-tool (TornelAD)") << "\n";
    return kExitOk;
  }
  if (!args.empty() && args[0] == "filter") return RunFilterCommand(args, out, err);
  if (!args.empty() && args[0] == "run-scheme") return RunSchemeCommand(args, out, err);
  if (!args.empty() && args[0] == "recover") return RecoverCommand(args, out, err);
  if (!args.empty() && args[0] == "record") return RecordCommand(args, out, err);
  if (!args.empty() && args[0] == "spectrum") return RunSpectrumCommand(args, out, err);
  if (!args.empty() && args[0] == "analyze") return AnalyzeCommand(args, out, err);
  if (!args.empty() && args[0] == "device") return DeviceCommand(args, out, err);
  auto parsed = ParseToolArguments(args);
  if (auto* usage = std::get_if<UsageError>(&parsed)) {
    err << "tornel-tool: " << usage->message << "\n\n" << kUsage;
    return kExitUsage;
  }
  const ToolRequest& request = std::get<ToolRequest>(parsed);
  try {
    switch (request.command) {
      case ToolRequest::Command::Help:
        out << kUsage;
        break;
      case ToolRequest::Command::Info:
        RunInfo(request, out);
        break;
      case ToolRequest::Command::ExportCsv:
        RunExportCsv(request, out);
        break;
    }
    out.flush();
    if (!out) throw UserError("Не удалось записать файл (стандартный вывод)");
  } catch (const UserError& e) {
    err << e.what() << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace tornel::cli
