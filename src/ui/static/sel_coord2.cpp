#include "ui/static/sel_coord2.h"

#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/records/graph_record.h"
#include "ui/widgets/channel_check_group.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"

namespace {

ChannelCheckGroup* AddPage(QTabWidget* pages, const char* pageName, const QString& caption,
                           const char* groupName, int firstBox) {
  auto* page = new QWidget(pages);
  page->setObjectName(QLatin1String(pageName));
  auto* group = new ChannelCheckGroup(QString(), firstBox, page);
  group->setObjectName(QLatin1String(groupName));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(group);
  pages->addTab(page, caption);
  return group;
}

}  // namespace

TSelCoord2::TSelCoord2(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TSelCoord2"));
  setWindowTitle(QStringLiteral("Координаты"));
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  acp_ = AddPage(pages_, "TabSheet1", QStringLiteral("Каналы АЦП"), "GroupBox1", 1);
  cap_ = AddPage(pages_, "TabSheet2", QStringLiteral("Каналы ЦАП"), "GroupBox2", 17);
  pages_->setCurrentIndex(0);
  const DialogButtons buttons = MakeDialogButtons(this, "Button5", "Button6");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(buttons.Row);
  resize(DesignSize(this, {288, 311}));
}

void TSelCoord2::FillSelection2(std::span<const std::string> names, tornel::MaskPair enabled,
                                tornel::MaskPair checked) {
  acp_->SetCaptions(names.first(std::min<std::size_t>(names.size(), tornel::kAcpChannels)));
  if (names.size() > tornel::kCapSlotBase) cap_->SetCaptions(names.subspan(tornel::kCapSlotBase));
  acp_->SetEnabledMask(enabled.Acp);
  cap_->SetEnabledMask(enabled.Cap);
  acp_->SetCheckedMask(checked.Acp);
  cap_->SetCheckedMask(checked.Cap);
}

tornel::MaskPair TSelCoord2::SelectionMasks() const {
  return {acp_->CheckedMask(), cap_->CheckedMask()};
}

std::optional<tornel::MaskPair> SelectTableChannels(const tornel::TGraphRecord& record,
                                                    QWidget* parent) {
  TSelCoord2 dialog(parent);
  dialog.FillSelection2(
      record.ChanName, record.RecordedMask(),
      record.DepChannelMask(tornel::Axis::X) | record.DepChannelMask(tornel::Axis::Y));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const tornel::MaskPair chosen = dialog.SelectionMasks() & record.RecordedMask();
  if (chosen.Empty()) return std::nullopt;
  return chosen;
}
