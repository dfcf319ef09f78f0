#include "core/graph/signal_filters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>
#include <functional>

#include "core/graph/filtered_samples.h"
#include "core/text/user_error.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/core/records/summary_check.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

namespace fs = std::filesystem;
using tornel::testing::Int16Bytes;
using tornel::testing::ReadBytes;
using tornel::testing::WriteBytes;

std::vector<int16_t> Values(const std::string& bytes) {
  std::vector<int16_t> out(bytes.size() / 2);
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                  (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return out;
}

class FakeProgress : public FilterProgress {
public:
  void Begin(const std::string& caption, int maximum) override {
    this->caption = caption;
    this->maximum = maximum;
  }
  bool Step() override { return ++steps != stopAt; }
  std::string caption;
  int maximum = -1;
  int steps = 0;
  int stopAt = -1;
};

class SignalFiltersTest : public ::testing::Test {
protected:
  // A record as an experiment leaves it: OrigFile shown, no filtered copy.
  void Fill(uint16_t acp, uint16_t cap, const std::vector<int16_t>& values, double duration = 1.0) {
    record.AcpMask = acp;
    record.CapMask = cap;
    record.Duration = duration;
    record.OrigFile = record.SampleFile = dir.File("Trn1");
    record.FilteredFile = record.OrigFile + "f";
    record.HasFiltered = false;
    fs::remove(record.FilteredFile);
    WriteBytes(record.OrigFile, Int16Bytes(values));
    record.RecountRecord();
  }
  std::vector<int16_t> Filtered() const { return Values(ReadBytes(record.FilteredFile)); }

  tornel::testing::TempDir dir;
  TGraphRecord record;
};

using Apply = std::function<FilterOutcome(TGraphRecord&, uint16_t)>;
Apply Hanning() {
  return [](TGraphRecord& r, uint16_t m) { return ApplyHanning(r, m); };
}
Apply Abs() {
  return [](TGraphRecord& r, uint16_t m) { return ApplyAbs(r, m); };
}
Apply Smooth(double k) {
  return [k](TGraphRecord& r, uint16_t m) { return ApplyExpSmoothing(r, m, k); };
}
Apply Rms(int64_t n) {
  return [n](TGraphRecord& r, uint16_t m) { return ApplyMovingRms(r, m, n); };
}

TEST_F(SignalFiltersTest, EachFilterGivesTheHandCalculatedColumn) {
  struct Case {
    const char* name;
    Apply apply;
    std::vector<int16_t> in, out;
  };
  const Case cases[] = {
      {"hanning constant", Hanning(), {8, 8, 8, 8}, {8, 8, 8, 8}},
      {"hanning pulse", Hanning(), {0, 0, 4, 0, 0}, {0, 0, 1, 2, 1}},
      {"hanning truncates toward zero", Hanning(), {-1, -1, -1}, {-1, -1, -1}},
      {"hanning -1/4 is 0", Hanning(), {-1, 0, 0}, {-1, 0, 0}},
      {"hanning two frames", Hanning(), {5, -7}, {5, -7}},
      {"hanning no frame", Hanning(), {}, {}},
      {"hanning extremes", Hanning(), {-32768, -32768, -32768}, {-32768, -32768, -32768}},
      {"rms envelope", Rms(2), {3, 4, 0, 0}, {3, 3, 1, 0}},
      {"rms short last block", Rms(2), {3, 4, 0}, {3, 3, 1}},
      {"rms of full scale", Rms(1), {-32768, 0}, {32767, 0}},
      {"rms block longer than the record", Rms(3), {3, 4}, {3, 3}},
      {"abs", Abs(), {-5, 5, 0, -32768, 32767}, {5, 5, 0, -32768, 32767}},
      {"smoothing", Smooth(0.5), {0, 10, 10}, {0, 5, 7}},
      {"smoothing truncates toward zero", Smooth(0.5), {0, -3, -3}, {0, -1, -2}},
      {"smoothing beyond 0..1 stops at 16 bits", Smooth(2), {0, 30000, -30000}, {0, 32767, -32768}},
  };
  for (const Case& c : cases) {
    Fill(1, 0, c.in);
    ASSERT_EQ(c.apply(record, 1), FilterOutcome::Done) << c.name;
    EXPECT_EQ(Filtered(), c.out) << c.name;
    EXPECT_EQ(record.SampleFile, record.FilteredFile) << c.name;
    EXPECT_TRUE(record.HasFiltered) << c.name;
    EXPECT_EQ(Values(ReadBytes(record.OrigFile)), c.in) << c.name;
  }
}

TEST_F(SignalFiltersTest, UnselectedAndDacColumnsPassUnchanged) {
  // ADC 1, ADC 3 and DAC 2 recorded; ADC 3 and the unrecorded ADC 2 chosen.
  Fill(0b101, 0b10, {-1, -2, -3, -4, -5, -6});
  ASSERT_EQ(ApplyAbs(record, 0b110), FilterOutcome::Done);
  EXPECT_EQ(Filtered(), (std::vector<int16_t>{-1, 2, -3, -4, 5, -6}));
}

// The filters as their formulas read, over a whole column at once.
std::vector<int16_t> HanningOf(const std::vector<int16_t>& x) {
  std::vector<int16_t> y = x;
  for (std::size_t n = 2; n < x.size(); ++n) {
    y[n] = static_cast<int16_t>((int32_t{x[n]} + 2 * int32_t{x[n - 1]} + int32_t{x[n - 2]}) / 4);
  }
  return y;
}

std::vector<int16_t> SmoothingOf(const std::vector<int16_t>& x, double k) {
  std::vector<int16_t> y = x;
  for (std::size_t n = 1; n < x.size(); ++n) {
    y[n] = static_cast<int16_t>(std::trunc(k * x[n] + (1 - k) * y[n - 1]));
  }
  return y;
}

std::vector<int16_t> MovingRmsOf(const std::vector<int16_t>& x, std::size_t n) {
  std::vector<int16_t> y(x.size());
  int64_t previous = 0;
  for (std::size_t start = 0; start < x.size(); start += n) {
    const std::size_t k = std::min(n, x.size() - start);
    int64_t sum = 0;
    for (std::size_t j = 0; j < k; ++j) sum += int64_t{x[start + j]} * x[start + j];
    const auto r =
        static_cast<int64_t>(std::sqrt(static_cast<double>(sum / static_cast<int64_t>(k))));
    const double slope = static_cast<double>(r - previous) / static_cast<double>(n);
    for (std::size_t j = 0; j < k; ++j) {
      y[start + j] = static_cast<int16_t>(start == 0 ? static_cast<double>(r)
                                                     : std::trunc(previous + (j + 1) * slope));
    }
    previous = r;
  }
  return y;
}

// Values that change at every frame, over a level that changes every few
// thousand frames, different in every column.
int16_t Code(std::size_t column, std::size_t frame) {
  const uint32_t hash = static_cast<uint32_t>(frame * 2654435761u + column * 40503u) >> 16;
  const int level = 1 + static_cast<int>((frame / 3001 + column) % 5);
  return static_cast<int16_t>((static_cast<int>(hash % 2001) - 1000) * level);
}

// The first place two columns differ, or -1.
int64_t FirstDifference(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
  if (a.size() != b.size()) return static_cast<int64_t>(std::min(a.size(), b.size()));
  const auto at = std::mismatch(a.begin(), a.end(), b.begin());
  return at.first == a.end() ? -1 : at.first - a.begin();
}

// Records of two buffers and a part of a third, so that every history
// (the Hanning filter's two frames, the smoothing's last output, the moving
// RMS's previous block) has to cross buffer edges; unchosen ADC and all DAC
// columns pass through.
TEST_F(SignalFiltersTest, FiltersCarryTheirHistoryAcrossBuffers) {
  struct Layout {
    uint16_t acp, cap, chosen;
  };
  const Layout layouts[] = {{0b1, 0, 0b1}, {0b101, 0b1, 0b110}, {0b11111, 0b11, 0b10010}};
  for (const Layout& layout : layouts) {
    const std::size_t width = std::popcount(layout.acp) + std::popcount(layout.cap);
    const std::size_t room = FilterStream::kBufferValues / width;
    const std::size_t frames = 2 * room + 777;
    std::vector<int16_t> values(frames * width);
    std::vector<std::vector<int16_t>> in(width, std::vector<int16_t>(frames));
    for (std::size_t f = 0; f < frames; ++f) {
      for (std::size_t c = 0; c < width; ++c) values[f * width + c] = in[c][f] = Code(c, f);
    }
    Fill(layout.acp, layout.cap, values);
    const std::vector<int> chosen = FilterColumns(record, layout.chosen);
    ASSERT_FALSE(chosen.empty());

    const struct {
      std::string name;
      Apply apply;
      std::function<std::vector<int16_t>(const std::vector<int16_t>&)> expected;
    } filters[] = {
        {"hanning", Hanning(), HanningOf},
        {"smoothing", Smooth(0.25), [](const auto& x) { return SmoothingOf(x, 0.25); }},
        {"rms of 7", Rms(7), [](const auto& x) { return MovingRmsOf(x, 7); }},
        {"rms of 1000", Rms(1000), [](const auto& x) { return MovingRmsOf(x, 1000); }},
        {"rms of a buffer", Rms(static_cast<int64_t>(room)),
         [room](const auto& x) { return MovingRmsOf(x, room); }},
        {"rms of a buffer and a frame", Rms(static_cast<int64_t>(room + 1)),
         [room](const auto& x) { return MovingRmsOf(x, room + 1); }},
    };
    for (const auto& filter : filters) {
      SCOPED_TRACE(filter.name + ", " + std::to_string(width) + " values a frame");
      {
        tornel::testing::FileSizeLimit limit(values.size() * 2);
        ASSERT_EQ(filter.apply(record, layout.chosen), FilterOutcome::Done);
      }
      EXPECT_TRUE(tornel::testing::MatchesItsFile(
          record.Summaries.Find<int16_t>(record.FilteredFile, static_cast<int>(width)),
          record.FilteredFile, static_cast<int>(width)));
      const std::vector<int16_t> out = Filtered();
      ASSERT_EQ(out.size(), values.size());
      for (std::size_t c = 0; c < width; ++c) {
        std::vector<int16_t> column(frames);
        for (std::size_t f = 0; f < frames; ++f) column[f] = out[f * width + c];
        const bool filtered = std::find(chosen.begin(), chosen.end(), c) != chosen.end();
        EXPECT_EQ(FirstDifference(column, filtered ? filter.expected(in[c]) : in[c]), -1)
            << "column " << c;
      }
    }
  }
}

// The filtered copy's summary is built while the filter writes it, for
// records ending at and around the edges of summary blocks.
TEST_F(SignalFiltersTest, TheFilteredCopyComesWithItsSummary) {
  struct Layout {
    uint16_t acp, cap, chosen;
  };
  const Layout layouts[] = {{0b1, 0, 0b1}, {0b111, 0, 0b101}, {0b1111111, 0b11, 0b1010101}};
  const struct {
    std::string name;
    Apply apply;
  } filters[] = {{"abs", Abs()}, {"hanning", Hanning()}, {"rms of 5", Rms(5)}};
  for (const Layout& layout : layouts) {
    const int width = std::popcount(layout.acp) + std::popcount(layout.cap);
    for (int frames : {0, 1, 63, 64, 65, 197, 4161}) {
      std::vector<int16_t> values(static_cast<std::size_t>(frames * width));
      for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = Code(i % static_cast<std::size_t>(width), i / static_cast<std::size_t>(width));
      }
      Fill(layout.acp, layout.cap, values);
      for (const auto& filter : filters) {
        SCOPED_TRACE(filter.name + ", " + std::to_string(frames) + " frames of " +
                     std::to_string(width));
        ASSERT_EQ(filter.apply(record, layout.chosen), FilterOutcome::Done);
        EXPECT_TRUE(tornel::testing::MatchesItsFile(
            record.Summaries.Find<int16_t>(record.FilteredFile, width), record.FilteredFile,
            width));
      }
    }
  }
}

