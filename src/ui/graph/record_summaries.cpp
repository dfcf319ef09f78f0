#include "ui/graph/record_summaries.h"

#include <memory>

#include "core/records/graph_record.h"
#include "ui/widgets/progress_dlg.h"

void PrepareRecordSummaries(tornel::TGraphRecord& record, QWidget* parent) {
  if (record.Summaries.PendingBytes(record) < kSummaryProgressBytes) {
    record.Summaries.Prepare(record);
    return;
  }
  constexpr int kSteps = 100;
  TProgressDlg progress(parent);
  progress.setWindowTitle(QStringLiteral("Подготовка графика"));
  progress.SetMax(kSteps);
  progress.show();
  progress.StepIt();
  record.Summaries.Prepare(record, [&](int64_t done, int64_t total) {
    const int step = total > 0 ? static_cast<int>(done * kSteps / total) : kSteps;
    if (step > progress.Position()) {
      progress.SetPosition(step - 1);
      progress.StepIt();
    }
    return true;
  });
}
