#include "cli/record_command.h"

#include <unistd.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <exception>
#include <mutex>
#include <thread>

#include "cli/tool_config.h"
#include "cli/tool_runner.h"
#include "core/acquisition/scan_loop.h"
#include "core/acquisition/transient_note.h"
#include "core/device/device_selection.h"
#include "core/device/os_priority_control.h"
#include "core/records/day_number.h"
#include "core/records/graph_record.h"
#include "core/records/leftover_recording.h"

namespace tornel::cli {
namespace {

std::atomic<bool> gStop{false};

extern "C" void StopOnSignal(int) { gStop.store(true); }

struct RecordRequest {
  std::string device;
  std::string config;
  std::string output;
  ScanRequest scan;
  bool channels = false, duration = false;
};

bool ParseNumber(std::string_view text, double& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseChannels(const std::string& list, int16_t& mask) {
  uint16_t bits = 0;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t comma = std::min(list.find(',', start), list.size());
    double channel = 0;
    if (!ParseNumber(std::string_view(list).substr(start, comma - start), channel) || channel < 1 ||
        channel > 16 || channel != static_cast<int>(channel)) {
      return false;
    }
    bits |= static_cast<uint16_t>(1u << (static_cast<int>(channel) - 1));
    start = comma + 1;
  }
  mask = static_cast<int16_t>(bits);
  return true;
}

// N=AMPLITUDE[@DELAY[/RISE]]: DAC N (from 1), its level in codes from zero.
bool ParseDac(const std::string& text, ScanRequest& scan) {
  std::size_t eq = text.find('='), at = text.find('@'), slash = text.find('/');
  if (eq == std::string::npos) return false;
  std::string_view view(text);
  double n = 0, amplitude = 0, delay = 0, rise = 0;
  std::size_t ampEnd = std::min(at, text.size());
  if (!ParseNumber(view.substr(0, eq), n) || n < 1 || n > kCapChannels ||
      n != static_cast<int>(n) || !ParseNumber(view.substr(eq + 1, ampEnd - eq - 1), amplitude) ||
      amplitude < -32768 || amplitude > 32767) {
    return false;
  }
  if (at != std::string::npos) {
    std::size_t delayEnd = std::min(slash, text.size());
    if (!ParseNumber(view.substr(at + 1, delayEnd - at - 1), delay) || delay < 0) return false;
    if (slash != std::string::npos && (!ParseNumber(view.substr(slash + 1), rise) || rise < 0)) {
      return false;
    }
  } else if (slash != std::string::npos) {
    return false;
  }
  auto i = static_cast<std::size_t>(n) - 1;
  scan.Amplitude[i] = static_cast<int16_t>(amplitude);
  scan.Delay[i] = delay;
  scan.RiseTime[i] = rise;
  scan.CapMask = static_cast<int16_t>(static_cast<uint16_t>(scan.CapMask) | 1u << i);
  scan.DriveCap = true;
  return true;
}

std::optional<std::string> Parse(const std::vector<std::string>& args, RecordRequest& request) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (i + 1 >= args.size()) return "ключу " + a + " нужно значение";
    const std::string& value = args[++i];
    if (a == "--device") {
      request.device = value;
    } else if (a == "--config") {
      request.config = value;
    } else if (a == "-o") {
      request.output = value;
    } else if (a == "--channels") {
      if (!ParseChannels(value, request.scan.AcpMask))
        return "--channels: номера 1..16 через запятую";
      request.channels = true;
    } else if (a == "--duration") {
      if (!ParseNumber(value, request.scan.Duration) || request.scan.Duration <= 0) {
        return "--duration: длительность в секундах";
      }
      request.duration = true;
    } else if (a == "--dac") {
      if (!ParseDac(value, request.scan)) return "--dac: N=ВЕЛИЧИНА[@ЗАДЕРЖКА[/НАРАСТАНИЕ]]";
    } else {
      return "неизвестный ключ " + a;
    }
  }
  if (!request.channels) return "нужен ключ --channels";
  if (!request.duration) return "нужен ключ --duration";
  if (request.output.empty()) return "нужен ключ -o";
  return std::nullopt;
}

