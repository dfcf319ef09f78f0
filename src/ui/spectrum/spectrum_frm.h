#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <memory>

#include "core/spectrum/spectrum_plot.h"
#include "ui/canvas/record_picture.h"
#include "ui/graph/graph_page_printer.h"
#include "ui/widgets/child_menu_provider.h"

class GraphLegendBox;
class GraphMemo;
class GraphPaintBox;
struct GraphWindowParts;
class QMenu;
class QPrinter;
class QSplitter;
class QTableWidget;
class SpectrumActions;
class WindowHost;

// "Спектр": a channel's amplitude spectrum drawn by the plot engine against
// frequency (zoomed with the mouse as a graph is), its legend and harmonic
// table at the right, the fundamental, THD and DC below it and a free
// caption at the bottom. It copies, prints and exports its picture as the
// graph window does, the harmonic table standing under the legend. While it
// is the active child its "&Файл" and "Спектр" stand in the main window's
// menu bar.
//
// The window owns its spectrum and the spectrum's sample file; the graph
// window it came from may close first.
class TSpectrumFrm : public QWidget, public ChildMenuProvider {
  Q_OBJECT

public:
  // `source` names where the spectrum came from (the graph window's title).
  TSpectrumFrm(WindowHost& host, tornel::SpectrumPlot plot, const QString& source,
               QWidget* parent = nullptr);
  ~TSpectrumFrm() override;

  QList<QMenu*> ChildMenus() const override;
  QSize sizeHint() const override;

  const tornel::SpectrumPlot& Plot() const { return plot_; }
  const SpectrumActions& Actions() const { return *actions_; }
  QMenu* Popup() const { return popup_; }
  GraphPaintBox* PaintBox() const { return paintBox_; }
  QTableWidget* HarmonicTable() const { return table_; }

  // The harmonic table as tab-separated lines, decimals as the user writes them.
  QString HarmonicText() const;
  // The page APrint lays out now, and the picture AExportImage writes.
  GraphPagePrinter PagePrinter() const;
  tornel::RecordPicture Picture(QSize size) const;
  void PrintTo(QPrinter& printer);

  // The commands, named after their actions.
  void SetScale(tornel::SpectrumScale scale);
  void AWholeSpectrumExecute();
  void ACopyExecute();
  void ACopyTableExecute();
  void AExportImageExecute();
  void APrintExecute();

private:
  GraphWindowParts Parts() const;
  void BuildLayout();
  void BuildMenus();
  void ConnectActions();
  void FillTable();
  void RefreshPicture();

  tornel::SpectrumPlot plot_;
  WindowHost& host_;
  std::unique_ptr<SpectrumActions> actions_;
  QSplitter* captionSplitter_ = nullptr;
  QSplitter* legendSplitter_ = nullptr;
  QSplitter* baseSplitter_ = nullptr;
  GraphPaintBox* paintBox_ = nullptr;
  GraphLegendBox* legendBox_ = nullptr;
  QTableWidget* table_ = nullptr;
  GraphMemo* summary_ = nullptr;
  GraphMemo* caption_ = nullptr;
  QMenu* popup_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* spectrumMenu_ = nullptr;
};
