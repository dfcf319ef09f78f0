#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/config/channel_table.h"
#include "core/records/graph_record.h"
#include "core/text/number_text.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/fake_window_host.h"
#include "tests/ui/support/modal_driver.h"
#include "tests/ui/support/qt_printers.h"
#include "ui/graph/graph_frm.h"
#include "ui/graph/graph_paint_box.h"

namespace graphtest {

using tornel::testing::ModalAnswers;

// Presses a button of a message box.
inline std::function<void(QWidget*)> Press(QMessageBox::StandardButton button,
                                           QString* text = nullptr) {
  return [button, text](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr) << "not a message box";
    if (text) *text = box->text();
    box->button(button)->click();
  };
}

// Types a file name into a file dialog and accepts it, or cancels it.
inline std::function<void(QWidget*)> ChooseFile(const QString& path) {
  return [path](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr) << "not a file dialog";
    tornel::testing::SelectFileName(dialog, path);
    static_cast<QDialog*>(dialog)->accept();
  };
}
inline std::function<void(QWidget*)> CancelDialog() {
  return [](QWidget* w) {
    auto* dialog = qobject_cast<QDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->reject();
  };
}

// Runs what is waiting in the event loop, deferred deletes included.
inline void Settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

// Graph windows over a channel table whose configuration file lies in a
// temporary folder that also takes every temporary sample file.
class GraphWindowTest : public ::testing::Test {
protected:
  GraphWindowTest() {
    table.ConfigPath = dir.File("Tornel.ini");
    for (int s = 0; s < tornel::kChannelSlots; ++s) {
      table.Base[s] = 1.0;
      table.RealBase[s] = 1.0;
    }
  }

  // A window at its design size, shown and drawn.
  std::unique_ptr<TGraphFrm> NewWindow() {
    auto window = std::make_unique<TGraphFrm>(host);
    window->show();
    Settle();
    return window;
  }

  // Fills a window's record as the transient experiment does: ADC 1 recorded
  // and shown over `duration` seconds, the samples in a new temporary file
  // the record owns. Returns that file's path.
  std::string FillAsExperiment(TGraphFrm& window, const std::vector<int16_t>& codes,
                               double duration = 1.0) {
    tornel::TGraphRecord& r = window.Record();
    const std::string raw = tornel::TGraphRecord::MakeTempName();
    tornel::testing::WriteBytes(raw, tornel::testing::Int16Bytes(codes));
    r.Duration = r.TMax = duration;
    r.AcpMask = r.AcpShowMask = 1;
    r.OrigFile = r.SampleFile = raw;
    r.FilteredFile = raw + "f";
    window.RefreshPicture();
    Settle();
    return raw;
  }

  // One period of a sine of 400 codes over n frames.
  static std::vector<int16_t> Sine(int n) {
    std::vector<int16_t> codes(n);
    for (int i = 0; i < n; ++i) {
      codes[i] = static_cast<int16_t>(std::lround(400 * std::sin(2 * M_PI * i / n)));
    }
    return codes;
  }

  tornel::testing::TempDir dir;
  tornel::testing::ScopedTmpDir tmp{dir.Path().string()};
  tornel::testing::FakeWindowHost host;
  tornel::ChannelTable& table = host.table;
};

}  // namespace graphtest
