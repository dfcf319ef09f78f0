#include "ui/graph/gr_dlg.h"

#include <QTabWidget>
#include <QVBoxLayout>
#include <span>

#include "core/graph/curve_color_keys.h"
#include "core/graph/dependency_choices.h"
#include "ui/graph/gr_dlg_axes_page.h"
#include "ui/graph/gr_dlg_channel_page.h"
#include "ui/graph/gr_dlg_comments_page.h"
#include "ui/graph/gr_dlg_compare_page.h"
#include "ui/graph/gr_dlg_dependency_page.h"
#include "ui/graph/gr_dlg_extra_page.h"
#include "ui/widgets/center_on_screen.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/error_box.h"

namespace {

enum Page { kAcpPage, kCapPage, kDepPage, kCommentsPage, kAxesPage, kComparePage, kExtraPage };

template <typename P>
P* AddPage(QTabWidget* pages, P* page, int number, const QString& caption) {
  page->setObjectName(QStringLiteral("TabSheet%1").arg(number));
  pages->addTab(page, caption);
  return page;
}

}  // namespace

TGrDlg::TGrDlg(const tornel::TGraphRecord& record, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      initial_(tornel::TakeRecordSettings(record)) {
  setObjectName(QStringLiteral("TGrDlg"));
  setWindowTitle(QStringLiteral("Настройка"));
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  acpPage_ = AddPage(pages_, new GrDlgChannelPage(1), 1, QStringLiteral("Каналы АЦП"));
  capPage_ = AddPage(pages_, new GrDlgChannelPage(17), 2, QStringLiteral("Каналы ЦАП"));
  depPage_ = AddPage(pages_, new GrDlgDependencyPage, 3, QStringLiteral("Зависимости"));
  commentsPage_ = AddPage(pages_, new GrDlgCommentsPage, 4, QStringLiteral("Комментарии"));
  axesPage_ = AddPage(pages_, new GrDlgAxesPage, 5, QStringLiteral("Оси"));
  comparePage_ = AddPage(
      pages_, new GrDlgComparePage(record.RecordedMask(), record.Samples, record.CompareTemp), 6,
      QStringLiteral("Сравнение"));
  extraPage_ = AddPage(pages_, new GrDlgExtraPage, 7, QStringLiteral("Дополнительные координаты"));
  pages_->setTabVisible(kExtraPage, false);

  const tornel::RecordSettings& s = initial_;
  const std::span names(record.ChanName);
  const std::span colors(s.ChanColor);
  acpPage_->Load(names.first(tornel::kAcpChannels), record.AcpMask, s.Show.Acp,
                 colors.first(tornel::kAcpChannels));
  capPage_->Load(names.subspan(tornel::kCapSlotBase), record.CapMask, s.Show.Cap,
                 colors.subspan(tornel::kCapSlotBase));
  depPage_->Load(tornel::DependencyChoices(record), s.Deps, s.DepColor);
  commentsPage_->Load(s.Comments, s.Date, s.Time);
  axesPage_->Load(s, record.IsStatic);
  comparePage_->Load(s);
  extraPage_->Load(s);
  if (record.IsStatic) {
    // A static record is drawn only as dependencies.
    pages_->setTabVisible(kAcpPage, false);
    pages_->setTabVisible(kCapPage, false);
  }
  pages_->setCurrentIndex(record.IsStatic ? kDepPage : kAcpPage);

  const DialogButtons buttons = MakeDialogButtons(this, "Button1", "Button2");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(buttons.Row);
  setFixedSize(DesignSize(this, {456, 318}).expandedTo(sizeHint()));
}

TGrDlg::~TGrDlg() = default;

void TGrDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOnScreen(this);
}

tornel::RecordSettings TGrDlg::Settings() const {
  tornel::RecordSettings s = initial_;
  s.Show = {acpPage_->ShowMask(), capPage_->ShowMask()};
  const std::span colors(s.ChanColor);
  acpPage_->StoreColors(colors.first(tornel::kAcpChannels));
  capPage_->StoreColors(colors.subspan(tornel::kCapSlotBase));
  depPage_->Store(s.Deps, s.DepColor);
  comparePage_->Store(s);
  extraPage_->Store(s);
  commentsPage_->Store(s.Comments, s.Date, s.Time);
  axesPage_->Store(s);
  return s;
}

std::array<std::string, tornel::kCompareSlots> TGrDlg::TakeCompareCopies() {
  return comparePage_->TakeCopies();
}

bool EditRecordSettings(tornel::TGraphRecord& record, const std::string& configPath,
                        QWidget* parent) {
  TGrDlg dialog(record, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  tornel::RecordSettings settings = dialog.Settings();
  settings.CompareTemp = dialog.TakeCompareCopies();
  tornel::ApplyRecordSettings(settings, record);
  if (!configPath.empty()) {
    ErrorBox::Guard(
        parent, [&] { tornel::WriteCurveColors(configPath, record.ChanColor, record.DepColor); });
  }
  return true;
}
