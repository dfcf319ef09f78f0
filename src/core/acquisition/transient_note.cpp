#include "core/acquisition/transient_note.h"

#include <algorithm>

namespace tornel {

RecoveryNote MakeTransientNote(const ScanRequest& request, const ChannelTable& table, double date,
                               double time) {
  RecoveryNote note = RecoveryNote::FromTable(RecordingKind::Transient, table, date, time);
  // The scans hold only the DACs in use.
  unsigned inUse = (1u << std::clamp<int>(table.CapCount, 0, kCapChannels)) - 1;
  note.AcpMask = static_cast<uint16_t>(request.AcpMask);
  note.CapMask = static_cast<uint16_t>(static_cast<uint16_t>(request.CapMask) & inUse);
  note.Duration = request.Duration;
  note.DriveCap = request.DriveCap;
  note.Delay = request.Delay;
  note.RiseTime = request.RiseTime;
  note.Amplitude = request.Amplitude;
  return note;
}

}  // namespace tornel
