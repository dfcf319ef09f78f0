#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "core/records/graph_record.h"
#include "core/records/sample_file_writer.h"

namespace tornel::bench {

// A name in the temporary folder (TMPDIR), where the benchmarks' files go.
inline std::string BenchPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

// A sample file of `values` 16-bit codes written once by `fill`, which gets
// each chunk and the index of its first value; deleted when the program ends.
class BenchFile {
public:
  template <typename Fill>
  BenchFile(const std::string& name, int64_t values, Fill fill) : path_(BenchPath(name)) {
    SampleFileWriter<int16_t> writer(path_);
    std::vector<int16_t> chunk(std::size_t{1} << 16);
    for (int64_t first = 0; first < values; first += static_cast<int64_t>(chunk.size())) {
      const auto count =
          static_cast<std::size_t>(std::min<int64_t>(values - first, std::ssize(chunk)));
      std::span<int16_t> part(chunk.data(), count);
      fill(part, first);
      writer.Write(part);
    }
    writer.Close();
  }
  ~BenchFile() { std::filesystem::remove(path_); }
  BenchFile(const BenchFile&) = delete;
  BenchFile& operator=(const BenchFile&) = delete;

  const std::string& Path() const { return path_; }

private:
  std::string path_;
};

// A record over a bench sample file: the ADC channels of `acpMask`
// recorded and shown over `duration` seconds.
inline TGraphRecord BenchRecord(const std::string& path, uint16_t acpMask, double duration) {
  TGraphRecord record;
  record.AcpMask = record.AcpShowMask = acpMask;
  record.Duration = record.TMax = duration;
  record.SampleFile = path;
  record.RecountRecord();
  return record;
}

// A fill of random codes -511..511 from a generator seeded with `seed`.
inline auto NoiseFill(unsigned seed) {
  return [rng = std::mt19937(seed)](std::span<int16_t> chunk, int64_t) mutable {
    for (auto& v : chunk) v = static_cast<int16_t>(rng() % 1023 - 511);
  };
}

}  // namespace tornel::bench
