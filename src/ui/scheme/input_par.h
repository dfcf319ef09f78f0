#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;

namespace tornel {
class TBlock;
}

// "Параметры блока": up to three captioned number fields. Rows without a
// caption are hidden.
class TInputPar : public QDialog {
  Q_OBJECT

public:
  explicit TInputPar(QWidget* parent = nullptr);

  // Row `row` (0..2) with its caption and text; rows never set stay hidden.
  void SetRow(int row, const QString& caption, const QString& text);
  QString RowText(int row) const;
  QLineEdit* Edit(int row) const { return edits_[row]; }
  QLabel* Label(int row) const { return labels_[row]; }

  // The block's dialog with its rows and caption; the texts of its rows after
  // "Продолжить", nothing after "Отменить".
  static std::optional<std::vector<std::string>> Ask(const tornel::TBlock& block, QWidget* parent);

private:
  std::array<QLabel*, 3> labels_{};
  std::array<QLineEdit*, 3> edits_{};
};
