#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/config/priority_control.h"

namespace tornel::testing {

// Logs what the program asked of the operating system's priorities, as
// "class 128" and "thread 2", from whichever thread asks. `onCall`, when set,
// sees each entry first (to put it in a wider event log).
class FakePriorityControl final : public PriorityControl {
public:
  void SetProcessPriorityClass(int32_t value) override { Log("class " + std::to_string(value)); }
  void SetThreadPriority(int32_t value) override { Log("thread " + std::to_string(value)); }

  std::vector<std::string> calls;
  std::function<void(const std::string&)> onCall;

private:
  void Log(std::string call) {
    if (onCall) onCall(call);
    calls.push_back(std::move(call));
  }
};

}  // namespace tornel::testing
