// Every window and dialog at the size it opens with: no label, button, tab,
// header or legend text is cut. Runs on the offscreen platform; under
// `QT_QPA_PLATFORM=xcb xvfb-run -a` it checks the X11 fonts as well.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <functional>
#include <memory>

#include "core/scheme/block_factory.h"
#include "core/scheme/block_values_edit.h"
#include "core/scheme/fixed_text_measure.h"
#include "main_form_fixture.h"
#include "tests/support/scoped_env.h"
#include "tests/ui/graph/graph_test_support.h"
#include "tests/ui/support/fake_window_host.h"
#include "tests/ui/support/modal_driver.h"
#include "tests/ui/support/text_fit.h"
#include "ui/acquisition/acp_dlg.h"
#include "ui/acquisition/cap_dlg.h"
#include "ui/acquisition/per_dlg.h"
#include "ui/acquisition/recording_progress.h"
#include "ui/app/about_box.h"
#include "ui/app/page_setup_dialog.h"
#include "ui/app/text_form.h"
#include "ui/config/main_nastr.h"
#include "ui/graph/gr_dlg.h"
#include "ui/graph/graph_actions.h"
#include "ui/graph/graph_legend_box.h"
#include "ui/graph/grid_frm.h"
#include "ui/scheme/input_par.h"
#include "ui/scheme/rasch_dlg.h"
#include "ui/scheme/struct_frm.h"
#include "ui/static/auto_stat_dlg.h"
#include "ui/static/combo_dlg.h"
#include "ui/static/sel_coord.h"
#include "ui/static/sel_coord2.h"
#include "ui/static/stat_nastr.h"
#include "ui/static/static_dlg.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/progress_dlg.h"
#include "ui/widgets/titled_message_box.h"

namespace {

using graphtest::Settle;
using tornel::testing::ClippedTexts;
using tornel::testing::OnNextModal;

// The texts of `window` that do not fit. With TORNEL_GRAB_DIR set, its
// picture is saved there as well, to look at.
QStringList Look(QWidget* window) {
  const QString folder = qEnvironmentVariable("TORNEL_GRAB_DIR");
  if (!folder.isEmpty()) {
    window->grab().save(folder + "/" + window->metaObject()->className() + "_" +
                        QString::number(reinterpret_cast<quintptr>(window) % 9973) + ".png");
  }
  return ClippedTexts(window);
}

// Shows a window that is not modal at the size it makes for itself.
QStringList ClippedWhenShown(QWidget& window) {
  window.show();
  Settle();
  return Look(&window);
}

// Looks at the next modal window and cancels it.
void LookAtNextModal(QStringList& found, QString* title = nullptr) {
  OnNextModal([&found, title](QWidget* w) {
    Settle();
    found = Look(w);
    if (title != nullptr) *title = w->windowTitle();
    if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
  });
}

// Runs `open`, which shows one modal window, and cancels that window after
// looking at it.
QStringList ClippedInModal(const std::function<void()>& open, QString* title = nullptr) {
  QStringList found;
  LookAtNextModal(found, title);
  open();
  return found;
}

void ExpectWhole(const std::string& window, const QStringList& clipped) {
  EXPECT_TRUE(clipped.isEmpty()) << window << ":\n" << clipped.join('\n').toStdString();
}

// The check itself: each kind of text, cut and then given its room.
TEST(ClippedTexts, FindsEachKindOfCutTextAndPassesItWhole) {
  struct Case {
    const char* text;  // a text that is cut
    std::function<QWidget*(QWidget*)> make;
    std::function<void(QWidget*)> giveRoom;
  };
  auto grow = [](QWidget* w) { w->resize(400, 60); };
  const Case cases[] = {
      {"Базовое значение", [](QWidget* p) { return new QLabel("Базовое значение", p); }, grow},
      {"Строка\nи вторая", [](QWidget* p) { return new QLabel("Строка\nи вторая", p); }, grow},
      {"Продолжить", [](QWidget* p) { return new QPushButton("&Продолжить", p); }, grow},
      {"Использовать фильтр", [](QWidget* p) { return new QCheckBox("Использовать фильтр", p); },
       grow},
      {"Смещение нуля ЦАП", [](QWidget* p) { return new QGroupBox("Смещение нуля ЦАП", p); }, grow},
      {"Сигналы\" behind the scroll arrows",
       [](QWidget* p) {
         auto* tabs = new QTabWidget(p);
         for (const char* t : {"Наименования каналов", "Приоритеты процессов", "Сигналы"})
           tabs->addTab(new QWidget, t);
         return tabs;
       },
       [](QWidget* w) { w->resize(700, 100); }},
      {"W, рад/с",
       [](QWidget* p) {
         auto* table = new QTableWidget(1, 1, p);
         table->setHorizontalHeaderLabels({"W, рад/с"});
         table->setItem(0, 0, new QTableWidgetItem("138.333"));
         table->horizontalHeader()->resizeSection(0, 20);
         return table;
       },
       [](QWidget* w) {
         w->resize(300, 200);
         static_cast<QTableWidget*>(w)->resizeColumnsToContents();
       }},
  };
  for (const Case& c : cases) {
    QWidget window;
    QWidget* w = c.make(&window);
    window.resize(800, 300);
    window.show();
    w->resize(24, 12);
    Settle();
    const QStringList cut = ClippedTexts(&window);
    EXPECT_TRUE(cut.join('\n').contains(QString("\"") + c.text)) << cut.join('\n').toStdString();
    c.giveRoom(w);
    Settle();
    ExpectWhole(c.text, ClippedTexts(&window));
  }
}

class TextsWholeTest : public ::testing::Test {
protected:
  TextsWholeTest() {
    host.table.ConfigPath = dir.File("Tornel.ini");
    host.clock.SetAutoAdvance(1);
  }

