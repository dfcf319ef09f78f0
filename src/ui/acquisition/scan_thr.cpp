#include "ui/acquisition/scan_thr.h"

#include <QEventLoop>

#include "core/acquisition/scan_loop.h"
#include "core/acquisition/transient_note.h"
#include "core/records/day_number.h"
#include "ui/widgets/input_discarder.h"

class TScanThr::Hooks final : public tornel::ScanHooks {
public:
  explicit Hooks(TScanThr& thread) : thread_(thread) {}
  void SaveCursorShowBusy() override {
    thread_.InGuiThread([this] { thread_.cursor_.Show(); });
  }
  void DisableStartButton() override {
    thread_.InGuiThread([this] {
      if (thread_.StartButtonOff) thread_.StartButtonOff();
    });
  }
  void RestoreCursor() override {
    thread_.InGuiThread([this] { thread_.cursor_.Restore(); });
  }

private:
  TScanThr& thread_;
};

TScanThr::TScanThr(tornel::Device& device, const tornel::ChannelTable& table,
                   tornel::TickClock& clock, tornel::PriorityControl& priority, QObject* parent)
    : QThread(parent), device_(device), table_(table), clock_(clock), priority_(priority) {
  setObjectName(QStringLiteral("ScanThr"));
}

TScanThr::~TScanThr() {
  if (isRunning()) {
    Terminate();
    WaitFor();
  }
  wait();
}

template <typename Call>
void TScanThr::InGuiThread(Call call) {
  // This object lives in the GUI thread; run() called there directly (not
  // through start) must not wait on itself.
  Qt::ConnectionType type =
      QThread::currentThread() == thread() ? Qt::DirectConnection : Qt::BlockingQueuedConnection;
  QMetaObject::invokeMethod(this, call, type);
}

void TScanThr::WaitFor() {
  QEventLoop loop;
  connect(this, &QThread::finished, &loop, &QEventLoop::quit);
  if (isRunning() && !isFinished()) {
    // Held-back input would be replayed after the wait; it is dropped instead.
    InputDiscarder discarder;
    loop.exec();
  }
  wait();
}

void TScanThr::run() {
  Hooks hooks(*this);
  tornel::DayTime start = tornel::LocalDayTime(std::chrono::system_clock::now());
  tornel::ScanContext context{
      device_, table_, clock_, priority_, hooks, [&] {
        return tornel::UnsavedRecording::Begin(
            Request.FileName, tornel::MakeTransientNote(Request, table_, start.Date, start.Time));
      }};
  Result = tornel::RunScan(Request, context, writer_, terminate_, Note);
}
