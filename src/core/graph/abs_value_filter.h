#pragma once

#include <vector>

#include "core/graph/frame_filter.h"

namespace tornel {

// The magnitude of every value; -32768 has none in 16 bits and stays.
class AbsValueFilter final : public FrameFilter {
public:
  explicit AbsValueFilter(std::vector<int> columns) : columns_(std::move(columns)) {}
  void Process(std::span<int16_t> frames, std::size_t width) override;

private:
  std::vector<int> columns_;
};

}  // namespace tornel
