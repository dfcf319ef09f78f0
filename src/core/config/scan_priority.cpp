#include "core/config/scan_priority.h"

namespace tornel {

void RaiseToScanPriorities(const ChannelTable& table, PriorityControl& control) {
  control.SetProcessPriorityClass(table.ScanPriorityClass);
  control.SetThreadPriority(table.ScanThreadPriority);
}

void LowerToAppPriorities(const ChannelTable& table, PriorityControl& control) {
  control.SetProcessPriorityClass(table.AppPriorityClass);
  control.SetThreadPriority(table.AppThreadPriority);
}

ScanPriorityGuard::ScanPriorityGuard(const ChannelTable& table, PriorityControl& control)
    : table_(table), control_(control) {
  RaiseToScanPriorities(table_, control_);
}

ScanPriorityGuard::~ScanPriorityGuard() { LowerToAppPriorities(table_, control_); }

}  // namespace tornel
