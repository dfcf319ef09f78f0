#include "ui/widgets/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

DialogButtons MakeDialogButtons(QDialog* dialog, const char* okName, const char* cancelName,
                                bool okIsDefault) {
  DialogButtons b;
  b.Ok = new QPushButton(QStringLiteral("Продолжить"), dialog);
  b.Ok->setObjectName(QLatin1String(okName));
  b.Cancel = new QPushButton(QStringLiteral("Отменить"), dialog);
  b.Cancel->setObjectName(QLatin1String(cancelName));
  b.Ok->setAutoDefault(false);
  b.Cancel->setAutoDefault(false);
  b.Ok->setDefault(okIsDefault);
  QObject::connect(b.Ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(b.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  b.Row = new QHBoxLayout;
  b.Row->addStretch();
  b.Row->addWidget(b.Ok);
  b.Row->addWidget(b.Cancel);
  b.Row->addStretch();
  return b;
}
