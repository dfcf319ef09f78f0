#pragma once

#include <string>

namespace tornel {

// What a filter shows while it streams a sample file: a window with the
// filter's title and a bar of `maximum` steps. Step() returns false when the
// user asked to stop; the filter then ends as if it had never started.
class FilterProgress {
public:
  virtual ~FilterProgress() = default;
  virtual void Begin(const std::string& caption, int maximum) = 0;
  virtual bool Step() = 0;
};

}  // namespace tornel
