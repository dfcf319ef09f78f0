#pragma once

#include <cstdint>
#include <span>

#include "core/records/file_handle.h"

namespace tornel {

// Copies `in` from its current position to its end into `out`, two-byte
// unit by unit in blocks of buffer.size() bytes (even): a last odd byte is
// not copied. The first `prefilled` bytes of buffer are copied first, as if
// read from `in`. Returns the bytes written.
int64_t CopyTwoByteUnits(FileHandle& in, FileHandle& out, std::span<char> buffer,
                         std::size_t prefilled = 0);

}  // namespace tornel
