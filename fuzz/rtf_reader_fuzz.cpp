#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/text/rtf_reader.h"

// Any bytes must convert without a crash, a hang or a read past the input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tornel::RtfReader::ToHtml(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
