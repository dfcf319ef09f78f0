#include "core/static/static_note.h"

namespace tornel {

RecoveryNote MakeStaticNote(const ChannelTable& table, double date, double time) {
  RecoveryNote note = RecoveryNote::FromTable(RecordingKind::Static, table, date, time);
  note.AcpMask = 0xFFFF;
  note.CapMask = 3;
  return note;
}

}  // namespace tornel
