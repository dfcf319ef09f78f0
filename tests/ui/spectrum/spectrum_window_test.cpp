#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "core/spectrum/spectrum_plot.h"
#include "tests/ui/graph/graph_test_support.h"
#include "ui/app/spectrum_flow.h"
#include "ui/graph/graph_actions.h"
#include "ui/spectrum/spectrum_actions.h"
#include "ui/spectrum/spectrum_dlg.h"
#include "ui/spectrum/spectrum_frm.h"

namespace {

using graphtest::ChooseFile;
using graphtest::ModalAnswers;
using graphtest::Settle;
using tornel::testing::Child;
using tornel::testing::Dismiss;
using tornel::testing::MessageText;
using tornel::testing::OnNextModal;
using tornel::testing::Press;
using tornel::testing::Retype;

QString Number(double v) {
  return QString::fromStdString(tornel::FormatGeneral(v, tornel::SystemDecimalSeparator()));
}

double CellNumber(const QTableWidget* table, int row, int column) {
  QString text = table->item(row, column)->text();
  text.replace(QLatin1Char(tornel::SystemDecimalSeparator()), QLatin1Char('.'));
  return text.toDouble();
}

// A graph window of 1000 frames over 1 s whose ADC 1 ("Ia", А) carries
// 400 codes at 50 Hz with 40 codes at 150 Hz (THD 10 %) and whose ADC 2
// ("Ua", В) carries 300 codes at 100 Hz on 1000 codes; one code is one unit.
class SpectrumWindowTest : public graphtest::GraphWindowTest {
protected:
  void SetUp() override {
    table.ChanName[0] = "Ia";
    table.ChanUnit[0] = "А";
    table.ChanName[1] = "Ua";
    table.ChanUnit[1] = "В";
    for (int s : {0, 1}) table.Base[s] = table.RealBase[s] = 511;
    graph = NewWindow();
    graph->setWindowTitle("Переходная характеристика 1");
    std::vector<int16_t> codes;
    for (int i = 0; i < 1000; ++i) {
      const double t = i / 1000.0;
      const double w = 2 * std::numbers::pi;
      codes.push_back(static_cast<int16_t>(
          std::lround(400 * std::sin(w * 50 * t) + 40 * std::sin(w * 150 * t))));
      codes.push_back(static_cast<int16_t>(std::lround(1000 + 300 * std::sin(w * 100 * t))));
    }
    FillAsExperiment(*graph, {});
    tornel::TGraphRecord& r = graph->Record();
    r.AcpMask = r.AcpShowMask = 0b11;
    tornel::testing::WriteBytes(r.SampleFile, tornel::testing::Int16Bytes(codes));
    graph->RefreshPicture();
    Settle();
  }

  QAction* PopupSpectrum() const {
    for (QAction* a : graph->PMGraph()->actions()) {
      if (a->text() == "Спектр...") return a;
    }
    ADD_FAILURE() << "no Спектр... in the popup";
    return nullptr;
  }

  // The spectrum windows in the host's area.
  QList<TSpectrumFrm*> SpectrumWindows() {
    QList<TSpectrumFrm*> found;
    for (QMdiSubWindow* w : host.Area().subWindowList()) {
      if (auto* s = qobject_cast<TSpectrumFrm*>(w->widget())) found.append(s);
    }
    return found;
  }

