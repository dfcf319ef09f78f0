#include "core/device/os_priority_control.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>

namespace tornel {
namespace {

constexpr int32_t kRealtimeClass = 256;
constexpr int32_t kTimeCritical = 15;

std::optional<int> ClassNice(int32_t priorityClass) {
  switch (priorityClass) {
    case 64:
      return 19;
    case 32:
      return 0;
    case 128:
      return -10;
    case kRealtimeClass:
      return -20;
    default:
      return std::nullopt;
  }
}

std::optional<int> ThreadNiceDelta(int32_t priority) {
  switch (priority) {
    case 0:
      return 0;
    case 1:
      return -2;
    case 2:
      return -5;
    case kTimeCritical:
      return -20;
    default:
      return std::nullopt;
  }
}

// Low real-time priorities: above every ordinary task, below the kernel's
// own interrupt threads (50).
int FifoPriority(int32_t priorityClass, int32_t priority) {
  if (priorityClass != kRealtimeClass) return 5;
  return priority == kTimeCritical ? 20 : 10 + priority;
}

// What this process asked for, kept so that a class change keeps each
// thread's own step.
struct PriorityState {
  std::mutex mutex;
  int32_t priorityClass = 32;
  std::map<pid_t, int32_t> threadPriority;  // threads not at 0
};

PriorityState& State() {
  static PriorityState state;
  return state;
}

// Best effort: the system may refuse a raise without privilege, which leaves
// the thread as it was.
void Apply(pid_t tid, int32_t priorityClass, int32_t priority) {
  bool realtime = priorityClass == kRealtimeClass || priority == kTimeCritical;
  int policy = sched_getscheduler(tid);
  if (realtime) {
    sched_param param{};
    param.sched_priority = FifoPriority(priorityClass, priority);
    sched_setscheduler(tid, SCHED_FIFO, &param);
  } else if (policy == SCHED_FIFO || policy == SCHED_RR) {
    sched_param param{};
    sched_setscheduler(tid, SCHED_OTHER, &param);
  }
  int nice = std::clamp(*ClassNice(priorityClass) + *ThreadNiceDelta(priority), -20, 19);
  setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice);
}

std::map<pid_t, int32_t> LiveThreads(const std::map<pid_t, int32_t>& known) {
  std::map<pid_t, int32_t> live;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task", error)) {
    std::string name = entry.path().filename().string();
    pid_t tid = 0;
    auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), tid);
    if (ec != std::errc() || end != name.data() + name.size()) continue;
    auto it = known.find(tid);
    live[tid] = it == known.end() ? 0 : it->second;
  }
  return live;
}

}  // namespace

void OsPriorityControl::SetProcessPriorityClass(int32_t priorityClass) {
  if (!ClassNice(priorityClass)) return;
  PriorityState& state = State();
  std::lock_guard lock(state.mutex);
  state.priorityClass = priorityClass;
  std::map<pid_t, int32_t> live = LiveThreads(state.threadPriority);
  if (live.empty()) live[gettid()] = 0;
  state.threadPriority.clear();
  for (auto [tid, priority] : live) {
    Apply(tid, priorityClass, priority);
    if (priority != 0) state.threadPriority[tid] = priority;
  }
}

void OsPriorityControl::SetThreadPriority(int32_t priority) {
  if (!ThreadNiceDelta(priority)) return;
  PriorityState& state = State();
  std::lock_guard lock(state.mutex);
  pid_t tid = gettid();
  if (priority == 0)
    state.threadPriority.erase(tid);
  else
    state.threadPriority[tid] = priority;
  Apply(tid, state.priorityClass, priority);
}

}  // namespace tornel
