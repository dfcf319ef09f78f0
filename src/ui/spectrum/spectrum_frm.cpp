#include "ui/spectrum/spectrum_frm.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPrinter>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/graph/cursor_readout.h"
#include "core/spectrum/spectrum_text.h"
#include "core/text/number_text.h"
#include "ui/graph/graph_file_dialogs.h"
#include "ui/graph/graph_legend_box.h"
#include "ui/graph/graph_memo.h"
#include "ui/graph/graph_paint_box.h"
#include "ui/graph/graph_panels.h"
#include "ui/graph/graph_window_parts.h"
#include "ui/spectrum/spectrum_actions.h"
#include "ui/widgets/child_file_menu.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/window_host.h"

namespace {

// The window as it opens, in pixels: room for a 40-row table at the right
// and three summary lines under the plot.
constexpr int kDesignWidth = 840;
constexpr int kDesignHeight = 480;
constexpr int kTableWidth = 260;
constexpr int kBaseHeight = 62;
constexpr int kCaptionHeight = 43;

std::string Text(const QString& s) { return s.toStdString(); }

}  // namespace

TSpectrumFrm::TSpectrumFrm(WindowHost& host, tornel::SpectrumPlot plot, const QString& source,
                           QWidget* parent)
    : QWidget(parent),
      plot_(std::move(plot)),
      host_(host),
      actions_(std::make_unique<SpectrumActions>(this)) {
  setObjectName(QStringLiteral("SpectrumFrm"));
  const QString channel = QString::fromStdString(plot_.ChannelName());
  setWindowTitle(QStringLiteral("Спектр: ") + channel +
                 (source.isEmpty() ? QString() : QStringLiteral(" — ") + source));
  BuildLayout();
  BuildMenus();
  ConnectActions();
  caption_->SetText(QStringLiteral("Спектр: ") + channel);
  summary_->SetText(
      QString::fromStdString(tornel::SpectrumSummaryText(plot_.Result(), plot_.Unit(),
                                                         tornel::SystemDecimalSeparator()))
          .trimmed());
  FillTable();
  resize(kDesignWidth, kDesignHeight);
}

TSpectrumFrm::~TSpectrumFrm() {
  // The views go before the record they show.
  delete captionSplitter_;
}

void TSpectrumFrm::BuildLayout() {
  tornel::TGraphRecord& record = plot_.Record();
  paintBox_ = new GraphPaintBox(record);
  legendBox_ = new GraphLegendBox(record);
  legendBox_->setFixedHeight(3 * QFontMetrics(font()).lineSpacing());
  table_ = new QTableWidget;
  table_->setObjectName(QStringLiteral("HarmonicTable"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 4);
  table_->horizontalHeader()->setStretchLastSection(true);
  summary_ = new GraphMemo(QStringLiteral("MBase"), QStringLiteral("PMBase"),
                           QStringLiteral("SelFontBase"));
  caption_ = new GraphMemo(QStringLiteral("MCaption"), QStringLiteral("PMCaption"),
                           QStringLiteral("SelFontCaption"));

  auto* right = new QWidget;
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->addWidget(legendBox_);
  rightLayout->addWidget(table_, 1);

  QFrame* graphPanel = MakePanel("GraphPanel", paintBox_, true);
  graphPanel->setAutoFillBackground(true);
  graphPanel->setBackgroundRole(QPalette::Base);
  const int upperHeight = kDesignHeight - kCaptionHeight - kPanelSplitterWidth;
  baseSplitter_ = MakeSplitter("Splitter_base", Qt::Vertical, graphPanel,
                               MakePanel("BasePanel", summary_), kBaseHeight, upperHeight);
  legendSplitter_ =
      MakeSplitter("Splitter_legend", Qt::Horizontal, MakePanel("Panel1", baseSplitter_),
                   MakePanel("LegendPanel", right), kTableWidth, kDesignWidth);
  captionSplitter_ =
      MakeSplitter("Splitter_caption", Qt::Vertical, legendSplitter_,
                   MakePanel("CaptionPanel", caption_), kCaptionHeight, kDesignHeight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(captionSplitter_);
  connect(paintBox_, &GraphPaintBox::PopupRequested, this,
          [this](const QPoint& at) { popup_->popup(at); });
}

void TSpectrumFrm::BuildMenus() {
  const SpectrumActions& a = *actions_;
  auto fill = [&a](QMenu* menu) {
    for (QAction* action : a.MenuOrder()) {
      if (action == nullptr) {
        menu->addSeparator();
      } else {
        menu->addAction(action);
      }
    }
  };
  popup_ = new QMenu(this);
  popup_->setObjectName(QStringLiteral("PMSpectrum"));
  fill(popup_);

  fileMenu_ =
      MakeChildFileMenu(this, "SpectrumFileMenu", host_.Commands(), {}, {a.APrint, a.AExportImage});

  spectrumMenu_ = new QMenu(QStringLiteral("Спектр"), this);
  spectrumMenu_->setObjectName(QStringLiteral("SpectrumMenu"));
  fill(spectrumMenu_);
}

void TSpectrumFrm::ConnectActions() {
  const SpectrumActions& a = *actions_;
  connect(a.ALinearScale, &QAction::triggered, this,
          [this] { SetScale(tornel::SpectrumScale::Linear); });
  connect(a.ALogScale, &QAction::triggered, this,
          [this] { SetScale(tornel::SpectrumScale::Logarithmic); });
  connect(a.AWholeSpectrum, &QAction::triggered, this, &TSpectrumFrm::AWholeSpectrumExecute);
  connect(a.ACopy, &QAction::triggered, this, &TSpectrumFrm::ACopyExecute);
  connect(a.ACopyTable, &QAction::triggered, this, &TSpectrumFrm::ACopyTableExecute);
  connect(a.AExportImage, &QAction::triggered, this, &TSpectrumFrm::AExportImageExecute);
  connect(a.APrint, &QAction::triggered, this, &TSpectrumFrm::APrintExecute);
}

QList<QMenu*> TSpectrumFrm::ChildMenus() const { return {fileMenu_, spectrumMenu_}; }

QSize TSpectrumFrm::sizeHint() const { return QSize(kDesignWidth, kDesignHeight); }

QString TSpectrumFrm::HarmonicText() const {
  return QString::fromStdString(
      tornel::HarmonicTableText(plot_.Result(), plot_.Unit(), tornel::SystemDecimalSeparator()));
}

void TSpectrumFrm::FillTable() {
  const auto rows = tornel::ReadoutCells(Text(HarmonicText()));
  if (rows.empty()) return;
  QStringList header;
  for (const std::string& cell : rows.front()) header << QString::fromStdString(cell);
  table_->setColumnCount(static_cast<int>(header.size()));
  table_->setHorizontalHeaderLabels(header);
  table_->setRowCount(static_cast<int>(rows.size()) - 1);
  for (std::size_t r = 1; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(rows[r][c]));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(static_cast<int>(r) - 1, static_cast<int>(c), item);
    }
  }
  table_->resizeColumnsToContents();
}

