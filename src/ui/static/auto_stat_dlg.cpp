#include "ui/static/auto_stat_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "core/config/channel_table.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/edit_numbers.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/window_host.h"

namespace {

constexpr int kValueDecimals = 1;
constexpr int kTimeDecimals = 3;

QLineEdit* MakeEdit(QWidget* parent, const char* name, bool readOnly) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setReadOnly(readOnly);
  return edit;
}

}  // namespace

TAutoStatDlg::TAutoStatDlg(WindowHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName(QStringLiteral("TAutoStatDlg"));
  setWindowTitle(QStringLiteral("Автоматический режим"));
  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("TabControl"));
  tabs_->addTab(QStringLiteral("ЦАП №1"));
  tabs_->addTab(QStringLiteral("ЦАП №2"));
  connect(tabs_, &QTabBar::currentChanged, this, &TAutoStatDlg::OnTabChanged);

  const char* names[2][5] = {{"GroupBox1", "TrackBar1", "ENach", "ERazm1", "Начальное значение"},
                             {"GroupBox2", "TrackBar2", "EKon", "ERazm2", "Конечное значение"}};
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  for (int i = 0; i < 2; ++i) {
    auto* group = new QGroupBox(QString::fromUtf8(names[i][4]), this);
    group->setObjectName(QLatin1String(names[i][0]));
    trackBars_[i] = new QSlider(Qt::Horizontal, group);
    trackBars_[i]->setObjectName(QLatin1String(names[i][1]));
    trackBars_[i]->setTickPosition(QSlider::TicksBelow);
    trackBars_[i]->setTickInterval(10);
    values_[i] = MakeEdit(group, names[i][2], false);
    units_[i] = MakeEdit(group, names[i][3], true);
    connect(trackBars_[i], &QSlider::valueChanged, this,
            [this, i](int position) { OnTrackBar(i, position); });
    connect(values_[i], &QLineEdit::textEdited, this, [this, i] { OnTyped(i); });
    connect(values_[i], &QLineEdit::editingFinished, this, [this, i] { SettleTyped(i); });
    auto* row = new QHBoxLayout(group);
    row->addWidget(trackBars_[i], 4);
    row->addWidget(values_[i], 1);
    row->addWidget(units_[i], 1);
    layout->addWidget(group);
  }

  auto* label3 = new QLabel(QStringLiteral("Количество экспериментальных точек"), this);
  label3->setObjectName(QStringLiteral("Label3"));
  points_ = new QSpinBox(this);
  points_->setObjectName(QStringLiteral("UpDown1"));
  points_->setRange(2, 3000);
  points_->setValue(2);
  auto* label4 = new QLabel(QStringLiteral("Шаг по времени"), this);
  label4->setObjectName(QStringLiteral("Label4"));
  timeStep_ = MakeEdit(this, "EShagVr", false);
  QLineEdit* timeUnit = MakeEdit(this, "ERazmVr", true);
  timeUnit->setText(QStringLiteral("c"));
  auto* grid = new QGridLayout;
  grid->addWidget(label3, 0, 0);
  grid->addWidget(points_, 0, 1);
  grid->addWidget(label4, 1, 0);
  grid->addWidget(timeStep_, 1, 1);
  grid->addWidget(timeUnit, 1, 2);
  layout->addLayout(grid);
  const DialogButtons buttons = MakeDialogButtons(this, "Button5", "Button6", true);
  layout->addLayout(buttons.Row);
  buttons.Ok->setFocus();
  resize(DesignSize(this, {541, 286}));
}

void TAutoStatDlg::LoadAutoTabs() {
  const tornel::ChannelTable& table = host_.Channels();
  for (int d = 0; d < 2; ++d)
    tabs_->setTabText(d, QString::fromStdString(table.ChanName[tornel::kCapSlotBase + d]));
}

void TAutoStatDlg::LoadAutoSettings() {
  static_cast<tornel::AutoStatSettings&>(*this) =
      tornel::LoadAutoStatSettings(host_.Channels().ConfigPath);
  QSignalBlocker block(tabs_);
  tabs_->setCurrentIndex(DacIndex);
  shownTab_ = DacIndex;
}

void TAutoStatDlg::SaveAutoSettings() {
  DacIndex = Tab();
  tornel::SaveAutoStatSettings(host_.Channels().ConfigPath, *this);
}

int TAutoStatDlg::Tab() const { return shownTab_; }

