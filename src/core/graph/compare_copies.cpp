#include "core/graph/compare_copies.h"

#include "core/records/temp_file.h"

namespace tornel {

CompareCopies::CompareCopies(const std::array<std::string, kCompareSlots>& recordCopies)
    : recordCopies_(recordCopies), current_(recordCopies) {}

CompareCopies::~CompareCopies() {
  if (committed_) return;
  for (int k = 0; k < kCompareSlots; ++k) {
    if (MadeHere(k)) RemoveFileIfExists(current_[k]);
  }
}

void CompareCopies::Replace(int slot, std::string copy) {
  if (MadeHere(slot)) RemoveFileIfExists(current_.at(slot));
  current_.at(slot) = std::move(copy);
}

std::array<std::string, kCompareSlots> CompareCopies::Commit() {
  for (int k = 0; k < kCompareSlots; ++k) {
    if (MadeHere(k)) RemoveFileIfExists(recordCopies_[k]);
  }
  committed_ = true;
  recordCopies_ = current_;
  return current_;
}

}  // namespace tornel
