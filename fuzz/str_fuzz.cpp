// libFuzzer target for the scheme file reader. Besides crashes and sanitizer
// reports it traps when an accepted file breaks a connection invariant, does
// not save back to bytes that read the same, does not survive deleting and
// restoring every block, or when a run or a refusal leaves a temporary file.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/config/channel_table.h"
#include "core/device/null_device.h"
#include "core/scheme/delete_blocks_edit.h"
#include "core/scheme/fixed_text_measure.h"
#include "core/scheme/scheme_calculation.h"
#include "core/scheme/scheme_file.h"
#include "core/text/user_error.h"
#include "fuzz_folders.h"

namespace {

tornel::fuzz::FuzzFolders g_folders;

// Moves on a millisecond at every reading, so that no wait lasts.
class CountingClock final : public tornel::TickClock {
public:
  uint32_t Now() override { return now_++; }

private:
  uint32_t now_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_folders = tornel::fuzz::MakeFuzzFolders("str");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(g_folders.input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  {
    tornel::ChannelTable table;
    table.Tzi = 0;
    tornel::FixedTextMeasure measure;
    tornel::BlockFactory factory(measure, table);
    try {
      tornel::Scheme scheme = tornel::LoadScheme(g_folders.input, factory);
      if (!scheme.CheckInvariants().empty()) __builtin_trap();
      const std::string saved = tornel::SchemeBytes(scheme);
      tornel::Scheme again = tornel::ParseScheme(saved, factory);
      if (tornel::SchemeBytes(again) != saved) __builtin_trap();

      for (const auto& block : scheme.Blocks()) block->Selected = true;
      tornel::DeleteBlocksEdit edit(scheme);
      edit.Apply(scheme);
      if (!scheme.Blocks().empty() || !scheme.Lines().empty()) __builtin_trap();
      edit.Revert(scheme);
      if (!scheme.CheckInvariants().empty() || tornel::SchemeBytes(scheme) != saved) {
        __builtin_trap();
      }

      tornel::NullDevice device;
      CountingClock clock;
      tornel::SchemeCalculation calculation(device, clock, table);
      try {
        calculation.Run(scheme, {0.01, 0.001, false});
      } catch (const tornel::UserError&) {
      }
    } catch (const tornel::UserError&) {
    }
  }
  if (!tornel::fuzz::FolderEmpty(g_folders.tmp)) __builtin_trap();
  return 0;
}
