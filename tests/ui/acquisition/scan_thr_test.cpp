#include "ui/acquisition/scan_thr.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <memory>
#include <thread>

#include "tests/ui/support/modal_driver.h"
#include "transient_fixture.h"

namespace {

std::unique_ptr<TScanThr> MakeThread(TMainForm& form, const std::string& file) {
  auto thread =
      std::make_unique<TScanThr>(form.Device(), form.Channels(), form.Clock(), form.Priority());
  thread->Request.FileName = file;
  thread->Request.CapZero[0] = thread->Request.CapZero[1] = 511;
  return thread;
}

TEST_F(TransientTest, ThreadThatNeverStartedNeedsNoWaiting) {
  auto thread = MakeThread(Form(), dir.File("Trn1"));
  thread->WaitFor();
  EXPECT_FALSE(thread->isRunning());
  EXPECT_EQ(thread->Result.Count, 0);
  thread.reset();
  EXPECT_FALSE(std::filesystem::exists(dir.File("Trn1")));
}

TEST_F(TransientTest, HourglassShowsWhileTheThreadRecordsAndGoesAfterwards) {
  auto thread = MakeThread(Form(), dir.File("Trn1"));
  thread->Request.AcpMask = 0x0001;
  thread->Request.Duration = 0.010;
  // The scan thread holds its first read until the GUI thread has looked at
  // the cursor, which it can only do while its wait keeps the loop running.
  std::atomic<bool> looked{false};
  std::atomic<int> shapeSeen{-1};
  device.SetReadHook([&](int16_t) {
    while (!looked.load()) std::this_thread::yield();
  });
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (looked.load()) return;
    const QCursor* cursor = QGuiApplication::overrideCursor();
    if (cursor == nullptr) return;  // the thread has not reached its first step yet
    shapeSeen = cursor->shape();
    looked = true;
  });
  look.start(1);
  thread->start();
  thread->WaitFor();
  EXPECT_EQ(shapeSeen.load(), Qt::WaitCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(thread->Result.Count, 10);
}

TEST_F(TransientTest, ClicksDuringARecordingAreDroppedNotReplayedAfterIt) {
  QPushButton button(QStringLiteral("Файл"));
  button.show();
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
  auto thread = MakeThread(Form(), dir.File("Trn1"));
  thread->Request.AcpMask = 0x0001;
  thread->Request.Duration = 0.010;
  thread->StartButtonOff = [&] { tornel::testing::PostClick(&button); };
  thread->start();
  thread->WaitFor();
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 0);
  tornel::testing::PostClick(&button);  // the same click after the recording acts
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 1);
}

TEST_F(TransientTest, DestroyingARunningThreadEndsTheRunAndLeavesTheDacsAtZero) {
  auto thread = MakeThread(Form(), dir.File("Trn1"));
  thread->Request.AcpMask = 0x0001;
  thread->Request.CapMask = 0x0003;
  thread->Request.DriveCap = true;
  thread->Request.Amplitude[0] = 200;
  thread->Request.Amplitude[1] = -150;
  thread->Request.Duration = 1e6;  // far longer than the test
  std::atomic<bool> scanning{false};
  device.SetReadHook([&](int16_t) { scanning = true; });
  thread->start();
  while (!scanning.load()) QCoreApplication::processEvents();
  thread.reset();
  EXPECT_EQ(device.LastCode(0), 511);
  EXPECT_EQ(device.LastCode(1), 511);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(priority.calls.back(), "thread 0");
}

}  // namespace