  std::unique_ptr<TGraphFrm> graph;
};

TEST_F(SpectrumWindowTest, CommandAsksAndOpensTheChosenChannelOverTheShownRange) {
  EXPECT_FALSE(graph->Actions().ASpectrum->isEnabled()) << "nobody opens spectra yet";
  ConnectSpectrumCommand(host, *graph);
  ASSERT_TRUE(PopupSpectrum()->isEnabled());
  graph->Record().TMin = 0.2;  // zoomed to 0.2 .. 0.8 s: 600 frames
  graph->Record().TMax = 0.8;

  ModalAnswers user;
  user.Then([](QWidget* w) {
    auto* dialog = qobject_cast<TSpectrumDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Спектр");
    QStringList channels;
    for (int i = 0; i < dialog->ChannelBox()->count(); ++i) {
      channels << dialog->ChannelBox()->itemText(i);
    }
    EXPECT_EQ(channels, QStringList({"Ia, А", "Ua, В"}));
    EXPECT_EQ(dialog->FromEdit()->text(), Number(0.2));
    EXPECT_EQ(dialog->ToEdit()->text(), Number(0.8));
    EXPECT_EQ(dialog->WindowBox()->currentText(), "Хеннинга");
    EXPECT_EQ(dialog->HarmonicsBox()->value(), 40);
    dialog->ChannelBox()->setCurrentIndex(1);
    dialog->HarmonicsBox()->setValue(4);
    Press(dialog, "OkButton");
  });
  PopupSpectrum()->trigger();
  Settle();
  ASSERT_EQ(SpectrumWindows().size(), 1);
  TSpectrumFrm* s = SpectrumWindows().front();
  EXPECT_EQ(s->windowTitle(), "Спектр: Ua — Переходная характеристика 1");
  EXPECT_EQ(s->findChild<QTextEdit*>("MCaption")->toPlainText(), "Спектр: Ua");
  const QTableWidget* table = s->HarmonicTable();
  ASSERT_EQ(table->rowCount(), 4);
  EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "A, В");
  EXPECT_NEAR(CellNumber(table, 0, 1), 100, 0.01);
  // The codes' rounding repeats with every period: up to half a code.
  EXPECT_NEAR(CellNumber(table, 0, 2), 300, 0.5);
  EXPECT_NEAR(CellNumber(table, 3, 1), 400, 0.01);
  const QString summary = s->findChild<QTextEdit*>("MBase")->toPlainText();
  EXPECT_TRUE(summary.contains("Постоянная составляющая 1000")) << summary;
  EXPECT_TRUE(summary.contains("600 отсчётов")) << summary;
  EXPECT_EQ(user.Unexpected(), 0);
}

TEST_F(SpectrumWindowTest, DialogKeepsAWindowThatGivesNoSpectrumAndSaysWhy) {
  ConnectSpectrumCommand(host, *graph);
  ModalAnswers user;
  QString message;
  bool stayed = false;
  user.Then([&](QWidget* w) {
    auto* dialog = qobject_cast<TSpectrumDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    Retype(dialog->FromEdit(), "0,995");
    OnNextModal([&](QWidget* box) {
      message = MessageText(box);
      Dismiss(box);
    });
    Press(dialog, "OkButton");
    stayed = dialog->isVisible();
    dialog->reject();
  });
  PopupSpectrum()->trigger();
  Settle();
  EXPECT_EQ(message, "Слишком мало отсчётов для спектра");
  EXPECT_TRUE(stayed);
  EXPECT_TRUE(SpectrumWindows().isEmpty());
}

TEST_F(SpectrumWindowTest, RecordsWithoutASpectrumAreToldSoWithoutADialog) {
  ConnectSpectrumCommand(host, *graph);
  struct Case {
    bool isStatic;
    uint16_t shown;
    QString message;
  };
  const Case cases[] = {
      {true, 0b11,
       "Спектр строится только для переходного процесса, а это статическая характеристика"},
      {false, 0, "На графике не показан ни один канал: спектр строится для показанного"},
  };
  for (const Case& c : cases) {
    graph->Record().IsStatic = c.isStatic;
    graph->Record().AcpShowMask = c.shown;
    ModalAnswers user;
    QString message;
    user.Then([&](QWidget* w) {
      message = MessageText(w);
      Dismiss(w);
    });
    PopupSpectrum()->trigger();
    Settle();
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(user.Unexpected(), 0);
    EXPECT_TRUE(SpectrumWindows().isEmpty());
  }
}

// The spectrum window made straight from the graph's record, ADC 1.
class SpectrumFrmTest : public SpectrumWindowTest {
protected:
  void SetUp() override {
    SpectrumWindowTest::SetUp();
    std::optional<tornel::SpectrumPlot> plot = tornel::SpectrumPlot::Make(graph->Record(), {});
    ASSERT_TRUE(plot.has_value());
    window = std::make_unique<TSpectrumFrm>(host, std::move(*plot), graph->windowTitle());
    window->show();
    Settle();
  }
  QImage Picture() {
    window->PaintBox()->RenderNow();
    return window->PaintBox()->grab().toImage();
  }
  std::unique_ptr<TSpectrumFrm> window;
};

