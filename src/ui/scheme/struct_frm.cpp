#include "ui/scheme/struct_frm.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "core/scheme/block_values_edit.h"
#include "core/scheme/delete_blocks_edit.h"
#include "core/scheme/move_blocks_edit.h"
#include "core/scheme/place_block_edit.h"
#include "core/scheme/rotate_blocks_edit.h"
#include "core/scheme/run_messages.h"
#include "core/scheme/scheme_calculation.h"
#include "core/scheme/scheme_file.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"
#include "ui/graph/gr_dlg.h"
#include "ui/graph/graph_page_printer.h"
#include "ui/graph/record_summaries.h"
#include "ui/scheme/block_widget.h"
#include "ui/scheme/calc_progress.h"
#include "ui/scheme/input_par.h"
#include "ui/scheme/rasch_dlg.h"
#include "ui/scheme/scheme_actions.h"
#include "ui/scheme/scheme_mouse.h"
#include "ui/scheme/scheme_paint_box.h"
#include "ui/scheme/scheme_undo_command.h"
#include "ui/static/combo_dlg.h"
#include "ui/widgets/edit_numbers.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/qt_busy_cursor.h"
#include "ui/widgets/save_question.h"
#include "ui/widgets/titled_message_box.h"
#include "ui/widgets/window_host.h"

using tornel::TBlock;

namespace {

constexpr int kPaletteHeight = 65;
constexpr int kAreaMargin = 20;

}  // namespace

TStructFrm::TStructFrm(WindowHost& host, QWidget* parent)
    : QWidget(parent),
      host_(host),
      measure_(font()),
      factory_(measure_, host.Channels()),
      scheme_(factory_),
      painter_(font()),
      actions_(std::make_unique<SchemeActions>(this)),
      undo_(new QUndoStack(this)) {
  setObjectName(QStringLiteral("StructFrm"));
  setAttribute(Qt::WA_DeleteOnClose);
  mouse_ = std::make_unique<SchemeMouse>(
      scheme_, SchemeMouse::Hooks{
                   [this](tornel::Point at) { return BlockAt(at); },
                   [this](int kind, tornel::Point at) { PlaceBlock(kind, at); },
                   [this](std::unique_ptr<tornel::SchemeEdit> edit) { Commit(std::move(edit)); },
                   [this](TBlock* block) { EditBlock(block); },
                   [this](TBlock* block) {
                     if (TBlockWidget* widget = WidgetOf(block)) widget->raise();
                   },
                   [this] { Refresh(); },
                   [this] {
                     const QSize area =
                         scrollBox_ != nullptr ? scrollBox_->viewport()->size() : QSize(0, 0);
                     return tornel::Point{area.width(), area.height()};
                   }});
  BuildPalette();
  scrollBox_ = new QScrollArea(this);
  scrollBox_->setObjectName(QStringLiteral("SB"));
  scrollBox_->setWidgetResizable(true);
  scrollBox_->setBackgroundRole(QPalette::Base);
  paintBox_ = new SchemePaintBox(scheme_, *mouse_, scrollBox_);
  scrollBox_->setWidget(paintBox_);
  // A maximised graph block follows the visible area.
  scrollBox_->viewport()->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tabs_);
  layout->addWidget(scrollBox_, 1);
  BuildMenus();
  ConnectActions();
  UpdateTitle();
  Refresh();
}

TStructFrm::~TStructFrm() {
  // The commands hold blocks the scheme no longer has; they go before it.
  undo_->clear();
}

