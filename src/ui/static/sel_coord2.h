#pragma once

#include <QDialog>
#include <optional>
#include <span>
#include <string>

#include "core/records/mask_pair.h"

namespace tornel {
class TGraphRecord;
}

class ChannelCheckGroup;
class QTabWidget;

// "Координаты": ticks ADC channels on one page and DAC channels on another
// (the table command).
class TSelCoord2 : public QDialog {
  Q_OBJECT

public:
  explicit TSelCoord2(QWidget* parent = nullptr);

  // Page 1 takes names[0..15] and word 0 of the masks, page 2 names[16..31]
  // and word 1. A disabled box keeps its tick and is returned with it.
  void FillSelection2(std::span<const std::string> names, tornel::MaskPair enabled,
                      tornel::MaskPair checked);
  // Word 0 from the boxes of page 1, word 1 from page 2.
  tornel::MaskPair SelectionMasks() const;

  QTabWidget* PageControl1() const { return pages_; }
  ChannelCheckGroup* GroupBox1() const { return acp_; }
  ChannelCheckGroup* GroupBox2() const { return cap_; }

private:
  QTabWidget* pages_;
  ChannelCheckGroup* acp_;
  ChannelCheckGroup* cap_;
};

// The channels of a table: the record's recorded channels selectable, those
// of its dependencies and shown curves preselected; the result cut to the
// recorded channels. Nothing when the user cancels or leaves no recorded
// channel ticked.
std::optional<tornel::MaskPair> SelectTableChannels(const tornel::TGraphRecord& record,
                                                    QWidget* parent = nullptr);
