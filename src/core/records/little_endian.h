#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace tornel {

// Values of the program's files are little-endian whatever the host is.

template <typename T>
T LoadLittleEndian(const unsigned char* p) {
  static_assert(std::is_trivially_copyable_v<T>);
  unsigned char bytes[sizeof(T)];
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(bytes, p, sizeof(T));
  } else {
    for (std::size_t i = 0; i < sizeof(T); ++i) bytes[i] = p[sizeof(T) - 1 - i];
  }
  T value;
  std::memcpy(&value, bytes, sizeof(T));
  return value;
}

template <typename T>
void StoreLittleEndian(unsigned char* p, T value) {
  static_assert(std::is_trivially_copyable_v<T>);
  unsigned char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, bytes, sizeof(T));
  } else {
    for (std::size_t i = 0; i < sizeof(T); ++i) p[i] = bytes[sizeof(T) - 1 - i];
  }
}

// Turns a run of values read as raw file bytes into host order, in place.
template <typename T>
void LittleEndianToHost(T* values, std::size_t count) {
  if constexpr (std::endian::native != std::endian::little) {
    for (std::size_t i = 0; i < count; ++i) {
      values[i] = LoadLittleEndian<T>(reinterpret_cast<const unsigned char*>(values + i));
    }
  } else {
    (void)values;
    (void)count;
  }
}

}  // namespace tornel
