#include "core/records/compare_file.h"

#include <cmath>
#include <vector>

#include "core/records/dta_reader.h"
#include "core/records/sample_file_reader.h"
#include "core/records/sample_file_writer.h"
#include "core/records/temp_file.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

constexpr std::size_t kChunkFrames = 8192;

void CopyAsPerUnitValues(const std::string& path, int64_t offset, const DtaHeader& header,
                         const std::string& copy) {
  const std::vector<int> slots = RecordedSlots(header);
  if (slots.empty()) return;
  const std::size_t channels = slots.size();
  std::vector<double> factor(channels);
  for (std::size_t c = 0; c < channels; ++c) {
    factor[c] = header.Base[slots[c]] / header.RealBase[slots[c]];
    // A damaged base would only draw garbage: the code's share of full scale then.
    if (!std::isfinite(factor[c])) factor[c] = 1.0;
  }
  SampleFileReader<int16_t> in(path, static_cast<int>(channels), offset);
  SampleFileWriter<double> out(copy);
  std::vector<int16_t> codes(kChunkFrames * channels);
  std::vector<double> values(codes.size());
  while (const std::size_t frames = in.Read(codes)) {
    const std::size_t n = frames * channels;
    for (std::size_t i = 0; i < n; ++i) {
      values[i] = static_cast<double>(codes[i]) / kFullScaleCode * factor[i % channels];
    }
    out.Write(std::span<const double>(values.data(), n));
  }
  out.Close();
}

}  // namespace

std::string LoadCompareFile(const std::string& path, MaskPair recorded, SampleFormat format) {
  DtaReader reader(path);
  DtaHeader scratch;
  reader.ReadHeaderSkippingText(scratch);
  if (MaskPair{scratch.AcpMask, scratch.CapMask} != recorded) {
    throw UserError(FileMessage("Несоответствие", path));
  }
  if (format == SampleFormat::Int16) return reader.CopySamplesToTempFile();
  const std::string copy = CreateTempFile("Trn");
  try {
    CopyAsPerUnitValues(path, reader.SampleOffset(), scratch, copy);
  } catch (...) {
    RemoveFileIfExists(copy);
    throw;
  }
  return copy;
}

}  // namespace tornel
