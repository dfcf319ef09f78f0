#include "core/acquisition/scan_loop.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <limits>
#include <string>

#include "core/acquisition/ramp_and_hold.h"
#include "core/config/scan_priority.h"
#include "core/device/asmcode.h"
#include "core/device/dac_routines.h"

namespace tornel {
namespace {

constexpr int32_t kMaxScans = std::numeric_limits<int32_t>::max();

uint32_t DurationToMs(double seconds) {
  double ms = std::trunc(seconds * 1000.0);
  if (!(ms > 0.0)) return 0;  // NaN too
  constexpr double kMax = std::numeric_limits<uint32_t>::max();
  return ms >= kMax ? std::numeric_limits<uint32_t>::max() : static_cast<uint32_t>(ms);
}

int16_t AddWrapping(int16_t a, int16_t b) {
  return static_cast<int16_t>(static_cast<uint16_t>(a) + static_cast<uint16_t>(b));
}

std::string ErrorText(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Неизвестная ошибка";
  }
}

// Which channels each scan holds, in file order.
struct ScanLayout {
  ScanLayout(const ScanRequest& request, int caps) {
    for (int ch = 0; ch < kAcpChannels; ++ch) {
      if ((request.AcpMask >> ch & 1) == 0) continue;
      acp[acpCount] = static_cast<int16_t>(ch);
      acpZero[acpCount] = request.AcpZero[static_cast<std::size_t>(ch)];
      ++acpCount;
    }
    for (int i = 0; i < caps; ++i) {
      if (request.CapMask >> i & 1) cap[capCount++] = i;
    }
  }
  std::size_t Values() const { return acpCount + capCount; }

  std::array<int16_t, kAcpChannels> acp{};
  std::array<int16_t, kAcpChannels> acpZero{};
  std::size_t acpCount = 0;
  std::array<int, kCapChannels> cap{};
  std::size_t capCount = 0;
};

class Recording {
public:
  Recording(const ScanRequest& request, const ScanContext& context, RawSampleWriter& writer,
            const std::atomic<bool>& terminate, ScanResult& result,
            std::unique_ptr<UnsavedRecording>& note)
      : note_(note),
        request_(request),
        context_(context),
        writer_(writer),
        terminate_(terminate),
        result_(result),
        caps_(std::clamp<int>(context.table.CapCount, 0, kCapChannels)),
        layout_(request, caps_),
        signals_(context.device, request, context.table, caps_) {}

  void Run() {
    if (!writer_.Create(request_.FileName, layout_.Values())) {
      result_.Outcome = ScanOutcome::FileNotCreated;
      result_.Message = "Не удалось создать файл " + request_.FileName;
      context_.hooks.DisableStartButton();
      SetCapZero(context_.device, context_.table);
      return;
    }
    std::exception_ptr error;
    try {
      if (context_.note) note_ = context_.note();
      SetCapZero(context_.device, context_.table);
      Scan();
    } catch (...) {
      error = std::current_exception();
    }
    bool flushed = writer_.Flush();
    bool written = writer_.Close() && flushed && !writeFailed_;
    if (!written || error) KeepWhatLanded();
    if (note_) note_->Finish(result_.Elapsed, result_.Count);
    context_.hooks.DisableStartButton();
    try {
      RampCapToZero(context_.device, context_.table, context_.clock, signals_.Levels(), nullptr);
    } catch (...) {
      if (!error) error = std::current_exception();
    }
    if (!written) {
      result_.Outcome = ScanOutcome::WriteFailed;
      result_.Message =
          "Не удалось записать файл " + request_.FileName + "\n" + KeptText(result_.Count);
    } else if (error) {
      result_.Outcome = ScanOutcome::Failed;
      result_.Message = ErrorText(error) + "\n" + KeptText(result_.Count);
    }
    // A run cut short leaves its summary out; the window builds one from
    // what the file kept.
    if (result_.Outcome == ScanOutcome::Completed) result_.Summary = writer_.TakeSummary();
  }

private:
  void Scan() {
    TickClock& clock = context_.clock;
    Device& device = context_.device;
    std::array<int16_t, kAcpChannels + kCapChannels> scan{};
    result_.Count = 0;
    result_.DurationMs = DurationToMs(request_.Duration);
    result_.Elapsed = 0;
    const uint32_t start = clock.Now();
    result_.StartTick = static_cast<int32_t>(start);
    uint32_t flushedAt = 0;
    while (result_.Elapsed < result_.DurationMs && result_.Count < kMaxScans) {
      if (terminate_.load(std::memory_order_relaxed)) {
        result_.Terminated = true;
        break;
      }
      if (request_.DriveCap) signals_.Drive(result_.Elapsed);
      std::size_t n = 0;
      for (std::size_t a = 0; a < layout_.acpCount; ++a) {
        scan[n++] = AddWrapping(device.ReadChecked(layout_.acp[a]), layout_.acpZero[a]);
      }
      for (std::size_t c = 0; c < layout_.capCount; ++c) scan[n++] = signals_.Level(layout_.cap[c]);
      if (!writer_.Append(scan.data())) {
        writeFailed_ = true;
        break;
      }
      result_.Elapsed = TicksSince(start, clock.Now());
      ++result_.Count;
      if (result_.Elapsed - flushedAt >= kScanFlushMs) {
        if (!writer_.Flush()) {
          writeFailed_ = true;
          break;
        }
        flushedAt = result_.Elapsed;
        if (note_) note_->ScansOnDisk(result_.Elapsed, result_.Count);
      }
    }
  }

  // After a failure the file holds fewer scans than were taken; the reader
  // spreads the scans evenly over Elapsed, so the kept ones get their share.
  void KeepWhatLanded() {
    if (layout_.Values() == 0) return;
    uint64_t kept = std::min<uint64_t>(writer_.ScansKept(), static_cast<uint64_t>(result_.Count));
    if (result_.Count > 0) {
      result_.Elapsed = static_cast<uint32_t>(uint64_t{result_.Elapsed} * kept /
                                              static_cast<uint64_t>(result_.Count));
    }
    result_.Count = static_cast<int32_t>(kept);
  }

  std::unique_ptr<UnsavedRecording>& note_;
  const ScanRequest& request_;
  const ScanContext& context_;
  RawSampleWriter& writer_;
  const std::atomic<bool>& terminate_;
  ScanResult& result_;
  int caps_;
  ScanLayout layout_;
  RampAndHold signals_;
  bool writeFailed_ = false;
};

}  // namespace

ScanResult RunScan(const ScanRequest& request, const ScanContext& context, RawSampleWriter& writer,
                   const std::atomic<bool>& terminate) {
  std::unique_ptr<UnsavedRecording> note;
  return RunScan(request, context, writer, terminate, note);
}

ScanResult RunScan(const ScanRequest& request, const ScanContext& context, RawSampleWriter& writer,
                   const std::atomic<bool>& terminate, std::unique_ptr<UnsavedRecording>& note) {
  ScanResult result;
  context.hooks.SaveCursorShowBusy();
  try {
    ScanPriorityGuard priorities(context.table, context.priority);
    Recording(request, context, writer, terminate, result, note).Run();
  } catch (...) {
    // Only the priority control itself can get here; the scans are safe.
    result.Outcome = ScanOutcome::Failed;
    result.Message = ErrorText(std::current_exception());
  }
  context.hooks.RestoreCursor();
  return result;
}

}  // namespace tornel
