#include "ui/app/static_flow.h"

#include <memory>

#include "core/graph/auto_range.h"
#include "core/records/graph_record.h"
#include "ui/graph/graph_frm.h"
#include "ui/static/static_dlg.h"
#include "ui/widgets/busy_scope.h"
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
  tornel::TGraphRecord& record = graph->Record();
  FillStaticRecord(record, points, dialog->ReleasePointFile(), dialog->Coord2, dialog->Coord1);
  record.Unsaved = dialog->ReleaseNote();
  record.RecountRecord();
  // Axes fitted to the points; a file that cannot be read keeps the
  // record's own ranges and costs no points.
  ErrorBox::Guard(host.DialogParent(), [&] {
    BusyScope busy;
    const tornel::AxisRange x = tornel::AutoRange(record, tornel::Axis::X);
    const tornel::AxisRange y = tornel::AutoRange(record, tornel::Axis::Y);
    record.XMin = x.Min;
    record.XMax = x.Max;
    record.YMin = y.Min;
    record.YMax = y.Max;
  });
  QMdiSubWindow* window = host.AddChild(graph, QStringLiteral("Статическая характеристика "));
  graph->RefreshPicture();
  return window;
}

void FillStaticRecord(tornel::TGraphRecord& record, int32_t points, const std::string& pointFile,
                      int x, int y) {
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
  // Every ADC channel is recorded, so a channel's position is its number.
  record.Deps[0] = {1, x, y};
}
