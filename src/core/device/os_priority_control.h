#pragma once

#include <cstdint>

#include "core/config/priority_control.h"

namespace tornel {

// The priority codes mapped to Linux. The class sets the nice value of every
// thread of the process (64 idle 19, 32 normal 0, 128 high -10, 256 realtime
// -20); a thread priority moves the calling thread from there (0 normal,
// 1 above normal -2, 2 highest -5). The realtime class and the time-critical
// thread priority (15) also ask for SCHED_FIFO for the thread concerned.
// Whatever the system refuses (no privilege) stays as it was; codes outside
// these lists change nothing.
class OsPriorityControl final : public PriorityControl {
public:
  void SetProcessPriorityClass(int32_t priorityClass) override;
  void SetThreadPriority(int32_t priority) override;
};

}  // namespace tornel
