#include "core/graph/filtered_samples.h"

#include <cstdio>

#include "core/text/user_error.h"

namespace tornel {

void ToggleShowFiltered(TGraphRecord& record) {
  record.SampleFile = record.SampleFile == record.OrigFile ? record.FilteredFile : record.OrigFile;
}

void SaveFilteredRows(TGraphRecord& record) {
  if (!record.HasFiltered) return;
  if (std::rename(record.FilteredFile.c_str(), record.OrigFile.c_str()) != 0) {
    throw UserError("Не удалось записать файл " + record.OrigFile);
  }
  // The same bytes under another name: their summary still holds.
  record.Summaries.Rename(record.FilteredFile, record.OrigFile);
  record.SampleFile = record.OrigFile;
  record.HasFiltered = false;
}

FilterMenuState FilterMenuStateOf(const TGraphRecord& record) {
  FilterMenuState state;
  state.SignalFiltersVisible = !record.IsStatic;
  state.SortVisible = record.IsStatic;
  state.ShowFilteredEnabled = record.HasFiltered;
  state.ShowFilteredChecked = record.HasFiltered && record.SampleFile == record.FilteredFile;
  state.SaveFilteredEnabled = record.HasFiltered;
  return state;
}

}  // namespace tornel
