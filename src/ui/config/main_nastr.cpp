#include "ui/config/main_nastr.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/config/priority_items.h"
#include "ui/widgets/center_on_screen.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/edit_numbers.h"

namespace {

constexpr int kChannelsPerBlock = 8;
constexpr int kTziDecimals = 2;
// Which channels of the DAC page can be edited; the rest are shown only.
constexpr int kEditableCaps = 4;

}  // namespace

TMainNastr::TMainNastr(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TMainNastr"));
  setWindowTitle(QStringLiteral("Параметры"));
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  // All four captions whole: the dialog widens to the tab row instead of
  // hiding tabs behind scroll arrows.
  pages_->setUsesScrollButtons(false);
  pages_->setElideMode(Qt::ElideNone);
  pages_->addTab(BuildNamesPage(0, tornel::kAcpChannels),
                 QStringLiteral("Наименования каналов АЦП"));
  pages_->addTab(BuildNamesPage(tornel::kCapSlotBase, kEditableCaps),
                 QStringLiteral("Наименования каналов ЦАП"));
  pages_->addTab(BuildPrioritiesPage(), QStringLiteral("Приоритеты процессов"));
  pages_->addTab(BuildSignalsPage(), QStringLiteral("Сигналы"));
  pages_->setCurrentIndex(0);
  const DialogButtons buttons = MakeDialogButtons(this, "BtnOk", "BtnCancel", true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(buttons.Row);
  setFixedSize(DesignSize(this, {560, 420}));
  CenterOnScreen(this);
}

QWidget* TMainNastr::BuildNamesPage(int firstSlot, int enabledChannels) {
  auto* page = new QWidget;
  auto* row = new QHBoxLayout(page);
  for (int block = 0; block < 2; ++block) {
    auto* grid = new QGridLayout;
    for (int i = 0; i < kChannelsPerBlock; ++i) {
      const int channel = block * kChannelsPerBlock + i;  // 0-based
      const int slot = firstSlot + channel;
      auto* label = new QLabel(QStringLiteral("Канал %1").arg(channel + 1), page);
      auto* name = new QLineEdit(page);
      auto* unit = new QLineEdit(page);
      const char* kind = firstSlot == 0 ? "Acp" : "Cap";
      name->setObjectName(QStringLiteral("E%1Name%2").arg(kind).arg(channel + 1));
      unit->setObjectName(QStringLiteral("E%1Unit%2").arg(kind).arg(channel + 1));
      const bool enabled = channel < enabledChannels;
      for (QWidget* w :
           {static_cast<QWidget*>(label), static_cast<QWidget*>(name), static_cast<QWidget*>(unit)})
        w->setEnabled(enabled);
      names_[static_cast<std::size_t>(slot)] = name;
      units_[static_cast<std::size_t>(slot)] = unit;
      grid->addWidget(label, i, 0);
      grid->addWidget(name, i, 1);
      grid->addWidget(unit, i, 2);
    }
    row->addLayout(grid);
  }
  return page;
}

QGroupBox* TMainNastr::BuildPriorityBox(const QString& title, PriorityGroup classGroup,
                                        PriorityGroup threadGroup) {
  auto* box = new QGroupBox(title);
  auto* row = new QHBoxLayout(box);
  const QStringList captions[] = {{QStringLiteral("Idle"), QStringLiteral("Normal"),
                                   QStringLiteral("High"), QStringLiteral("Realtime")},
                                  {QStringLiteral("Normal"), QStringLiteral("Above Normal"),
                                   QStringLiteral("Highest"), QStringLiteral("Time Critical")}};
  const QString titles[] = {QStringLiteral("Priority Class"), QStringLiteral("Thread Priority")};
  const PriorityGroup which[] = {classGroup, threadGroup};
  for (int g = 0; g < 2; ++g) {
    auto* radio = new QGroupBox(titles[g], box);
    auto* column = new QVBoxLayout(radio);
    auto* group = new QButtonGroup(radio);
    for (int item = 0; item < tornel::kPriorityItems; ++item) {
      auto* button = new QRadioButton(captions[g][item], radio);
      group->addButton(button, item);
      column->addWidget(button);
    }
    groups_[which[g]] = group;
    row->addWidget(radio);
  }
  return box;
}

QWidget* TMainNastr::BuildPrioritiesPage() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  QGroupBox* app = BuildPriorityBox(QStringLiteral("Программа"), AppClass, AppThread);
  app->setObjectName(QStringLiteral("GroupBox1"));
  QGroupBox* scan = BuildPriorityBox(QStringLiteral("Опрос АЦП"), ScanClass, ScanThread);
  scan->setObjectName(QStringLiteral("GroupBox2"));
  column->addWidget(app);
  column->addWidget(scan);
  return page;
}

