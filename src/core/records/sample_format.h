#pragma once

#include <cstdint>
#include <type_traits>

namespace tornel {

// What one value of a sample file is: a 16-bit code (graph windows) or a
// 64-bit double (the scheme's graph block). Both are little-endian on disk.
enum class SampleFormat : uint8_t { Int16, Float64 };

inline constexpr int SampleBytes(SampleFormat format) {
  return format == SampleFormat::Float64 ? 8 : 2;
}

// Calls f(std::type_identity<Sample>{}) with the C++ type of the format, so
// that code over samples is written once as a template:
//   VisitSampleFormat(record.Samples, [&]<typename S>(std::type_identity<S>) { Draw<S>(...); });
template <typename F>
decltype(auto) VisitSampleFormat(SampleFormat format, F&& f) {
  if (format == SampleFormat::Float64) return f(std::type_identity<double>{});
  return f(std::type_identity<int16_t>{});
}

}  // namespace tornel