void TStructFrm::BuildPalette() {
  const SchemeActions& a = *actions_;
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("PageControl1"));
  tabs_->setFixedHeight(kPaletteHeight);
  tabs_->tabBar()->setAttribute(Qt::WA_Hover);
  const QList<std::pair<QString, QList<QAction*>>> pages = {
      {QStringLiteral("Генераторы"),
       {a.AGenStep, a.AGenLine, a.AGenImp, a.AGenSinT, a.AGenCosT, a.AGenMeandr}},
      {QStringLiteral("Динам.зв."), {a.AIntegr, a.AAperiod, a.APIReg, a.AProporc}},
      {QStringLiteral("Алгебр.выр."), {a.ASumBlk, a.AMulBlk}},
      {QStringLiteral("График"), {a.AGraph}},
      {QStringLiteral("Плата ввода-вывода"), {a.AACP, a.ACAP}},
      {QStringLiteral("Стат.зв."), {a.AZi, a.AOgr}},
  };
  int n = 0;
  for (const auto& [caption, buttons] : pages) {
    auto* bar = new QToolBar(tabs_);
    bar->setObjectName(QStringLiteral("ToolBar%1").arg(++n));
    bar->setIconSize(QSize(30, 30));
    bar->addAction(a.AUnselect);
    bar->addSeparator();
    bar->addActions(buttons);
    for (QAction* action : bar->actions()) {
      if (QWidget* button = bar->widgetForAction(action); button && !action->isSeparator()) {
        button->setFixedSize(37, 37);
      }
    }
    tabs_->addTab(bar, caption);
  }
}

void TStructFrm::BuildMenus() {
  const SchemeActions& a = *actions_;
  const MainCommands& main = host_.Commands();
  auto addMain = [](QMenu* menu, std::initializer_list<QAction*> actions) {
    for (QAction* action : actions) {
      if (action != nullptr) menu->addAction(action);
    }
  };
  fileMenu_ = new QMenu(QStringLiteral("&Файл"), this);
  fileMenu_->setObjectName(QStringLiteral("SchemeFileMenu"));
  addMain(fileMenu_, {main.APerehHar, main.AStaticHar, main.AStructFrm});
  fileMenu_->addSeparator();
  addMain(fileMenu_, {main.FileOpen, main.FileClose});
  fileMenu_->addSeparator();
  fileMenu_->addActions({a.ASave, a.ASaveAs, a.APrintGraph});
  fileMenu_->addSeparator();
  addMain(fileMenu_, {main.APageSetup, main.APrintSetup});
  fileMenu_->addSeparator();
  addMain(fileMenu_, {main.FileExit});

  calcMenu_ = new QMenu(QStringLiteral("Расчет"), this);
  calcMenu_->setObjectName(QStringLiteral("SchemeCalcMenu"));
  calcMenu_->addAction(a.ACalc);

  blocksMenu_ = new QMenu(QStringLiteral("&Блоки"), this);
  blocksMenu_->setObjectName(QStringLiteral("SchemeBlocksMenu"));
  blocksMenu_->addMenu(QStringLiteral("&Генераторы"))
      ->addActions({a.AGenStep, a.AGenLine, a.AGenImp, a.AGenSinT, a.AGenCosT, a.AGenMeandr});
  blocksMenu_->addMenu(QStringLiteral("&Динам.зв."))
      ->addActions({a.AIntegr, a.AAperiod, a.APIReg, a.AProporc});
  blocksMenu_->addMenu(QStringLiteral("&Алгебр.выр."))->addActions({a.ASumBlk, a.AMulBlk});
  blocksMenu_->addMenu(QStringLiteral("&Плата ввода-вывода"))->addActions({a.AACP, a.ACAP});
  QAction* graphItem = blocksMenu_->addAction(QStringLiteral("&График"));
  graphItem->setObjectName(QStringLiteral("MGraph"));
  connect(graphItem, &QAction::triggered, a.AGraph, &QAction::trigger);
  connect(a.AGraph, &QAction::changed, graphItem,
          [graphItem, graph = a.AGraph] { graphItem->setEnabled(graph->isEnabled()); });
  blocksMenu_->addSeparator();
  blocksMenu_->addAction(a.AUnselect);

  editMenu_ = new QMenu(QStringLiteral("&Редактор"), this);
  editMenu_->setObjectName(QStringLiteral("SchemeEditMenu"));
  editMenu_->addActions({a.ARotate, a.ADelete});
  editMenu_->addSeparator();
  editMenu_->addActions({a.AUndo, a.ARedo});
}

