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
// window's menu bar.
class TStructFrm : public QWidget, public ChildMenuProvider {
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
  bool ASaveExecute();
  bool ASaveAsExecute();
  void ARotateExecute();
  void ADeleteExecute();
  void ACalcExecute();
  void APrintGraphExecute();
  // The graph block's record as the graph window prints it, on `printer`
  // without asking. Throws UserError.
  void PrintGraphTo(QPrinter& printer);

protected:
  void closeEvent(QCloseEvent* event) override;

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
};
