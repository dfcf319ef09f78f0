#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace tornel::testing {

// Data file bytes written by hand, value by value, for the reader's tests and
// as the expected output of the writer. Remembers where each counted
// string's text lies, so that tests know which cut lengths damage a file.
class DtaBytes {
public:
  DtaBytes& Raw(const std::string& s) {
    bytes_ += s;
    return *this;
  }
  DtaBytes& U8(uint8_t v) { return Le(v, 1); }
  DtaBytes& U16(uint16_t v) { return Le(v, 2); }
  DtaBytes& I32(int32_t v) { return Le(static_cast<uint32_t>(v), 4); }
  DtaBytes& I16(int16_t v) { return Le(static_cast<uint16_t>(v), 2); }
  DtaBytes& F64(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    return Le(bits, 8);
  }
  // A counted string of code page 1251 bytes.
  DtaBytes& Counted(const std::string& cp1251) {
    I32(static_cast<int32_t>(cp1251.size()));
    texts_.emplace_back(bytes_.size(), bytes_.size() + cp1251.size());
    return Raw(cp1251);
  }
  std::size_t Size() const { return bytes_.size(); }
  const std::string& Str() const { return bytes_; }
  // A file cut to `length` bytes ends inside some string's text.
  bool CutInsideText(std::size_t length) const {
    for (const auto& [from, to] : texts_) {
      if (length >= from && length < to) return true;
    }
    return false;
  }

private:
  DtaBytes& Le(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) bytes_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }
  std::string bytes_;
  std::vector<std::pair<std::size_t, std::size_t>> texts_;
};

}  // namespace tornel::testing
