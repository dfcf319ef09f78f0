#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "core/config/channel_table.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QTabWidget;

// "Параметры": the names and units of every channel, the priorities of the
// program and of acquisition, and the reset ramp time. It holds no state of
// its own: the caller fills it from the channel table and reads it back.
class TMainNastr : public QDialog {
  Q_OBJECT

public:
  explicit TMainNastr(QWidget* parent = nullptr);

  using Texts = std::array<std::string, tornel::kChannelSlots>;
  void SetNames(const Texts& names, const Texts& units);
  void GetNames(Texts& names, Texts& units) const;
  // A stored value the groups do not offer selects no item; a group left
  // without a selection keeps its field as it was.
  void SetPriorities(const tornel::ChannelTable& table);
  void GetPriorities(tornel::ChannelTable& table) const;

  QTabWidget* Pages() const { return pages_; }
  // Slot 0..31: the name and unit edits of ADC 1..16, then DAC 1..16.
  QLineEdit* NameEdit(int slot) const { return names_[static_cast<std::size_t>(slot)]; }
  QLineEdit* UnitEdit(int slot) const { return units_[static_cast<std::size_t>(slot)]; }
  enum PriorityGroup { AppClass, AppThread, ScanClass, ScanThread, kPriorityGroups };
  QButtonGroup* Priorities(PriorityGroup group) const { return groups_[group]; }
  QLineEdit* ETzi() const { return eTzi_; }

private:
  QWidget* BuildNamesPage(int firstSlot, int enabledChannels);
  QWidget* BuildPrioritiesPage();
  QGroupBox* BuildPriorityBox(const QString& title, PriorityGroup classGroup,
                              PriorityGroup threadGroup);
  QWidget* BuildSignalsPage();

  QTabWidget* pages_ = nullptr;
  std::array<QLineEdit*, tornel::kChannelSlots> names_{};
  std::array<QLineEdit*, tornel::kChannelSlots> units_{};
  std::array<QButtonGroup*, kPriorityGroups> groups_{};
  QLineEdit* eTzi_ = nullptr;
};

// The parameters command: fills the dialog from `table`, and on "Продолжить"
// copies it back and saves the table; true then. Throws UserError when the
// file cannot be written (the new values stay in memory).
bool EditParams(tornel::ChannelTable& table, QWidget* parent);
