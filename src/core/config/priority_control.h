#pragma once

#include <cstdint>

namespace tornel {

// Applies the operating system's priority codes: classes 64 idle, 32 normal,
// 128 high, 256 realtime; thread priorities 0 normal, 1 above normal,
// 2 highest, 15 time critical. Other values are passed on unchanged. Best
// effort: a refusal by the system is not an error.
class PriorityControl {
public:
  virtual ~PriorityControl() = default;
  virtual void SetProcessPriorityClass(int32_t priorityClass) = 0;
  // Applies to the calling thread.
  virtual void SetThreadPriority(int32_t priority) = 0;
};

}  // namespace tornel