TEST_F(SignalFiltersTest, ASecondFilterStartsAgainFromTheUnfilteredSamples) {
  Fill(1, 0, {0, 0, 4, 0, 0});
  ASSERT_EQ(ApplyHanning(record, 1), FilterOutcome::Done);
  ASSERT_EQ(ApplyExpSmoothing(record, 1, 0.5), FilterOutcome::Done);
  // 0, 0, trunc(2), trunc(1), trunc(0.5)
  EXPECT_EQ(Filtered(), (std::vector<int16_t>{0, 0, 2, 1, 0}));
}

TEST_F(SignalFiltersTest, NoRecordedChannelChosenChangesNothing) {
  Fill(0b1, 0b1, {-1, -2});
  record.SampleFile = record.FilteredFile;  // whatever was shown stays
  for (uint16_t mask : {0, 0b10}) {
    EXPECT_EQ(ApplyAbs(record, mask), FilterOutcome::NothingSelected);
    EXPECT_EQ(ApplyMovingRms(record, mask, 0), FilterOutcome::NothingSelected);
  }
  EXPECT_FALSE(fs::exists(record.FilteredFile));
  EXPECT_EQ(record.SampleFile, record.FilteredFile);
  EXPECT_FALSE(record.HasFiltered);
}

TEST_F(SignalFiltersTest, ProgressStepsAtMostOncePerFrameUpToItsMaximum) {
  struct Case {
    int frames;
    int64_t rmsWindow;  // 0: the frame-by-frame Hanning filter
    const char* caption;
    int maximum, steps;
  };
  const Case cases[] = {
      {1000, 0, "Фильтр Хеннинга", 100, 100},
      {40, 0, "Фильтр Хеннинга", 100, 40},
      {10, 3, "Фильтр Среднее квадратичное", 3, 4},  // one step per block
  };
  for (const Case& c : cases) {
    Fill(1, 0, std::vector<int16_t>(c.frames, 1));
    FakeProgress progress;
    const FilterOutcome outcome = c.rmsWindow ? ApplyMovingRms(record, 1, c.rmsWindow, &progress)
                                              : ApplyHanning(record, 1, &progress);
    EXPECT_EQ(outcome, FilterOutcome::Done);
    EXPECT_EQ(progress.caption, c.caption);
    EXPECT_EQ(progress.maximum, c.maximum) << c.frames;
    EXPECT_EQ(progress.steps, c.steps) << c.frames;
  }
}

