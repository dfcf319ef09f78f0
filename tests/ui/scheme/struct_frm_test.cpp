#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QScrollArea>
#include <QUndoStack>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "core/scheme/block.h"
#include "core/scheme/scheme_file.h"
#include "scheme_window_test.h"
#include "ui/scheme/block_widget.h"
#include "ui/scheme/input_par.h"
#include "ui/scheme/rasch_dlg.h"
#include "ui/scheme/scheme_actions.h"
#include "ui/static/combo_dlg.h"
#include "ui/widgets/edit_numbers.h"

namespace schemetest {
namespace {

using tornel::TBlock;

// The inside of a port marker, as the block's window shows it.
QColor PortFill(TStructFrm* window, const TBlock* block, bool input, int index = 0) {
  const QImage image = window->WidgetOf(block)->grab().toImage();
  const tornel::Point port = input ? block->InPort[index] : block->OutPort[index];
  return image.pixelColor(port.x - 2, port.y);
}

TEST_F(SchemeWindowTest, PaletteKindPlacesOneBlockAndTheNextClickStartsABand) {
  EXPECT_EQ(window->windowTitle(), "StructFrm");
  Actions().AIntegr->trigger();
  EXPECT_EQ(window->PlaceMode(), tornel::kKindIntegr);
  EXPECT_TRUE(Actions().AIntegr->isChecked());
  Click({50, 40});
  ASSERT_EQ(BlockCount(), 1u);
  const TBlock* block = window->Scheme().Blocks()[0].get();
  EXPECT_EQ(block->Kind, tornel::kKindIntegr);
  EXPECT_EQ(QPoint(block->Left, block->Top), QPoint(50, 40));
  EXPECT_EQ(window->WidgetOf(block)->geometry(), QRect(50, 40, block->Width, block->Height));
  EXPECT_EQ(window->PlaceMode(), 0);
  EXPECT_TRUE(Actions().AUnselect->isChecked());

  // The second click is a band over the block: it selects, it places nothing.
  Drag({300, 300}, {60, 45});
  EXPECT_EQ(BlockCount(), 1u);
  EXPECT_TRUE(block->Selected);
  Click({400, 400});
  EXPECT_FALSE(block->Selected);
}

TEST_F(SchemeWindowTest, GraphKindOnlyWhileThereIsNoGraphBlock) {
  EXPECT_TRUE(Actions().AGraph->isEnabled());
  EXPECT_FALSE(Actions().APrintGraph->isEnabled());
  TBlock* graph = Place(Actions().AGraph, {300, 20});
  EXPECT_FALSE(Actions().AGraph->isEnabled());
  EXPECT_TRUE(Actions().APrintGraph->isEnabled());
  Click({320, 100}, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_TRUE(graph->Selected);
  Actions().ADelete->trigger();
  EXPECT_EQ(BlockCount(), 0u);
  EXPECT_TRUE(Actions().AGraph->isEnabled());
  EXPECT_FALSE(Actions().APrintGraph->isEnabled());
}

TEST_F(SchemeWindowTest, LineFromAnOutputToAnInputFillsBothPorts) {
  TBlock* step = Place(Actions().AGenStep, {20, 20});
  TBlock* integr = Place(Actions().AIntegr, {250, 120});
  // Ports at x = 5 and x = Width - 1, y = Height / 2.
  EXPECT_EQ(step->OutputPoint(0).x, 20 + step->Width - 1);
  EXPECT_EQ(step->OutputPoint(0).y, 20 + 34 / 2);
  EXPECT_EQ(integr->InputPoint(0).x, 255);
  EXPECT_EQ(PortFill(window, step, false), QColor(Qt::white));

  Drag(Out(step), In(integr));
  ASSERT_EQ(LineCount(), 1u);
  const tornel::TConnectLine& line = *window->Scheme().Lines()[0];
  EXPECT_EQ(line.Source, step);
  EXPECT_EQ(line.Dest, integr);
  EXPECT_EQ(window->Scheme().DragLine(), nullptr);
  EXPECT_EQ(PortFill(window, step, false), QColor(Qt::blue));
  EXPECT_EQ(PortFill(window, integr, true), QColor(Qt::blue));
  // The line is drawn in black between the blocks.
  const QImage area = window->PB()->grab().toImage();
  const tornel::Point start = step->OutputPoint(0);
  EXPECT_EQ(area.pixelColor(start.x + 3, start.y), QColor(Qt::black));
}

TEST_F(SchemeWindowTest, DetachingMovesOrDropsAConnection) {
  TBlock* step = Place(Actions().AGenStep, {20, 20});
  TBlock* sum = Place(Actions().ASumBlk, {250, 20});
  TBlock* lag = Place(Actions().AAperiod, {250, 200});
  Drag(Out(step), In(sum, 0));
  ASSERT_TRUE(sum->InConnected[0]);

  // Pressed on the connected input, released on the other one: moved.
  Drag(In(sum, 0), In(sum, 1));
  EXPECT_FALSE(sum->InConnected[0]);
  EXPECT_TRUE(sum->InConnected[1]);
  EXPECT_EQ(LineCount(), 1u);

  // Released on empty space: the connection is gone, the source's port empty.
  Drag(In(sum, 1), {150, 400});
  EXPECT_EQ(LineCount(), 0u);
  EXPECT_FALSE(step->OutConnected[0]);
  EXPECT_EQ(PortFill(window, step, false), QColor(Qt::white));

  // A line dropped on an occupied input is removed; the first one stays.
  Drag(Out(step), In(lag));
  TBlock* sine = Place(Actions().AGenSinT, {20, 200});
  Drag(Out(sine), In(lag));
  EXPECT_EQ(LineCount(), 1u);
  EXPECT_EQ(lag->InLine[0]->Source, step);
  EXPECT_FALSE(sine->OutConnected[0]);
}

TEST_F(SchemeWindowTest, DeletingABlockThatFeedsTwoFreesTheirInputs) {
  TBlock* step = Place(Actions().AGenStep, {20, 20});
  TBlock* a = Place(Actions().AIntegr, {250, 20});
  TBlock* b = Place(Actions().AProporc, {250, 150});
  Drag(Out(step), In(a));
  Drag(Out(step), In(b));
  ASSERT_EQ(LineCount(), 2u);
  Click({25, 25}, Qt::LeftButton, Qt::ShiftModifier);
  ASSERT_TRUE(step->Selected);
  Actions().ADelete->trigger();
  EXPECT_EQ(BlockCount(), 2u);
  EXPECT_EQ(LineCount(), 0u);
  EXPECT_EQ(window->WidgetOf(step), nullptr);
  EXPECT_EQ(PortFill(window, a, true), QColor(Qt::white));
  EXPECT_EQ(PortFill(window, b, true), QColor(Qt::white));
}

TEST_F(SchemeWindowTest, RotatingASelectionTurnsOnlyBlocksWithBothSides) {
  TBlock* step = Place(Actions().AGenStep, {20, 20});
  TBlock* lag = Place(Actions().AAperiod, {250, 20});
  Drag({5, 5}, {400, 100});
  ASSERT_TRUE(step->Selected && lag->Selected);
  Actions().ARotate->trigger();
  EXPECT_FALSE(step->Rotated);
  EXPECT_TRUE(lag->Rotated);
  EXPECT_EQ(lag->InPort[0].x, lag->Width - 1);
}

TEST_F(SchemeWindowTest, DraggingTheBodyMovesTheBlockAndItsLine) {
  TBlock* step = Place(Actions().AGenStep, {20, 20});
  TBlock* integr = Place(Actions().AIntegr, {250, 20});
  Drag(Out(step), In(integr));
  Drag({integr->Left + 15, integr->Top + 5}, {integr->Left + 55, integr->Top + 105});
  EXPECT_EQ(QPoint(integr->Left, integr->Top), QPoint(290, 120));
  EXPECT_EQ(window->WidgetOf(integr)->pos(), QPoint(290, 120));
  EXPECT_EQ(window->UndoStack()->undoText(), "Переместить блоки");
}

TEST_F(SchemeWindowTest, GraphBlockResizesByItsGripAndMaximisesByItsButton) {
  TBlock* graph = Place(Actions().AGraph, {100, 20});
  ASSERT_EQ(QSize(graph->Width, graph->Height), QSize(200, 300));
  Drag({100 + 197, 20 + 297}, {100 + 347, 20 + 147});
  // Held at 16 heights of the text "1" at least.
  EXPECT_EQ(QSize(graph->Width, graph->Height),
            QSize(350, std::max(150, 16 * QFontMetrics(window->font()).height())));
  EXPECT_EQ(window->WidgetOf(graph)->size(), QSize(graph->Width, graph->Height));
  EXPECT_LT(graph->InPort[15].y, graph->Height) << "the ports follow the height";
  EXPECT_EQ(window->UndoStack()->undoText(), "Изменить размер блока");

  const QRect before(graph->Left, graph->Top, graph->Width, graph->Height);
  Click({graph->Left + graph->Width - 10, graph->Top + 9});
  const QSize area = window->SB()->viewport()->size();
  EXPECT_EQ(window->WidgetOf(graph)->geometry(), QRect(QPoint(0, 0), area));
  // Maximised, the body does not move; the bounds stay those it returns to.
  Drag({100, 100}, {150, 150});
  EXPECT_EQ(QPoint(graph->Left, graph->Top), before.topLeft());
  Click({area.width() - 10, 9});
  EXPECT_EQ(window->WidgetOf(graph)->geometry(), before);
}

TEST_F(SchemeWindowTest, RightClickEditsParametersAndTheSumSign) {
  TBlock* lag = Place(Actions().AAperiod, {20, 20});
  TBlock* sum = Place(Actions().ASumBlk, {250, 20});
  graphtest::ModalAnswers answers;
  answers.Then([](QWidget* w) {
    auto* dialog = qobject_cast<TInputPar*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Апериодическое звено");
    dialog->Edit(0)->setText("2,5");
    dialog->Edit(1)->setText("abc");
    dialog->accept();
  });
  Click({lag->Left + 15, lag->Top + 5}, Qt::RightButton);
  EXPECT_EQ(answers.Unexpected(), 0);
  EXPECT_DOUBLE_EQ(lag->Params[0], 2.5);
  EXPECT_DOUBLE_EQ(lag->Params[1], 0.0);
  EXPECT_EQ(window->WidgetOf(lag)->width(), lag->Width);

  EXPECT_FALSE(sum->Option);
  Click({sum->Left + 20, sum->Top + 20}, Qt::RightButton);
  EXPECT_TRUE(sum->Option);
}

TEST_F(SchemeWindowTest, DeviceBlocksTakeTheirChannelFromTheChannelList) {
  TBlock* acp = Place(Actions().AACP, {20, 20});
  TBlock* cap = Place(Actions().ACAP, {250, 20});
  struct Case {
    TBlock* block;
    const char* label;
    int items;  // 16 ADC channels; the DACs in use
    int chosen;
    std::string name;
  } cases[] = {{acp, "АЦП", 16, 5, host.table.ChanName[5]},
               {cap, "ЦАП", host.table.CapCount, 1, host.table.ChanName[17]}};
  for (const Case& c : cases) {
    graphtest::ModalAnswers answers;
    answers.Then([&c](QWidget* w) {
      auto* dialog = qobject_cast<TComboDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->Label1()->text(), QString::fromUtf8(c.label));
      EXPECT_EQ(dialog->ComboBox1()->count(), c.items);
      dialog->ComboBox1()->setCurrentIndex(c.chosen);
      dialog->accept();
    });
    Click({c.block->Left + c.block->Width / 2, c.block->Top + 3}, Qt::RightButton);
    EXPECT_EQ(answers.Unexpected(), 0);
    EXPECT_EQ(c.block->Channel, c.chosen);
    EXPECT_EQ(c.block->LabelLine[0], c.name);
    EXPECT_EQ(window->WidgetOf(c.block)->width(), c.block->Width);
  }
}

TEST_F(SchemeWindowTest, UndoAndRedoEveryKindOfEditBackToTheSavedBytes) {
  TBlock* step = Place(Actions().AGenStep, {20, 20});
  TBlock* lag = Place(Actions().AAperiod, {250, 20});
  TBlock* sum = Place(Actions().ASumBlk, {250, 150});
  Drag(Out(step), In(sum));
  const std::string path = dir.File("undo.str");
  ASSERT_TRUE(window->SaveAs(QString::fromStdString(path)));
  EXPECT_TRUE(window->UndoStack()->isClean());
  const std::string saved = tornel::SchemeBytes(window->Scheme());

  Drag(Out(step), In(lag));                                               // connect
  Drag(In(sum, 0), In(sum, 1));                                           // re-connect
  Drag({lag->Left + 15, lag->Top + 5}, {lag->Left + 45, lag->Top + 65});  // move
  Click({sum->Left + 20, sum->Top + 20}, Qt::RightButton);                // sign
  Click({lag->Left + 15, lag->Top + 5}, Qt::LeftButton, Qt::ShiftModifier);
  Actions().ARotate->trigger();          // rotate
  Place(Actions().AMulBlk, {500, 300});  // place
  Click({step->Left + 5, step->Top + 5}, Qt::LeftButton, Qt::ShiftModifier);
  Actions().ADelete->trigger();  // delete with lines
  const std::string changed = tornel::SchemeBytes(window->Scheme());
  ASSERT_NE(changed, saved);
  // Four steps before the save, seven after it.
  ASSERT_EQ(window->UndoStack()->count(), 11);

  for (int i = 0; i < 7; ++i) Actions().AUndo->trigger();
  EXPECT_EQ(tornel::SchemeBytes(window->Scheme()), saved);
  EXPECT_TRUE(window->UndoStack()->isClean());
  EXPECT_EQ(window->Scheme().CheckInvariants(), "");
  for (int i = 0; i < 7; ++i) Actions().ARedo->trigger();
  EXPECT_EQ(tornel::SchemeBytes(window->Scheme()), changed);
  EXPECT_EQ(window->Scheme().CheckInvariants(), "");
  EXPECT_EQ(window->findChildren<TBlockWidget*>().size(), static_cast<qsizetype>(BlockCount()));
}

TEST_F(SchemeWindowTest, SaveAsTakesOnlyTheExactExtensions) {
  Place(Actions().AIntegr, {20, 20});
  EXPECT_FALSE(window->SaveAs(QString::fromStdString(dir.File("a.STR"))));
  EXPECT_FALSE(std::ifstream(dir.File("a.STR")).good());
  EXPECT_FALSE(window->UndoStack()->isClean());
  const std::string path = dir.File("a.str");
  ASSERT_TRUE(window->SaveAs(QString::fromStdString(path)));
  EXPECT_EQ(window->windowTitle(), QString::fromStdString("Схема [" + path + "]"));
}

TEST_F(SchemeWindowTest, CalculationFillsTheGraphBlock) {
  TBlock* step = Place(Actions().AGenStep, {20, 20});
  TBlock* integr = Place(Actions().AIntegr, {20, 150});
  TBlock* graph = Place(Actions().AGraph, {300, 20});
  Drag(Out(step), In(integr));
  Drag(Out(integr), In(graph, 2));
  graphtest::ModalAnswers answers;
  QString message;
  answers.Then([](QWidget* w) {
    auto* dialog = qobject_cast<TRaschDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Edit1()->text(), FixedText(1.0, 5));
    dialog->Edit1()->setText("2");
    dialog->Edit2()->setText("0,01");
    dialog->accept();
  });
  answers.Then(graphtest::Press(QMessageBox::Ok, &message));
  Actions().ACalc->trigger();
  EXPECT_EQ(answers.Unexpected(), 0);
  EXPECT_EQ(message, "h = " + FixedText(0.01, 5));
  ASSERT_TRUE(graph->Record);
  EXPECT_EQ(graph->Record->AcpMask, 4);
  EXPECT_DOUBLE_EQ(graph->Record->Duration, 2.0);
  // 200 steps of one double each (within one for the accumulated time).
  std::ifstream samples(graph->Record->SampleFile, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(samples)), {});
  EXPECT_NEAR(static_cast<double>(bytes.size()) / 8, 200, 1);
  double last = 0;
  std::memcpy(&last, bytes.data() + bytes.size() - 8, 8);
  // The step comes at t = 1 s: the integrator (T = 1) then rises to 1.
  EXPECT_NEAR(last, 1.0, 0.02);
}

