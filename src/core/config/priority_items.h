#pragma once

#include <cstdint>

namespace tornel {

// The four choices the parameters dialog offers for a priority class
// ("Idle", "Normal", "High", "Realtime") and for a thread priority
// ("Normal", "Above Normal", "Highest", "Time Critical"), as the operating
// system's codes.
inline constexpr int kPriorityItems = 4;

// The item a stored value selects, or -1 for a value the dialog does not
// offer (kept as it is unless the user picks an item).
int PriorityClassItem(int32_t priorityClass);
int ThreadPriorityItem(int32_t threadPriority);
// The value of item 0..3.
int32_t PriorityClassOfItem(int item);
int32_t ThreadPriorityOfItem(int item);

}  // namespace tornel