void TStructFrm::ConnectActions() {
  const SchemeActions& a = *actions_;
  // Short-cuts work while this window has the focus, whatever menu is shown.
  addActions(a.All());
  for (QAction* action : a.All()) action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(a.Palette, &QActionGroup::triggered, this, [this](QAction* action) {
    mouse_->SetPlaceMode(action->data().toInt());
    UpdateActions();
  });
  connect(a.ARotate, &QAction::triggered, this, &TStructFrm::ARotateExecute);
  connect(a.ADelete, &QAction::triggered, this, &TStructFrm::ADeleteExecute);
  connect(a.ASave, &QAction::triggered, this, &TStructFrm::ASaveExecute);
  connect(a.ASaveAs, &QAction::triggered, this, &TStructFrm::ASaveAsExecute);
  connect(a.ACalc, &QAction::triggered, this, &TStructFrm::ACalcExecute);
  connect(a.APrintGraph, &QAction::triggered, this, &TStructFrm::APrintGraphExecute);
  connect(a.AUndo, &QAction::triggered, this, [this] {
    if (!mouse_->Busy()) undo_->undo();
  });
  connect(a.ARedo, &QAction::triggered, this, [this] {
    if (!mouse_->Busy()) undo_->redo();
  });
  connect(undo_, &QUndoStack::canUndoChanged, a.AUndo, &QAction::setEnabled);
  connect(undo_, &QUndoStack::canRedoChanged, a.ARedo, &QAction::setEnabled);
  a.AUndo->setEnabled(false);
  a.ARedo->setEnabled(false);
}

QSize TStructFrm::sizeHint() const { return QSize(640, 480); }

QList<QMenu*> TStructFrm::ChildMenus() const {
  return {fileMenu_, calcMenu_, blocksMenu_, editMenu_};
}

int TStructFrm::PlaceMode() const { return mouse_->PlaceMode(); }

TBlockWidget* TStructFrm::WidgetOf(const TBlock* block) const { return widgets_.value(block); }

TBlock* TStructFrm::BlockAt(tornel::Point at) const {
  // Block windows let the mouse through, so childAt() does not see them; the
  // topmost is the last in stacking order.
  const QObjectList& children = paintBox_->children();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    auto* widget = qobject_cast<TBlockWidget*>(*it);
    if (widget != nullptr && widget->isVisible() && widget->geometry().contains(at.x, at.y)) {
      return &widget->Block();
    }
  }
  return nullptr;
}

QRect TStructFrm::ShownRect(const TBlock& block) const {
  const tornel::PlotRect r = mouse_->ShownBounds(block);
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

void TStructFrm::Refresh() {
  QHash<const TBlock*, TBlockWidget*> kept;
  QSize extent(0, 0);
  TBlockWidget* maximised = nullptr;
  bool made = false;
  for (const auto& block : scheme_.Blocks()) {
    TBlockWidget* widget = widgets_.take(block.get());
    if (widget == nullptr) {
      widget = new TBlockWidget(*block, painter_, paintBox_);
      widget->show();
      made = true;
    }
    if (block->Maximised) maximised = widget;
    widget->Follow(ShownRect(*block));
    kept.insert(block.get(), widget);
    extent = extent.expandedTo(
        QSize(block->Left + block->Width + kAreaMargin, block->Top + block->Height + kAreaMargin));
  }
  // Blocks the scheme no longer holds (deleted, undone) lose their windows.
  qDeleteAll(widgets_);
  widgets_ = kept;
  // A maximised block fills exactly the visible area: no scroll bars cover
  // its window button or its axis.
  paintBox_->setMinimumSize(maximised != nullptr ? QSize(0, 0) : extent);
  // A block brought back by undo does not cover the maximised one.
  if (maximised != nullptr && made) maximised->raise();
  paintBox_->Sync();
  UpdateActions();
  if (pendingSave_ != PendingSave::None && !mouse_->Busy() && !pendingScheduled_) {
    pendingScheduled_ = true;
    QTimer::singleShot(0, this, &TStructFrm::RunPendingSave);
  }
}

bool TStructFrm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == scrollBox_->viewport()) Refresh();
  return QWidget::eventFilter(watched, event);
}

