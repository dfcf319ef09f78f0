#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QUndoStack>
#include <filesystem>

#include "core/scheme/block.h"
#include "core/scheme/scheme_file.h"
#include "core/text/number_text.h"
#include "scheme_window_test.h"
#include "ui/scheme/rasch_dlg.h"
#include "ui/scheme/scheme_actions.h"
#include "ui/widgets/edit_numbers.h"

namespace schemetest {
namespace {

using tornel::TBlock;
using tornel::testing::ReadBytes;

// Fills the calculation dialog and accepts it.
std::function<void(QWidget*)> Calculate(const QString& end, const QString& step,
                                        bool realTime = false) {
  return [=](QWidget* w) {
    auto* dialog = qobject_cast<TRaschDlg*>(w);
    ASSERT_NE(dialog, nullptr) << "not the calculation dialog";
    dialog->Edit1()->setText(end);
    dialog->Edit2()->setText(step);
    dialog->ChBRealTime()->setChecked(realTime);
    dialog->accept();
  };
}

// Notes what the calculation dialog shows and cancels it.
std::function<void(QWidget*)> ReadDialog(QString* end, QString* step) {
  return [=](QWidget* w) {
    auto* dialog = qobject_cast<TRaschDlg*>(w);
    ASSERT_NE(dialog, nullptr) << "not the calculation dialog";
    *end = dialog->Edit1()->text();
    *step = dialog->Edit2()->text();
    dialog->reject();
  };
}

class SchemeSafetyTest : public SchemeWindowTest {
protected:
  // step -> lag -> graph input 0.
  void Build() {
    step = Place(Actions().AGenStep, {20, 20});
    lag = Place(Actions().AAperiod, {250, 20});
    graph = Place(Actions().AGraph, {450, 20});
    Drag(Out(step), In(lag));
    Drag(Out(lag), In(graph));
  }
  TBlock *step = nullptr, *lag = nullptr, *graph = nullptr;
};

TEST_F(SchemeSafetyTest, SavingInTheMiddleOfAGestureWaitsForItsEnd) {
  struct Case {
    const char* name;
    QPoint release;  // (0, 0): back on the input it came from
    std::size_t lines;
  } cases[] = {{"put back", {0, 0}, 2}, {"dropped on empty space", {400, 400}, 1}};
  const std::string empty = dir.File("empty.str");
  tornel::testing::WriteBytes(empty, std::string(4, '\0'));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window->LoadScheme(QString::fromStdString(empty));
    Build();
    const std::string path = dir.File("gesture.str");
    ASSERT_TRUE(window->SaveAs(QString::fromStdString(path)));
    const std::string saved = ReadBytes(path);

    Send(QEvent::MouseButtonPress, In(lag), Qt::LeftButton);  // the line hangs free
    Actions().ASave->trigger();
    graphtest::Settle();
    EXPECT_EQ(ReadBytes(path), saved) << "nothing is saved while the line hangs";

    Send(QEvent::MouseButtonRelease, c.release.isNull() ? In(lag) : c.release, Qt::LeftButton);
    graphtest::Settle();
    EXPECT_EQ(LineCount(), c.lines);
    EXPECT_EQ(ReadBytes(path), tornel::SchemeBytes(window->Scheme()));
    EXPECT_TRUE(window->UndoStack()->isClean());
  }
}

TEST_F(SchemeSafetyTest, ClosingQuestionSavesTheSchemeOrTheWindowStays) {
  Build();
  const std::string dta = dir.File("graph.dta");
  const std::string str = dir.File("scheme.str");
  QWidget* frame = window->parentWidget();
  graphtest::ModalAnswers answers;
  QStringList filters;
  QString message;
  answers.Then(graphtest::Press(QMessageBox::Yes));
  answers.Then([&](QWidget* w) {
    if (auto* dialog = qobject_cast<QFileDialog*>(w)) filters = dialog->nameFilters();
    graphtest::ChooseFile(QString::fromStdString(dta))(w);
  });
  answers.Then(graphtest::Press(QMessageBox::Ok, &message));
  ASSERT_FALSE(frame->close()) << "the graph's data is not the scheme";
  EXPECT_EQ(filters, QStringList{"Схема (*.str)"});
  EXPECT_EQ(message, "Схема не сохранена: имя файла схемы должно оканчиваться на «.str».");
  EXPECT_FALSE(std::filesystem::exists(dta));
  EXPECT_FALSE(window->UndoStack()->isClean());

  const std::string bytes = tornel::SchemeBytes(window->Scheme());
  answers.Then(graphtest::Press(QMessageBox::Yes));
  answers.Then(graphtest::ChooseFile(QString::fromStdString(str)));
  EXPECT_TRUE(frame->close());
  graphtest::Settle();
  EXPECT_EQ(answers.Unexpected(), 0);
  EXPECT_EQ(ReadBytes(str), bytes);
  window = new TStructFrm(host);  // for the fixture's end
  host.AddChild(window);
}

TEST_F(SchemeSafetyTest, ARefusedRunKeepsWhatWasTyped) {
  Build();
  struct Case {
    const char* name;
    double lagT;
    QString end, step;
    const char* refusal;
  } cases[] = {
      {"step of 0", 1.0, "2,5", "0", "Шаг по времени должен быть больше нуля"},
      {"lag with T = 0", 0.0, "2,5", "0,01",
       "Блок «Апериодическое звено»: «Постоянная времени T» не может быть равна 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    lag->Params[1] = c.lagT;
    graphtest::ModalAnswers answers;
    QString refusal, end, step;
    answers.Then(Calculate(c.end, c.step));
    answers.Then(graphtest::Press(QMessageBox::Ok, &refusal));
    Actions().ACalc->trigger();
    answers.Then(ReadDialog(&end, &step));
    Actions().ACalc->trigger();
    EXPECT_EQ(answers.Unexpected(), 0);
    EXPECT_EQ(refusal, c.refusal);
    EXPECT_EQ(tornel::StrToFloatLenient(end.toStdString()), 2.5);
    EXPECT_EQ(step, FixedText(tornel::StrToFloatLenient(c.step.toStdString()), 5));
    EXPECT_TRUE(host.device.Writes().empty()) << "nothing ran";
  }
}

TEST_F(SchemeSafetyTest, AMeasuredRealTimeStepReadsBackAndTheNextRunTakesIt) {
  Place(Actions().AGenStep, {20, 20});
  // One millisecond every 300 clock readings: a tick takes 1/300 ms, a step
  // no five decimals can show.
  host.clock.SetAutoAdvance(1, 300);
  graphtest::ModalAnswers answers;
  answers.Then(Calculate("0,01", "0,001", true));
  answers.Then(graphtest::Press(QMessageBox::Ok));
  Actions().ACalc->trigger();
  const double measured = window->Scheme().Step;
  ASSERT_GT(measured, 0.0);
  ASSERT_LT(measured, 0.000005);

  QString shownStep;
  answers.Then([&](QWidget* w) {
    auto* dialog = qobject_cast<TRaschDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    shownStep = dialog->Edit2()->text();
    dialog->Edit1()->setText("0,001");
    dialog->accept();
  });
  QString message;
  answers.Then(graphtest::Press(QMessageBox::Ok, &message));
  Actions().ACalc->trigger();
  EXPECT_EQ(answers.Unexpected(), 0);
  EXPECT_EQ(tornel::StrToFloatLenient(shownStep.toStdString()), measured);
  EXPECT_TRUE(message.startsWith("h = ")) << message.toStdString();
}

TEST_F(SchemeSafetyTest, AHugeRunIsAskedAboutAndNoStartsNothing) {
  Build();
  graphtest::ModalAnswers answers;
  QString question, end, step;
  // Far beyond any free space, so that a run started without the question
  // is refused at once rather than filling the disk.
  answers.Then(Calculate("1000000000000", "0,001"));
  answers.Then([&](QWidget* w) {
    question = tornel::testing::MessageText(w);
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    if (QAbstractButton* no = box->button(QMessageBox::No)) {
      no->click();
    } else {
      box->reject();
    }
  });
  Actions().ACalc->trigger();
  // (1e15 + 1) ticks of one double: 7450580.597 GiB.
  EXPECT_EQ(question, "Отсчёты графика займут 7450580" + QString(tornel::SystemDecimalSeparator()) +
                          "6 ГБ во временной папке. Начать расчет?");
  EXPECT_TRUE(host.ramps.empty());
  EXPECT_TRUE(host.device.Writes().empty());
  EXPECT_EQ(std::filesystem::file_size(graph->Record->OrigFile), 0u);
  answers.Then(ReadDialog(&end, &step));
  Actions().ACalc->trigger();
  EXPECT_EQ(end, FixedText(1e12, 5)) << "kept for the next opening";
  EXPECT_EQ(answers.Unexpected(), 0);
}

TEST_F(SchemeSafetyTest, RunsWithNothingToShowSaySo) {
  graphtest::ModalAnswers answers;
  QString message;
  answers.Then(graphtest::Press(QMessageBox::Ok, &message));
  Actions().ACalc->trigger();
  EXPECT_EQ(message, "В схеме нет блоков: рассчитывать нечего.");

  Place(Actions().AGraph, {300, 20});
  answers.Then(Calculate("0,1", "0,01"));
  answers.Then(graphtest::Press(QMessageBox::Ok, &message));
  Actions().ACalc->trigger();
  EXPECT_EQ(answers.Unexpected(), 0);
  EXPECT_EQ(message, "h = " + FixedText(0.01, 5) +
                         "\nК блоку «График» не подключен ни один вход: график не построен.");
}

}  // namespace
}  // namespace schemetest
