#include "ui/spectrum/spectrum_dlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "core/records/graph_record.h"
#include "core/spectrum/spectrum_span.h"
#include "core/spectrum/spectrum_text.h"
#include "core/text/number_text.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/edit_numbers.h"
#include "ui/widgets/error_box.h"

namespace {

constexpr int kMaxHarmonics = 10000;

QString ChannelText(const tornel::TGraphRecord& record, int slot) {
  QString text = QString::fromStdString(record.ChanName[slot]);
  if (text.isEmpty()) {
    text = slot < tornel::kCapSlotBase
               ? QStringLiteral("АЦП %1").arg(slot + 1)
               : QStringLiteral("ЦАП %1").arg(slot - tornel::kCapSlotBase + 1);
  }
  const QString unit = QString::fromStdString(record.ChanUnit[slot]);
  return unit.isEmpty() ? text : text + QStringLiteral(", ") + unit;
}

QString Seconds(double v) {
  return QString::fromStdString(tornel::FormatGeneral(v, tornel::SystemDecimalSeparator()));
}

}  // namespace

TSpectrumDlg::TSpectrumDlg(const tornel::TGraphRecord& record, QWidget* parent)
    : QDialog(parent), record_(record) {
  setObjectName(QStringLiteral("TSpectrumDlg"));
  setWindowTitle(QStringLiteral("Спектр"));

  channel_ = new QComboBox(this);
  channel_->setObjectName(QStringLiteral("ChannelBox"));
  for (int slot : tornel::SpectrumChannelChoices(record)) {
    channel_->addItem(ChannelText(record, slot), slot);
  }
  // The shown range, held to the record: what the plot shows is analysed.
  const double duration = std::max(record.Duration, 0.0);
  from_ = new QLineEdit(Seconds(std::clamp(record.TMin, 0.0, duration)), this);
  from_->setObjectName(QStringLiteral("FromEdit"));
  to_ = new QLineEdit(Seconds(std::clamp(record.TMax, 0.0, duration)), this);
  to_->setObjectName(QStringLiteral("ToEdit"));
  window_ = new QComboBox(this);
  window_->setObjectName(QStringLiteral("WindowBox"));
  for (tornel::WindowFunction w :
       {tornel::WindowFunction::Hann, tornel::WindowFunction::Rectangular}) {
    window_->addItem(QString::fromStdString(tornel::WindowFunctionName(w)), static_cast<int>(w));
  }
  harmonics_ = new QSpinBox(this);
  harmonics_->setObjectName(QStringLiteral("HarmonicsBox"));
  harmonics_->setRange(1, kMaxHarmonics);
  harmonics_->setValue(tornel::kDefaultHarmonics);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Канал"), channel_);
  form->addRow(QStringLiteral("От, с"), from_);
  form->addRow(QStringLiteral("До, с"), to_);
  form->addRow(QStringLiteral("Окно"), window_);
  form->addRow(QStringLiteral("Гармоник"), harmonics_);
  const DialogButtons buttons = MakeDialogButtons(this, "OkButton", "CancelButton", true);
  ok_ = buttons.Ok;
  ok_->setEnabled(channel_->count() > 0);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch();
  layout->addLayout(buttons.Row);
  resize(DesignSize(this, {280, 180}));
}

tornel::SpectrumRequest TSpectrumDlg::Request() const {
  tornel::SpectrumRequest request;
  request.slot = channel_->currentData().toInt();
  request.from = LenientNumber(from_);
  request.to = LenientNumber(to_);
  request.window = static_cast<tornel::WindowFunction>(window_->currentData().toInt());
  request.harmonics = harmonics_->value();
  return request;
}

void TSpectrumDlg::accept() {
  if (channel_->count() == 0) return;
  const tornel::SpectrumRequest request = Request();
  if (!ErrorBox::Guard(this, [&] { tornel::ResolveSpectrumSpan(record_, request); })) return;
  QDialog::accept();
}
