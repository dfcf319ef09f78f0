#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "core/config/channel_table.h"
#include "core/config/color_names.h"
#include "core/records/dta_header.h"
#include "core/records/mask_pair.h"
#include "core/records/plot_titles.h"
#include "core/records/sample_format.h"
#include "core/records/summary_cache.h"
#include "core/records/unsaved_recording.h"

namespace tornel {

inline constexpr int kCompareSlots = 8;
inline constexpr int kExprCount = 4;

// The range of DivX and DivY that the settings dialog offers.
inline constexpr int32_t kMinDivisions = 1;
inline constexpr int32_t kMaxDivisions = 100;

enum class Axis { X, Y };

// The fields of a record that the data file does not store, apart from the
// names of the files the record owns.
struct RecordViewFields {
  int32_t RecAcpCount = 0;
  int32_t RecCapCount = 0;
  int32_t RecChannelCount = 0;
  double FrameCount = 0;
  bool HasDeps = false;
  bool HasFiltered = false;
  std::array<bool, kCompareSlots> CompareOn{};
  std::array<std::string, kCompareSlots> CompareName;
  std::array<std::string, kExprCount> ExprName;
  std::array<std::string, kExprCount> Expr;
  std::array<bool, kExprCount> ExprOn{};
  double FullScale = kFullScaleCode;
  std::array<Color, kChannelSlots> ChanColor{};
  std::array<Color, kDependencyCount> DepColor{};
  std::array<Color, kExprCount> ExprColor{};
  // What one value of the sample files is; the graph block sets Float64.
  SampleFormat Samples = SampleFormat::Int16;
  PlotTitles Titles;
};

// One recorded or loaded data set with everything needed to show it. The
// samples stay on disk in SampleFile, a headerless file of frames of
// RecChannelCount values (ADC channels ascending, then DAC channels
// ascending); see SampleFileReader.
//
// Ownership: the record owns OrigFile, FilteredFile and every CompareTemp[k]
// and deletes them in DestroyRecord and in its destructor. It therefore
// cannot be copied (a copy would delete the files of the original); moving
// hands the files over. SampleFile only ever names OrigFile or FilteredFile
// (or, during one drawing pass, a comparison copy) and is not deleted itself.
class TGraphRecord : public DtaHeader, public RecordViewFields {
public:
  // The values of InitRecord with the channel table's defaults, no
  // configuration file and a date and time of 0.
  TGraphRecord();
  ~TGraphRecord();
  TGraphRecord(TGraphRecord&& other) noexcept;
  TGraphRecord& operator=(TGraphRecord&& other) noexcept;
  TGraphRecord(const TGraphRecord&) = delete;
  TGraphRecord& operator=(const TGraphRecord&) = delete;

  // Fields stored in the data file (names, units, comments, Time, Date,
  // IsStatic, Duration, the masks, Deps, Base, RealBase, DivX, DivY and the
  // axis ranges) come from DtaHeader, the other shown fields from
  // RecordViewFields; the names of the files live here.
  std::string SampleFile;
  std::string OrigFile;
  std::string FilteredFile;
  std::array<std::string, kCompareSlots> CompareTemp;
  // Min/max summaries of those files for drawing long records; emptied
  // with the files.
  SummaryCache Summaries;
  // The recovery note of a recording not yet saved; it goes once the record
  // is saved or destroyed.
  std::unique_ptr<UnsavedRecording> Unsaved;

  // Deletes the files the record owns, then gives every field its fresh
  // value: names, units, Base and RealBase from the table, the colours from
  // section "Colors" of the file at table.ConfigPath, Date and Time from now.
  void InitRecord(const ChannelTable& table,
                  std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

  // Recomputes RecAcpCount, RecCapCount, RecChannelCount and HasDeps, and,
  // when some channel is recorded and SampleFile can be opened, FrameCount.
  void RecountRecord();

  // Fills the record from a data file; the samples are copied into a new
  // temporary file that becomes OrigFile and SampleFile, and the files the
  // record owned before are deleted. Show masks are cut to the recorded
  // masks; DivX and DivY are held to 1..100, and a NaN or infinite double
  // keeps the record's previous value. Throws UserError
  // "Файл создан другой программой", "Файл повреждён" or
  // "Не удалось открыть файл <path>"; on an error the record is unchanged
  // and no temporary file is left behind.
  void LoadDta(const std::string& path);

  // Writes the stored fields and the samples of SampleFile to a data file,
  // replacing it only once it is complete. Double samples are written as
  // codes with a Base per channel that fits its values (WriteDtaFile), and
  // refused when one is not a finite number. Throws UserError
  // "Не удалось создать файл <path>", "Не удалось записать файл <path>" or
  // "Не удалось открыть файл <SampleFile>".
  void SaveDta(const std::string& path) const;

  // Deletes OrigFile, FilteredFile and every CompareTemp that exist, clears
  // those names, SampleFile, HasFiltered and the comment list.
  void DestroyRecord();

  // X: the slots of the abscissas of the enabled dependencies. Y: the slots
  // of their ordinates, together with the shown channels.
  MaskPair DepChannelMask(Axis axis) const;

  // The slot (0..31) of recorded position p, or -1 when no recorded channel
  // has that position.
  int PositionToSlot(int p) const;

  // The recorded position of a slot, or -1 when the slot is not recorded.
  int SlotToPosition(int slot) const;

  // Values in a frame of the sample file, from the masks alone (what
  // RecChannelCount holds once RecountRecord has run).
  int FrameValues() const;

  MaskPair RecordedMask() const { return {AcpMask, CapMask}; }
  MaskPair ShowMask() const { return {AcpShowMask, CapShowMask}; }

  // A new, not yet existing temporary file "Trn<number>", created empty.
  static std::string MakeTempName();

private:
  void TakeFilesFrom(TGraphRecord& other) noexcept;
};

}  // namespace tornel
