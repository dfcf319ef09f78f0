#include "ui/scheme/input_par.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/scheme/block_values_edit.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"

TInputPar::TInputPar(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TInputPar"));
  setWindowTitle(QStringLiteral("Параметры блока"));
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < 3; ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    edits_[i] = new QLineEdit(this);
    edits_[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
    labels_[i]->setBuddy(edits_[i]);
    labels_[i]->hide();
    edits_[i]->hide();
    layout->addWidget(labels_[i]);
    layout->addWidget(edits_[i]);
  }
  layout->addStretch();
  const DialogButtons buttons = MakeDialogButtons(this, "Button1", "Button2", true);
  layout->addLayout(buttons.Row);
  setFixedSize(DesignSize(this, {240, 200}));
}

void TInputPar::SetRow(int row, const QString& caption, const QString& text) {
  labels_[row]->setText(caption);
  edits_[row]->setText(text);
  labels_[row]->show();
  edits_[row]->show();
}

QString TInputPar::RowText(int row) const { return edits_[row]->text(); }

std::optional<std::vector<std::string>> TInputPar::Ask(const tornel::TBlock& block,
                                                       QWidget* parent) {
  TInputPar dialog(parent);
  dialog.setWindowTitle(QString::fromStdString(tornel::DialogCaption(block)));
  const std::vector<tornel::ParamRow> rows = tornel::ParamRows(block);
  for (std::size_t i = 0; i < rows.size() && i < 3; ++i) {
    dialog.SetRow(
        static_cast<int>(i),
        QString::fromUtf8(rows[i].Label.data(), static_cast<qsizetype>(rows[i].Label.size())),
        QString::fromStdString(tornel::ParamRowText(block, rows[i])));
  }
  dialog.setFixedSize(DesignSize(&dialog, {240, 200}));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < rows.size() && i < 3; ++i) {
    texts.push_back(dialog.RowText(static_cast<int>(i)).toStdString());
  }
  return texts;
}
