#pragma once

#include <QDialog>

#include "core/scheme/scheme_calculation.h"

class QCheckBox;
class QLineEdit;

// "Параметры расчета": the end time and the step, and whether the run
// follows real time.
class TRaschDlg : public QDialog {
  Q_OBJECT

public:
  explicit TRaschDlg(QWidget* parent = nullptr);

  // The fields show the settings (5 decimals, more when the value needs
  // them); real time unchecked.
  void Show(const tornel::RunSettings& settings);
  // The fields read back: comma or point, text that is no number is 0.
  tornel::RunSettings Settings() const;

  QLineEdit* Edit1() const { return edit1_; }
  QLineEdit* Edit2() const { return edit2_; }
  QCheckBox* ChBRealTime() const { return realTime_; }

protected:
  void showEvent(QShowEvent* event) override;

private:
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QCheckBox* realTime_;
};
