#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>
#include <memory>

#include "core/scheme/block_factory.h"
#include "core/scheme/scheme.h"
#include "ui/scheme/block_painter.h"
#include "ui/scheme/qt_text_measure.h"
#include "ui/widgets/child_menu_provider.h"
#include "ui/widgets/closing_question.h"

class QCloseEvent;
class QMenu;
class QPrinter;
class QScrollArea;
class QTabWidget;
class QUndoStack;
class SchemeMouse;
class SchemePaintBox;
class TBlockWidget;
class WindowHost;
struct SchemeActions;

namespace tornel {
class SchemeEdit;
class TBlock;
}  // namespace tornel

// The scheme window: the palette of block kinds on six tabs, the drawing
// area with a window per block, and the commands to edit, save, calculate
// and print. Every change is an edit of the core's scheme, kept on an undo
// stack; the window draws what the scheme says. While it is the active child
// its menus "&Файл", "Расчет", "&Блоки" and "&Редактор" stand in the main
// window's menu bar. A changed scheme asks "Сохранить схему в файл?" before
// it closes, also in the main window's round of questions on exit.
class TStructFrm : public QWidget, public ChildMenuProvider, public ClosingQuestion {
  Q_OBJECT

public:
  // An empty scheme, caption "StructFrm".
  explicit TStructFrm(WindowHost& host, QWidget* parent = nullptr);
  ~TStructFrm() override;

  tornel::Scheme& Scheme() { return scheme_; }
  const SchemeActions& Actions() const { return *actions_; }
  QTabWidget* PageControl() const { return tabs_; }
  QScrollArea* SB() const { return scrollBox_; }
  SchemePaintBox* PB() const { return paintBox_; }
  QUndoStack* UndoStack() const { return undo_; }
  int PlaceMode() const;
  // The window of a block, or null.
  TBlockWidget* WidgetOf(const tornel::TBlock* block) const;

  // Replaces the scheme by the file's, with an empty history. Throws
  // tornel::UserError; the window then keeps what it had.
  void LoadScheme(const QString& path);
  // Replaces the scheme by one built on this window's factory (Scheme().
  // Factory()), with its calculation settings and an empty history.
  void ShowScheme(tornel::Scheme scheme);
  // "Сохранить &как..." on a chosen name: ".str" saves the scheme, ".dta" the
  // graph block's record; false when nothing was saved. Throws UserError.
  bool SaveAs(const QString& path);

  QList<QMenu*> ChildMenus() const override;
  QSize sizeHint() const override;

  // The commands, named after their actions; false when nothing was saved.
  // A save asked for in the middle of a mouse gesture waits for its end.
  bool ASaveExecute();
  bool ASaveAsExecute();
  void ARotateExecute();
  void ADeleteExecute();
  void ACalcExecute();
  void APrintGraphExecute();
  // The graph block's record as the graph window prints it, on `printer`
  // without asking. Throws UserError.
  void PrintGraphTo(QPrinter& printer);
  // The graph block's record has new samples or settings: its summaries are
  // built (with a progress window for a long record) and it is drawn anew.
  void GraphRecordChanged();

  // "Сохранить схему в файл?" when the scheme has changed since it was
  // saved; Yes saves the scheme itself and keeps the window open unless it
  // was saved. A gesture under way is taken back first.
  bool AskBeforeClosing() override;
  void ForgetClosingAnswer() override { closingAnswered_ = false; }

protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildPalette();
  void BuildMenus();
  void ConnectActions();
  // The widgets follow the scheme: made, removed, moved, repainted.
  void Refresh();
  void UpdateActions();
  void UpdateTitle();
  void Commit(std::unique_ptr<tornel::SchemeEdit> applied);
  // Rotating or deleting the selected blocks.
  template <typename Edit>
  void EditSelection();
  void PlaceBlock(int kind, tornel::Point at);
  void EditBlock(tornel::TBlock* block);
  void EditGraphSettings(tornel::TBlock& block);
  tornel::TBlock* BlockAt(tornel::Point at) const;
  QRect ShownRect(const tornel::TBlock& block) const;
  bool AskToSaveBeforeClosing();
  // The save dialog; `schemeOnly` offers ".str" alone. Empty on Cancel.
  QString ChooseSaveName(bool schemeOnly);
  bool SaveInPlace();
  bool SaveSchemeOnly();
  enum class PendingSave { None, Save, SaveAs };
  // True when a gesture is under way: the save runs once it has ended.
  bool DeferWhileBusy(PendingSave save);
  void RunPendingSave();

  WindowHost& host_;
  QtTextMeasure measure_;
  tornel::BlockFactory factory_;
  tornel::Scheme scheme_;
  BlockPainter painter_;
  std::unique_ptr<SchemeActions> actions_;
  std::unique_ptr<SchemeMouse> mouse_;
  QUndoStack* undo_;
  QTabWidget* tabs_ = nullptr;
  QScrollArea* scrollBox_ = nullptr;
  SchemePaintBox* paintBox_ = nullptr;
  QHash<const tornel::TBlock*, TBlockWidget*> widgets_;
  QMenu* fileMenu_ = nullptr;
  QMenu* calcMenu_ = nullptr;
  QMenu* blocksMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;
  PendingSave pendingSave_ = PendingSave::None;
  bool pendingScheduled_ = false;
  bool closingAnswered_ = false;
};
