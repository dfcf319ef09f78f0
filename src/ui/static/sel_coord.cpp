#include "ui/static/sel_coord.h"

#include <QVBoxLayout>

#include "core/records/graph_record.h"
#include "ui/widgets/channel_check_group.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"

TSelCoord::TSelCoord(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TSelCoord"));
  setWindowTitle(QStringLiteral("Координаты"));
  group_ = new ChannelCheckGroup(QStringLiteral("Каналы АЦП"), 1, this);
  group_->setObjectName(QStringLiteral("GroupBox1"));
  const DialogButtons buttons = MakeDialogButtons(this, "Button5", "Button6");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group_);
  layout->addLayout(buttons.Row);
  resize(DesignSize(this, {261, 270}));
}

void TSelCoord::FillSelection(std::span<const std::string> names, uint16_t enabled,
                              uint16_t checked) {
  group_->SetCaptions(names);
  group_->SetEnabledMask(enabled);
  group_->SetCheckedMask(checked);
}

uint16_t TSelCoord::SelectionMask() const { return group_->CheckedMask(); }

std::optional<uint16_t> SelectFilterChannels(const tornel::TGraphRecord& record, QWidget* parent) {
  TSelCoord dialog(parent);
  const tornel::MaskPair preset =
      record.DepChannelMask(tornel::Axis::X) | record.DepChannelMask(tornel::Axis::Y);
  dialog.FillSelection(std::span(record.ChanName).first(tornel::kAcpChannels), record.AcpMask,
                       preset.Acp);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.SelectionMask();
}
