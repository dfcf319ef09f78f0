#include "ui/app/transient_flow.h"

#include <algorithm>
#include <memory>

#include "core/records/graph_record.h"
#include "ui/acquisition/per_dlg.h"
#include "ui/graph/graph_frm.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/window_host.h"

QMdiSubWindow* RunTransientFlow(WindowHost& host) {
  std::unique_ptr<TPerDlg> dialog;
  bool made = ErrorBox::Guard(host.DialogParent(), [&] {
    dialog = std::make_unique<TPerDlg>(host);
    dialog->LoadDefaults();
  });
  if (!made || dialog->exec() != QDialog::Accepted) return nullptr;
  // Defaults that cannot be saved must not cost the recording.
  ErrorBox::Guard(host.DialogParent(), [&] { dialog->SaveDefaults(); });
  if (dialog->Settings.AcpMask == 0) return nullptr;  // the dialog deletes its file

  auto* graph = new TGraphFrm(host);
  uint32_t elapsed = dialog->Thread ? dialog->Thread->Result.Elapsed : 0;
  FillTransientRecord(graph->Record(), dialog->Settings, host.Channels().CapCount, elapsed,
                      dialog->ReleaseFile());
  if (dialog->Thread) {
    graph->Record().Unsaved = std::move(dialog->Thread->Note);
    // Built while the scans were written: the window draws without a pass.
    if (auto& summary = dialog->Thread->Result.Summary) {
      graph->Record().Summaries.Put(graph->Record().OrigFile, std::move(*summary));
      summary.reset();
    }
  }
  graph->Record().RecountRecord();
  QMdiSubWindow* window = host.AddChild(graph, QStringLiteral("Переходная характеристика "));
  graph->RefreshPicture();
  return window;
}

void FillTransientRecord(tornel::TGraphRecord& record, const tornel::TransientSettings& settings,
                         int capCount, uint32_t elapsedMs, const std::string& rawFile) {
  // A mask from the configuration file may name DACs beyond those in use,
  // which the scans do not hold; the record must describe the file.
  uint16_t inUse = static_cast<uint16_t>((1u << std::clamp(capCount, 0, 16)) - 1);
  record.Duration = elapsedMs * 0.001;
  record.TMax = record.Duration;
  record.AcpMask = static_cast<uint16_t>(settings.AcpMask);
  record.CapMask = settings.AutoMode ? static_cast<uint16_t>(settings.CapMask & inUse) : 0;
  record.AcpShowMask = record.AcpMask;
  record.CapShowMask = 0;
  record.OrigFile = rawFile;
  record.SampleFile = rawFile;
  record.FilteredFile = rawFile + "f";
}