TEST_F(SchemeWindowTest, GraphBlockPrintsItsRecordToAPdf) {
  TBlock* step = Place(Actions().AGenStep, {20, 20});
  TBlock* graph = Place(Actions().AGraph, {300, 20});
  Drag(Out(step), In(graph));
  const QString pdf = QString::fromStdString(dir.File("graph.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  window->PrintGraphTo(printer);
  const std::string bytes = tornel::testing::ReadBytes(pdf.toStdString());
  EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
  EXPECT_NE(bytes.find("/Count 1"), std::string::npos) << "one page";
}

TEST_F(SchemeWindowTest, CancelledCalculationChangesNothing) {
  TBlock* step = Place(Actions().AGenStep, {20, 20});
  TBlock* graph = Place(Actions().AGraph, {300, 20});
  Drag(Out(step), In(graph));
  graphtest::ModalAnswers answers;
  answers.Then(graphtest::CancelDialog());
  Actions().ACalc->trigger();
  EXPECT_EQ(answers.Unexpected(), 0);
  EXPECT_EQ(graph->Record->AcpMask, 0);
  EXPECT_TRUE(host.ramps.empty());
  EXPECT_TRUE(host.device.Writes().empty());
}

TEST_F(SchemeWindowTest, ClosingAChangedSchemeAsksFirst) {
  Place(Actions().AIntegr, {20, 20});
  graphtest::ModalAnswers answers;
  QString question;
  answers.Then(graphtest::Press(QMessageBox::Cancel, &question));
  QWidget* frame = window->parentWidget();
  EXPECT_FALSE(frame->close());
  EXPECT_EQ(question, "Сохранить схему в файл?");
  answers.Then(graphtest::Press(QMessageBox::No));
  EXPECT_TRUE(frame->close());
  graphtest::Settle();
  EXPECT_EQ(answers.Unexpected(), 0);
  window = new TStructFrm(host);  // for the fixture's end
  host.AddChild(window);
}

}  // namespace
}  // namespace schemetest
