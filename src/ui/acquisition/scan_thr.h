#pragma once

#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

#include "core/acquisition/raw_sample_writer.h"
#include "core/acquisition/scan_request.h"
#include "core/acquisition/scan_result.h"
#include "core/records/unsaved_recording.h"
#include "ui/widgets/qt_busy_cursor.h"

namespace tornel {
class ChannelTable;
class Device;
class PriorityControl;
class TickClock;
}  // namespace tornel

// The thread that records one transient response. Created not started (the
// suspended state), its Request filled, then start()ed; it stays alive
// after it has finished so that its owner can read the Result (Count,
// Elapsed, Outcome, Message). The cursor and the start button are
// handled in the GUI thread, which must keep its event loop running while it
// waits (WaitFor).
class TScanThr : public QThread {
  Q_OBJECT

public:
  TScanThr(tornel::Device& device, const tornel::ChannelTable& table, tornel::TickClock& clock,
           tornel::PriorityControl& priority, QObject* parent = nullptr);
  // Terminates a run still under way and joins the thread.
  ~TScanThr() override;

  tornel::ScanRequest Request;
  // Valid once the thread has finished.
  tornel::ScanResult Result;
  // The recovery note of the raw file, for the record that takes it.
  std::unique_ptr<tornel::UnsavedRecording> Note;
  // Called in the GUI thread after the scans (the owner's start button goes
  // off); may stay empty.
  std::function<void()> StartButtonOff;

  // Ends the scans after the current one; the DACs still ramp back to zero.
  // (Not QThread::terminate, which would kill the thread mid-write.)
  void Terminate() { terminate_.store(true); }
  // Returns when the thread has finished, running the GUI thread's event
  // loop meanwhile, so that the thread's synchronised calls are served and
  // windows repaint; the user's input in that time is discarded. At once
  // when it never started.
  void WaitFor();

protected:
  void run() override;

private:
  class Hooks;
  // Runs `call` in the GUI thread and waits for it.
  template <typename Call>
  void InGuiThread(Call call);

  tornel::Device& device_;
  const tornel::ChannelTable& table_;
  tornel::TickClock& clock_;
  tornel::PriorityControl& priority_;
  std::atomic<bool> terminate_{false};
  tornel::RawSampleWriter writer_;
  QtBusyCursor cursor_;
};
