#include "ui/acquisition/acp_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "core/config/channel_table.h"
#include "core/text/user_error.h"
#include "ui/acquisition/named_controls.h"
#include "ui/widgets/busy_scope.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/window_host.h"

namespace {

constexpr int kItemsPerColumn = 8;

}  // namespace

TACPDlg::TACPDlg(const tornel::ChannelTable& table, tornel::Device& device,
                 tornel::TickClock& clock, tornel::PriorityControl& priority, QWidget* parent)
    : QDialog(parent),
      Settings(tornel::AcpSettings::FromTable(table)),
      table_(table),
      setup_{device, clock, priority, table} {
  setObjectName(QStringLiteral("TACPDlg"));
  setWindowTitle(QStringLiteral("Настройка АЦП"));
  BuildControls();
  resize(DesignSize(this, {503, 302}));
}

void TACPDlg::BuildControls() {
  auto* rGrChannel = new QGroupBox(QStringLiteral("Каналы АЦП"), this);
  rGrChannel->setObjectName(QStringLiteral("RGrChannel"));
  auto* channelGrid = new QGridLayout(rGrChannel);
  channels_ = new QButtonGroup(this);
  for (int ch = 0; ch < tornel::kAcpChannels; ++ch) {
    auto* item = new QRadioButton(ChannelCaption(table_.ChanName[ch]), rGrChannel);
    channelItems_[static_cast<std::size_t>(ch)] = item;
    channels_->addButton(item, ch);
    channelGrid->addWidget(item, ch % kItemsPerColumn, ch / kItemsPerColumn);
  }
  channelItems_[0]->setChecked(true);

  auto* rGrNastr = new QGroupBox(QStringLiteral("Режим настройки"), this);
  rGrNastr->setObjectName(QStringLiteral("RGrNastr"));
  auto* modeColumn = new QVBoxLayout(rGrNastr);
  modes_ = new QButtonGroup(this);
  const QString modeCaptions[] = {QStringLiteral("По максимуму"),
                                  QStringLiteral("По данным с АЦП")};
  for (int mode = 0; mode < 2; ++mode) {
    auto* item = new QRadioButton(modeCaptions[mode], rGrNastr);
    modes_->addButton(item, mode);
    modeColumn->addWidget(item);
  }
  modes_->button(0)->setChecked(true);

  auto* groupBox2 = new QGroupBox(QStringLiteral("Значение сигнала с АЦП"), this);
  groupBox2->setObjectName(QStringLiteral("GroupBox2"));
  eAcp_ = MakeEdit(groupBox2, "EACP", true);
  chBFilter_ = new QCheckBox(QStringLiteral("Использовать фильтр"), groupBox2);
  chBFilter_->setObjectName(QStringLiteral("ChBFilter"));
  auto* btnReset =
      MakeButton(groupBox2, "BtnReset", QStringLiteral("Обновить значение сигнала с АЦП"));
  auto* signalColumn = new QVBoxLayout(groupBox2);
  signalColumn->addWidget(eAcp_);
  signalColumn->addWidget(chBFilter_);
  signalColumn->addWidget(btnReset);

  auto* groupBox1 = new QGroupBox(QStringLiteral("Параметры канала АЦП"), this);
  groupBox1->setObjectName(QStringLiteral("GroupBox1"));
  auto* label1 = MakeLabel(groupBox1, "Label1", QStringLiteral("Значение сигнала \nна стенде"));
  eStand_ = MakeEdit(groupBox1, "EStand", false);
  eStandRazm_ = MakeEdit(groupBox1, "EStandRazm", true);
  auto* label2 = MakeLabel(groupBox1, "Label2", QStringLiteral("Базовое значение"));
  eBase_ = MakeEdit(groupBox1, "EBase", false);
  eBaseRazm_ = MakeEdit(groupBox1, "EBaseRazm", true);
  auto* groupBox3 = new QGroupBox(QStringLiteral("Смещение нуля"), groupBox1);
  groupBox3->setObjectName(QStringLiteral("GroupBox3"));
  eZero_ = MakeEdit(groupBox3, "EZero", false);
  auto* btnOffsetNull =
      MakeButton(groupBox3, "BtnOffsetNull", QStringLiteral("Определить уровень нуля"));
  auto* zeroRow = new QHBoxLayout(groupBox3);
  zeroRow->addWidget(eZero_);
  zeroRow->addWidget(btnOffsetNull);
  auto* parameters = new QGridLayout(groupBox1);
  parameters->addWidget(label1, 0, 0);
  parameters->addWidget(eStand_, 0, 1);
  parameters->addWidget(eStandRazm_, 0, 2);
  parameters->addWidget(label2, 1, 0);
  parameters->addWidget(eBase_, 1, 1);
  parameters->addWidget(eBaseRazm_, 1, 2);
  parameters->addWidget(groupBox3, 2, 0, 1, 3);

  auto* btnSave = MakeButton(this, "BtnSave", QStringLiteral("Сохранить параметры канала АЦП"));
  btnSave->setDefault(true);
  const DialogButtons buttons = MakeDialogButtons(this, "BtnOk", "BtnCancel");

  auto* right = new QVBoxLayout;
  right->addWidget(rGrNastr);
  right->addWidget(groupBox2);
  auto* top = new QHBoxLayout;
  top->addWidget(rGrChannel);
  top->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(groupBox1);
  layout->addWidget(btnSave);
  layout->addLayout(buttons.Row);

  // Only a new choice reloads the fields, as a click on the chosen item
  // changes nothing.
  connect(channels_, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) ShowAcpChannel();
  });
  connect(modes_, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) ShowAcpChannel();
  });
  connect(btnReset, &QPushButton::clicked, this, &TACPDlg::ShowAcpChannel);
  connect(chBFilter_, &QCheckBox::clicked, this,
          [this](bool on) { Settings.SetFiltered(Channel(), on); });
  connect(btnSave, &QPushButton::clicked, this, &TACPDlg::BtnSaveClick);
  connect(btnOffsetNull, &QPushButton::clicked, this, &TACPDlg::BtnOffsetNullClick);
}

