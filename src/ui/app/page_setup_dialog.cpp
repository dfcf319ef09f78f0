#include "ui/app/page_setup_dialog.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr double kMaxPaper = 2000.0;  // mm; larger than any plotter roll
constexpr double kMinPaper = 10.0;

}  // namespace

PageSetupDialog::PageSetupDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("PageSetupDialog"));
  setWindowTitle(QStringLiteral("Параметры страницы"));

  paperWidth_ = AddField("PaperWidth", kMinPaper, kMaxPaper);
  paperHeight_ = AddField("PaperHeight", kMinPaper, kMaxPaper);
  marginLeft_ = AddField("MarginLeft", PageSetupValues::kMinMarginLeft, kMaxPaper);
  marginRight_ = AddField("MarginRight", PageSetupValues::kMinMarginRight, kMaxPaper);
  marginTop_ = AddField("MarginTop", PageSetupValues::kMinMarginTop, kMaxPaper);
  marginBottom_ = AddField("MarginBottom", PageSetupValues::kMinMarginBottom, kMaxPaper);

  auto* paper = new QGroupBox(QStringLiteral("Бумага, мм"), this);
  auto* paperForm = new QFormLayout(paper);
  paperForm->addRow(QStringLiteral("&Ширина:"), paperWidth_);
  paperForm->addRow(QStringLiteral("&Высота:"), paperHeight_);

  auto* margins = new QGroupBox(QStringLiteral("Поля, мм"), this);
  auto* marginsForm = new QFormLayout(margins);
  marginsForm->addRow(QStringLiteral("&Левое:"), marginLeft_);
  marginsForm->addRow(QStringLiteral("&Правое:"), marginRight_);
  marginsForm->addRow(QStringLiteral("&Верхнее:"), marginTop_);
  marginsForm->addRow(QStringLiteral("&Нижнее:"), marginBottom_);

  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("Problem"));
  problem_->setStyleSheet(QStringLiteral("color: #b00000"));
  problem_->setMinimumHeight(problem_->fontMetrics().height());

  ok_ = new QPushButton(QStringLiteral("Продолжить"), this);
  ok_->setObjectName(QStringLiteral("OkButton"));
  ok_->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Отменить"), this);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);

  auto* groups = new QHBoxLayout;
  groups->addWidget(paper);
  groups->addWidget(margins);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addWidget(problem_);
  layout->addLayout(buttons);

  SetValues(PageSetupValues{});
  setFixedSize(sizeHint());
}

QDoubleSpinBox* PageSetupDialog::AddField(const char* name, double minimum, double maximum) {
  auto* box = new QDoubleSpinBox(this);
  box->setObjectName(QLatin1String(name));
  box->setDecimals(2);
  box->setRange(minimum, maximum);
  box->setSingleStep(1.0);
  box->setAlignment(Qt::AlignRight);
  connect(box, &QDoubleSpinBox::valueChanged, this, &PageSetupDialog::UpdateState);
  return box;
}

void PageSetupDialog::SetValues(const PageSetupValues& v) {
  paperWidth_->setValue(v.PaperWidth);
  paperHeight_->setValue(v.PaperHeight);
  marginLeft_->setValue(v.MarginLeft);
  marginRight_->setValue(v.MarginRight);
  marginTop_->setValue(v.MarginTop);
  marginBottom_->setValue(v.MarginBottom);
  UpdateState();
}

PageSetupValues PageSetupDialog::Values() const {
  PageSetupValues v;
  v.PaperWidth = paperWidth_->value();
  v.PaperHeight = paperHeight_->value();
  v.MarginLeft = marginLeft_->value();
  v.MarginRight = marginRight_->value();
  v.MarginTop = marginTop_->value();
  v.MarginBottom = marginBottom_->value();
  return v;
}

void PageSetupDialog::UpdateState() {
  bool fits = Values().LeavesPrintableArea();
  ok_->setEnabled(fits);
  problem_->setText(fits ? QString() : QStringLiteral("Поля не оставляют места для печати"));
}