TEST_F(SignalFiltersTest, FailuresAndCancelLeaveTheRecordShowingItsSamples) {
  struct Case {
    const char* name;
    bool hadFiltered;
    std::function<FilterOutcome(TGraphRecord&)> run;
    std::string message;  // empty: cancelled
  };
  const Case cases[] = {
      {"cancel", false,
       [](TGraphRecord& r) {
         FakeProgress p;
         p.stopAt = 3;
         return ApplyAbs(r, 1, &p);
       },
       ""},
      {"cancel rms", true,
       [](TGraphRecord& r) {
         FakeProgress p;
         p.stopAt = 1;
         return ApplyMovingRms(r, 1, 100, &p);
       },
       ""},
      {"disk full", true,
       [](TGraphRecord& r) {
         tornel::testing::FileSizeLimit limit(100);
         return ApplyHanning(r, 1);
       },
       "Не удалось записать файл "},
      {"disk full, no copy before", false,
       [](TGraphRecord& r) {
         tornel::testing::FileSizeLimit limit(100);
         return ApplyHanning(r, 1);
       },
       "Не удалось записать файл "},
      {"samples gone", true,
       [](TGraphRecord& r) {
         fs::remove(r.OrigFile);
         return ApplyAbs(r, 1);
       },
       "Не удалось открыть файл "},
  };
  for (const Case& c : cases) {
    Fill(1, 0, std::vector<int16_t>(1000, -1));
    if (c.hadFiltered) {
      WriteBytes(record.FilteredFile, "earlier");
      record.HasFiltered = true;
      record.SampleFile = record.FilteredFile;
      // The run may write the copy in place: what was known of it goes.
      record.Summaries.Put(record.FilteredFile,
                           *SampleSummary<int16_t>::Build(record.FilteredFile, 1));
    }
    if (c.message.empty()) {
      EXPECT_EQ(c.run(record), FilterOutcome::Cancelled) << c.name;
    } else {
      try {
        c.run(record);
        ADD_FAILURE() << c.name << ": no error";
      } catch (const UserError& e) {
        const std::string file =
            c.message.find("открыть") != std::string::npos ? record.OrigFile : record.FilteredFile;
        EXPECT_EQ(e.what(), c.message + file) << c.name;
      }
    }
    EXPECT_EQ(record.SampleFile, record.OrigFile) << c.name;
    EXPECT_EQ(record.HasFiltered, c.hadFiltered) << c.name;
    // Only a run that failed before it made its output leaves the earlier
    // copy's summary; none puts a summary of what it wrote.
    const bool untouched = c.hadFiltered && c.message.find("открыть") != std::string::npos;
    EXPECT_EQ(record.Summaries.Size(), untouched ? 1u : 0u) << c.name;
    if (c.hadFiltered) {
      EXPECT_EQ(ReadBytes(record.FilteredFile), "earlier") << c.name;
    } else {
      EXPECT_FALSE(fs::exists(record.FilteredFile)) << c.name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()),
              (c.message.find("открыть") != std::string::npos ? 0 : 1) + c.hadFiltered)
        << c.name << ": a half-written file is left";
  }
}

