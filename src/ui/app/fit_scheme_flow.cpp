#include "ui/app/fit_scheme_flow.h"

#include <memory>

#include "core/fit_scheme/fit_scheme.h"
#include "ui/scheme/struct_frm.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/window_host.h"

QMdiSubWindow* OpenFitSchemeFlow(WindowHost& host, const tornel::FitSchemeModel& model) {
  auto window = std::make_unique<TStructFrm>(host);
  const bool built = ErrorBox::Guard(host.DialogParent(), [&] {
    window->ShowScheme(tornel::BuildFitScheme(window->Scheme().Factory(), model));
  });
  if (!built) return nullptr;
  return host.AddChild(window.release(), QStringLiteral("Модель переходного процесса "));
}
