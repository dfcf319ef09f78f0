#include "ui/graph/graph_file_dialogs.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QStringList>

namespace {

// A narrow window gives an image whose labels overlap; these are the sizes
// reports and slides usually take.
constexpr QSize kCommonImageSizes[] = {{800, 600}, {1024, 768}, {1280, 960}, {1920, 1080}};

QString SizeText(QSize size) {
  return QString::number(size.width()) + QStringLiteral("×") + QString::number(size.height());
}

// A "Размер" row under the file type: Qt's own dialog lays itself out in a
// grid, which is why the dialog cannot be the desktop's here.
QComboBox* AddSizeRow(QFileDialog& dialog, QSize windowSize) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* combo = new QComboBox(&dialog);
  combo->setObjectName(QStringLiteral("ImageSize"));
  combo->addItem(QStringLiteral("как в окне, ") + SizeText(windowSize), windowSize);
  for (QSize common : kCommonImageSizes) {
    if (common != windowSize) combo->addItem(SizeText(common), common);
  }
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (grid == nullptr) return combo;
  const int row = grid->rowCount();
  grid->addWidget(new QLabel(QStringLiteral("Размер:"), &dialog), row, 0);
  grid->addWidget(combo, row, 1);
  return combo;
}

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

QString AskImageFileName(QWidget* parent, const QString& startPath, QSize& size) {
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
  const QComboBox* sizes = AddSizeRow(dialog, size);
  const QString path = Run(dialog);
  if (!path.isEmpty()) size = sizes->currentData().toSize();
  return path;
}
