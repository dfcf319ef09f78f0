#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/config/channel_table.h"
#include "core/device/dac_routines.h"
#include "core/fit_scheme/fit_scheme.h"
#include "core/graph/print_layout.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_priority_control.h"
#include "tests/support/fake_tick_clock.h"
#include "ui/widgets/window_host.h"

namespace tornel::testing {

// A host for windows tested without the main window: its own channel table,
// fake device, clock and priorities, and an MDI area that takes the children.
class FakeWindowHost final : public WindowHost {
public:
  FakeWindowHost() {
    printer_.setPageOrientation(QPageLayout::Landscape);
    area_.resize(1200, 900);
  }

  ChannelTable table;
  FakeTickClock clock;
  FakeDevice device{&clock};
  FakePriorityControl priority;
  PaperSetup paper{296.90, 210.00, 45.00, 10.00, 30.00, 10.00};
  MainCommands commands;
  std::vector<std::vector<int16_t>> ramps;  // the levels of every RampCapToZero
  std::vector<FitSchemeModel> fitSchemes;   // every scheme a window asked for

  ChannelTable& Channels() override { return table; }
  tornel::Device& Device() override { return device; }
  SimulatedBench* Bench() override { return nullptr; }
  TickClock& Clock() override { return clock; }
  PriorityControl& Priority() override { return priority; }
  void SetCapZero() override { tornel::SetCapZero(device, table); }
  void RampCapToZero(std::span<const int16_t> levels) override {
    ramps.emplace_back(levels.begin(), levels.end());
    tornel::RampCapToZero(device, table, clock, levels, nullptr);
  }
  QMdiSubWindow* AddChild(QWidget* child, const QString& captionPrefix = QString()) override {
    QMdiSubWindow* window = area_.addSubWindow(child);
    if (!captionPrefix.isEmpty()) child->setWindowTitle(NumberedCaption(captionPrefix));
    area_.show();
    window->show();
    return window;
  }
  QString NumberedCaption(const QString& prefix) const override {
    return prefix + QString::number(area_.subWindowList().size());
  }
  const PaperSetup& PageSetup() const override { return paper; }
  QPrinter& Printer() override { return printer_; }
  const MainCommands& Commands() const override { return commands; }
  QWidget* DialogParent() override { return &area_; }
  QMdiSubWindow* OpenFitScheme(const FitSchemeModel& model) override {
    fitSchemes.push_back(model);
    return nullptr;
  }

  QMdiArea& Area() { return area_; }

private:
  QPrinter printer_;
  QMdiArea area_;
};

}  // namespace tornel::testing
