#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>

#include "core/analysis/transient_analysis.h"
#include "core/fit_scheme/fit_scheme.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tornel {
class TGraphRecord;
}

// "Анализ переходного процесса": T0 typed or taken from the first cursor,
// the settling band and the model, then a column of metrics per shown
// channel. While a result is shown the graph window draws its marks;
// "Скопировать" puts every digit on the clipboard, "Создать схему" asks for
// a scheme of the fitted model of the current column's channel. The dialog
// stays open beside its graph window; closing it takes the marks away.
class TransientAnalysisDialog : public QDialog {
  Q_OBJECT

public:
  // The record is only recounted before each analysis.
  explicit TransientAnalysisDialog(tornel::TGraphRecord& record, QWidget* parent = nullptr);

  // The frame of the first cursor while the cursors are shown.
  void SetCursorFrame(std::optional<int64_t> frame);
  // How messages name the record's file; empty for a new record.
  void SetFileName(const QString& name) { fileName_ = name; }
  // The samples changed (a filter): the result no longer holds.
  void Forget();

  // Runs the analysis with the settings shown; false (with a message box)
  // when it was refused.
  bool Analyse();
  const std::optional<tornel::TransientAnalysis>& Result() const { return result_; }
  // The table as the clipboard gets it: tab-separated, every digit.
  QString CopyText() const;

signals:
  // The result was made, or taken away.
  void ResultChanged();
  void SchemeRequested(const tornel::FitSchemeModel& model);

public slots:
  // Closing, "Закрыть" and Escape: the marks go with the dialog.
  void reject() override;

private:
  void FillTable();
  void TakeCursorTime();
  void Copy();
  void RequestScheme();
  void UpdateButtons();

  tornel::TGraphRecord& record_;
  QString fileName_;
  std::optional<int64_t> cursorFrame_;
  std::optional<tornel::TransientAnalysis> result_;
  QLineEdit* stepTime_ = nullptr;
  QPushButton* fromCursor_ = nullptr;
  QComboBox* band_ = nullptr;
  QComboBox* fit_ = nullptr;
  QTableWidget* table_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* scheme_ = nullptr;
};