  tornel::testing::TempDir dir;
  tornel::testing::ScopedEnv tmpEnv{"TMP", dir.Path().string()};
  tornel::testing::ScopedTmpDir tmp{dir.Path().string()};
  tornel::testing::FakeWindowHost host;
};

TEST_F(TextsWholeTest, SmallWindowsOfTheMainWindow) {
  TTextForm text;
  ExpectWhole("TTextForm", ClippedWhenShown(text));
  TAboutBox about;
  ExpectWhole("TAboutBox", ClippedWhenShown(about));
  PageSetupDialog page;
  ExpectWhole("PageSetupDialog", ClippedWhenShown(page));
  TProgressDlg progress;
  progress.setWindowTitle(QStringLiteral("Калибровка уровня нуля АЦП"));
  ExpectWhole("TProgressDlg", ClippedWhenShown(progress));
}

TEST_F(TextsWholeTest, SettingsDialogs) {
  ExpectWhole("TMainNastr", ClippedInModal([&] { EditParams(host.table, nullptr); }));
  ExpectWhole("TACPDlg", ClippedInModal([&] { EditAcpSettings(host); }));
  ExpectWhole("TCAPDlg", ClippedInModal([&] { EditCapSettings(host); }));
}

TEST_F(TextsWholeTest, TransientDialogAndItsRecordingProgress) {
  TPerDlg dialog(host);
  ExpectWhole("TPerDlg", ClippedWhenShown(dialog));
  auto* progress = dialog.findChild<RecordingProgress*>();
  ASSERT_NE(progress, nullptr);
  progress->Start(1000.0);
  Settle();
  ExpectWhole("RecordingProgress", Look(&dialog));
  progress->Stop();
}

TEST_F(TextsWholeTest, StaticWindowWithAPointAndItsDialogs) {
  TStaticDlg dialog(host);
  dialog.LoadSettings();
  // W (ADC 6, 188 рад/с) at 376 codes reads 138.348: the widest value.
  host.device.SetConstant(5, 376);
  host.device.SetConstant(0, -511);
  dialog.show();
  Settle();
  ASSERT_TRUE(dialog.RecordPoint());
  ExpectWhole("TStaticDlg", Look(&dialog));

  ExpectWhole("TAutoStatDlg", ClippedInModal([&] { AskAutoStart(host, &dialog); }));
  ExpectWhole("TStatNastr", ClippedInModal([&] { EditFilterMask(host.table, &dialog); }));
  ExpectWhole("TComboDlg", ClippedInModal([&] {
                TComboDlg::PickOne(&dialog, QStringLiteral("Коорд.№1"),
                                   {QStringLiteral("Ica"), QStringLiteral("W")}, 0);
              }));
  dialog.reject();
}

TEST_F(TextsWholeTest, MessageBoxesShowTheProgramsTitleWhole) {
  const std::pair<const char*, std::function<void()>> boxes[] = {
      {"h = ", [] { ErrorBox::ShowPlain(nullptr, "h = 0.00100"); }},
      {"error", [] { ErrorBox::Show(nullptr, "Ошибка"); }},
      {"question", [] { TitledMessageBox::Ask(nullptr, "Да?"); }},
      // An informative text lays the box out anew.
      {"informative",
       [] {
         TitledMessageBox box(QMessageBox::Question, "Да?", QMessageBox::Yes);
         box.setInformativeText("1");
         box.exec();
       }},
  };
  for (const auto& [name, open] : boxes) {
    QString title;
    ExpectWhole(name, ClippedInModal(open, &title));
    EXPECT_EQ(title, "TornelAD") << name;
  }
}

class GraphTextsTest : public graphtest::GraphWindowTest {};

TEST_F(GraphTextsTest, GraphWindowItsLegendAndItsDialogs) {
  table.ChanName[0] = "Канал 1";
  table.Base[0] = 10000.0;  // the table shows values up to -7827.789
  auto window = NewWindow();
  FillAsExperiment(*window, Sine(200));
  ExpectWhole("TGraphFrm", Look(window.get()));
  window->ACursorsExecute(true);
  Settle();
  ExpectWhole("TGraphFrm with cursors", Look(window.get()));
  window->ACursorsExecute(false);

  // The legend is drawn, not laid out: its widest line with half a line
  // each side must lie inside the box.
  auto* legend = window->findChild<GraphLegendBox*>(QStringLiteral("LegendPaintBox"));
  ASSERT_NE(legend, nullptr);
  const QFontMetrics fm(legend->font());
  const int lh = static_cast<int>(1.2 * fm.height());
  EXPECT_LE(lh / 2 + fm.horizontalAdvance(QStringLiteral("Канал 1(t)")) + lh / 2, legend->width());

  tornel::TGraphRecord& r = window->Record();
  ExpectWhole("TGrDlg", ClippedInModal([&] { EditRecordSettings(r, "", window.get()); }));
  ExpectWhole("TSelCoord", ClippedInModal([&] { SelectFilterChannels(r, window.get()); }));
  ExpectWhole("TSelCoord2", ClippedInModal([&] { SelectTableChannels(r, window.get()); }));

  QStringList input;
  OnNextModal([&input](QWidget* channels) {
    LookAtNextModal(input);
    static_cast<QDialog*>(channels)->accept();
  });
  window->Actions().ASrKwad->trigger();
  ExpectWhole("QInputDialog", input);

  OnNextModal([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
  window->ATableExecute();
  Settle();
  ASSERT_NE(window->TableView(), nullptr);
  ExpectWhole("TGridFrm", Look(window->TableView()));
}

TEST_F(GraphTextsTest, TheLegendWidensForNewLinesButKeepsAWidthTheUserDragged) {
  auto window = NewWindow();
  FillAsExperiment(*window, Sine(200));
  auto* splitter = window->findChild<QSplitter*>(QStringLiteral("Splitter_legend"));
  auto* legend = window->findChild<GraphLegendBox*>(QStringLiteral("LegendPaintBox"));
  ASSERT_NE(splitter, nullptr);
  ASSERT_NE(legend, nullptr);
  EXPECT_EQ(legend->width(), 65) << "a short name leaves the legend as designed";

  QList<int> sizes = splitter->sizes();
  sizes[0] += 30;
  sizes[1] -= 30;
  splitter->setSizes(sizes);  // the user drags it narrower
  window->RefreshPicture();
  Settle();
  EXPECT_EQ(legend->width(), 35);

  window->Record().ChanName[0] = "Частота вращения";
  window->RefreshPicture();
  Settle();
  const QFontMetrics fm(legend->font());
  const int lh = static_cast<int>(1.2 * fm.height());
  EXPECT_GE(legend->width(), fm.horizontalAdvance(QStringLiteral("Частота вращения(t)")) + lh);
}

class SchemeTextsTest : public TextsWholeTest {};

TEST_F(SchemeTextsTest, SchemeWindowAndItsDialogs) {
  auto* window = new TStructFrm(host);
  host.AddChild(window);
  Settle();
  ExpectWhole("TStructFrm", Look(window));
  ExpectWhole("TRaschDlg", ClippedInModal([&] {
                TRaschDlg dialog(window);
                dialog.Show({});
                dialog.exec();
              }));
  const tornel::FixedTextMeasure measure;
  const tornel::BlockFactory factory(measure, host.table);
  for (int kind = 1; kind <= 19; ++kind) {
    std::unique_ptr<tornel::TBlock> block = factory.CreateBlock(kind);
    if (tornel::ParamRows(*block).empty()) continue;
    ExpectWhole(tornel::DialogCaption(*block),
                ClippedInModal([&] { TInputPar::Ask(*block, window); }));
  }
  host.Area().closeAllSubWindows();
  Settle();
}

TEST_F(MainFormTest, MainWindowAtStart) {
  Form().show();
  Settle();
  ExpectWhole("TMainForm", Look(&Form()));
}

}  // namespace
