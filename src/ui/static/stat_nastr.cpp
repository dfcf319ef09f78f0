#include "ui/static/stat_nastr.h"

#include <QVBoxLayout>
#include <span>

#include "core/config/channel_table.h"
#include "ui/widgets/channel_check_group.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"

TStatNastr::TStatNastr(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TStatNastr"));
  setWindowTitle(QStringLiteral("Настройка"));
  group_ = new ChannelCheckGroup(QStringLiteral("Фильтр"), 1, this);
  group_->setObjectName(QStringLiteral("GroupBox1"));
  const DialogButtons buttons = MakeDialogButtons(this, "Button5", "Button6");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group_);
  layout->addLayout(buttons.Row);
  resize(DesignSize(this, {233, 269}));
}

void TStatNastr::SetFilterCaptions(const tornel::ChannelTable& table) {
  group_->SetCaptions(std::span(table.ChanName).first(tornel::kAcpChannels));
}

void TStatNastr::MaskToBoxes() { group_->SetCheckedMask(Mask); }

void TStatNastr::BoxesToMask() { Mask = group_->CheckedMask(); }

bool EditFilterMask(tornel::ChannelTable& table, QWidget* parent) {
  TStatNastr dialog(parent);
  dialog.SetFilterCaptions(table);
  dialog.Mask = static_cast<uint16_t>(table.FilterMask);
  dialog.MaskToBoxes();
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.BoxesToMask();
  table.FilterMask = static_cast<int16_t>(dialog.Mask);
  return true;
}
