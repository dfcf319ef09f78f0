#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "core/records/mask_pair.h"

namespace tornel {
class TGraphRecord;
class TableColumns;
}  // namespace tornel

class GridModel;
class QAction;
class QMenu;
class QPrinter;
class WindowHost;
class QTableView;

// "Таблица": the samples of chosen channels of a record as physical values,
// one row per frame, the time (or point number) in the first column. Names,
// units, scales and masks are copied from the record when the table opens;
// only the sample file follows the record afterwards (Retarget). The popup
// offers "Печать" (the window's picture scaled to the page), "Скопировать в
// буфер" (that picture) and "Скопировать значения" (the selected cells, or
// all of them, as text for a spreadsheet).
class TGridFrm : public QWidget {
  Q_OBJECT

public:
  // `selected` is cut to the recorded channels. The record's FrameCount
  // must be current (RecountRecord).
  TGridFrm(WindowHost& host, const tornel::TGraphRecord& record, tornel::MaskPair selected,
           QWidget* parent = nullptr);
  ~TGridFrm() override;

  // RefreshTable: shows `sampleFile` (the record's SampleFile now) and
  // repaints.
  void Retarget(const std::string& sampleFile);
  const std::string& GridSampleFile() const;
  const tornel::TableColumns& Columns() const;

  QTableView* Grid() const { return grid_; }
  GridModel* Model() const { return model_; }
  QMenu* TablMenu() const { return menu_; }

  // The window's picture, scaled to fit the printer's page. False when the
  // printer cannot be started.
  bool PrintTo(QPrinter& printer);
  // What the popup commands do.
  void Print();
  void CopyPicture();
  void CopyValues();

protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  QAction* AddCommand(const char* name, const QString& text, void (TGridFrm::*command)());
  void FitColumnsToHeaders();

  WindowHost& host_;
  GridModel* model_;
  QTableView* grid_;
  QMenu* menu_;
};

// The ATable command of a graph window: brings the record's open table to
// the front, or asks for the channels (TSelCoord2) and opens a table of
// them. `tableView` is the graph window's reference to its table; the table
// closes with `graphWindow`. The table is a child window of `host`. Returns
// the table, or nullptr when none is open.
TGridFrm* OpenTableView(WindowHost& host, tornel::TGraphRecord& record,
                        QPointer<TGridFrm>& tableView, QWidget* graphWindow);
