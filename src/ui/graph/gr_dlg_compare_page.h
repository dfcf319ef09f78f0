#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "core/graph/compare_copies.h"
#include "core/records/mask_pair.h"
#include "core/records/sample_format.h"

namespace tornel {
struct RecordSettings;
}

class QCheckBox;
class QLineEdit;
class QToolButton;

// "Сравнение": up to eight data files drawn beside the record. Per slot an
// open button (SBFile<k>), a check box "draw it" (CBFile<k>) and the chosen
// file (EFile<k>, read-only); box and edit are enabled only when a file is
// chosen. A chosen file must be a data file of the same recorded channels;
// its samples are copied at once, as samples of the record's kind, and the
// copies are the record's only after the dialog is confirmed.
class GrDlgComparePage : public QWidget {
  Q_OBJECT

public:
  GrDlgComparePage(tornel::MaskPair recorded, tornel::SampleFormat samples,
                   const std::array<std::string, tornel::kCompareSlots>& recordCopies,
                   QWidget* parent = nullptr);

  void Load(const tornel::RecordSettings& s);
  // Names and check boxes; the copies come from TakeCopies.
  void Store(tornel::RecordSettings& s) const;
  // On confirmation: the copies the record owns from now on.
  std::array<std::string, tornel::kCompareSlots> TakeCopies() { return copies_.Commit(); }

  // What the open button of slot k (0-based) does once a path is chosen.
  void ChooseFile(int slot, const QString& path);

private:
  void OpenFile(int slot);
  void UpdateEnabled();

  tornel::MaskPair recorded_;
  tornel::SampleFormat samples_;
  tornel::CompareCopies copies_;
  std::array<QToolButton*, tornel::kCompareSlots> buttons_{};
  std::array<QCheckBox*, tornel::kCompareSlots> boxes_{};
  std::array<QLineEdit*, tornel::kCompareSlots> edits_{};
};
