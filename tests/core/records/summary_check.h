#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/records/sample_summary.h"
#include "tests/support/temp_dir.h"

namespace tornel::testing {

// The codes of a sample file, read byte by byte as little-endian pairs.
inline std::vector<int16_t> FileCodes(const std::string& path) {
  const std::string bytes = ReadBytes(path);
  std::vector<int16_t> codes(bytes.size() / 2);
  for (std::size_t i = 0; i < codes.size(); ++i) {
    codes[i] = static_cast<int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return codes;
}

// Checks `s` against the codes of its file worked out the plain way: whole
// frames only; a level for every 64 blocks of the level below, down from
// blocks of 64 frames; each block's minimum and maximum by a loop over its
// frames.
inline ::testing::AssertionResult SummarisesCodes(const SampleSummary<int16_t>& s,
                                                  const std::vector<int16_t>& codes, int channels) {
  const auto n = static_cast<std::size_t>(channels);
  const auto frames = static_cast<int64_t>(codes.size() / n);
  if (s.Channels() != channels || s.Frames() != frames) {
    return ::testing::AssertionFailure() << "channels " << s.Channels() << " frames " << s.Frames()
                                         << ", want " << channels << " and " << frames;
  }
  int levels = 1;
  for (int64_t span = 64; frames / span >= 64; span *= 64) ++levels;
  if (s.Levels() != levels) {
    return ::testing::AssertionFailure() << "levels " << s.Levels() << ", want " << levels;
  }
  int64_t span = 64;
  for (int level = 0; level < levels; ++level, span *= 64) {
    if (s.Blocks(level) != frames / span) {
      return ::testing::AssertionFailure() << "level " << level << " blocks " << s.Blocks(level);
    }
    for (int c = 0; c < channels; ++c) {
      for (int64_t b = 0; b < frames / span; ++b) {
        int16_t lo = INT16_MAX, hi = INT16_MIN;
        for (int64_t f = b * span; f < (b + 1) * span; ++f) {
          const int16_t v = codes[static_cast<std::size_t>(f) * n + static_cast<std::size_t>(c)];
          lo = std::min(lo, v);
          hi = std::max(hi, v);
        }
        if (s.Mins(level, c)[b] != lo || s.Maxs(level, c)[b] != hi) {
          return ::testing::AssertionFailure()
                 << "level " << level << " channel " << c << " block " << b << ": "
                 << s.Mins(level, c)[b] << ".." << s.Maxs(level, c)[b] << ", want " << lo << ".."
                 << hi;
        }
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// The summary handed over for `path` is what a pass over the finished file
// builds, and both hold the file's block extremes.
inline ::testing::AssertionResult MatchesItsFile(const SampleSummary<int16_t>* s,
                                                 const std::string& path, int channels) {
  if (s == nullptr) return ::testing::AssertionFailure() << "no summary of " << path;
  const auto pass = SampleSummary<int16_t>::Build(path, channels);
  if (!pass) return ::testing::AssertionFailure() << "no pass over " << path;
  const std::vector<int16_t> codes = FileCodes(path);
  if (auto r = SummarisesCodes(*pass, codes, channels); !r) return r << " (the pass)";
  return SummarisesCodes(*s, codes, channels);
}

}  // namespace tornel::testing
