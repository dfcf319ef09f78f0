#include "ui/graph/graph_frm.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QSplitter>
#include <QVBoxLayout>
#include <filesystem>

#include "core/graph/base_values_text.h"
#include "core/graph/mouse_zoom.h"
#include "core/records/dta_info.h"
#include "core/text/number_text.h"
#include "ui/analysis/transient_analysis_dialog.h"
#include "ui/canvas/file_path.h"
#include "ui/canvas/record_picture.h"
#include "ui/graph/filter_progress_window.h"
#include "ui/graph/gr_dlg.h"
#include "ui/graph/graph_actions.h"
#include "ui/graph/graph_cursor_panel.h"
#include "ui/graph/graph_file_dialogs.h"
#include "ui/graph/graph_filter_commands.h"
#include "ui/graph/graph_legend_box.h"
#include "ui/graph/graph_memo.h"
#include "ui/graph/graph_page_printer.h"
#include "ui/graph/graph_paint_box.h"
#include "ui/graph/graph_panels.h"
#include "ui/graph/graph_window_parts.h"
#include "ui/graph/grid_frm.h"
#include "ui/widgets/busy_scope.h"
#include "ui/widgets/child_file_menu.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/save_question.h"
#include "ui/widgets/window_host.h"

namespace {

// The window as designed, in pixels.
constexpr int kDesignWidth = 553;
constexpr int kDesignHeight = 345;
constexpr int kBaseHeight = 54;
constexpr int kLegendWidth = 65;
constexpr int kCaptionHeight = 43;

}  // namespace

TGraphFrm::TGraphFrm(WindowHost& host, QWidget* parent)
    : QWidget(parent),
      host_(host),
      configPath_(host.Channels().ConfigPath),
      actions_(std::make_unique<GraphActions>(this)) {
  setObjectName(QStringLiteral("GraphFrm"));
  record_.InitRecord(host.Channels());
  setWindowTitle(QStringLiteral("График"));
  BuildLayout();
  BuildMenus();
  ConnectActions();
  filters_ = new GraphFilterCommands(
      {this, &record_, &host.Channels(), [this] { RefreshTable(); },
       [this](const std::function<void()>& work) { return ErrorBox::Guard(this, work); }},
      *actions_, this);
  filters_->SetProgressFactory([] { return std::make_unique<FilterProgressWindow>(); });
  filters_->Watch(filterMenu_);
  filters_->Watch(popup_->findChild<QMenu*>(QStringLiteral("PMGraphFilters")));
  resize(kDesignWidth, kDesignHeight);
  UpdateBaseValues();
}

TGraphFrm::~TGraphFrm() {
  delete analysis_;
  if (tableView_) {
    auto* frame = qobject_cast<QMdiSubWindow*>(tableView_->parentWidget());
    QWidget* window = frame ? static_cast<QWidget*>(frame) : tableView_.data();
    delete window;
  }
  // The views go before the record they show.
  delete captionSplitter_;
}

void TGraphFrm::BuildLayout() {
  paintBox_ = new GraphPaintBox(record_);
  legendBox_ = new GraphLegendBox(record_);
  base_ = new GraphMemo(QStringLiteral("MBase"), QStringLiteral("PMBase"),
                        QStringLiteral("SelFontBase"));
  caption_ = new GraphMemo(QStringLiteral("MCaption"), QStringLiteral("PMCaption"),
                           QStringLiteral("SelFontCaption"));
  caption_->SetText(QStringLiteral("Рисунок 1"));

  QFrame* graphPanel = MakePanel("GraphPanel", paintBox_, true);
  graphPanel->setAutoFillBackground(true);
  graphPanel->setBackgroundRole(QPalette::Base);
  const int upperHeight = kDesignHeight - kCaptionHeight - kPanelSplitterWidth;
  baseSplitter_ = MakeSplitter("Splitter_base", Qt::Vertical, graphPanel,
                               MakePanel("BasePanel", base_), kBaseHeight, upperHeight);
  QFrame* panel1 = MakePanel("Panel1", baseSplitter_);
  legendSplitter_ = MakeSplitter("Splitter_legend", Qt::Horizontal, panel1,
                                 MakePanel("LegendPanel", legendBox_), kLegendWidth, kDesignWidth);
  cursorPanel_ = new GraphCursorPanel(record_);
  cursorPanel_->setFont(font());
  legendSplitter_->addWidget(cursorPanel_);
  legendSplitter_->setStretchFactor(2, 0);
  cursorPanel_->hide();
  captionSplitter_ =
      MakeSplitter("Splitter_caption", Qt::Vertical, legendSplitter_,
                   MakePanel("CaptionPanel", caption_), kCaptionHeight, kDesignHeight);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(captionSplitter_);

  connect(paintBox_, &GraphPaintBox::Rendered, this, [this] {
    UpdateBaseValues();
    legendBox_->update();
  });
  // After the paint, so that the splitter is not moved while it is drawn.
  connect(paintBox_, &GraphPaintBox::Rendered, this, &TGraphFrm::FitLegend, Qt::QueuedConnection);
  connect(paintBox_, &GraphPaintBox::CursorsMoved, this, &TGraphFrm::UpdateCursorPanel);
  connect(paintBox_, &GraphPaintBox::CursorsMoved, this, &TGraphFrm::UpdateAnalysisCursor);
  connect(paintBox_, &GraphPaintBox::Rendered, this, &TGraphFrm::UpdateCursorPanel);
  connect(paintBox_, &GraphPaintBox::PopupRequested, this,
          [this](const QPoint& at) { popup_->popup(at); });
}

