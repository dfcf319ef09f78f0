#include "ui/widgets/column_fit.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>

void WidenColumnsToFit(QTableView* table) {
  if (table->model() == nullptr) return;
  QHeaderView* header = table->horizontalHeader();
  for (int c = 0; c < table->model()->columnCount(); ++c) {
    const int had = header->sectionSize(c);
    table->resizeColumnToContents(c);
    if (header->sectionSize(c) < had) header->resizeSection(c, had);
  }
}
