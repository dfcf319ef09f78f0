#pragma once

#include "core/records/graph_record.h"

namespace tornel {

// Switches the shown samples between OrigFile and FilteredFile.
void ToggleShowFiltered(TGraphRecord& record);

// Makes the filtered samples the record's own: FilteredFile takes the place
// of OrigFile in one rename, so a failure leaves OrigFile whole. Then the
// record shows OrigFile and has no filtered copy. Throws UserError
// "Не удалось записать файл <OrigFile>".
void SaveFilteredRows(TGraphRecord& record);

// Which entries of the "Фильтры" menu a record offers.
struct FilterMenuState {
  bool SignalFiltersVisible = false;  // Hanning, moving RMS, smoothing
  bool SortVisible = false;
  bool ShowFilteredEnabled = false;
  bool ShowFilteredChecked = false;
  bool SaveFilteredEnabled = false;
  bool operator==(const FilterMenuState&) const = default;
};
FilterMenuState FilterMenuStateOf(const TGraphRecord& record);

}  // namespace tornel
