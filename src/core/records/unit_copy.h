#pragma once

#include <cstdint>
#include <span>

#include "core/records/file_handle.h"
#include "core/records/sample_summary.h"

namespace tornel {

// Copies `in` from its current position to its end into `out`, two-byte
// unit by unit in blocks of buffer.size() bytes (even): a last odd byte is
// not copied. The first `prefilled` bytes of buffer are copied first, as if
// read from `in`. The units written also go to `summary` as int16 codes,
// when one is given. Returns the bytes written.
int64_t CopyTwoByteUnits(FileHandle& in, FileHandle& out, std::span<char> buffer,
                         std::size_t prefilled = 0,
                         SampleSummaryBuilder<int16_t>* summary = nullptr);

}  // namespace tornel