int TACPDlg::Channel() const { return std::max(0, channels_->checkedId()); }

tornel::AcpSettingMode TACPDlg::Mode() const {
  return modes_->checkedId() == 1 ? tornel::AcpSettingMode::ByReading
                                  : tornel::AcpSettingMode::ByMaximum;
}

QRadioButton* TACPDlg::ModeItem(int mode) const {
  return qobject_cast<QRadioButton*>(modes_->button(mode));
}

void TACPDlg::ShowAcpChannel() {
  const int ch = Channel();
  chBFilter_->setChecked(Settings.Filtered(ch));
  {
    std::optional<BusyScope> cursor;
    if (Mode() == tornel::AcpSettingMode::ByReading) cursor.emplace();
    Settings.TakeReading(ch, Mode(), setup_);
  }
  const tornel::AcpChannelFields f = Settings.Fields(ch);
  eBase_->setText(QString::fromStdString(f.Base));
  eStand_->setText(QString::fromStdString(f.Stand));
  eAcp_->setText(QString::fromStdString(f.Acp));
  eZero_->setText(QString::fromStdString(f.Zero));
  const QString unit = QString::fromStdString(table_.ChanUnit[ch]);
  eBaseRazm_->setText(unit);
  eStandRazm_->setText(unit);
}

void TACPDlg::BtnSaveClick() {
  const std::string stand = eStand_->text().toStdString();
  const std::string base = eBase_->text().toStdString();
  const std::string zero = eZero_->text().toStdString();
  bool stored = ErrorBox::Guard(this, [&] {
    Settings.Store(Channel(), Mode(), {chBFilter_->isChecked(), stand, base, zero});
  });
  if (stored) ShowAcpChannel();
}

void TACPDlg::BtnOffsetNullClick() {
  BusyScope cursor;
  int16_t zero = tornel::MeasureZeroCode(setup_, static_cast<int16_t>(Channel()));
  eZero_->setText(QString::number(zero));
}

void TACPDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) ShowAcpChannel();
}

bool EditAcpSettings(WindowHost& host) {
  tornel::ChannelTable& table = host.Channels();
  TACPDlg dialog(table, host.Device(), host.Clock(), host.Priority(), host.DialogParent());
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.Settings.CopyTo(table);
  table.SaveConfig();
  return true;
}