double TAutoStatDlg::ShownBase() const {
  return host_.Channels().Base[tornel::kCapSlotBase + shownTab_];
}

int TAutoStatDlg::ClampedPosition(int which, double value) const {
  const QSlider* bar = trackBars_[which];
  return std::clamp(tornel::PositionOfValue(value, ShownBase()), bar->minimum(), bar->maximum());
}

void TAutoStatDlg::ShowAutoTab() {
  const tornel::ChannelTable& table = host_.Channels();
  int t = shownTab_;
  int slot = tornel::kCapSlotBase + t;
  const std::array<double, 2> shown = {AutoStart[t], AutoEnd[t]};
  for (int i = 0; i < 2; ++i) {
    // Only the bar is held to this DAC's range: a value that lies outside it
    // stays as stored (the run holds its levels to the range anyway).
    QSignalBlocker block(trackBars_[i]);
    int minimum = -table.Offset[slot];
    trackBars_[i]->setRange(minimum, minimum + 1022);
    trackBars_[i]->setValue(ClampedPosition(i, shown[i]));
    values_[i]->setText(FixedText(shown[i], kValueDecimals));
    changed_[i] = typing_[i] = false;
  }
  points_->setValue(AutoPoints[t]);
  timeStep_->setText(FixedText(AutoTimeStep[t], kTimeDecimals));
  for (QLineEdit* unit : units_) unit->setText(QString::fromStdString(table.ChanUnit[slot]));
}

void TAutoStatDlg::StoreAutoTab() {
  int t = shownTab_;
  std::array<double*, 2> stored = {&AutoStart[t], &AutoEnd[t]};
  for (int i = 0; i < 2; ++i) {
    SettleTyped(i);
    // As displayed, with one decimal.
    if (changed_[i]) *stored[i] = LenientNumber(values_[i]);
  }
  AutoPoints[t] = points_->value();
  AutoTimeStep[t] = LenientNumber(timeStep_);
}

tornel::AutoRunRequest TAutoStatDlg::Request() const {
  auto d = static_cast<std::size_t>(shownTab_);
  return {AutoStart[d], AutoEnd[d], AutoPoints[d], AutoTimeStep[d]};
}

void TAutoStatDlg::accept() {
  StoreAutoTab();
  tornel::AutoRunCheck check = tornel::CheckAutoRun(Request());
  if (!check.Message.empty()) {
    ErrorBox::Show(this, QString::fromStdString(check.Message));
    return;
  }
  QDialog::accept();
}

void TAutoStatDlg::OnTabChanged(int tab) {
  StoreAutoTab();
  shownTab_ = tab;
  ShowAutoTab();
}

void TAutoStatDlg::OnTrackBar(int which, int position) {
  values_[which]->setText(
      FixedText(tornel::ValueOfPosition(position, ShownBase()), kValueDecimals));
  changed_[which] = true;
  typing_[which] = false;
}

void TAutoStatDlg::OnTyped(int which) {
  changed_[which] = typing_[which] = true;
  QSignalBlocker block(trackBars_[which]);
  trackBars_[which]->setValue(ClampedPosition(which, LenientNumber(values_[which])));
}

void TAutoStatDlg::SettleTyped(int which) {
  if (!typing_[which]) return;
  typing_[which] = false;
  double value = LenientNumber(values_[which]);
  int position = ClampedPosition(which, value);
  if (position != tornel::PositionOfValue(value, ShownBase()))
    value = tornel::ValueOfPosition(position, ShownBase());
  values_[which]->setText(FixedText(value, kValueDecimals));
  QSignalBlocker block(trackBars_[which]);
  trackBars_[which]->setValue(ClampedPosition(which, LenientNumber(values_[which])));
}

std::optional<StaticAutoStart> AskAutoStart(WindowHost& host, QWidget* parent) {
  TAutoStatDlg dialog(host, parent);
  dialog.LoadAutoTabs();
  if (!ErrorBox::Guard(parent, [&] { dialog.LoadAutoSettings(); })) return std::nullopt;
  dialog.ShowAutoTab();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  dialog.StoreAutoTab();
  StaticAutoStart start;
  start.Dac = dialog.Tab();
  start.Request = dialog.Request();
  // What would be told was told before the dialog closed.
  if (!tornel::CheckAutoRun(start.Request).Starts) return std::nullopt;
  // Settings that cannot be saved must not cost the run.
  ErrorBox::Guard(parent, [&] { dialog.SaveAutoSettings(); });
  return start;
}
