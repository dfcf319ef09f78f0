// libFuzzer target for the data file readers: LoadDta, the comparison
// reader, the description and the CSV export. Besides crashes and sanitizer
// reports it traps when a load breaks the show-mask invariant or leaves a
// temporary file behind.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "core/records/compare_file.h"
#include "core/records/csv_export.h"
#include "core/records/dta_info.h"
#include "core/records/graph_record.h"
#include "core/text/user_error.h"
#include "fuzz_folders.h"

namespace {

tornel::fuzz::FuzzFolders g_folders;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_folders = tornel::fuzz::MakeFuzzFolders("dta");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(g_folders.input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  {
    tornel::TGraphRecord record;
    try {
      record.LoadDta(g_folders.input);
      if ((record.AcpShowMask & ~record.AcpMask) != 0 ||
          (record.CapShowMask & ~record.CapMask) != 0 || record.DivX < 1 || record.DivY < 1) {
        __builtin_trap();
      }
      record.RecountRecord();
      for (int p = 0; p < record.RecChannelCount; ++p) {
        if (record.PositionToSlot(p) < 0) __builtin_trap();
      }
      record.DepChannelMask(tornel::Axis::X);
      record.DepChannelMask(tornel::Axis::Y);
    } catch (const tornel::UserError&) {
      if (!record.OrigFile.empty()) __builtin_trap();
    }
  }
  try {
    std::string copy = tornel::LoadCompareFile(g_folders.input, {0, 0});
    unlink(copy.c_str());
  } catch (const tornel::UserError&) {
  }
  if (!tornel::fuzz::FolderEmpty(g_folders.tmp)) __builtin_trap();
  try {
    tornel::DescribeDta(tornel::ReadDtaInfo(g_folders.input));
    std::ostringstream csv;
    tornel::ExportDtaToCsv(g_folders.input, csv, "csv", {});
  } catch (const tornel::UserError&) {
  }
  return 0;
}
