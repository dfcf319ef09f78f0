#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/config/channel_table.h"
#include "core/config/color_names.h"
#include "core/records/dta_header.h"
#include "core/records/graph_record.h"
#include "core/records/mask_pair.h"

namespace tornel {

// Everything the graph settings dialog edits, as a plain copy: the dialog
// fills its pages from it and hands back a new one, which reaches the record
// only when the user confirms.
struct RecordSettings {
  MaskPair Show;
  std::array<Dependency, kDependencyCount> Deps{};
  std::array<Color, kChannelSlots> ChanColor{};
  std::array<Color, kDependencyCount> DepColor{};
  std::array<Color, kExprCount> ExprColor{};
  std::array<bool, kCompareSlots> CompareOn{};
  std::array<std::string, kCompareSlots> CompareName;
  std::array<std::string, kCompareSlots> CompareTemp;
  std::array<std::string, kExprCount> ExprName;
  std::array<std::string, kExprCount> Expr;
  std::array<bool, kExprCount> ExprOn{};
  std::vector<std::string> Comments;
  double Date = 0;
  double Time = 0;
  double XMin = 0, XMax = 0, YMin = 0, YMax = 0, TMin = 0, TMax = 0;
  int32_t DivX = 5;
  int32_t DivY = 6;
  bool operator==(const RecordSettings&) const = default;
};

RecordSettings TakeRecordSettings(const TGraphRecord& record);

// Writes confirmed settings into the record. The show masks are cut to the
// recorded channels, the time range is repaired against Duration, the
// divisions are held to 1..100 and HasDeps follows the dependencies. The
// comparison copies are taken as they are: whoever made them hands their
// ownership to the record with this call.
void ApplyRecordSettings(const RecordSettings& settings, TGraphRecord& record);

}  // namespace tornel