void TGraphFrm::BuildMenus() {
  const GraphActions& a = *actions_;
  auto filters = [&a](QMenu* menu) {
    const QList<QAction*> order = a.FilterMenuOrder();
    menu->addActions(order.mid(0, 5));
    menu->addSeparator();
    menu->addActions(order.mid(5));
  };

  popup_ = new QMenu(this);
  popup_->setObjectName(QStringLiteral("PMGraph"));
  popup_->addActions({a.AGrNast, a.ATable, a.ASpectrum});
  QMenu* popupFilters = popup_->addMenu(QStringLiteral("Фильтры"));
  popupFilters->setObjectName(QStringLiteral("PMGraphFilters"));
  filters(popupFilters);
  popup_->addSeparator();
  popup_->addActions({a.AAutoScale, a.AWholeGraph});
  popup_->addSeparator();
  popup_->addActions({a.ACopy, a.AExportImage});
  popup_->addSeparator();
  popup_->addActions({a.ACursors, a.ACopyCursorValues});
  popup_->addSeparator();
  popup_->addAction(a.AAnalysis);

  fileMenu_ = MakeChildFileMenu(this, "GraphFileMenu", host_.Commands(), {a.ASave, a.ASaveAs},
                                {a.APrint, a.AExportImage});

  filterMenu_ = new QMenu(QStringLiteral("Фильтры"), this);
  filterMenu_->setObjectName(QStringLiteral("GraphFilterMenu"));
  filters(filterMenu_);

  graphMenu_ = new QMenu(QStringLiteral("График"), this);
  graphMenu_->setObjectName(QStringLiteral("GraphMenu"));
  graphMenu_->addActions({a.AGrNast, a.ATable, a.ASpectrum});
  graphMenu_->addSeparator();
  graphMenu_->addActions({a.AAutoScale, a.AWholeGraph});
  graphMenu_->addSeparator();
  graphMenu_->addActions({a.ACopy, a.AExportImage});
  graphMenu_->addSeparator();
  graphMenu_->addActions({a.ACursors, a.ACopyCursorValues});
  graphMenu_->addSeparator();
  graphMenu_->addAction(a.AAnalysis);
}

void TGraphFrm::ConnectActions() {
  const GraphActions& a = *actions_;
  // Short-cuts work while the window has the focus, whatever menu is shown.
  addActions(a.All());
  connect(a.AGrNast, &QAction::triggered, this, &TGraphFrm::AGrNastExecute);
  connect(a.ASave, &QAction::triggered, this, &TGraphFrm::ASaveExecute);
  connect(a.ASaveAs, &QAction::triggered, this, &TGraphFrm::ASaveAsExecute);
  connect(a.ATable, &QAction::triggered, this, &TGraphFrm::ATableExecute);
  connect(a.AAutoScale, &QAction::triggered, this,
          [this] { ApplyRangeCommand(tornel::AutoScaleY); });
  connect(a.AWholeGraph, &QAction::triggered, this,
          [this] { ApplyRangeCommand(tornel::ShowWholeGraph); });
  connect(a.APrint, &QAction::triggered, this, &TGraphFrm::APrintExecute);
  connect(a.ACopy, &QAction::triggered, this, &TGraphFrm::ACopyExecute);
  connect(a.AExportImage, &QAction::triggered, this, &TGraphFrm::AExportImageExecute);
  connect(a.ACursors, &QAction::toggled, this, &TGraphFrm::ACursorsExecute);
  connect(a.ACopyCursorValues, &QAction::triggered, this, &TGraphFrm::ACopyCursorValuesExecute);
  connect(a.AAnalysis, &QAction::triggered, this, &TGraphFrm::AAnalysisExecute);
}

