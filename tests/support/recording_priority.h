#pragma once

#include <string>
#include <vector>

#include "core/config/priority_control.h"

namespace tornel::testing {

// Logs every priority change as "class N" or "thread N".
class RecordingPriority final : public PriorityControl {
public:
  void SetProcessPriorityClass(int32_t c) override {
    calls.push_back("class " + std::to_string(c));
  }
  void SetThreadPriority(int32_t p) override { calls.push_back("thread " + std::to_string(p)); }
  std::vector<std::string> calls;
};

}  // namespace tornel::testing
