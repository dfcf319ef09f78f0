#include "cli/recover_command.h"

#include <exception>
#include <filesystem>

#include "cli/tool_runner.h"
#include "core/records/day_number.h"
#include "core/records/graph_record.h"
#include "core/records/leftover_recording.h"
#include "core/text/plural_ru.h"

namespace tornel::cli {
namespace {

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string Line(const LeftoverRecording& leftover) {
  const RecoveryNote& note = leftover.Note;
  CivilDateTime at = DayTimeToCivil(note.Date, note.Time);
  std::string line = leftover.SampleFile + "\t";
  line += note.Kind == RecordingKind::Static ? "статическая" : "переходная";
  line += "\t" + TwoDigits(at.Day) + "." + TwoDigits(at.Month) + "." + std::to_string(at.Year) +
          " " + TwoDigits(at.Hour) + ":" + TwoDigits(at.Minute) + ":" + TwoDigits(at.Second);
  if (note.Kind == RecordingKind::Static) {
    line += "\t" + PointsRu(leftover.Frames);
  } else {
    line += "\t" + std::to_string(static_cast<int64_t>(leftover.Duration() * 1000.0)) + " мс";
  }
  std::string names;
  for (int s = 0; s < kNoteSlots; ++s) {
    uint16_t mask = s < 16 ? note.AcpMask : note.CapMask;
    if (mask >> (s % 16) & 1) names += (names.empty() ? "" : ", ") + note.ChanName[s];
  }
  return line + "\t" + names;
}

}  // namespace

int RecoverCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::vector<std::string>& folders) {
  bool list = false;
  std::string dir = ".";
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--list") {
      list = true;
    } else if (args[i] == "-o" && i + 1 < args.size()) {
      dir = args[++i];
    } else {
      err << "tornel-tool: неизвестный ключ " << args[i] << "\n\n" << kUsage;
      return kExitUsage;
    }
  }
  std::vector<LeftoverRecording> found = FindLeftoverRecordings(folders);
  if (found.empty()) out << "Несохранённых записей нет\n";
  int failed = 0;
  for (auto& leftover : found) {
    if (list) {
      out << Line(leftover) << '\n';
      continue;
    }
    std::string target = (std::filesystem::path(dir) /
                          (std::filesystem::path(leftover.SampleFile).filename().string() + ".dta"))
                             .string();
    TGraphRecord record;
    RestoreRecord(std::move(leftover), record);
    try {
      record.SaveDta(target);
      out << target << '\n';
    } catch (const std::exception& e) {
      // The recording stays for another try.
      record.Unsaved->LeaveForLater();
      record.OrigFile.clear();
      record.FilteredFile.clear();
      err << "tornel-tool: " << e.what() << '\n';
      ++failed;
    }
  }
  return failed == 0 ? 0 : kExitFailure;
}

int RecoverCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RecoverCommand(args, out, err, RecordingFolders());
}

}  // namespace tornel::cli
