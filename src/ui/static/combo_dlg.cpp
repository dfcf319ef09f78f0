#include "ui/static/combo_dlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/center_on_screen.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"

namespace {

QComboBox* MakeList(QWidget* parent, const char* name) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QLatin1String(name));
  combo->setEditable(false);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return combo;
}

}  // namespace

TComboDlg::TComboDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TComboDlg"));
  setWindowTitle(QStringLiteral("Параметры"));
  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label2_ = new QLabel(this);
  label2_->setObjectName(QStringLiteral("Label2"));
  combo1_ = MakeList(this, "ComboBox1");
  combo2_ = MakeList(this, "ComboBox2");
  label1_->setBuddy(combo1_);
  label2_->setBuddy(combo2_);
  const DialogButtons buttons = MakeDialogButtons(this, "Button5", "Button6", true);
  ok_ = buttons.Ok;

  auto* rows = new QGridLayout;
  rows->addWidget(label1_, 0, 0);
  rows->addWidget(combo1_, 0, 1);
  rows->addWidget(label2_, 1, 0);
  rows->addWidget(combo2_, 1, 1);
  rows->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rows);
  layout->addStretch();
  layout->addLayout(buttons.Row);
  SetSecondShown(false);

  for (QComboBox* combo : {combo1_, combo2_}) {
    connect(combo->model(), &QAbstractItemModel::rowsInserted, this, &TComboDlg::UpdateOk);
    connect(combo->model(), &QAbstractItemModel::rowsRemoved, this, &TComboDlg::UpdateOk);
  }
  resize(DesignSize(this, {230, 100}));
}

void TComboDlg::SetSecondShown(bool shown) {
  label2_->setVisible(shown);
  combo2_->setVisible(shown);
  UpdateOk();
}

// A preselected index that names no item (a channel number from an older
// configuration, say) falls back to the first item.
void TComboDlg::showEvent(QShowEvent* event) {
  for (QComboBox* combo : {combo1_, combo2_}) {
    if (combo->count() > 0 && combo->currentIndex() < 0) combo->setCurrentIndex(0);
  }
  UpdateOk();
  QDialog::showEvent(event);
  CenterOnScreen(this);
}

void TComboDlg::UpdateOk() {
  bool ready = !combo1_->isVisibleTo(this) || combo1_->count() > 0;
  ready = ready && (!combo2_->isVisibleTo(this) || combo2_->count() > 0);
  ok_->setEnabled(ready);
}

std::optional<int> TComboDlg::PickOne(QWidget* parent, const QString& label,
                                      const QStringList& items, int selected) {
  TComboDlg dialog(parent);
  dialog.Label1()->setText(label);
  dialog.ComboBox1()->addItems(items);
  dialog.ComboBox1()->setCurrentIndex(selected);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ComboBox1()->currentIndex();
}