void TSpectrumFrm::RefreshPicture() {
  paintBox_->Invalidate();
  legendBox_->update();
}

void TSpectrumFrm::SetScale(tornel::SpectrumScale scale) {
  plot_.SetScale(scale);
  const bool linear = scale == tornel::SpectrumScale::Linear;
  actions_->ALinearScale->setChecked(linear);
  actions_->ALogScale->setChecked(!linear);
  RefreshPicture();
}

void TSpectrumFrm::AWholeSpectrumExecute() {
  tornel::TGraphRecord& record = plot_.Record();
  record.TMin = 0;
  record.TMax = record.Duration;
  RefreshPicture();
}

GraphWindowParts TSpectrumFrm::Parts() const {
  return {const_cast<TSpectrumFrm*>(this),
          paintBox_,
          summary_,
          caption_,
          legendSplitter_,
          baseSplitter_,
          captionSplitter_};
}

void TSpectrumFrm::ACopyExecute() { Parts().CopyToClipboard(); }

void TSpectrumFrm::ACopyTableExecute() { QGuiApplication::clipboard()->setText(HarmonicText()); }

GraphPagePrinter TSpectrumFrm::PagePrinter() const {
  GraphPagePrinter page = Parts().PagePrinter(host_.PageSetup());
  page.legendTable = HarmonicText();
  return page;
}

tornel::RecordPicture TSpectrumFrm::Picture(QSize size) const {
  tornel::RecordPicture picture = Parts().Picture(size);
  picture.legendTable = HarmonicText();
  return picture;
}

void TSpectrumFrm::PrintTo(QPrinter& printer) {
  PagePrinter().Print(plot_.Record(), printer, windowTitle());
}

void TSpectrumFrm::APrintExecute() {
  QPrinter& printer = host_.Printer();
  if (!AskToPrint(printer, this)) return;
  ErrorBox::Guard(this, [&] { PrintTo(printer); });
}

void TSpectrumFrm::AExportImageExecute() {
  QSize imageSize = size();
  const QString path = AskImageFileName(this, QString(), imageSize);
  if (path.isEmpty()) return;
  const tornel::RecordPicture picture = Picture(imageSize);
  ErrorBox::Guard(this, [&] { tornel::ExportRecordPicture(plot_.Record(), path, picture); });
}
