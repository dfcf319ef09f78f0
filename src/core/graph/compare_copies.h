#pragma once

#include <array>
#include <string>

#include "core/records/graph_record.h"

namespace tornel {

// The comparison copies while a settings dialog is open. The record's own
// copies stay untouched until the user confirms, so that cancelling leaves
// the record's files as they were; a copy made in the dialog belongs to the
// dialog until then and is deleted when it is replaced or when the dialog
// ends without confirming.
class CompareCopies {
public:
  explicit CompareCopies(const std::array<std::string, kCompareSlots>& recordCopies);
  ~CompareCopies();
  CompareCopies(const CompareCopies&) = delete;
  CompareCopies& operator=(const CompareCopies&) = delete;

  const std::string& Current(int slot) const { return current_.at(slot); }

  // `copy` (a file just made) becomes the slot's copy. A copy this dialog
  // made earlier for the slot is deleted at once.
  void Replace(int slot, std::string copy);

  // The copies the record takes on confirmation. The record's former copies
  // that were replaced are deleted; nothing is deleted afterwards.
  std::array<std::string, kCompareSlots> Commit();

private:
  bool MadeHere(int slot) const { return current_[slot] != recordCopies_[slot]; }

  std::array<std::string, kCompareSlots> recordCopies_;
  std::array<std::string, kCompareSlots> current_;
  bool committed_ = false;
};

}  // namespace tornel
