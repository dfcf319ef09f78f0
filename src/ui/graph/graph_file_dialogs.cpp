#include "ui/graph/graph_file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace {

QString Run(QFileDialog& dialog) {
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace

QString AskDataFileName(QWidget* parent, const QString& startPath) {
  QFileDialog dialog(parent, QStringLiteral("Сохранить как"), startPath,
                     QStringLiteral("Файл данных (*.dta)"));
  dialog.setObjectName(QStringLiteral("SaveDialog1"));
  dialog.setDefaultSuffix(QStringLiteral("dta"));
  return Run(dialog);
}

QString AskImageFileName(QWidget* parent, const QString& startPath) {
  const QStringList filters{QStringLiteral("Изображение PNG (*.png)"),
                            QStringLiteral("Рисунок SVG (*.svg)"),
                            QStringLiteral("Документ PDF (*.pdf)")};
  const QStringList suffixes{QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")};
  QFileDialog dialog(parent, QStringLiteral("Экспорт изображения"), startPath);
  dialog.setObjectName(QStringLiteral("ExportDialog"));
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(suffixes.first());
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, filters, suffixes](const QString& filter) {
                     const qsizetype i = filters.indexOf(filter);
                     if (i >= 0) dialog.setDefaultSuffix(suffixes[i]);
                   });
  return Run(dialog);
}
