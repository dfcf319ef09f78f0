#include "ui/graph/gr_dlg_compare_page.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/graph/record_settings.h"
#include "core/records/compare_file.h"
#include "core/text/user_error.h"
#include "ui/canvas/file_path.h"
#include "ui/widgets/error_box.h"

GrDlgComparePage::GrDlgComparePage(
    tornel::MaskPair recorded, tornel::SampleFormat samples,
    const std::array<std::string, tornel::kCompareSlots>& recordCopies, QWidget* parent)
    : QWidget(parent), recorded_(recorded), samples_(samples), copies_(recordCopies) {
  auto* group = new QGroupBox(QStringLiteral("Файлы для сравнения"), this);
  auto* grid = new QGridLayout(group);
  for (int k = 0; k < tornel::kCompareSlots; ++k) {
    const int n = k + 1;
    auto* button = new QToolButton(group);
    button->setObjectName(QStringLiteral("SBFile%1").arg(n));
    button->setText(QStringLiteral("…"));
    button->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    button->setToolTip(QStringLiteral("Выбрать файл для сравнения"));
    auto* box = new QCheckBox(QString::number(n), group);
    box->setObjectName(QStringLiteral("CBFile%1").arg(n));
    auto* edit = new QLineEdit(group);
    edit->setObjectName(QStringLiteral("EFile%1").arg(n));
    edit->setReadOnly(true);
    grid->addWidget(button, k, 0);
    grid->addWidget(box, k, 1);
    grid->addWidget(edit, k, 2);
    connect(button, &QToolButton::clicked, this, [this, k] { OpenFile(k); });
    buttons_[k] = button;
    boxes_[k] = box;
    edits_[k] = edit;
  }
  grid->setColumnStretch(2, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addStretch();
}

void GrDlgComparePage::Load(const tornel::RecordSettings& s) {
  for (int k = 0; k < tornel::kCompareSlots; ++k) {
    edits_[k]->setText(QString::fromStdString(s.CompareName[k]));
    boxes_[k]->setChecked(s.CompareOn[k]);
  }
  UpdateEnabled();
}

void GrDlgComparePage::Store(tornel::RecordSettings& s) const {
  for (int k = 0; k < tornel::kCompareSlots; ++k) {
    s.CompareName[k] = edits_[k]->text().toStdString();
    s.CompareOn[k] = boxes_[k]->isChecked();
  }
}

void GrDlgComparePage::OpenFile(int slot) {
  const QString path =
      QFileDialog::getOpenFileName(this, QStringLiteral("Файл для сравнения"), QString(),
                                   QStringLiteral("Файл данных (*.dta);;Все файлы (*)"));
  if (path.isEmpty()) {
    UpdateEnabled();
    return;
  }
  ChooseFile(slot, path);
}

void GrDlgComparePage::ChooseFile(int slot, const QString& path) {
  std::string copy;
  try {
    copy = tornel::LoadCompareFile(FilePath(path), recorded_, samples_);
  } catch (const tornel::UserError& e) {
    // The slot keeps what it had; the dialog stays open for another choice.
    ErrorBox::ShowPlain(this, QString::fromUtf8(e.what()));
    return;
  }
  copies_.Replace(slot, std::move(copy));
  edits_[slot]->setText(path);
  UpdateEnabled();
}

void GrDlgComparePage::UpdateEnabled() {
  for (int k = 0; k < tornel::kCompareSlots; ++k) {
    const bool chosen = !edits_[k]->text().isEmpty();
    boxes_[k]->setEnabled(chosen);
    edits_[k]->setEnabled(chosen);
  }
}
