#include "ui/graph/graph_filter_commands.h"

#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <optional>

#include "core/config/channel_table.h"
#include "core/graph/filtered_samples.h"
#include "core/graph/record_sort.h"
#include "core/graph/signal_filters.h"
#include "core/records/graph_record.h"
#include "core/text/user_error.h"
#include "ui/graph/graph_actions.h"
#include "ui/static/combo_dlg.h"
#include "ui/static/sel_coord.h"
#include "ui/widgets/busy_scope.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/titled_message_box.h"

namespace {

// The text typed into a prompt, or nothing when the user cancels.
std::optional<std::string> Prompt(QWidget* parent, const char* caption, const QString& label,
                                  const QString& initial) {
  QInputDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("FilterPrompt"));
  dialog.setWindowTitle(QString::fromUtf8(caption));
  dialog.setLabelText(label);
  dialog.setTextValue(initial);
  // The dialog sizes itself to its contents; its prompt is what can widen it
  // enough for the frame to show the title whole.
  if (auto* prompt = dialog.findChild<QLabel*>()) {
    prompt->setMinimumWidth(WholeTitleWidth(dialog.windowTitle()));
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().toStdString();
}

}  // namespace

GraphFilterCommands::GraphFilterCommands(Window window, const GraphActions& actions,
                                         QObject* parent)
    : QObject(parent), w_(std::move(window)), actions_(actions) {
  const GraphActions& a = actions_;
  connect(a.AHanning, &QAction::triggered, this, &GraphFilterCommands::AHanningExecute);
  connect(a.ASrKwad, &QAction::triggered, this, &GraphFilterCommands::ASrKwadExecute);
  connect(a.AVipr, &QAction::triggered, this, &GraphFilterCommands::AViprExecute);
  connect(a.AExpSmooth, &QAction::triggered, this, &GraphFilterCommands::AExpSmoothExecute);
  connect(a.ASort, &QAction::triggered, this, &GraphFilterCommands::ASortExecute);
  connect(a.AShowFiltered, &QAction::triggered, this, &GraphFilterCommands::AShowFilteredExecute);
  connect(a.ASaveFiltered, &QAction::triggered, this, &GraphFilterCommands::ASaveFilteredExecute);
  UpdateActions();
}

void GraphFilterCommands::Watch(QMenu* menu) {
  connect(menu, &QMenu::aboutToShow, this, &GraphFilterCommands::UpdateActions);
}

void GraphFilterCommands::UpdateActions() {
  const tornel::FilterMenuState state = tornel::FilterMenuStateOf(*w_.record);
  const GraphActions& a = actions_;
  for (QAction* filter : {a.AHanning, a.ASrKwad, a.AExpSmooth}) {
    filter->setVisible(state.SignalFiltersVisible);
    filter->setEnabled(true);
  }
  a.AVipr->setVisible(true);
  a.AVipr->setEnabled(true);
  a.ASort->setVisible(state.SortVisible);
  a.ASort->setEnabled(true);
  a.AShowFiltered->setEnabled(state.ShowFilteredEnabled);
  a.AShowFiltered->setChecked(state.ShowFilteredChecked);
  a.ASaveFiltered->setEnabled(state.SaveFilteredEnabled);
}

void GraphFilterCommands::Finish() {
  UpdateActions();
  if (w_.refreshTable) w_.refreshTable();
}

void GraphFilterCommands::FilterCommand(
    const std::function<void(uint16_t, tornel::FilterProgress*)>& run,
    const std::function<bool()>& ask) {
  const std::optional<uint16_t> mask = SelectFilterChannels(*w_.record, w_.widget);
  if (!mask || tornel::FilterColumns(*w_.record, *mask).empty()) return;
  if (ask && !ask()) return;
  w_.guard([&] {
    std::unique_ptr<tornel::FilterProgress> progress = progress_ ? progress_() : nullptr;
    run(*mask, progress.get());
  });
  Finish();
}

void GraphFilterCommands::AHanningExecute() {
  FilterCommand([this](uint16_t mask, tornel::FilterProgress* p) {
    tornel::ApplyHanning(*w_.record, mask, p);
  });
}

void GraphFilterCommands::AViprExecute() {
  FilterCommand(
      [this](uint16_t mask, tornel::FilterProgress* p) { tornel::ApplyAbs(*w_.record, mask, p); });
}

void GraphFilterCommands::ASrKwadExecute() {
  int64_t window = 0;
  FilterCommand(
      [&](uint16_t mask, tornel::FilterProgress* p) {
        tornel::ApplyMovingRms(*w_.record, mask, window, p);
      },
      [&] {
        const auto text =
            Prompt(w_.widget, tornel::kMovingRmsTitle,
                   QStringLiteral("Введите время усреднения, мс"), QStringLiteral("200"));
        if (!text) return false;
        return w_.guard([&] {
          window = tornel::MovingRmsWindow(*w_.record, tornel::ParseAveragingTime(*text));
          if (window < 1) throw tornel::UserError(tornel::kWindowTooShort);
        });
      });
}

void GraphFilterCommands::AExpSmoothExecute() {
  double k = 0;
  FilterCommand(
      [&](uint16_t mask, tornel::FilterProgress* p) {
        tornel::ApplyExpSmoothing(*w_.record, mask, k, p);
      },
      [&] {
        const auto text = Prompt(w_.widget, tornel::kExpSmoothingTitle,
                                 QStringLiteral("Введите коэф-т сглаживания (0<k<1)"),
                                 QString::fromStdString(tornel::DefaultSmoothingFactorText()));
        if (!text) return false;
        return w_.guard([&] { k = tornel::ParseSmoothingFactor(*text); });
      });
}

bool GraphFilterCommands::Confirm(const QString& caption, const QString& text, const char* name) {
  TitledMessageBox box(QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel, w_.widget,
                       caption);
  box.setObjectName(QLatin1String(name));
  return box.exec() == QMessageBox::Ok;
}

void GraphFilterCommands::ASortExecute() {
  if (!Confirm(QStringLiteral("Сортировка"),
               QStringLiteral("Отменить результаты сортировки будет невозможно"), "SortWarning")) {
    return;
  }
  const tornel::TGraphRecord& r = *w_.record;
  QStringList items;
  for (int slot = 0; slot < tornel::kChannelSlots; ++slot) {
    const bool recorded = slot < tornel::kCapSlotBase
                              ? ((r.AcpMask >> slot) & 1) != 0
                              : ((r.CapMask >> (slot - tornel::kCapSlotBase)) & 1) != 0;
    if (recorded) items << QString::fromStdString(w_.table->ChanName[slot]);
  }
  const std::optional<int> column =
      TComboDlg::PickOne(w_.widget, QStringLiteral("Коорд."), items, 0);
  if (!column) return;
  w_.guard([&] {
    BusyScope busy;
    tornel::SortRecordRows(*w_.record, *column);
  });
  Finish();
}

void GraphFilterCommands::AShowFilteredExecute() {
  tornel::ToggleShowFiltered(*w_.record);
  Finish();
}

void GraphFilterCommands::ASaveFilteredExecute() {
  if (!Confirm(QStringLiteral("Сохранение отфильтрованных данных"),
               QStringLiteral("После сохранения восстановить исходный сигнал будет невозможно"),
               "SaveFilteredWarning")) {
    return;
  }
  w_.guard([&] { tornel::SaveFilteredRows(*w_.record); });
  Finish();
}
