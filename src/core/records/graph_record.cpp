#include "core/records/graph_record.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>
#include <utility>

#include "core/config/profile_file.h"
#include "core/records/day_number.h"
#include "core/records/dta_reader.h"
#include "core/records/dta_writer.h"
#include "core/records/file_handle.h"
#include "core/records/temp_file.h"

namespace tornel {
namespace {

constexpr const char* kColors = "Colors";

Color ReadColor(const ProfileFile& ini, const char* key, int n) {
  std::string text = ini.ReadString(kColors, key + std::to_string(n), "");
  if (auto color = StringToColor(text)) return *color;
  return DefaultCurveColor(n);
}

// Bit number of the (n+1)-th set bit of mask, or -1.
int NthSetBit(uint16_t mask, int n) {
  for (int bit = 0; bit < 16; ++bit) {
    if ((mask >> bit) & 1) {
      if (n == 0) return bit;
      --n;
    }
  }
  return -1;
}

// A damaged file must not hand the plot a division by zero or a NaN that
// later becomes an integer: such values keep what the record had.
void KeepSaneValues(DtaHeader& loaded, const DtaHeader& before) {
  auto keepFinite = [](double& v, double old) {
    if (!std::isfinite(v)) v = old;
  };
  keepFinite(loaded.Time, before.Time);
  keepFinite(loaded.Date, before.Date);
  keepFinite(loaded.Duration, before.Duration);
  keepFinite(loaded.TMin, before.TMin);
  keepFinite(loaded.TMax, before.TMax);
  keepFinite(loaded.YMax, before.YMax);
  keepFinite(loaded.YMin, before.YMin);
  keepFinite(loaded.XMax, before.XMax);
  keepFinite(loaded.XMin, before.XMin);
  for (int s = 0; s < kChannelSlots; ++s) {
    keepFinite(loaded.Base[s], before.Base[s]);
    keepFinite(loaded.RealBase[s], before.RealBase[s]);
  }
  loaded.DivX = std::clamp(loaded.DivX, kMinDivisions, kMaxDivisions);
  loaded.DivY = std::clamp(loaded.DivY, kMinDivisions, kMaxDivisions);
}

}  // namespace

TGraphRecord::TGraphRecord() {
  for (int s = 0; s < kChannelSlots; ++s) {
    ChanName[s] = ChannelTable::DefaultName(s);
    ChanUnit[s] = ChannelTable::DefaultUnit(s);
    Base[s] = RealBase[s] = ChannelTable::DefaultBase(s);
    ChanColor[s] = DefaultCurveColor(s % kAcpChannels + 1);
  }
  for (int k = 0; k < kDependencyCount; ++k) DepColor[k] = DefaultCurveColor(k + 1);
}

TGraphRecord::~TGraphRecord() { DestroyRecord(); }

TGraphRecord::TGraphRecord(TGraphRecord&& other) noexcept
    : DtaHeader(std::move(other)), RecordViewFields(std::move(other)) {
  TakeFilesFrom(other);
}

TGraphRecord& TGraphRecord::operator=(TGraphRecord&& other) noexcept {
  if (this == &other) return *this;
  DestroyRecord();
  static_cast<DtaHeader&>(*this) = std::move(static_cast<DtaHeader&>(other));
  static_cast<RecordViewFields&>(*this) = std::move(static_cast<RecordViewFields&>(other));
  TakeFilesFrom(other);
  return *this;
}

// The moved-from record must own nothing, or its destructor would delete
// the files it handed over.
void TGraphRecord::TakeFilesFrom(TGraphRecord& other) noexcept {
  SampleFile = std::exchange(other.SampleFile, {});
  OrigFile = std::exchange(other.OrigFile, {});
  FilteredFile = std::exchange(other.FilteredFile, {});
  for (int k = 0; k < kCompareSlots; ++k) CompareTemp[k] = std::exchange(other.CompareTemp[k], {});
  Summaries = std::exchange(other.Summaries, {});
  Unsaved = std::move(other.Unsaved);
  other.HasFiltered = false;
}

void TGraphRecord::InitRecord(const ChannelTable& table,
                              std::chrono::system_clock::time_point now) {
  DestroyRecord();
  *this = TGraphRecord();
  for (int s = 0; s < kChannelSlots; ++s) {
    ChanName[s] = table.ChanName[s];
    ChanUnit[s] = table.ChanUnit[s];
    Base[s] = table.Base[s];
    RealBase[s] = table.RealBase[s];
  }
  ProfileFile ini(table.ConfigPath);
  for (int n = 1; n <= kAcpChannels; ++n) {
    ChanColor[n - 1] = ReadColor(ini, "color", n);
    ChanColor[kCapSlotBase + n - 1] = ReadColor(ini, "CAP_color", n);
  }
  for (int n = 1; n <= kDependencyCount; ++n) DepColor[n - 1] = ReadColor(ini, "funcs_color", n);
  const DayTime dt = LocalDayTime(now);
  Date = dt.Date;
  Time = dt.Time;
}

void TGraphRecord::RecountRecord() {
  RecAcpCount = std::popcount(AcpMask);
  RecCapCount = std::popcount(CapMask);
  RecChannelCount = RecAcpCount + RecCapCount;
  HasDeps = false;
  for (const auto& d : Deps) HasDeps = HasDeps || d.Enabled != 0;
  if (RecChannelCount == 0) return;
  auto file = FileHandle::TryOpenRead(SampleFile);
  if (!file) return;
  const int64_t size = file->Size();
  if (size < 0) return;
  const int64_t frameBytes = static_cast<int64_t>(SampleBytes(Samples)) * RecChannelCount;
  FrameCount = static_cast<double>(size / frameBytes);
}

void TGraphRecord::LoadDta(const std::string& path) {
  DtaHeader header = static_cast<const DtaHeader&>(*this);
  std::optional<SampleSummary<int16_t>> summary;
  std::string samples = ReadDtaFile(path, header, &summary);
  KeepSaneValues(header, *this);
  header.AcpShowMask &= header.AcpMask;
  header.CapShowMask &= header.CapMask;
  // The samples now live in the new copy; what the record showed before
  // is no longer reachable from it.
  RemoveFileIfExists(OrigFile);
  RemoveFileIfExists(FilteredFile);
  Summaries.Forget(OrigFile);
  Summaries.Forget(FilteredFile);
  static_cast<DtaHeader&>(*this) = std::move(header);
  OrigFile = SampleFile = samples;
  FilteredFile = samples + "f";
  HasFiltered = false;
  Samples = SampleFormat::Int16;
  FullScale = kFullScaleCode;
  // Built while the copy was written: drawing needs no pass over it.
  if (summary) Summaries.Put(samples, std::move(*summary));
}

void TGraphRecord::SaveDta(const std::string& path) const {
  WriteDtaFile(path, *this, SampleFile, Samples);
  if (Unsaved) Unsaved->Saved();
}

void TGraphRecord::DestroyRecord() {
  // The note first: a crash in between leaves a sample file nobody takes,
  // not a note that points at nothing.
  Unsaved.reset();
  RemoveFileIfExists(OrigFile);
  RemoveFileIfExists(FilteredFile);
  for (auto& temp : CompareTemp) {
    RemoveFileIfExists(temp);
    temp.clear();
  }
  OrigFile.clear();
  FilteredFile.clear();
  SampleFile.clear();
  Summaries.Clear();
  HasFiltered = false;
  Comments.clear();
}

int TGraphRecord::PositionToSlot(int p) const {
  if (p < 0) return -1;
  const int acpCount = std::popcount(AcpMask);
  if (p < acpCount) return NthSetBit(AcpMask, p);
  const int bit = NthSetBit(CapMask, p - acpCount);
  return bit < 0 ? -1 : kCapSlotBase + bit;
}

int TGraphRecord::FrameValues() const { return std::popcount(AcpMask) + std::popcount(CapMask); }

int TGraphRecord::SlotToPosition(int slot) const {
  if (slot < 0 || slot >= kChannelSlots) return -1;
  const bool dac = slot >= kCapSlotBase;
  const uint16_t mask = dac ? CapMask : AcpMask;
  const int bit = dac ? slot - kCapSlotBase : slot;
  if (!((mask >> bit) & 1)) return -1;
  const int below = std::popcount(static_cast<uint16_t>(mask & ((1u << bit) - 1)));
  return (dac ? std::popcount(AcpMask) : 0) + below;
}

MaskPair TGraphRecord::DepChannelMask(Axis axis) const {
  MaskPair mask = axis == Axis::Y ? ShowMask() : MaskPair{};
  for (const auto& d : Deps) {
    if (d.Enabled == 0) continue;
    const int slot = PositionToSlot(axis == Axis::X ? d.XIndex : d.YIndex);
    if (slot < 0) continue;
    if (slot < kCapSlotBase) {
      mask.Acp = static_cast<uint16_t>(mask.Acp | (1u << slot));
    } else {
      mask.Cap = static_cast<uint16_t>(mask.Cap | (1u << (slot - kCapSlotBase)));
    }
  }
  return mask;
}

std::string TGraphRecord::MakeTempName() { return CreateTempFile("Trn"); }

}  // namespace tornel