QSize TGraphFrm::sizeHint() const { return QSize(kDesignWidth, kDesignHeight); }

QList<QMenu*> TGraphFrm::ChildMenus() const { return {fileMenu_, filterMenu_, graphMenu_}; }

void TGraphFrm::OpenDataFile(const QString& path) {
  record_.LoadDta(FilePath(path));
  record_.RecountRecord();
  DataFileName = path;
  UpdateTitle();
  RefreshPicture();
  // The file still opens, but its times are spread over fewer frames.
  const std::string warning =
      tornel::PartialFrameWarning(tornel::ReadDtaInfo(FilePath(path)), path.toStdString());
  if (!warning.empty()) ErrorBox::ShowWarning(this, QString::fromStdString(warning));
}

void TGraphFrm::SaveDataFile(const QString& path) {
  record_.SaveDta(FilePath(path));
  DataFileName = path;
  UpdateTitle();
}

void TGraphFrm::ApplyRangeCommand(bool (*command)(tornel::TGraphRecord&)) {
  bool changed = false;
  ErrorBox::Guard(this, [&] {
    BusyScope busy;  // the autorange reads the whole sample file
    changed = command(record_);
  });
  if (changed) RefreshPicture();
}

void TGraphFrm::UpdateTitle() {
  const QString kind = record_.IsStatic ? QStringLiteral("Статическая характеристика")
                                        : QStringLiteral("Переходный процесс");
  setWindowTitle(kind + QStringLiteral(" [") + DataFileName + QStringLiteral("]"));
  if (analysis_) analysis_->SetFileName(DataFileName);
}

void TGraphFrm::UpdateBaseValues() {
  base_->SetText(
      QString::fromStdString(tornel::BaseValuesText(record_, tornel::SystemDecimalSeparator())));
}

void TGraphFrm::RefreshPicture() {
  if (filters_) filters_->UpdateActions();
  UpdateBaseValues();
  paintBox_->Invalidate();
  legendBox_->update();
}

void TGraphFrm::RefreshTable() {
  if (tableView_) tableView_->Retarget(record_.SampleFile);
  if (analysis_) analysis_->Forget();
  RefreshPicture();
}

QString TGraphFrm::StartFolder() const {
  return DataFileName.isEmpty() ? QString() : QFileInfo(DataFileName).absolutePath();
}

bool TGraphFrm::SaveWithDialog() {
  const QString path = AskDataFileName(this, StartFolder());
  if (path.isEmpty()) return false;
  return ErrorBox::Guard(this, [&] { SaveDataFile(path); });
}

void TGraphFrm::AGrNastExecute() {
  bool changed = false;
  ErrorBox::Guard(this, [&] { changed = EditRecordSettings(record_, configPath_, this); });
  if (changed) RefreshPicture();
}

void TGraphFrm::ASaveExecute() {
  if (DataFileName.isEmpty()) {
    SaveWithDialog();
  } else {
    ErrorBox::Guard(this, [&] { SaveDataFile(DataFileName); });
  }
}

void TGraphFrm::ASaveAsExecute() { SaveWithDialog(); }

TGridFrm* TGraphFrm::TableView() const { return tableView_; }

void TGraphFrm::ATableExecute() {
  ErrorBox::Guard(this, [&] { OpenTableView(host_, record_, tableView_, this); });
}

GraphWindowParts TGraphFrm::Parts() const {
  return {const_cast<TGraphFrm*>(this),
          paintBox_,
          base_,
          caption_,
          legendSplitter_,
          baseSplitter_,
          captionSplitter_};
}

GraphPagePrinter TGraphFrm::PagePrinter() const {
  GraphPagePrinter page = Parts().PagePrinter(host_.PageSetup());
  if (paintBox_->CursorsShown()) {
    page.cursors = paintBox_->Cursors();
    page.cursorReadout = QString::fromStdString(cursorPanel_->ShownText());
  }
  page.marks = paintBox_->TransientMarks();
  return page;
}

void TGraphFrm::PrintTo(QPrinter& printer) { PagePrinter().Print(record_, printer, windowTitle()); }

