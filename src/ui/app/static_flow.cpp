#include "ui/app/static_flow.h"

#include <memory>

#include "core/records/graph_record.h"
#include "ui/graph/graph_frm.h"
#include "ui/static/static_dlg.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/window_host.h"

QMdiSubWindow* RunStaticFlow(WindowHost& host) {
  std::unique_ptr<TStaticDlg> dialog;
  bool made = ErrorBox::Guard(host.DialogParent(), [&] {
    dialog = std::make_unique<TStaticDlg>(host, host.DialogParent());
    dialog->LoadSettings();
  });
  // Without OK, or with too few points, the window deletes its file.
  if (!made || dialog->exec() != QDialog::Accepted) return nullptr;
  // Settings that cannot be saved must not cost the points.
  ErrorBox::Guard(host.DialogParent(), [&] { dialog->SaveSettings(); });
  if (dialog->PointCount() <= 1) return nullptr;

  auto* graph = new TGraphFrm(host);
  int32_t points = dialog->PointCount();
  FillStaticRecord(graph->Record(), points, dialog->ReleasePointFile());
  graph->Record().Unsaved = dialog->ReleaseNote();
  graph->Record().RecountRecord();
  QMdiSubWindow* window = host.AddChild(graph, QStringLiteral("Статическая характеристика "));
  graph->RefreshPicture();
  return window;
}

void FillStaticRecord(tornel::TGraphRecord& record, int32_t points, const std::string& pointFile) {
  record.Duration = points;
  record.TMax = record.Duration;
  record.AcpMask = 0xFFFF;
  record.CapMask = 3;
  record.AcpShowMask = 0;
  record.CapShowMask = 0;
  record.OrigFile = pointFile;
  record.SampleFile = pointFile;
  record.FilteredFile = pointFile + "f";
  record.IsStatic = true;
}