void TStructFrm::UpdateActions() {
  const SchemeActions& a = *actions_;
  a.ForKind(mouse_->PlaceMode())->setChecked(true);
  const bool graph = scheme_.GraphBlock() != nullptr;
  a.AGraph->setEnabled(!graph);
  a.APrintGraph->setEnabled(graph);
}

void TStructFrm::UpdateTitle() {
  setWindowTitle(scheme_.FileName.empty()
                     ? QStringLiteral("StructFrm")
                     : QStringLiteral("Схема [") + QString::fromStdString(scheme_.FileName) + "]");
}

void TStructFrm::Commit(std::unique_ptr<tornel::SchemeEdit> applied) {
  undo_->push(new SchemeUndoCommand(scheme_, std::move(applied), [this] { Refresh(); }));
  Refresh();
}

void TStructFrm::PlaceBlock(int kind, tornel::Point at) {
  setCursor(Qt::ArrowCursor);
  ErrorBox::Guard(this, [&] {
    auto edit = std::make_unique<tornel::PlaceBlockEdit>(scheme_, kind, at);
    edit->Apply(scheme_);
    Commit(std::move(edit));
  });
  Refresh();
}

void TStructFrm::EditBlock(TBlock* block) {
  std::unique_ptr<tornel::SchemeEdit> edit;
  switch (tornel::KindInfo(block->Kind).Edit) {
    case tornel::EditKind::ParamDialog: {
      const auto texts = TInputPar::Ask(*block, this);
      if (!texts) return;
      auto values = tornel::BlockValuesEdit::Params(block, *texts);
      // An OK that leaves every value as it was is no step to undo.
      if (values) {
        const tornel::BlockValues before = tornel::ValuesOf(*block);
        values->Apply(scheme_);
        if (!(tornel::ValuesOf(*block) == before)) edit = std::move(values);
      }
      break;
    }
    case tornel::EditKind::ToggleSign:
      edit = tornel::BlockValuesEdit::ToggleSign(block);
      edit->Apply(scheme_);
      break;
    case tornel::EditKind::AcpChannel:
    case tornel::EditKind::CapChannel: {
      const bool acp = block->Kind == tornel::kKindAcp;
      const tornel::ChannelTable& table = host_.Channels();
      QStringList names;
      const int first = acp ? 0 : tornel::kAcpChannels;
      const int count = acp ? tornel::kAcpChannels : table.CapCount;
      for (int i = 0; i < count; ++i) names << QString::fromStdString(table.ChanName[first + i]);
      const auto chosen = TComboDlg::PickOne(
          this, acp ? QStringLiteral("АЦП") : QStringLiteral("ЦАП"), names, block->Channel);
      if (!chosen || *chosen == block->Channel) return;
      edit = tornel::BlockValuesEdit::Channel(block, *chosen);
      edit->Apply(scheme_);
      break;
    }
    case tornel::EditKind::GraphSettings:
      EditGraphSettings(*block);
      return;
  }
  if (edit) Commit(std::move(edit));
  Refresh();
}

void TStructFrm::EditGraphSettings(TBlock& block) {
  if (!block.Record) return;
  ErrorBox::Guard(this,
                  [&] { EditRecordSettings(*block.Record, host_.Channels().ConfigPath, this); });
  GraphRecordChanged();
}

void TStructFrm::GraphRecordChanged() {
  TBlock* graph = scheme_.GraphBlock();
  if (graph == nullptr || !graph->Record) return;
  PrepareRecordSummaries(*graph->Record, this);
  if (TBlockWidget* widget = WidgetOf(graph)) widget->update();
}

