#include "ui/graph/grid_frm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QTableView>
#include <QVBoxLayout>

#include "core/graph/table_text.h"
#include "core/records/graph_record.h"
#include "core/text/number_text.h"
#include "ui/graph/grid_corner_label.h"
#include "ui/graph/grid_model.h"
#include "ui/static/sel_coord2.h"
#include "ui/widgets/busy_scope.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/window_host.h"

namespace {

constexpr int kColumnWidth = 60;
constexpr int kRowHeight = 18;
// Beyond this the text would take hundreds of megabytes; the user is asked
// to copy a part instead.
constexpr int64_t kMaxCopiedCells = 10'000'000;

}  // namespace

TGridFrm::TGridFrm(WindowHost& host, const tornel::TGraphRecord& record, tornel::MaskPair selected,
                   QWidget* parent)
    : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("TGridFrm"));
  setWindowTitle(QStringLiteral("Таблица"));
  model_ = new GridModel(tornel::TableColumns(record, selected), record.SampleFile, this);

  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("Grid"));
  grid_->setModel(model_);
  grid_->setWordWrap(false);
  grid_->setShowGrid(true);
  QHeaderView* rows = grid_->verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(std::max(kRowHeight, fontMetrics().height() + 4));
  rows->setDefaultAlignment(Qt::AlignCenter);
  rows->setMinimumWidth(kColumnWidth);
  QHeaderView* columns = grid_->horizontalHeader();
  columns->setSectionResizeMode(QHeaderView::Interactive);
  columns->setDefaultSectionSize(kColumnWidth);
  columns->setDefaultAlignment(Qt::AlignCenter);
  FitColumnsToHeaders();
  GridCornerLabel::Install(grid_, QString::fromStdString(model_->Columns().CornerText()));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid_);

  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("TablMenu"));
  AddCommand("mnPrint", QStringLiteral("Печать"), &TGridFrm::Print);
  AddCommand("mnSaveToBuf", QStringLiteral("Скопировать в буфер"), &TGridFrm::CopyPicture);
  AddCommand("mnCopyValues", QStringLiteral("Скопировать значения"), &TGridFrm::CopyValues);
  resize(332, 149);
}

TGridFrm::~TGridFrm() = default;

QAction* TGridFrm::AddCommand(const char* name, const QString& text, void (TGridFrm::*command)()) {
  QAction* action = menu_->addAction(text);
  action->setObjectName(QLatin1String(name));
  connect(action, &QAction::triggered, this, command);
  return action;
}

// A column starts at the default width, or wider when its header needs it.
void TGridFrm::FitColumnsToHeaders() {
  QHeaderView* header = grid_->horizontalHeader();
  for (int c = 0; c < model_->columnCount(); ++c) {
    header->resizeSection(c, std::max(kColumnWidth, header->sectionSizeHint(c)));
  }
}

void TGridFrm::Retarget(const std::string& sampleFile) { model_->Retarget(sampleFile); }

const std::string& TGridFrm::GridSampleFile() const { return model_->SampleFile(); }

const tornel::TableColumns& TGridFrm::Columns() const { return model_->Columns(); }

void TGridFrm::contextMenuEvent(QContextMenuEvent* event) {
  menu_->popup(event->globalPos());
  event->accept();
}

bool TGridFrm::PrintTo(QPrinter& printer) {
  const QPixmap picture = grab();
  printer.setDocName(windowTitle());
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = painter.viewport();
  const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter.drawPixmap(QRect(page.topLeft(), size), picture);
  return painter.end();
}

void TGridFrm::Print() {
  if (!PrintTo(host_.Printer())) ErrorBox::Show(this, QStringLiteral("Не удалось начать печать"));
}

void TGridFrm::CopyPicture() { QApplication::clipboard()->setImage(grab().toImage()); }

void TGridFrm::CopyValues() {
  const tornel::TableColumns& table = model_->Columns();
  const QItemSelection selection = grid_->selectionModel()->selection();
  tornel::TableTextRequest request;
  if (selection.isEmpty()) {
    request = {0, table.FrameRows(), 0, table.Count() + 1, true, {}};
  } else {
    int top = selection.front().top(), bottom = selection.front().bottom();
    int left = selection.front().left(), right = selection.front().right();
    for (const QItemSelectionRange& r : selection) {
      top = std::min(top, r.top());
      bottom = std::max(bottom, r.bottom());
      left = std::min(left, r.left());
      right = std::max(right, r.right());
    }
    request = {top, bottom - top + 1, left + 1, right - left + 1, false, {}};
    if (selection.size() > 1) {
      QItemSelectionModel* model = grid_->selectionModel();
      request.Selected = [this, model](int64_t frame, int column) {
        return model->isSelected(model_->index(static_cast<int>(frame), column - 1));
      };
    }
  }
  if (request.Frames * request.Columns > kMaxCopiedCells) {
    ErrorBox::ShowPlain(this, QStringLiteral("Слишком много ячеек для буфера обмена: выделите "
                                             "часть таблицы"));
    return;
  }
  BusyScope wait;
  const std::string text =
      tornel::TableText(table, model_->SampleFile(), request, tornel::SystemDecimalSeparator());
  QApplication::clipboard()->setText(QString::fromStdString(text));
}

namespace {

void BringToFront(TGridFrm* table) {
  if (auto* window = qobject_cast<QMdiSubWindow*>(table->parentWidget())) {
    if (window->isMinimized()) window->showNormal();
    if (QMdiArea* area = window->mdiArea()) area->setActiveSubWindow(window);
    return;
  }
  if (table->isMinimized()) table->showNormal();
  table->raise();
  table->activateWindow();
}

}  // namespace

TGridFrm* OpenTableView(WindowHost& host, tornel::TGraphRecord& record,
                        QPointer<TGridFrm>& tableView, QWidget* graphWindow) {
  if (tableView) {
    BringToFront(tableView);
    return tableView;
  }
  const auto selected = SelectTableChannels(record, graphWindow);
  if (!selected) return nullptr;
  record.RecountRecord();
  auto* table = new TGridFrm(host, record, *selected);
  tableView = table;
  QWidget* window = host.AddChild(table);
  // The table belongs to its graph window and goes with it.
  if (graphWindow != nullptr) {
    QObject::connect(graphWindow, &QObject::destroyed, window, [window] { delete window; });
  }
  window->show();
  return table;
}
