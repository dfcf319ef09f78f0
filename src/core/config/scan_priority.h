#pragma once

#include "core/config/channel_table.h"
#include "core/config/priority_control.h"

namespace tornel {

// The rule every timed acquisition follows: the scan priorities while it
// acquires, the application priorities afterwards, on the thread that
// acquires. The guard lowers them again however the acquisition ends.
class ScanPriorityGuard {
public:
  ScanPriorityGuard(const ChannelTable& table, PriorityControl& control);
  ~ScanPriorityGuard();
  ScanPriorityGuard(const ScanPriorityGuard&) = delete;
  ScanPriorityGuard& operator=(const ScanPriorityGuard&) = delete;

private:
  const ChannelTable& table_;
  PriorityControl& control_;
};

void RaiseToScanPriorities(const ChannelTable& table, PriorityControl& control);
void LowerToAppPriorities(const ChannelTable& table, PriorityControl& control);

}  // namespace tornel