template <typename Edit>
void TStructFrm::EditSelection() {
  if (mouse_->Busy()) return;
  auto edit = std::make_unique<Edit>(scheme_);
  // Nothing selected that the edit acts on: no step to undo.
  if (edit->Empty()) return;
  edit->Apply(scheme_);
  Commit(std::move(edit));
}

void TStructFrm::ARotateExecute() { EditSelection<tornel::RotateBlocksEdit>(); }

void TStructFrm::ADeleteExecute() { EditSelection<tornel::DeleteBlocksEdit>(); }

void TStructFrm::LoadScheme(const QString& path) {
  tornel::Scheme loaded = tornel::LoadScheme(path.toStdString(), factory_);
  loaded.Step = scheme_.Step;
  loaded.EndTime = scheme_.EndTime;
  ShowScheme(std::move(loaded));
}

void TStructFrm::ShowScheme(tornel::Scheme scheme) {
  undo_->clear();
  qDeleteAll(widgets_);
  widgets_.clear();
  // Blocks saved left of or above the origin could be neither scrolled to
  // nor caught in a band: the whole scheme moves in, keeping its layout.
  if (auto into = tornel::MoveBlocksEdit::IntoArea(scheme)) into->Apply(scheme);
  scheme_ = std::move(scheme);
  undo_->setClean();
  UpdateTitle();
  Refresh();
}

bool TStructFrm::SaveAs(const QString& path) {
  const tornel::SaveAsResult result = tornel::SaveSchemeAs(scheme_, path.toStdString());
  if (result == tornel::SaveAsResult::Scheme) {
    undo_->setClean();
    UpdateTitle();
  }
  return result != tornel::SaveAsResult::Nothing;
}

bool TStructFrm::DeferWhileBusy(PendingSave save) {
  if (!mouse_->Busy()) return false;
  // Saved now, the scheme would lack what the gesture holds (a detached
  // line) and yet count as saved.
  if (save > pendingSave_) pendingSave_ = save;
  return true;
}

void TStructFrm::RunPendingSave() {
  pendingScheduled_ = false;
  const PendingSave save = std::exchange(pendingSave_, PendingSave::None);
  if (save == PendingSave::Save) ASaveExecute();
  if (save == PendingSave::SaveAs) ASaveAsExecute();
}

bool TStructFrm::SaveInPlace() {
  return ErrorBox::Guard(this, [&] {
    tornel::SaveScheme(scheme_, scheme_.FileName);
    undo_->setClean();
    UpdateTitle();
  });
}

bool TStructFrm::ASaveExecute() {
  if (DeferWhileBusy(PendingSave::Save)) return false;
  if (scheme_.FileName.empty()) return ASaveAsExecute();
  return SaveInPlace();
}