TEST_F(SignalFiltersTest, TheWindowLengthComesFromTheAveragingTime) {
  struct Case {
    int frames;
    double duration;
    int32_t ms;
    int64_t n;
  };
  const Case cases[] = {
      {1000, 1.0, 200, 200}, {1000, 2.0, 3, 1},   {10, 1.0, 50, 0},  {10, 1.0, 0, 0},
      {10, 1.0, -200, 0},    {10, 1.0, 5000, 10}, {10, 0.0, 10, 10}, {10, 0.0, 0, 0},
  };
  for (const Case& c : cases) {
    Fill(1, 0, std::vector<int16_t>(c.frames, 0), c.duration);
    EXPECT_EQ(MovingRmsWindow(record, c.ms), c.n) << c.frames << " " << c.ms;
  }
  EXPECT_THROW(ApplyMovingRms(record, 1, 0), UserError);
  EXPECT_FALSE(fs::exists(record.FilteredFile));
}

TEST(FilterParameters, TypedTextsAreNumbersOrTheUserHearsWhy) {
  EXPECT_EQ(ParseAveragingTime(" 200 "), 200);
  EXPECT_DOUBLE_EQ(ParseSmoothingFactor("0,3"), 0.3);
  EXPECT_DOUBLE_EQ(ParseSmoothingFactor("0.25"), 0.25);
  for (const char* text : {"", "2oo", "0.5"}) {
    try {
      ParseAveragingTime(text);
      ADD_FAILURE() << text;
    } catch (const UserError& e) {
      EXPECT_EQ(e.what(), std::string("«") + text + "» — не число");
    }
  }
  for (const char* text : {"", "k", "0,3,", "1e999"}) {
    EXPECT_THROW(ParseSmoothingFactor(text), UserError) << text;
  }
}

