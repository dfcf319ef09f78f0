#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/records/graph_record.h"

namespace tornel {

// What the cursors read off one channel, in physical units
// (code / FullScale * Base).
struct ChannelReadout {
  int slot = 0;
  double at1 = 0, at2 = 0, diff = 0;
  double min = 0, max = 0, mean = 0, rms = 0;
};

// The cursors' readout: t1, t2 and dt in seconds for a transient record
// (frame i at i * Duration / (FrameCount - 1), as the table labels it), or
// point numbers (frame + 1) for a static one; dt's inverse is 0 when dt is.
// The channels are the shown ones, or, in a dependency plot, the abscissa
// the cursors lie on followed by the ordinates of the enabled dependencies.
// Statistics run over the frames between the cursors, both included,
// whichever cursor is first.
struct CursorReadout {
  bool valid = false;
  bool isStatic = false;
  int64_t frame1 = 0, frame2 = 0;
  double t1 = 0, t2 = 0, dt = 0, inverseDt = 0;
  std::vector<ChannelReadout> channels;
};

// Streams the sample file between the cursors in fixed chunks. Frames past
// the file's end are held to its last frame; an unreadable file or a record
// without frames gives an invalid readout.
CursorReadout MeasureCursors(const TGraphRecord& record, int64_t frame1, int64_t frame2);

// The readout as lines of tab-separated cells, decimals with `separator`:
// the times, a header row, then one row per channel. A negative `decimals`
// writes every digit (for pasting), otherwise that many.
std::string CursorReadoutText(const TGraphRecord& record, const CursorReadout& readout,
                              char separator, int decimals = -1);

// The lines of a readout text, each split at its tabs.
std::vector<std::vector<std::string>> ReadoutCells(std::string_view text);

// CursorReadoutText turned for a narrow column beside the plot: the times
// one to a row (label, value), then a row per quantity and a column per
// channel. Cells stay tab-separated.
std::string TurnedCursorReadoutText(std::string_view text);

}  // namespace tornel
