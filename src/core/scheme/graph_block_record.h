#pragma once

#include <cstdint>
#include <string>

#include "core/config/channel_table.h"
#include "core/records/graph_record.h"

namespace tornel {

// Gives a fresh record the graph block's set-up: channels "Канал 1".."Канал
// 16" with no unit, every base 1.0, samples that are model values (doubles,
// FullScale 1.0), 4 x 4 divisions, and a new empty sample file "Trn…" with
// its filtered name beside it. Throws UserError when no file can be created.
void SetUpGraphBlockRecord(TGraphRecord& record, const ChannelTable& table);

// What a calculation hands the graph block: its new sample file, which
// replaces the record's samples (the former file and any filtered copy are
// deleted), the length of the samples in model seconds and the inputs that
// fed them (bit k for input k).
void SetGraphBlockResults(TGraphRecord& record, const std::string& sampleFile, double duration,
                          uint16_t inputMask);

}  // namespace tornel
