#include "ui/app/spectrum_flow.h"

#include <QAction>
#include <optional>

#include "core/spectrum/spectrum_plot.h"
#include "core/spectrum/spectrum_span.h"
#include "core/text/user_error.h"
#include "ui/graph/filter_progress_window.h"
#include "ui/graph/graph_actions.h"
#include "ui/graph/graph_frm.h"
#include "ui/spectrum/spectrum_dlg.h"
#include "ui/spectrum/spectrum_frm.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/window_host.h"

QMdiSubWindow* RunSpectrumFlow(WindowHost& host, TGraphFrm& graph) {
  tornel::TGraphRecord& record = graph.Record();
  record.RecountRecord();
  const bool usable = ErrorBox::Guard(&graph, [&] {
    tornel::CheckSpectrumRecord(record);
    if (tornel::SpectrumChannelChoices(record).empty()) {
      throw tornel::UserError(
          "На графике не показан ни один канал: спектр строится для показанного");
    }
  });
  if (!usable) return nullptr;
  TSpectrumDlg dialog(record, &graph);
  if (dialog.exec() != QDialog::Accepted) return nullptr;

  std::optional<tornel::SpectrumPlot> plot;
  const bool made = ErrorBox::Guard(&graph, [&] {
    FilterProgressWindow progress;
    plot = tornel::SpectrumPlot::Make(record, dialog.Request(), &progress);
  });
  if (!made || !plot) return nullptr;
  return host.AddChild(new TSpectrumFrm(host, std::move(*plot), graph.windowTitle()));
}

void ConnectSpectrumCommand(WindowHost& host, TGraphFrm& graph) {
  QAction* action = graph.Actions().ASpectrum;
  action->setEnabled(true);
  QObject::connect(action, &QAction::triggered, &graph,
                   [&host, window = &graph] { RunSpectrumFlow(host, *window); });
}
