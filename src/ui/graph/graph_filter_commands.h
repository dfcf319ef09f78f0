#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "core/graph/filter_progress.h"

class GraphActions;
class QMenu;
class QWidget;

namespace tornel {
class ChannelTable;
class TGraphRecord;
}  // namespace tornel

// The "Фильтры" commands of a graph window: the four filters, sorting of a
// static record, switching between filtered and unfiltered samples and
// keeping the filtered ones. The window hands in what they need of it; each
// command ends with the window's RefreshTable.
class GraphFilterCommands : public QObject {
  Q_OBJECT

public:
  struct Window {
    QWidget* widget = nullptr;  // parent of the prompts
    tornel::TGraphRecord* record = nullptr;
    // Sorting lists the channels under the names of this table.
    const tornel::ChannelTable* table = nullptr;
    std::function<void()> refreshTable;
    // Runs a command's work and tells the user when it fails; false then.
    std::function<bool(const std::function<void()>&)> guard;
  };
  // The progress window of one filter run (the window sets the program's);
  // none is shown while it is unset.
  using ProgressFactory = std::function<std::unique_ptr<tornel::FilterProgress>()>;

  GraphFilterCommands(Window window, const GraphActions& actions, QObject* parent = nullptr);

  void SetProgressFactory(ProgressFactory factory) { progress_ = std::move(factory); }
  // The entries' visibility, enabling and check mark follow the record; a
  // watched menu updates them each time it opens.
  void UpdateActions();
  void Watch(QMenu* menu);

  void AHanningExecute();
  void ASrKwadExecute();
  void AViprExecute();
  void AExpSmoothExecute();
  void ASortExecute();
  void AShowFilteredExecute();
  void ASaveFilteredExecute();

private:
  // The channel choice, then `run` with the mask and the progress window.
  void FilterCommand(const std::function<void(uint16_t, tornel::FilterProgress*)>& run,
                     const std::function<bool()>& ask = {});
  bool Confirm(const QString& caption, const QString& text, const char* name);
  void Finish();

  Window w_;
  const GraphActions& actions_;
  ProgressFactory progress_;
};