class SilentHooks final : public ScanHooks {
public:
  void SaveCursorShowBusy() override {}
  void DisableStartButton() override {}
  void RestoreCursor() override {}
};

// Tells the operator once a second how far the run has got.
class Progress {
public:
  Progress(std::ostream& err, double duration)
      : thread_([this, &err, duration] {
          std::unique_lock lock(mutex_);
          for (int s = 1; !wake_.wait_for(lock, std::chrono::seconds(1), [this] { return done_; });
               ++s) {
            if (s <= duration)
              err << "Запись: " << s << " с из " << duration << " с\n" << std::flush;
          }
        }) {}
  ~Progress() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }

private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;
};

}  // namespace

int RecordCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RecordRequest request;
  if (auto usage = Parse(args, request)) {
    err << "tornel-tool: " << *usage << "\n\n" << kUsage;
    return kExitUsage;
  }
  try {
    ToolConfig config = LoadToolConfig(request.config);
    ChannelTable& table = config.table;
    const DeviceChoice& configured = config.device;
    std::optional<DeviceChoice> choice =
        request.device.empty() ? configured : ParseDeviceOption(request.device, configured);
    if (!choice) {
      err << "tornel-tool: --device: none, sim или comedi[:ФАЙЛ]\n\n" << kUsage;
      return kExitUsage;
    }
    MonotonicTickClock clock;
    OpenedDevice opened = OpenDevice(*choice, clock);
    if (!opened.warning.empty()) err << "tornel-tool: " << opened.warning << '\n';
    for (int i = 0; i < kCapChannels; ++i) request.scan.CapZero[i] = table.Offset[kCapSlotBase + i];
    for (int i = 0; i < 16; ++i) request.scan.AcpZero[i] = table.Offset[i];
    request.scan.FileName = TGraphRecord::MakeTempName();

    OsPriorityControl priority;
    SilentHooks hooks;
    DayTime start = LocalDayTime(std::chrono::system_clock::now());
    ScanContext context{*opened.device, table, clock, priority, hooks, [&] {
                          return UnsavedRecording::Begin(
                              request.scan.FileName,
                              MakeTransientNote(request.scan, table, start.Date, start.Time));
                        }};
    gStop = false;
    auto oldInt = std::signal(SIGINT, StopOnSignal);
    auto oldTerm = std::signal(SIGTERM, StopOnSignal);
    RawSampleWriter writer;
    std::unique_ptr<UnsavedRecording> note;
    ScanResult result;
    {
      Progress progress(err, request.scan.Duration);
      result = RunScan(request.scan, context, writer, gStop, note);
    }
    std::signal(SIGINT, oldInt);
    std::signal(SIGTERM, oldTerm);
    if (!result.Message.empty()) err << "tornel-tool: " << result.Message << '\n';
    if (result.Outcome == ScanOutcome::FileNotCreated) return kExitFailure;

    TGraphRecord record;
    record.InitRecord(table);
    RecoveryNote described = note ? note->Note() : MakeTransientNote(request.scan, table, 0, 0);
    described.Finished = true;
    described.ElapsedMs = result.Elapsed;
    described.Count = result.Count;
    FillRecordFromNote(described, result.Count, request.scan.FileName, record);
    record.Date = start.Date;
    record.Time = start.Time;
    record.Unsaved = std::move(note);
    try {
      record.SaveDta(request.output);
    } catch (...) {
      // The scans stay for tornel-tool recover.
      if (record.Unsaved) record.Unsaved->LeaveForLater();
      record.OrigFile.clear();
      throw;
    }
    err << ScannedText(result.Count) << '\n';
    out << request.output << '\n';
    return result.Outcome == ScanOutcome::Completed ? kExitOk : kExitFailure;
  } catch (const std::exception& e) {
    err << "tornel-tool: " << e.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace tornel::cli
