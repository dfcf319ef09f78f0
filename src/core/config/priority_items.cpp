#include "core/config/priority_items.h"

#include <array>
#include <stdexcept>

namespace tornel {
namespace {

constexpr std::array<int32_t, kPriorityItems> kClasses = {64, 32, 128, 256};
constexpr std::array<int32_t, kPriorityItems> kThreadPriorities = {0, 1, 2, 15};

int ItemOf(const std::array<int32_t, kPriorityItems>& values, int32_t value) {
  for (int i = 0; i < kPriorityItems; ++i)
    if (values[i] == value) return i;
  return -1;
}

int32_t ValueOf(const std::array<int32_t, kPriorityItems>& values, int item) {
  if (item < 0 || item >= kPriorityItems) throw std::out_of_range("priority item");
  return values[item];
}

}  // namespace

int PriorityClassItem(int32_t priorityClass) { return ItemOf(kClasses, priorityClass); }
int ThreadPriorityItem(int32_t threadPriority) { return ItemOf(kThreadPriorities, threadPriority); }
int32_t PriorityClassOfItem(int item) { return ValueOf(kClasses, item); }
int32_t ThreadPriorityOfItem(int item) { return ValueOf(kThreadPriorities, item); }

}  // namespace tornel