TEST_F(SpectrumFrmTest, MenusOfferScaleRangeAndOutputs) {
  const QList<QMenu*> menus = window->ChildMenus();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->title(), "&Файл");
  EXPECT_EQ(menus[1]->title(), "Спектр");
  QStringList captions;
  for (QAction* a : window->Popup()->actions()) captions << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(captions, QStringList({"Линейная шкала", "Логарифмическая шкала", "-", "Весь спектр",
                                   "-", "Скопировать в буфер", "Скопировать таблицу гармоник",
                                   "Экспорт изображения..."}));
  QStringList menuCaptions;
  for (QAction* a : menus[1]->actions()) menuCaptions << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(menuCaptions, captions);
}

TEST_F(SpectrumFrmTest, LogarithmicScaleRedrawsAndLinearComesBack) {
  const QImage linear = Picture();
  window->Actions().ALogScale->trigger();
  const QImage log = Picture();
  EXPECT_NE(log, linear);
  EXPECT_EQ(window->Plot().Record().Titles.Y, "lg A");
  EXPECT_FALSE(window->Actions().ALinearScale->isChecked());
  window->Actions().ALinearScale->trigger();
  EXPECT_EQ(Picture(), linear);

  // A zoomed frequency range comes back whole.
  tornel::TGraphRecord& r = const_cast<tornel::TGraphRecord&>(window->Plot().Record());
  r.TMin = 100;
  r.TMax = 120;
  window->Actions().AWholeSpectrum->trigger();
  EXPECT_EQ(r.TMin, 0);
  EXPECT_EQ(r.TMax, r.Duration);
}

TEST_F(SpectrumFrmTest, TableAndPictureGoToTheClipboard) {
  window->Actions().ACopyTable->trigger();
  const QString text = QGuiApplication::clipboard()->text();
  const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), window->HarmonicTable()->rowCount() + 1);
  EXPECT_EQ(lines[0], "№\tf, Гц\tA, А\t%");
  EXPECT_TRUE(lines[3].startsWith("3\t150")) << lines[3];
  QString share = lines[3].section('\t', 3);
  share.replace(QLatin1Char(tornel::SystemDecimalSeparator()), QLatin1Char('.'));
  EXPECT_NEAR(share.toDouble(), 10, 0.05) << lines[3];

  window->Actions().ACopy->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), window->size());
}

// The harmonic table stands under the legend on the page and in pictures:
// the legend's area is darker with it than without it.
TEST_F(SpectrumFrmTest, PageAndPictureCarryTheHarmonicTable) {
  GraphPagePrinter page = window->PagePrinter();
  EXPECT_EQ(page.legendTable, window->HarmonicText());
  const QSize sheet(2969, 2100);
  auto legendInk = [&](const GraphPagePrinter& p) {
    QImage image(sheet, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      p.Paint(const_cast<tornel::TGraphRecord&>(window->Plot().Record()), painter, sheet, true);
    }
    const tornel::PageAreas areas = tornel::PlaceAreas(p.Layout(sheet).page);
    int dark = 0;
    for (int y = areas.legend.Top; y < areas.legend.Bottom; ++y) {
      for (int x = areas.legend.Left; x < areas.legend.Right; ++x)
        dark += qGray(image.pixel(x, y)) < 128;
    }
    return dark;
  };
  GraphPagePrinter bare = page;
  bare.legendTable.clear();
  EXPECT_GT(legendInk(page), legendInk(bare) + 1000);

  ModalAnswers user;
  const QString png = QString::fromStdString(dir.File("spectrum.png"));
  user.Then(ChooseFile(png));
  window->Actions().AExportImage->trigger();
  const QImage written(png);
  ASSERT_FALSE(written.isNull());
  EXPECT_EQ(written.size(), window->size());
  EXPECT_EQ(user.Unexpected(), 0);
}

TEST_F(SpectrumFrmTest, OutlivesItsGraphWindowAndTakesItsFileAlong) {
  const std::string file = window->Plot().Record().SampleFile;
  graph.reset();
  Settle();
  window->PaintBox()->Invalidate();
  EXPECT_FALSE(Picture().isNull());
  EXPECT_TRUE(std::filesystem::exists(file));
  window.reset();
  EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
