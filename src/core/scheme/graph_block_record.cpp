#include "core/scheme/graph_block_record.h"

#include <string>

#include "core/records/temp_file.h"

namespace tornel {

void SetUpGraphBlockRecord(TGraphRecord& record, const ChannelTable& table) {
  record.InitRecord(table);
  for (int slot = 0; slot < kChannelSlots; ++slot) {
    record.ChanName[slot] = "Канал " + std::to_string(slot % kAcpChannels + 1);
    record.ChanUnit[slot].clear();
    record.Base[slot] = 1.0;
    record.RealBase[slot] = 1.0;
  }
  record.FullScale = 1.0;
  record.Samples = SampleFormat::Float64;
  record.DivX = 4;
  record.DivY = 4;
  record.OrigFile = TGraphRecord::MakeTempName();
  record.SampleFile = record.OrigFile;
  record.FilteredFile = record.OrigFile + "f";
}

void SetGraphBlockResults(TGraphRecord& record, const std::string& sampleFile, double duration,
                          uint16_t inputMask) {
  if (sampleFile != record.OrigFile) {
    record.Summaries.Forget(record.OrigFile);
    record.Summaries.Forget(record.FilteredFile);
    RemoveFileIfExists(record.OrigFile);
    RemoveFileIfExists(record.FilteredFile);
  }
  record.OrigFile = sampleFile;
  record.SampleFile = sampleFile;
  record.FilteredFile = sampleFile + "f";
  record.HasFiltered = false;
  record.Duration = duration;
  record.TMax = duration;
  record.AcpMask = inputMask;
  record.AcpShowMask = inputMask;
  record.CapMask = 0;
  record.CapShowMask = 0;
  record.RecountRecord();
}

}  // namespace tornel
