#include "ui/acquisition/cap_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QVBoxLayout>
#include <vector>

#include "core/config/channel_table.h"
#include "ui/acquisition/named_controls.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/window_host.h"

namespace {

constexpr int kTickEvery = 10;

QSlider* MakeTrackBar(QWidget* parent, const char* name) {
  auto* bar = new QSlider(Qt::Horizontal, parent);
  bar->setObjectName(QLatin1String(name));
  bar->setRange(0, tornel::kCapTrackMax);
  bar->setTickInterval(kTickEvery);
  bar->setTickPosition(QSlider::TicksBelow);
  return bar;
}

}  // namespace

TCAPDlg::TCAPDlg(const tornel::ChannelTable& table, tornel::Device& device, QWidget* parent)
    : QDialog(parent),
      Settings(tornel::CapSettings::FromTable(table)),
      table_(table),
      device_(device) {
  setObjectName(QStringLiteral("TCAPDlg"));
  setWindowTitle(QStringLiteral("Настройка ЦАП"));
  BuildControls();
  resize(DesignSize(this, {495, 326}));
}

void TCAPDlg::BuildControls() {
  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("TabControl1"));
  for (int i = 0; i < Settings.CapCount; ++i)
    tabs_->addTab(ChannelCaption(table_.ChanName[tornel::kCapSlotBase + i]));

  auto* groupBox1 = new QGroupBox(QStringLiteral("Смещение нуля ЦАП"), this);
  groupBox1->setObjectName(QStringLiteral("GroupBox1"));
  tbOffset_ = MakeTrackBar(groupBox1, "TBOffset");
  eOffset_ = MakeEdit(groupBox1, "EOffset", true);
  auto* label1 = MakeLabel(groupBox1, "Label1",
                           QStringLiteral("Установите на стенде нулевое значение сигнала задания с "
                                          "помощью данной линейки\n(линейка установки уровня "
                                          "сигнала ЦАП должна быть в нулевом положении)"));
  label1->setAlignment(Qt::AlignCenter);
  label1->setWordWrap(true);
  auto* offsetGrid = new QGridLayout(groupBox1);
  offsetGrid->addWidget(tbOffset_, 0, 0);
  offsetGrid->addWidget(eOffset_, 0, 1);
  offsetGrid->addWidget(label1, 1, 0, 1, 2);

  auto* groupBox2 = new QGroupBox(QStringLiteral("Установка уровня сигнала ЦАП"), this);
  groupBox2->setObjectName(QStringLiteral("GroupBox2"));
  tbUrov_ = MakeTrackBar(groupBox2, "TBUrov");
  eUrov_ = MakeEdit(groupBox2, "EUrov", true);
  auto* label2 = MakeLabel(groupBox2, "Label2",
                           QStringLiteral("Установите линейкой ненулевое значение сигнала\n"
                                          "задания на стенде и занесите его в это поле "));
  eBase_ = MakeEdit(groupBox2, "EBase", false);
  eRazm1_ = MakeEdit(groupBox2, "ERazm1", true);
  auto* label3 = MakeLabel(groupBox2, "Label3", QStringLiteral("Базовое значение сигнала задания"));
  eRealBase_ = MakeEdit(groupBox2, "ERealBase", false);
  eRazm2_ = MakeEdit(groupBox2, "ERazm2", true);
  auto* levelGrid = new QGridLayout(groupBox2);
  levelGrid->addWidget(tbUrov_, 0, 0, 1, 2);
  levelGrid->addWidget(eUrov_, 0, 2);
  levelGrid->addWidget(label2, 1, 0);
  levelGrid->addWidget(eBase_, 1, 1);
  levelGrid->addWidget(eRazm1_, 1, 2);
  levelGrid->addWidget(label3, 2, 0);
  levelGrid->addWidget(eRealBase_, 2, 1);
  levelGrid->addWidget(eRazm2_, 2, 2);

  const DialogButtons buttons = MakeDialogButtons(this, "BtnOk", "BtnCancel");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(groupBox1);
  layout->addWidget(groupBox2);
  layout->addLayout(buttons.Row);

  connect(tabs_, &QTabBar::currentChanged, this, &TCAPDlg::OnTabChanged);
  connect(tbOffset_, &QSlider::valueChanged, this, &TCAPDlg::TBOffsetChange);
  connect(tbUrov_, &QSlider::valueChanged, this, &TCAPDlg::TBUrovChange);
}

tornel::CapTrackPositions TCAPDlg::Bars() const { return {tbOffset_->value(), tbUrov_->value()}; }

void TCAPDlg::SetBars(tornel::CapTrackPositions positions) {
  const QSignalBlocker offsetBlocker(tbOffset_);
  const QSignalBlocker levelBlocker(tbUrov_);
  tbOffset_->setValue(positions.Offset);
  tbUrov_->setValue(positions.Level);
}

void TCAPDlg::ShowLevelFields() {
  const tornel::CapTabFields f = Settings.Fields(shownTab_);
  eOffset_->setText(QString::fromStdString(f.Offset));
  eUrov_->setText(QString::fromStdString(f.Urov));
  eBase_->setText(QString::fromStdString(f.Base));
}

void TCAPDlg::ShowCapTab() {
  if (Settings.CapCount == 0) return;
  ShowLevelFields();
  const QString unit = QString::fromStdString(table_.ChanUnit[tornel::kCapSlotBase + shownTab_]);
  eRazm1_->setText(unit);
  eRazm2_->setText(unit);
  eRealBase_->setText(QString::fromStdString(Settings.Fields(shownTab_).RealBase));
  SetBars(Settings.Positions(shownTab_));
  Settings.WriteOutputs(device_);
}

void TCAPDlg::StoreCapTab() {
  if (Settings.CapCount == 0) return;
  Settings.StoreCapTab(shownTab_, Bars(), eBase_->text().toStdString(),
                       eRealBase_->text().toStdString());
}

void TCAPDlg::OnTabChanged(int tab) {
  if (tab < 0 || tab == shownTab_) return;
  StoreCapTab();
  shownTab_ = tab;
  ShowCapTab();
}

void TCAPDlg::TBOffsetChange(int position) {
  SetBars(Settings.MoveOffset(shownTab_, position));
  ShowLevelFields();
  Settings.WriteOutputs(device_);
}

void TCAPDlg::TBUrovChange(int position) {
  Settings.MoveLevel(shownTab_, {tbOffset_->value(), position});
  ShowLevelFields();
  Settings.WriteOutputs(device_);
}

void TCAPDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) ShowCapTab();
}

namespace {

// Every DAC in use back at its zero code when the command ends, however it
// ends.
class ZeroOnExit {
public:
  explicit ZeroOnExit(WindowHost& host) : host_(host) {}
  ~ZeroOnExit() { host_.SetCapZero(); }
  ZeroOnExit(const ZeroOnExit&) = delete;
  ZeroOnExit& operator=(const ZeroOnExit&) = delete;

private:
  WindowHost& host_;
};

}  // namespace

bool EditCapSettings(WindowHost& host) {
  host.SetCapZero();
  ZeroOnExit zeroOnExit(host);  // after the dialog is gone
  tornel::ChannelTable& table = host.Channels();
  TCAPDlg dialog(table, host.Device(), host.DialogParent());
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.StoreCapTab();
  dialog.Settings.CopyTo(table);
  const std::span<const int16_t> held = dialog.Settings.Levels();
  const std::vector<int16_t> levels(held.begin(), held.end());
  try {
    table.SaveConfig();
  } catch (...) {
    host.RampCapToZero(levels);
    throw;
  }
  host.RampCapToZero(levels);
  return true;
}
