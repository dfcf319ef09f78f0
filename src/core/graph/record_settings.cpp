#include "core/graph/record_settings.h"

#include <algorithm>

#include "core/graph/time_range_repair.h"

namespace tornel {

RecordSettings TakeRecordSettings(const TGraphRecord& record) {
  RecordSettings s;
  s.Show = record.ShowMask();
  s.Deps = record.Deps;
  s.ChanColor = record.ChanColor;
  s.DepColor = record.DepColor;
  s.ExprColor = record.ExprColor;
  s.CompareOn = record.CompareOn;
  s.CompareName = record.CompareName;
  s.CompareTemp = record.CompareTemp;
  s.ExprName = record.ExprName;
  s.Expr = record.Expr;
  s.ExprOn = record.ExprOn;
  s.Comments = record.Comments;
  s.Date = record.Date;
  s.Time = record.Time;
  s.XMin = record.XMin;
  s.XMax = record.XMax;
  s.YMin = record.YMin;
  s.YMax = record.YMax;
  s.TMin = record.TMin;
  s.TMax = record.TMax;
  s.DivX = record.DivX;
  s.DivY = record.DivY;
  return s;
}

void ApplyRecordSettings(const RecordSettings& s, TGraphRecord& record) {
  const MaskPair show = s.Show & record.RecordedMask();
  record.AcpShowMask = show.Acp;
  record.CapShowMask = show.Cap;
  record.Deps = s.Deps;
  record.HasDeps =
      std::any_of(s.Deps.begin(), s.Deps.end(), [](const Dependency& d) { return d.Enabled != 0; });
  record.ChanColor = s.ChanColor;
  record.DepColor = s.DepColor;
  record.ExprColor = s.ExprColor;
  record.CompareOn = s.CompareOn;
  record.CompareName = s.CompareName;
  record.CompareTemp = s.CompareTemp;
  record.ExprName = s.ExprName;
  record.Expr = s.Expr;
  record.ExprOn = s.ExprOn;
  record.Comments = s.Comments;
  record.Date = s.Date;
  record.Time = s.Time;
  record.XMin = s.XMin;
  record.XMax = s.XMax;
  record.YMin = s.YMin;
  record.YMax = s.YMax;
  const TimeRange t = RepairTimeRange({s.TMin, s.TMax}, record.Duration);
  record.TMin = t.TMin;
  record.TMax = t.TMax;
  record.DivX = std::clamp(s.DivX, kMinDivisions, kMaxDivisions);
  record.DivY = std::clamp(s.DivY, kMinDivisions, kMaxDivisions);
}

}  // namespace tornel
