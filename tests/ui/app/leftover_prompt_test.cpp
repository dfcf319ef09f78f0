#include "ui/app/leftover_prompt.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <filesystem>

#include "core/records/graph_record.h"
#include "core/records/recovery_note.h"
#include "main_form_fixture.h"
#include "tests/ui/support/modal_driver.h"
#include "ui/graph/graph_frm.h"

namespace {

using tornel::testing::OnNextModal;
namespace fs = std::filesystem;

// What a killed program leaves: samples and a note, nobody holding the lock.
void LeaveCrash(const std::string& sample, tornel::RecordingKind kind, std::size_t bytes) {
  tornel::testing::WriteBytes(sample, std::string(bytes, '\x02'));
  tornel::RecoveryNote note;
  note.Kind = kind;
  note.Pid = 99999999;
  note.Date = 46000.0;
  note.Time = 0.5;
  note.ChanName[0] = "Ток";
  note.Base[0] = note.RealBase[0] = 1.0;
  if (kind == tornel::RecordingKind::Static) {
    note.AcpMask = 0xFFFF;
    note.CapMask = 3;
  } else {
    note.AcpMask = 0x0001;
    note.RateElapsedMs = 1000;
    note.RateCount = 100;  // 10 ms a scan
  }
  note.Write(tornel::NotePathFor(sample));
}

void Answer(QWidget* w, QMessageBox::StandardButton button) {
  auto* box = qobject_cast<QMessageBox*>(w);
  ASSERT_NE(box, nullptr);
  box->button(button)->click();
}

class LeftoverPromptTest : public MainFormTest {
protected:
  LeftoverPromptTest() {
    fs::create_directory(Folder());
    LeaveCrash(Folder() + "/Trn0", tornel::RecordingKind::Transient, 2 * 250);
    LeaveCrash(Folder() + "/TrSt0", tornel::RecordingKind::Static, 36 * 4);
  }
  std::string Folder() const { return dir.File("tmp"); }
  void Offer() { OfferLeftoverRecordings(Form(), {Folder()}); }
  QList<QMdiSubWindow*> Children() { return Form().MdiArea()->subWindowList(); }
};

TEST_F(LeftoverPromptTest, YesOpensEveryRecordingAsAnUnsavedGraph) {
  QString question;
  OnNextModal([&](QWidget* w) {
    question = qobject_cast<QMessageBox*>(w)->text();
    Answer(w, QMessageBox::Yes);
  });
  Offer();
  EXPECT_EQ(question, QStringLiteral("Найдены несохранённые записи: 2. Открыть их?"));
  ASSERT_EQ(Children().size(), 2);
  QStringList captions;
  for (auto* child : Children()) {
    captions << child->windowTitle();
    auto* graph = qobject_cast<TGraphFrm*>(child->widget());
    ASSERT_NE(graph, nullptr);
    const tornel::TGraphRecord& record = graph->Record();
    if (record.IsStatic) {
      EXPECT_EQ(record.Duration, 4.0);
    } else {
      EXPECT_DOUBLE_EQ(record.Duration, 2.5);  // 250 scans at 10 ms
      EXPECT_EQ(record.ChanName[0], "Ток");
    }
  }
  captions.sort();
  EXPECT_EQ(captions, (QStringList{QStringLiteral("Переходная характеристика 1"),
                                   QStringLiteral("Статическая характеристика 2")}));
  // Still unsaved: the notes stay until the windows save or close.
  EXPECT_TRUE(fs::exists(Folder() + "/Trn0.note"));
  // Closing asks to save each; without saving, both go with their notes.
  tornel::testing::ModalAnswers answers([](QWidget* w) { Answer(w, QMessageBox::No); });
  Form().MdiArea()->closeAllSubWindows();
  Settle();
  EXPECT_EQ(answers.Seen(), 2);
  EXPECT_TRUE(fs::is_empty(Folder()));
}

TEST_F(LeftoverPromptTest, NoThenYesDeletesThem) {
  OnNextModal([&](QWidget* w) {
    OnNextModal([&](QWidget* again) {
      EXPECT_EQ(qobject_cast<QMessageBox*>(again)->text(), QStringLiteral("Удалить их?"));
      Answer(again, QMessageBox::Yes);
    });
    Answer(w, QMessageBox::No);
  });
  Offer();
  EXPECT_TRUE(Children().isEmpty());
  EXPECT_TRUE(fs::is_empty(Folder()));
}

TEST_F(LeftoverPromptTest, CancelKeepsThemForTheNextStart) {
  OnNextModal([&](QWidget* w) { Answer(w, QMessageBox::Cancel); });
  Offer();
  EXPECT_TRUE(Children().isEmpty());
  EXPECT_EQ(tornel::FindLeftoverRecordings({Folder()}).size(), 2u);
}

}  // namespace