TEST_F(SignalFiltersTest, TheMenuFollowsTheFilteredCopy) {
  Fill(1, 0, {-3, 4});
  EXPECT_EQ(FilterMenuStateOf(record), (FilterMenuState{true, false, false, false, false}));
  record.IsStatic = true;
  EXPECT_EQ(FilterMenuStateOf(record), (FilterMenuState{false, true, false, false, false}));
  ASSERT_EQ(ApplyAbs(record, 1), FilterOutcome::Done);
  EXPECT_EQ(FilterMenuStateOf(record), (FilterMenuState{false, true, true, true, true}));
  ToggleShowFiltered(record);
  EXPECT_EQ(record.SampleFile, record.OrigFile);
  EXPECT_EQ(FilterMenuStateOf(record), (FilterMenuState{false, true, true, false, true}));
  ToggleShowFiltered(record);
  EXPECT_EQ(record.SampleFile, record.FilteredFile);

  SaveFilteredRows(record);
  EXPECT_EQ(Values(ReadBytes(record.OrigFile)), (std::vector<int16_t>{3, 4}));
  EXPECT_TRUE(tornel::testing::MatchesItsFile(record.Summaries.Find<int16_t>(record.OrigFile, 1),
                                              record.OrigFile, 1));
  EXPECT_EQ(record.Summaries.Size(), 1u);
  EXPECT_FALSE(fs::exists(record.FilteredFile));
  EXPECT_EQ(record.SampleFile, record.OrigFile);
  EXPECT_EQ(FilterMenuStateOf(record), (FilterMenuState{false, true, false, false, false}));
}

}  // namespace
}  // namespace tornel
