#include "core/graph/record_sort.h"

#include <algorithm>
#include <bit>
#include <span>
#include <utility>

#include "core/records/file_handle.h"
#include "core/records/little_endian.h"
#include "core/records/replacing_file.h"
#include "core/records/sample_summary.h"
#include "core/records/temp_file.h"
#include "core/text/user_error.h"

namespace tornel {

std::vector<uint32_t> ExchangeSortOrder(std::vector<int16_t> keys) {
  const std::size_t n = keys.size();
  std::vector<uint32_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = static_cast<uint32_t>(i);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    for (std::size_t j = n - 1; j > i; --j) {
      if (keys[j] < keys[i]) {
        std::swap(keys[i], keys[j]);
        std::swap(order[i], order[j]);
      }
    }
  }
  return order;
}

void SortRecordRows(TGraphRecord& record, int column) {
  record.RecountRecord();
  const int width = record.RecChannelCount;
  if (column < 0 || column >= width) return;
  const std::size_t frameBytes = 2 * static_cast<std::size_t>(width);
  FileHandle in = FileHandle::OpenRead(record.OrigFile);
  const int64_t size = in.Size();
  const int64_t frames = size < 0 ? 0 : size / static_cast<int64_t>(frameBytes);

  std::vector<unsigned char> chunk(frameBytes * 1024);
  std::vector<int16_t> keys;
  keys.reserve(static_cast<std::size_t>(frames));
  for (int64_t done = 0; done < frames;) {
    const int64_t count = std::min<int64_t>(frames - done, 1024);
    const std::size_t bytes = static_cast<std::size_t>(count) * frameBytes;
    if (in.ReadAt(chunk.data(), bytes, done * static_cast<int64_t>(frameBytes)) != bytes) {
      throw UserError("Не удалось прочитать файл " + record.OrigFile);
    }
    for (int64_t f = 0; f < count; ++f) {
      keys.push_back(LoadLittleEndian<int16_t>(chunk.data() + f * frameBytes + 2 * column));
    }
    done += count;
  }
  const std::vector<uint32_t> order = ExchangeSortOrder(std::move(keys));

  // Where no file can be made beside it, OrigFile is rewritten in place.
  record.Summaries.Forget(record.OrigFile);
  ReplacingFile out(record.OrigFile);
  SampleSummaryBuilder<int16_t> summary(width);
  auto write = [&](std::size_t bytes) {
    summary.AddStored(std::span<const unsigned char>(chunk.data(), bytes));
    out.File().WriteAll(chunk.data(), bytes);
  };
  std::size_t used = 0;
  for (uint32_t frame : order) {
    if (used == chunk.size()) {
      write(used);
      used = 0;
    }
    if (in.ReadAt(chunk.data() + used, frameBytes, frame * static_cast<int64_t>(frameBytes)) !=
        frameBytes) {
      throw UserError("Не удалось прочитать файл " + record.OrigFile);
    }
    used += frameBytes;
  }
  write(used);
  out.Commit();
  RemoveFileIfExists(record.FilteredFile);
  record.Summaries.Forget(record.FilteredFile);
  record.Summaries.Put(record.OrigFile, summary.Finish());
  record.SampleFile = record.OrigFile;
  record.HasFiltered = false;
}

}  // namespace tornel
