#include "ui/graph/gr_dlg_extra_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/graph/record_settings.h"
#include "ui/graph/gr_dlg_color_shape.h"

GrDlgExtraPage::GrDlgExtraPage(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  for (int k = 0; k < tornel::kExprCount; ++k) {
    const int n = k + 1;
    boxes_[k] = new QCheckBox(this);
    boxes_[k]->setObjectName(QStringLiteral("DopCheckBox%1").arg(n));
    shapes_[k] = new GrDlgColorShape(QStringLiteral("DopShape%1").arg(n), this);
    names_[k] = new QLineEdit(this);
    names_[k]->setObjectName(QStringLiteral("ExprName%1").arg(n));
    exprs_[k] = new QLineEdit(this);
    exprs_[k]->setObjectName(QStringLiteral("Expr%1").arg(n));
    grid->addWidget(boxes_[k], k, 0);
    grid->addWidget(shapes_[k], k, 1);
    grid->addWidget(names_[k], k, 2);
    grid->addWidget(new QLabel(QStringLiteral("="), this), k, 3);
    grid->addWidget(exprs_[k], k, 4);
  }
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName(QStringLiteral("ExprMemo"));
  memo_->setReadOnly(true);
  grid->addWidget(memo_, tornel::kExprCount, 0, 1, 5);
  grid->setColumnStretch(4, 1);
}

void GrDlgExtraPage::Load(const tornel::RecordSettings& s) {
  for (int k = 0; k < tornel::kExprCount; ++k) {
    shapes_[k]->SetValue(s.ExprColor[k]);
    names_[k]->setText(QString::fromStdString(s.ExprName[k]));
    exprs_[k]->setText(QString::fromStdString(s.Expr[k]));
    boxes_[k]->setChecked(s.ExprOn[k]);
  }
}

void GrDlgExtraPage::Store(tornel::RecordSettings& s) const {
  for (int k = 0; k < tornel::kExprCount; ++k) {
    s.ExprColor[k] = shapes_[k]->Value();
    s.ExprName[k] = names_[k]->text().toStdString();
    s.Expr[k] = exprs_[k]->text().toStdString();
    s.ExprOn[k] = boxes_[k]->isChecked();
  }
}
