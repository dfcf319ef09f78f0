#include "ui/scheme/rasch_dlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/text/number_text.h"
#include "ui/widgets/center_on_screen.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/edit_numbers.h"

TRaschDlg::TRaschDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TRaschDlg"));
  setWindowTitle(QStringLiteral("Параметры расчета"));
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit2_ = new QLineEdit(this);
  edit2_->setObjectName(QStringLiteral("Edit2"));
  realTime_ = new QCheckBox(QStringLiteral("Реальное время"), this);
  realTime_->setObjectName(QStringLiteral("ChBRealTime"));
  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("Время расчета, с"), edit1_);
  fields->addRow(QStringLiteral("Шаг по времени, с"), edit2_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(realTime_);
  layout->addStretch();
  const DialogButtons buttons = MakeDialogButtons(this, "Button1", "Button2", true);
  layout->addLayout(buttons.Row);
  setFixedSize(DesignSize(this, {260, 150}));
}

namespace {

// Five decimals, or as many as the value needs: a real-time run's measured
// step must read back as itself, not as 0.
QString ExactText(double value) {
  return QString::fromStdString(
      tornel::FormatFixedExact(value, 5, tornel::SystemDecimalSeparator()));
}

}  // namespace

void TRaschDlg::Show(const tornel::RunSettings& settings) {
  edit1_->setText(ExactText(settings.EndTime));
  edit2_->setText(ExactText(settings.Step));
  realTime_->setChecked(false);
}

tornel::RunSettings TRaschDlg::Settings() const {
  tornel::RunSettings settings;
  settings.EndTime = LenientNumber(edit1_);
  settings.Step = LenientNumber(edit2_);
  settings.RealTime = realTime_->isChecked();
  return settings;
}

void TRaschDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOnScreen(this);
}
