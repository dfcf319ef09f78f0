#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "core/acquisition/raw_sample_writer.h"
#include "core/acquisition/scan_hooks.h"
#include "core/acquisition/scan_request.h"
#include "core/acquisition/scan_result.h"
#include "core/config/channel_table.h"
#include "core/config/priority_control.h"
#include "core/device/device.h"
#include "core/device/tick_clock.h"
#include "core/records/unsaved_recording.h"

namespace tornel {

// What a recording runs on. The table's CapCount, DAC Base, RealBase and
// Offset, Tzi and priorities are read during the run; nothing may change
// them meanwhile.
struct ScanContext {
  Device& device;
  const ChannelTable& table;
  TickClock& clock;
  PriorityControl& priority;
  ScanHooks& hooks;
  // The recovery note of the raw file, made once the file exists; none
  // when nobody asked for one.
  std::function<std::unique_ptr<UnsavedRecording>()> note = {};
};

// How often the scans buffered reach the disk, ms of the run.
inline constexpr uint32_t kScanFlushMs = 1000;

// Records one transient response into request.FileName through `writer` (its
// buffer allocated beforehand): shows the hourglass, raises the priorities,
// zeroes the DACs, then scans back to back until the duration has passed or
// `terminate` is set (checked every scan), driving each DAC of CapMask with
// its delayed ramp-and-hold signal in automatic mode; then ramps the DACs
// back to zero, lowers the priorities and restores the cursor.
//
// Each scan is the recorded ADC channels ascending (raw code + zero code)
// followed by the levels of the recorded DACs. The scans use the device's
// checked reads and writes, so a card that fails (DeviceError) ends the run
// like any other error. Never throws: a file that cannot be created records
// nothing; a failed write, or any other error, ends the run with every whole
// scan written so far kept and the DACs ramped back to zero. The outcome and
// the user's message say which. The priorities and the cursor are restored
// in every case.
//
// The scans reach the disk at least every kScanFlushMs. With a note maker
// in the context, the note is written when the file has been created, gains
// the rate at the first flush and the elapsed time and count at the end, and
// comes back in `note` for the record that takes the file.
ScanResult RunScan(const ScanRequest& request, const ScanContext& context, RawSampleWriter& writer,
                   const std::atomic<bool>& terminate);
ScanResult RunScan(const ScanRequest& request, const ScanContext& context, RawSampleWriter& writer,
                   const std::atomic<bool>& terminate, std::unique_ptr<UnsavedRecording>& note);

}  // namespace tornel
