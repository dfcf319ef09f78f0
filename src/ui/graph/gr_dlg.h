#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "core/graph/record_settings.h"

class GrDlgAxesPage;
class GrDlgChannelPage;
class GrDlgCommentsPage;
class GrDlgComparePage;
class GrDlgDependencyPage;
class GrDlgExtraPage;
class QTabWidget;

// "Настройка": how a record is shown — curves against time and their colours,
// X-Y dependencies, comments with date and time, axis ranges and divisions,
// comparison files, and the additional coordinates that are kept but never
// shown. It edits a copy of the record's settings; see EditRecordSettings.
class TGrDlg : public QDialog {
  Q_OBJECT

public:
  explicit TGrDlg(const tornel::TGraphRecord& record, QWidget* parent = nullptr);
  ~TGrDlg() override;

  // The settings as the pages show them now, comparison copies aside.
  tornel::RecordSettings Settings() const;
  // On confirmation: the comparison copies the record owns from now on. A
  // dialog destroyed without this call deletes the copies it made.
  std::array<std::string, tornel::kCompareSlots> TakeCompareCopies();

  QTabWidget* PageControl1() const { return pages_; }

protected:
  void showEvent(QShowEvent* event) override;

private:
  tornel::RecordSettings initial_;
  QTabWidget* pages_;
  GrDlgChannelPage* acpPage_;
  GrDlgChannelPage* capPage_;
  GrDlgDependencyPage* depPage_;
  GrDlgCommentsPage* commentsPage_;
  GrDlgAxesPage* axesPage_;
  GrDlgComparePage* comparePage_;
  GrDlgExtraPage* extraPage_;
};

// The settings command of graph windows and of the scheme's graph block.
// Nothing of the record changes unless the user presses "Продолжить"; then
// the record takes the dialog's settings (the time range repaired), the
// comparison copies it replaced are deleted, and the 40 curve colours are
// written to section "Colors" of the configuration file at configPath (none
// when it is empty). A file that cannot be written is reported; the record
// keeps its new settings. True when the record was changed.
bool EditRecordSettings(tornel::TGraphRecord& record, const std::string& configPath,
                        QWidget* parent = nullptr);
