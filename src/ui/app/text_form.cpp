#include "ui/app/text_form.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/text/rtf_reader.h"
#include "ui/widgets/center_on_screen.h"

TTextForm::TTextForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      richEdit_(new QTextEdit(this)),
      okButton_(new QPushButton(QStringLiteral("Продолжить"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Отменить"), this)) {
  setObjectName(QStringLiteral("TextForm"));
  setWindowTitle(QStringLiteral("TornelAD"));
  richEdit_->setObjectName(QStringLiteral("RichEdit1"));
  richEdit_->setReadOnly(true);
  richEdit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEdit_->document()->setDocumentMargin(5);
  okButton_->setObjectName(QStringLiteral("OkButton"));
  cancelButton_->setObjectName(QStringLiteral("CancelButton"));
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(5, 5, 5, 5);
  layout->addWidget(richEdit_);
  layout->addLayout(buttons);
  setFixedSize(720, 540);
}

void TTextForm::LoadFile(const QString& path) {
  std::string html = tornel::RtfReader::LoadFileAsHtml(path.toStdString());
  richEdit_->setHtml(QString::fromStdString(html));
}

void TTextForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOnScreen(this);
  okButton_->setFocus();
  emit Shown();
}
