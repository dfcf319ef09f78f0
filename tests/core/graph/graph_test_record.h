#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/records/graph_record.h"
#include "sample_bytes.h"
#include "tests/support/temp_dir.h"

namespace tornel::testing {

// A record over a sample file written by hand into `dir`: frames of the
// recorded channels, all values in recorded-position order.
inline void FillRecord(TGraphRecord& record, const TempDir& dir, uint16_t acpMask, uint16_t capMask,
                       const std::vector<int16_t>& values) {
  record.AcpMask = acpMask;
  record.CapMask = capMask;
  record.SampleFile = dir.File("samples");
  WriteBytes(record.SampleFile, Int16Bytes(values));
  record.RecountRecord();
}

}  // namespace tornel::testing
