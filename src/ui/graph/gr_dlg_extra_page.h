#pragma once

#include <QWidget>
#include <array>

#include "core/records/graph_record.h"

namespace tornel {
struct RecordSettings;
}

class GrDlgColorShape;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

// "Дополнительные координаты": four named expressions with colours and
// enabling boxes. The record keeps them and the dialog carries them, but
// nothing evaluates them, and the dialog never shows this page.
class GrDlgExtraPage : public QWidget {
  Q_OBJECT

public:
  explicit GrDlgExtraPage(QWidget* parent = nullptr);

  void Load(const tornel::RecordSettings& s);
  void Store(tornel::RecordSettings& s) const;

private:
  std::array<GrDlgColorShape*, tornel::kExprCount> shapes_{};
  std::array<QLineEdit*, tornel::kExprCount> names_{};
  std::array<QLineEdit*, tornel::kExprCount> exprs_{};
  std::array<QCheckBox*, tornel::kExprCount> boxes_{};
  QPlainTextEdit* memo_;
};
