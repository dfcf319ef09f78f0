#include "core/device/os_priority_control.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace tornel {
namespace {

int NiceOf(pid_t tid) { return getpriority(PRIO_PROCESS, static_cast<id_t>(tid)); }

// Runs `body` in a child process, so that priority changes never outlive the
// test; the child's exit status is the number of failed checks.
int InChild(int (*body)()) {
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST(OsPriorityControl, TheIdleClassLowersEveryThreadOfTheProcess) {
  EXPECT_EQ(InChild([] {
              std::atomic<pid_t> other{0};
              std::atomic<bool> done{false};
              std::thread worker([&] {
                other = gettid();
                while (!done) std::this_thread::yield();
              });
              while (other == 0) std::this_thread::yield();
              OsPriorityControl control;
              control.SetProcessPriorityClass(64);
              int failures = (NiceOf(gettid()) != 19) + (NiceOf(other) != 19);
              done = true;
              worker.join();
              return failures;
            }),
            0);
}

TEST(OsPriorityControl, AThreadPriorityMovesOnlyTheCallingThread) {
  EXPECT_EQ(InChild([] {
              OsPriorityControl control;
              control.SetProcessPriorityClass(64);  // nice 19: a raise from there is allowed
              int main = gettid();
              int failures = 0;
              std::thread worker([&] {
                control.SetThreadPriority(2);  // highest: 5 above the class
                bool raised = NiceOf(gettid()) == 14;
                // Without the privilege to raise, the thread stays as it was.
                failures += !(raised || NiceOf(gettid()) == 19);
                failures += NiceOf(main) != 19;
                control.SetThreadPriority(0);
                failures += NiceOf(gettid()) != 19;
              });
              worker.join();
              return failures;
            }),
            0);
}

TEST(OsPriorityControl, UnknownCodesChangeNothing) {
  EXPECT_EQ(InChild([] {
              OsPriorityControl control;
              setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 7);
              for (int32_t code : {-1, 3, 31, 100, 999}) {
                control.SetProcessPriorityClass(code);
                control.SetThreadPriority(code);
              }
              return NiceOf(gettid()) != 7 ? 1 : 0;
            }),
            0);
}

TEST(OsPriorityControl, TimeCriticalAsksForRealTimeSchedulingAndGivesItBack) {
  EXPECT_EQ(InChild([] {
              OsPriorityControl control;
              control.SetThreadPriority(15);
              int policy = sched_getscheduler(0);
              // Refused without the privilege: the thread keeps the normal policy.
              int failures = !(policy == SCHED_FIFO || policy == SCHED_OTHER);
              control.SetThreadPriority(0);
              failures += sched_getscheduler(0) != SCHED_OTHER;
              return failures;
            }),
            0);
}

}  // namespace
}  // namespace tornel
