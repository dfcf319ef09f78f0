#include "core/records/unit_copy.h"

namespace tornel {

int64_t CopyTwoByteUnits(FileHandle& in, FileHandle& out, std::span<char> buffer,
                         std::size_t prefilled, SampleSummaryBuilder<int16_t>* summary) {
  std::size_t have = prefilled;
  int64_t written = 0;
  for (;;) {
    const std::size_t whole = have & ~static_cast<std::size_t>(1);
    if (whole > 0) {
      if (summary) {
        summary->AddStored(
            std::span<const unsigned char>(reinterpret_cast<unsigned char*>(buffer.data()), whole));
      }
      out.WriteAll(buffer.data(), whole);
      written += static_cast<int64_t>(whole);
    }
    // An odd byte waits at the front for its partner from the next block.
    if (have > whole) buffer[0] = buffer[whole];
    have -= whole;
    const std::size_t got = in.Read(buffer.data() + have, buffer.size() - have);
    if (got == 0) break;
    have += got;
  }
  return written;
}

}  // namespace tornel
