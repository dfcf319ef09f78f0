#include "ui/graph/graph_filter_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <filesystem>

#include "tests/ui/graph/graph_test_support.h"
#include "ui/graph/graph_actions.h"
#include "ui/static/combo_dlg.h"
#include "ui/static/sel_coord.h"

namespace {

namespace fs = std::filesystem;
using graphtest::ModalAnswers;
using graphtest::Press;
using tornel::testing::Int16Bytes;
using tornel::testing::ReadBytes;

// Picks an entry of the window's "Фильтры" menu, or of the pop-up's, as the
// user does: the menu opens (and brings its entries up to date) first.
void Choose(TGraphFrm& window, const QString& caption, bool popup = false) {
  QMenu* menu =
      popup ? window.PMGraph()->findChild<QMenu*>("PMGraphFilters") : window.ChildMenus()[1];
  emit menu->aboutToShow();
  for (QAction* a : menu->actions()) {
    if (a->text() == caption) {
      ASSERT_TRUE(a->isVisible() && a->isEnabled()) << caption.toStdString();
      a->trigger();
      return;
    }
  }
  ADD_FAILURE() << "no entry " << caption.toStdString();
}

// TSelCoord: the ticked channels as they come, then "Продолжить".
std::function<void(QWidget*)> AcceptChannels(uint16_t* ticked = nullptr) {
  return [ticked](QWidget* w) {
    auto* dialog = qobject_cast<TSelCoord*>(w);
    ASSERT_NE(dialog, nullptr) << "not the channel choice";
    if (ticked) *ticked = dialog->SelectionMask();
    w->findChild<QPushButton*>("Button5")->click();
  };
}

// The parameter prompt: checks its texts, types `text` and confirms.
std::function<void(QWidget*)> Answer(const QString& caption, const QString& label,
                                     const QString& initial, const QString& text) {
  return [=](QWidget* w) {
    auto* dialog = qobject_cast<QInputDialog*>(w);
    ASSERT_NE(dialog, nullptr) << "not a prompt";
    EXPECT_EQ(dialog->windowTitle(), caption);
    EXPECT_EQ(dialog->labelText(), label);
    EXPECT_EQ(dialog->textValue(), initial);
    dialog->setTextValue(text);
    dialog->accept();
  };
}

std::vector<int16_t> Codes(const std::string& path) {
  const std::string bytes = ReadBytes(path);
  std::vector<int16_t> out(bytes.size() / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

class FakeProgress : public tornel::FilterProgress {
public:
  explicit FakeProgress(QStringList* log) : log_(log) {}
  void Begin(const std::string& caption, int maximum) override {
    *log_ << QString::fromStdString(caption) + " " + QString::number(maximum);
  }
  bool Step() override { return true; }

private:
  QStringList* log_;
};

class GraphFilterCommandsTest : public graphtest::GraphWindowTest {};

TEST_F(GraphFilterCommandsTest, HanningFiltersTheShownChannelsAndShowsTheResult) {
  table.ChanName[0] = "Ia";
  auto window = NewWindow();
  const std::string raw = FillAsExperiment(*window, {0, 0, 4, 0, 0});
  QStringList progress;
  window->FilterCommands().SetProgressFactory(
      [&] { return std::make_unique<FakeProgress>(&progress); });
  ModalAnswers user;
  uint16_t ticked = 0;
  user.Then(AcceptChannels(&ticked));
  Choose(*window, "Фильтр Хеннинга");
  EXPECT_EQ(ticked, 1);  // the plotted channel
  EXPECT_EQ(progress, QStringList{"Фильтр Хеннинга 100"});
  const tornel::TGraphRecord& r = window->Record();
  EXPECT_EQ(Codes(r.FilteredFile), (std::vector<int16_t>{0, 0, 1, 2, 1}));
  EXPECT_EQ(r.SampleFile, r.FilteredFile);
  // Built as the filter wrote the copy; the window keeps it.
  EXPECT_NE(r.Summaries.Find<int16_t>(r.FilteredFile, 1), nullptr);
  EXPECT_TRUE(window->Actions().AShowFiltered->isChecked());
  EXPECT_TRUE(window->Actions().ASaveFiltered->isEnabled());
  EXPECT_EQ(user.Unexpected(), 0);
}

TEST_F(GraphFilterCommandsTest, MovingRmsAsksForTheTimeAndRefusesWhatItCannotUse) {
  auto window = NewWindow();
  FillAsExperiment(*window, {3, 4, 0, 0, 0, 0, 0, 0, 0, 0});  // 10 frames in 1 s
  const tornel::TGraphRecord& r = window->Record();
  const QString caption = "Фильтр Среднее квадратичное";
  const QString label = "Введите время усреднения, мс";
  struct Case {
    QString typed, error;
  };
  const Case refused[] = {{"двести", "«двести» — не число"},
                          {"50", "Время усреднения меньше интервала между отсчётами"}};
  for (const Case& c : refused) {
    ModalAnswers user;
    QString error;
    user.Then(AcceptChannels());
    user.Then(Answer(caption, label, "200", c.typed));
    user.Then(Press(QMessageBox::Ok, &error));
    Choose(*window, "Среднее квадратичное", true);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(r.SampleFile, r.OrigFile);
    EXPECT_FALSE(fs::exists(r.FilteredFile));
    EXPECT_FALSE(r.HasFiltered);
  }
  ModalAnswers user;
  user.Then(AcceptChannels());
  user.Then(Answer(caption, label, "200", "200"));  // N = 2
  Choose(*window, "Среднее квадратичное", true);
  EXPECT_EQ(Codes(r.FilteredFile), (std::vector<int16_t>{3, 3, 1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(user.Unexpected(), 0);
}

TEST_F(GraphFilterCommandsTest, SmoothingOffersThreeTenthsInTheUsersFormAndTakesACommaFactor) {
  auto window = NewWindow();
  FillAsExperiment(*window, {0, 10, 10});
  ModalAnswers user;
  user.Then(AcceptChannels());
  const QString initial = QString("0") + QChar(tornel::SystemDecimalSeparator()) + "3";
  user.Then(
      Answer("Фильтр Экспон.сглаживание", "Введите коэф-т сглаживания (0<k<1)", initial, "0,5"));
  Choose(*window, "Экспон. сглаживание");
  EXPECT_EQ(Codes(window->Record().FilteredFile), (std::vector<int16_t>{0, 5, 7}));
  EXPECT_EQ(user.Unexpected(), 0);
}

TEST_F(GraphFilterCommandsTest, AbsoluteValueThenShowingAndSavingTheFilteredSamples) {
  auto window = NewWindow();
  const std::string raw = FillAsExperiment(*window, {-5, 6, -32768});
  const tornel::TGraphRecord& r = window->Record();
  {
    ModalAnswers user;
    user.Then(graphtest::CancelDialog());  // the channel choice: nothing happens
    Choose(*window, "Модуль сигнала");
    EXPECT_FALSE(r.HasFiltered);
  }
  ModalAnswers user;
  user.Then(AcceptChannels());
  Choose(*window, "Модуль сигнала");
  EXPECT_EQ(Codes(r.FilteredFile), (std::vector<int16_t>{5, 6, -32768}));

  Choose(*window, "Отфильтрованные данные");
  EXPECT_EQ(r.SampleFile, raw);
  EXPECT_FALSE(window->Actions().AShowFiltered->isChecked());
  Choose(*window, "Отфильтрованные данные");
  EXPECT_EQ(r.SampleFile, r.FilteredFile);
  EXPECT_TRUE(window->Actions().AShowFiltered->isChecked());

  QString warning;
  user.Then([&](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Сохранение отфильтрованных данных");
    Press(QMessageBox::Ok, &warning)(w);
  });
  Choose(*window, "Сохранить отфильтрованные данные", true);
  EXPECT_EQ(warning, "После сохранения восстановить исходный сигнал будет невозможно");
  EXPECT_EQ(Codes(raw), (std::vector<int16_t>{5, 6, -32768}));
  EXPECT_EQ(r.SampleFile, raw);
  EXPECT_NE(r.Summaries.Find<int16_t>(raw, 1), nullptr);  // moved with the file
  EXPECT_FALSE(fs::exists(r.FilteredFile));
  EXPECT_FALSE(window->Actions().AShowFiltered->isEnabled());
  EXPECT_FALSE(window->Actions().ASaveFiltered->isEnabled());
  EXPECT_EQ(user.Unexpected(), 0);
}

TEST_F(GraphFilterCommandsTest, AStaticRecordIsSortedByTheChosenChannelOfTheTable) {
  table.ChanName[0] = "Ток";
  table.ChanName[16] = "Uз";
  auto window = NewWindow();
  FillAsExperiment(*window, {});
  tornel::TGraphRecord& r = window->Record();
  r.IsStatic = true;
  r.CapMask = 1;
  r.ChanName[16] = "другое имя";
  tornel::testing::WriteBytes(r.OrigFile, Int16Bytes({10, 2, 20, 2, 30, 1}));
  window->RefreshPicture();
  const GraphActions& a = window->Actions();
  EXPECT_FALSE(a.AHanning->isVisible());
  EXPECT_FALSE(a.ASrKwad->isVisible());
  EXPECT_FALSE(a.AExpSmooth->isVisible());
  EXPECT_TRUE(a.AVipr->isVisible());
  EXPECT_TRUE(a.ASort->isVisible());

  ModalAnswers user;
  QString warning;
  QStringList items;
  user.Then([&](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Сортировка");
    Press(QMessageBox::Ok, &warning)(w);
  });
  user.Then([&](QWidget* w) {
    auto* dialog = qobject_cast<TComboDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Label1()->text(), "Коорд.");
    for (int i = 0; i < dialog->ComboBox1()->count(); ++i)
      items << dialog->ComboBox1()->itemText(i);
    EXPECT_EQ(dialog->ComboBox1()->currentIndex(), 0);
    dialog->ComboBox1()->setCurrentIndex(1);
    dialog->Button5()->click();
  });
  Choose(*window, "Сортировка");
  EXPECT_EQ(warning, "Отменить результаты сортировки будет невозможно");
  EXPECT_EQ(items, (QStringList{"Ток", "Uз"}));
  EXPECT_EQ(Codes(r.OrigFile), (std::vector<int16_t>{30, 1, 20, 2, 10, 2}));
  EXPECT_FALSE(a.AShowFiltered->isEnabled());
  EXPECT_EQ(user.Unexpected(), 0);
}

}  // namespace
