#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "core/records/graph_record.h"
#include "ui/widgets/child_menu_provider.h"
#include "ui/widgets/closing_question.h"

class GraphActions;
class GraphCursorPanel;
class GraphFilterCommands;
class GraphLegendBox;
class GraphMemo;
class GraphPagePrinter;
class GraphPaintBox;
struct GraphWindowParts;
class QCloseEvent;
class QMenu;
class QPrinter;
class QSplitter;
class TGridFrm;
class TransientAnalysisDialog;
class WindowHost;

// The graph window: one measurement record shown as a plot (GraphPaintBox)
// with its legend at the right (LegendPaintBox), its base values below
// (MBase) and a free caption at the bottom (MCaption). It saves and loads
// data files, zooms with the mouse, prints one page, copies its picture to
// the clipboard and exports it as an image. While it is the active child its
// menus "&Файл", "Фильтры" and "График" stand in the main window's menu bar.
//
// The window owns its record: closing it destroys the record with its
// temporary files. A new record (an experiment's) that was never saved asks
// "Сохранить данные в файл?" first.
class TGraphFrm : public QWidget, public ChildMenuProvider, public ClosingQuestion {
  Q_OBJECT

public:
  // InitRecord from the host's table (and the colours of its configuration
  // file); caption "График".
  explicit TGraphFrm(WindowHost& host, QWidget* parent = nullptr);
  ~TGraphFrm() override;

  tornel::TGraphRecord& Record() { return record_; }
  // LoadDta, RecountRecord, the title and DataFileName. Throws
  // tornel::UserError (a wrong signature: "Файл создан другой программой").
  void OpenDataFile(const QString& path);
  // SaveDta, the title and DataFileName. Throws tornel::UserError.
  void SaveDataFile(const QString& path);
  // After the filters changed the sample file: the table view follows it,
  // and the window is drawn again.
  void RefreshTable();
  // The record changed (an experiment filled it, settings): draw it again.
  void RefreshPicture();

  // The data file the record was loaded from or last saved to; empty for a
  // new record.
  QString DataFileName;

  QList<QMenu*> ChildMenus() const override;
  bool AskBeforeClosing() override;
  void ForgetClosingAnswer() override { closingAnswered_ = false; }
  // The design size, which a new MDI child opens at.
  QSize sizeHint() const override;
  const GraphActions& Actions() const { return *actions_; }
  // The "Фильтры" commands (and where their progress window comes from).
  GraphFilterCommands& FilterCommands() const { return *filters_; }
  QMenu* PMGraph() const { return popup_; }
  GraphPaintBox* PaintBox() const { return paintBox_; }
  // The record's table view while it is open.
  TGridFrm* TableView() const;

  // The commands, named after their actions.
  void AGrNastExecute();
  void ASaveExecute();
  void ASaveAsExecute();
  void ATableExecute();
  void APrintExecute();
  void ACopyExecute();
  void AExportImageExecute();
  void ACursorsExecute(bool on);
  void ACopyCursorValuesExecute();
  void AAnalysisExecute();
  GraphCursorPanel* CursorPanel() const { return cursorPanel_; }
  // "Анализ переходного процесса" while it is open.
  TransientAnalysisDialog* AnalysisDialog() const;

  // The printed page as APrint lays it out now, with the main window's page
  // setup; PrintTo runs the job on `printer` without asking.
  GraphPagePrinter PagePrinter() const;
  void PrintTo(QPrinter& printer);

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  GraphWindowParts Parts() const;
  void BuildLayout();
  void BuildMenus();
  void ConnectActions();
  // A command that sets the plot's ranges, with the hourglass.
  void ApplyRangeCommand(bool (*command)(tornel::TGraphRecord&));
  void UpdateTitle();
  void UpdateBaseValues();
  void UpdateCursorPanel();
  // Widens the legend when its lines need more than it has; the user may
  // narrow it again until the lines change.
  void FitLegend();
  void UpdateAnalysisCursor();
  bool AskToSaveBeforeClosing();
  // Asks for a name and saves; false when cancelled or failed.
  bool SaveWithDialog();
  QString StartFolder() const;

  tornel::TGraphRecord record_;
  WindowHost& host_;
  bool closingAnswered_ = false;
  std::string configPath_;
  std::unique_ptr<GraphActions> actions_;
  GraphFilterCommands* filters_ = nullptr;
  QSplitter* captionSplitter_ = nullptr;
  QSplitter* legendSplitter_ = nullptr;
  QSplitter* baseSplitter_ = nullptr;
  GraphPaintBox* paintBox_ = nullptr;
  GraphLegendBox* legendBox_ = nullptr;
  GraphCursorPanel* cursorPanel_ = nullptr;
  GraphMemo* base_ = nullptr;
  GraphMemo* caption_ = nullptr;
  QMenu* popup_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* filterMenu_ = nullptr;
  QMenu* graphMenu_ = nullptr;
  QPointer<TGridFrm> tableView_;
  int legendFitted_ = 0;  // the legend's need at the last fit
  QPointer<TransientAnalysisDialog> analysis_;
};
