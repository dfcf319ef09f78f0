#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tornel::testing {

// Sample file bytes written value by value, little-endian.
inline std::string Int16Bytes(const std::vector<int16_t>& values) {
  std::string out;
  for (int16_t v : values) {
    const auto u = static_cast<uint16_t>(v);
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  }
  return out;
}

inline std::string DoubleBytes(const std::vector<double>& values) {
  std::string out;
  for (double v : values) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
  }
  return out;
}

}  // namespace tornel::testing