QString TStructFrm::ChooseSaveName(bool schemeOnly) {
  QFileDialog dialog(this, QStringLiteral("Сохранить как"),
                     QFileInfo(QString::fromStdString(scheme_.FileName)).absolutePath(),
                     schemeOnly ? QStringLiteral("Схема (*.str)")
                                : QStringLiteral("Схема (*.str);;Файл данных графика (*.dta)"));
  dialog.setObjectName(QStringLiteral("SaveDialog1"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("str"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

bool TStructFrm::ASaveAsExecute() {
  if (DeferWhileBusy(PendingSave::SaveAs)) return false;
  const QString path = ChooseSaveName(false);
  if (path.isEmpty()) return false;
  bool saved = false;
  ErrorBox::Guard(this, [&] { saved = SaveAs(path); });
  if (!saved && QFileInfo(path).suffix() != QLatin1String("str") &&
      QFileInfo(path).suffix() != QLatin1String("dta")) {
    ErrorBox::ShowPlain(this, QStringLiteral("Ничего не сохранено: имя файла должно оканчиваться "
                                             "на «.str» (схема) или «.dta» (данные графика)."));
  }
  return saved;
}

bool TStructFrm::SaveSchemeOnly() {
  if (!scheme_.FileName.empty()) return SaveInPlace();
  const QString path = ChooseSaveName(true);
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix() != QLatin1String("str")) {
    ErrorBox::ShowPlain(this, QStringLiteral("Схема не сохранена: имя файла схемы должно "
                                             "оканчиваться на «.str»."));
    return false;
  }
  bool saved = false;
  ErrorBox::Guard(this, [&] { saved = SaveAs(path); });
  return saved;
}

void TStructFrm::ACalcExecute() {
  if (mouse_->Busy()) return;
  const char separator = tornel::SystemDecimalSeparator();
  if (const auto nothing = tornel::NothingToRun(scheme_)) {
    ErrorBox::ShowPlain(this, QString::fromStdString(*nothing));
    return;
  }
  TRaschDlg dialog(this);
  dialog.Show({scheme_.EndTime, scheme_.Step, false});
  if (dialog.exec() != QDialog::Accepted) return;
  const tornel::RunSettings settings = dialog.Settings();
  // What was typed comes back at the next opening, also after a refusal.
  scheme_.EndTime = settings.EndTime;
  scheme_.Step = settings.Step;
  if (const auto question = tornel::LargeRunQuestion(scheme_, settings, separator)) {
    TitledMessageBox box(QMessageBox::Question, QString::fromStdString(*question),
                         QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("LargeRunQuestion"));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes) return;
  }
  tornel::RunResult result;
  bool ran = false;
  {
    QtBusyCursor cursor;
    CalcProgress progress(this);
    tornel::SchemeCalculation calculation(host_.Device(), host_.Clock(), host_.Channels());
    calculation.SetBusyCursor(&cursor);
    calculation.SetProgress([&](const tornel::RunProgress& p) { return progress.Report(p); }, 1024);
    ran = ErrorBox::Guard(this, [&] { result = calculation.Run(scheme_, settings); });
  }
  Refresh();
  if (!ran) return;
  if (result.Samples) GraphRecordChanged();
  ErrorBox::ShowPlain(this, QString::fromStdString(tornel::RunMessage(scheme_, result, separator)));
}

void TStructFrm::APrintGraphExecute() {
  if (scheme_.GraphBlock() == nullptr) return;
  QPrinter& printer = host_.Printer();
  QPrintDialog dialog(&printer, this);
  dialog.setObjectName(QStringLiteral("PrintDialog"));
  dialog.setWindowTitle(QStringLiteral("Печать"));
  if (dialog.exec() != QDialog::Accepted) return;
  ErrorBox::Guard(this, [&] { PrintGraphTo(printer); });
}

void TStructFrm::PrintGraphTo(QPrinter& printer) {
  TBlock* block = scheme_.GraphBlock();
  if (block == nullptr || !block->Record) return;
  // The graph window's page with the block's plot in the window's place:
  // no legend, base values or caption.
  GraphPagePrinter page;
  page.paper = host_.PageSetup();
  const int width = block->Width - 7, height = block->Height - 19;
  page.window = {width, height, width, height, height};
  page.plotFont = font();
  page.Print(*block->Record, printer, windowTitle());
}

bool TStructFrm::AskToSaveBeforeClosing() {
  mouse_->CancelGesture();
  pendingSave_ = PendingSave::None;
  if (undo_->isClean()) return true;
  return ::AskToSaveBeforeClosing(this, QStringLiteral("Сохранить схему в файл?"),
                                  [this] { return SaveSchemeOnly(); });
}

bool TStructFrm::AskBeforeClosing() {
  closingAnswered_ = AskToSaveBeforeClosing();
  return closingAnswered_;
}

void TStructFrm::closeEvent(QCloseEvent* event) {
  if (!closingAnswered_ && !AskToSaveBeforeClosing()) {
    event->ignore();
    return;
  }
  event->accept();
}