void TGraphFrm::APrintExecute() {
  QPrinter& printer = host_.Printer();
  if (!AskToPrint(printer, this)) return;
  ErrorBox::Guard(this, [&] { PrintTo(printer); });
}

void TGraphFrm::ACopyExecute() { Parts().CopyToClipboard(); }

void TGraphFrm::AExportImageExecute() {
  QString start = StartFolder();
  if (!DataFileName.isEmpty()) start += "/" + QFileInfo(DataFileName).completeBaseName() + ".png";
  QSize imageSize = size();
  const QString path = AskImageFileName(this, start, imageSize);
  if (path.isEmpty()) return;
  tornel::RecordPicture picture = Parts().Picture(imageSize);
  if (paintBox_->CursorsShown()) {
    picture.cursors = paintBox_->Cursors();
    picture.cursorReadout = QString::fromStdString(cursorPanel_->ShownText());
  }
  picture.marks = paintBox_->TransientMarks();
  ErrorBox::Guard(this, [&] { tornel::ExportRecordPicture(record_, path, picture); });
}

void TGraphFrm::ACursorsExecute(bool on) {
  actions_->ACopyCursorValues->setEnabled(on);
  if (on) {
    // The panel takes its width from the plot, the legend keeps its own.
    QList<int> sizes = legendSplitter_->sizes();
    const int panel = std::max(sizes[0] / 2, kMinPanelSize);
    sizes[0] -= panel;
    sizes[2] = panel;
    cursorPanel_->show();
    legendSplitter_->setSizes(sizes);
  } else {
    cursorPanel_->hide();
  }
  paintBox_->SetCursorsShown(on);
  paintBox_->Invalidate();
  UpdateAnalysisCursor();
}

void TGraphFrm::FitLegend() {
  const int need = legendBox_->NeededWidth();
  if (need == legendFitted_) return;
  legendFitted_ = need;
  QList<int> sizes = legendSplitter_->sizes();
  // The plot keeps at least half of the width.
  const int grow = std::min(need - sizes[1], (sizes[0] - sizes[1]) / 2);
  if (grow <= 0) return;
  sizes[0] -= grow;
  sizes[1] += grow;
  legendSplitter_->setSizes(sizes);
}

void TGraphFrm::UpdateCursorPanel() {
  if (!paintBox_->CursorsShown()) return;
  const tornel::CursorPair& c = paintBox_->Cursors();
  cursorPanel_->Measure(c.Frame(0), c.Frame(1));
}

TransientAnalysisDialog* TGraphFrm::AnalysisDialog() const { return analysis_; }

void TGraphFrm::AAnalysisExecute() {
  if (!analysis_) {
    analysis_ = new TransientAnalysisDialog(record_, this);
    connect(analysis_, &TransientAnalysisDialog::ResultChanged, this,
            [this] { paintBox_->SetTransientMarks(analysis_->Result()); });
    connect(analysis_, &TransientAnalysisDialog::SchemeRequested, this,
            [this](const tornel::FitSchemeModel& model) { host_.OpenFitScheme(model); });
  }
  analysis_->SetFileName(DataFileName);
  UpdateAnalysisCursor();
  analysis_->show();
  analysis_->raise();
  analysis_->activateWindow();
}

void TGraphFrm::UpdateAnalysisCursor() {
  if (!analysis_) return;
  analysis_->SetCursorFrame(paintBox_->CursorsShown()
                                ? std::optional<int64_t>(paintBox_->Cursors().Frame(0))
                                : std::nullopt);
}

void TGraphFrm::ACopyCursorValuesExecute() {
  if (paintBox_->CursorsShown()) QGuiApplication::clipboard()->setText(cursorPanel_->CopyText());
}

bool TGraphFrm::AskToSaveBeforeClosing() {
  if (!DataFileName.isEmpty() || record_.OrigFile.empty()) return true;
  std::error_code error;
  if (!std::filesystem::exists(record_.OrigFile, error)) return true;
  return ::AskToSaveBeforeClosing(this, QStringLiteral("Сохранить данные в файл?"),
                                  [this] { return SaveWithDialog(); });
}

bool TGraphFrm::AskBeforeClosing() {
  closingAnswered_ = AskToSaveBeforeClosing();
  return closingAnswered_;
}

void TGraphFrm::closeEvent(QCloseEvent* event) {
  if (!closingAnswered_ && !AskToSaveBeforeClosing()) {
    event->ignore();
    return;
  }
  event->accept();
}