QWidget* TMainNastr::BuildSignalsPage() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  auto* label = new QLabel(
      QStringLiteral("Постоянная времени задатчика интенсивности при сбросе сигнала задания, с"),
      page);
  label->setWordWrap(true);
  eTzi_ = new QLineEdit(page);
  eTzi_->setObjectName(QStringLiteral("ETzi"));
  column->addWidget(label);
  column->addWidget(eTzi_);
  column->addStretch();
  return page;
}

void TMainNastr::SetNames(const Texts& names, const Texts& units) {
  for (int s = 0; s < tornel::kChannelSlots; ++s) {
    NameEdit(s)->setText(QString::fromStdString(names[static_cast<std::size_t>(s)]));
    UnitEdit(s)->setText(QString::fromStdString(units[static_cast<std::size_t>(s)]));
  }
}

void TMainNastr::GetNames(Texts& names, Texts& units) const {
  for (int s = 0; s < tornel::kChannelSlots; ++s) {
    names[static_cast<std::size_t>(s)] = NameEdit(s)->text().toStdString();
    units[static_cast<std::size_t>(s)] = UnitEdit(s)->text().toStdString();
  }
}

namespace {

void Select(QButtonGroup* group, int item) {
  // An exclusive group can only be emptied with exclusivity off.
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(group->id(button) == item);
  group->setExclusive(true);
}

}  // namespace

void TMainNastr::SetPriorities(const tornel::ChannelTable& table) {
  Select(groups_[AppClass], tornel::PriorityClassItem(table.AppPriorityClass));
  Select(groups_[AppThread], tornel::ThreadPriorityItem(table.AppThreadPriority));
  Select(groups_[ScanClass], tornel::PriorityClassItem(table.ScanPriorityClass));
  Select(groups_[ScanThread], tornel::ThreadPriorityItem(table.ScanThreadPriority));
}

void TMainNastr::GetPriorities(tornel::ChannelTable& table) const {
  auto take = [this](PriorityGroup g, int32_t& field, int32_t (*valueOf)(int)) {
    int item = groups_[g]->checkedId();
    if (item >= 0) field = valueOf(item);
  };
  take(AppClass, table.AppPriorityClass, tornel::PriorityClassOfItem);
  take(AppThread, table.AppThreadPriority, tornel::ThreadPriorityOfItem);
  take(ScanClass, table.ScanPriorityClass, tornel::PriorityClassOfItem);
  take(ScanThread, table.ScanThreadPriority, tornel::ThreadPriorityOfItem);
}

bool EditParams(tornel::ChannelTable& table, QWidget* parent) {
  TMainNastr dialog(parent);
  dialog.SetNames(table.ChanName, table.ChanUnit);
  dialog.SetPriorities(table);
  dialog.ETzi()->setText(FixedText(table.Tzi, kTziDecimals));
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.GetNames(table.ChanName, table.ChanUnit);
  dialog.GetPriorities(table);
  table.Tzi = LenientNumber(dialog.ETzi());
  table.SaveConfig();
  return true;
}
