#pragma once

#include <QDialog>

#include "ui/app/page_setup_values.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;

// "Параметры страницы": the paper size and the four margins, in millimetres,
// that printing lays its pages out on. "Продолжить" is refused while the
// margins leave no paper to print on.
class PageSetupDialog : public QDialog {
  Q_OBJECT

public:
  explicit PageSetupDialog(QWidget* parent = nullptr);

  void SetValues(const PageSetupValues& values);
  PageSetupValues Values() const;

private:
  QDoubleSpinBox* AddField(const char* name, double minimum, double maximum);
  void UpdateState();

  QDoubleSpinBox* paperWidth_;
  QDoubleSpinBox* paperHeight_;
  QDoubleSpinBox* marginLeft_;
  QDoubleSpinBox* marginRight_;
  QDoubleSpinBox* marginTop_;
  QDoubleSpinBox* marginBottom_;
  QLabel* problem_;
  QPushButton* ok_;
};
