#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <memory>

#include "core/records/dta_writer.h"
#include "core/records/graph_record.h"
#include "core/text/user_error.h"
#include "tests/core/records/dta_bytes.h"
#include "tests/core/records/hand_file.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/core/records/summary_check.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::DtaBytes;
using testing::HandFile;
using testing::kSamples;
using testing::kSignature;
using testing::Layout;
using testing::ReadBytes;
using testing::ScopedTmpDir;
using testing::TempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

// TMPDIR is a fresh folder, so a test sees every temporary file it leaves.
class DtaFile : public ::testing::Test {
protected:
  std::size_t TempFiles() const {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(tmp_.Path())) ++n;
    return n;
  }
  std::string ErrorOfLoad(TGraphRecord& r, const std::string& path) {
    try {
      r.LoadDta(path);
    } catch (const UserError& e) {
      return e.what();
    }
    return "";
  }

  TempDir tmp_;
  TempDir dir_;  // made before TMPDIR moves into tmp_
  ScopedTmpDir tmpdir_{tmp_.Path().string()};
};

TEST_F(DtaFile, LoadFillsTheRecordAndCopiesTheSamples) {
  const std::string path = dir_.File("a.dta");
  WriteBytes(path, HandFile().Str() + "\x7F");  // and a trailing odd byte
  TGraphRecord r;
  r.ChanColor[5] = 0x123456;
  r.LoadDta(path);

  EXPECT_EQ(r.ChanName[0], "Ica");
  EXPECT_EQ(r.ChanUnit[0], "A");
  EXPECT_EQ(r.ChanName[1], "Ток");
  EXPECT_EQ(r.ChanUnit[1], "кВт");
  EXPECT_EQ(r.ChanName[15], "K16");
  EXPECT_EQ(r.ChanName[16], "");  // an empty name reads back empty
  EXPECT_EQ(r.Comments, (std::vector<std::string>{"first", "Второй"}));
  EXPECT_EQ(r.Time, 0.25);
  EXPECT_EQ(r.Date, 45000.0);
  EXPECT_FALSE(r.IsStatic);
  EXPECT_EQ(r.Duration, 2.0);
  EXPECT_EQ(r.AcpMask, 0b11);
  EXPECT_EQ(r.CapMask, 0b1);
  EXPECT_EQ(r.AcpShowMask, 0b11);  // ADC 3 is not recorded
  EXPECT_EQ(r.CapShowMask, 0);     // nor DAC 2
  EXPECT_EQ(r.Deps[0], (Dependency{1, 2, 0}));
  EXPECT_EQ(r.Deps[7], Dependency{});
  EXPECT_EQ(r.Base[31], 32.0);
  EXPECT_EQ(r.RealBase[3], 2.0);
  EXPECT_EQ(r.DivX, 4);
  EXPECT_EQ(r.DivY, 8);
  EXPECT_EQ(r.TMin, 0.5);
  EXPECT_EQ(r.TMax, 1.5);
  EXPECT_EQ(r.YMax, 2.0);
  EXPECT_EQ(r.YMin, -1.0);
  EXPECT_EQ(r.XMax, 3.0);
  EXPECT_EQ(r.XMin, -3.0);
  EXPECT_EQ(r.ChanColor[5], 0x123456u);  // not stored in the file

  EXPECT_EQ(r.SampleFile, r.OrigFile);
  EXPECT_EQ(r.FilteredFile, r.OrigFile + "f");
  EXPECT_EQ(fs::path(r.OrigFile).parent_path(), tmp_.Path());
  EXPECT_EQ(fs::path(r.OrigFile).filename().string().substr(0, 3), "Trn");
  EXPECT_EQ(ReadBytes(r.OrigFile), kSamples);
  r.RecountRecord();
  EXPECT_EQ(r.FrameCount, 2.0);
  EXPECT_TRUE(r.HasDeps);
  r.DestroyRecord();
  EXPECT_EQ(TempFiles(), 0u);
}

TEST_F(DtaFile, SaveWritesTheLayoutByteForByteAndLoadSaveReproducesIt) {
  const std::string samples = dir_.File("samples");
  WriteBytes(samples, kSamples);
  TGraphRecord r;
  r.ChanName[0] = "Ica";
  r.ChanUnit[0] = "A";
  r.ChanName[1] = "Ток";
  r.ChanUnit[1] = "кВт";
  for (int s = 2; s < 32; ++s) {
    r.ChanName[s] = s < 16 ? "K" + std::to_string(s + 1) : "";
    r.ChanUnit[s] = "";
  }
  r.Comments = {"first", "Второй"};
  r.Time = 0.25;
  r.Date = 45000;
  r.Duration = 2;
  r.AcpMask = 0b11;
  r.CapMask = 0b1;
  r.AcpShowMask = 0b111;
  r.CapShowMask = 0b10;
  r.Deps[0] = {1, 2, 0};
  for (int s = 0; s < 32; ++s) {
    r.Base[s] = s + 1;
    r.RealBase[s] = 0.5 * (s + 1);
  }
  r.DivX = 4;
  r.DivY = 8;
  r.TMin = 0.5;
  r.TMax = 1.5;
  r.YMax = 2;
  r.YMin = -1;
  r.XMax = 3;
  r.XMin = -3;
  r.SampleFile = samples;
  const std::string first = dir_.File("first.dta");
  r.SaveDta(first);
  EXPECT_EQ(ReadBytes(first), HandFile().Str());

  TGraphRecord loaded;
  loaded.LoadDta(first);
  loaded.AcpShowMask = 0b111;  // what the file held before the load cut it
  loaded.CapShowMask = 0b10;
  const std::string second = dir_.File("second.dta");
  loaded.SaveDta(second);
  EXPECT_EQ(ReadBytes(second), ReadBytes(first));
}

TEST_F(DtaFile, StaticRecordKeepsItsPointCount) {
  TGraphRecord r;
  r.IsStatic = true;
  r.Duration = 12;
  r.SaveDta(dir_.File("s.dta"));
  TGraphRecord back;
  back.LoadDta(dir_.File("s.dta"));
  EXPECT_TRUE(back.IsStatic);
  EXPECT_EQ(back.Duration, 12.0);
  EXPECT_EQ(ReadBytes(back.OrigFile), "");
}

TEST_F(DtaFile, WrongSignatureIsRefused) {
  const std::string rest = HandFile().Str().substr(20);
  const std::string cases[] = {
      "",
      "Quendaris v1.3 file",          // 19 bytes
      "Quendaris v1.3 fil\n ",        // line feed inside
      "quendaris v1.3 file " + rest,  // another case
      "Quendaris v1.2 file " + rest,
      std::string(20, '\0') + rest,
  };
  for (const auto& bytes : cases) {
    WriteBytes(dir_.File("x.dta"), bytes);
    TGraphRecord r;
    EXPECT_EQ(ErrorOfLoad(r, dir_.File("x.dta")),
              "Файл создан другой программой\n" + dir_.File("x.dta"))
        << bytes;
    EXPECT_TRUE(r.OrigFile.empty());
  }
  EXPECT_EQ(TempFiles(), 0u);
}

TEST_F(DtaFile, MissingFileIsNamedInTheError) {
  TGraphRecord r;
  EXPECT_EQ(ErrorOfLoad(r, dir_.File("none.dta")),
            "Не удалось открыть файл " + dir_.File("none.dta"));
}

TEST_F(DtaFile, FileCutAnywhereInTheHeaderLoadsOrIsDamagedNeverMore) {
  Layout layout;
  const DtaBytes full = HandFile(&layout);
  for (std::size_t length = 0; length <= layout.samples; ++length) {
    const std::string path = dir_.File("cut.dta");
    WriteBytes(path, full.Str().substr(0, length));
    TGraphRecord r;
    const std::string error = ErrorOfLoad(r, path);
    if (length < 20) {
      EXPECT_EQ(error, "Файл создан другой программой\n" + path) << length;
    } else if (full.CutInsideText(length)) {
      EXPECT_EQ(error, "Файл повреждён\n" + path) << length;
      EXPECT_EQ(r.ChanName[0], "Ica") << "unchanged on error";
    } else {
      ASSERT_EQ(error, "") << length;
      EXPECT_EQ(ReadBytes(r.OrigFile), "");
      EXPECT_EQ(r.DivX, length >= layout.divX + 4 ? 4 : 5) << length;
      EXPECT_EQ(r.XMin, length >= layout.samples - 5 ? -3.0 : -1.9) << length;
      if (length < 24) {
        EXPECT_EQ(r.ChanName[0], "") << "names past the end are empty";
      }
    }
    r.DestroyRecord();
    ASSERT_EQ(TempFiles(), 0u) << length;
  }
}

TEST_F(DtaFile, LongStringsAreCutTo199BytesAndTheReaderStaysInStep) {
  for (std::size_t n : {198u, 199u, 200u, 300u}) {
    const std::string path = dir_.File("long.dta");
    WriteBytes(path, HandFile(nullptr, std::string(n, 'a')).Str());
    TGraphRecord r;
    r.LoadDta(path);
    EXPECT_EQ(r.ChanName[0], std::string(std::min<std::size_t>(n, 199), 'a'));
    EXPECT_EQ(r.ChanUnit[0], "A");
    EXPECT_EQ(r.DivY, 8);
    EXPECT_EQ(ReadBytes(r.OrigFile), kSamples);
  }
}

TEST_F(DtaFile, NegativeLengthOrCountIsADamagedFile) {
  DtaBytes negName;
  negName.Raw(kSignature).I32(-1).Raw("xxxxxxxx");
  DtaBytes negCount;
  negCount.Raw(kSignature);
  for (int i = 0; i < 64; ++i) negCount.Counted("");
  negCount.I32(-5).Raw(std::string(800, '\0'));
  DtaBytes pastEnd;
  pastEnd.Raw(kSignature).I32(1000).Raw("short");
  for (const DtaBytes* b : {&negName, &negCount, &pastEnd}) {
    WriteBytes(dir_.File("bad.dta"), b->Str());
    TGraphRecord r;
    EXPECT_EQ(ErrorOfLoad(r, dir_.File("bad.dta")), "Файл повреждён\n" + dir_.File("bad.dta"));
    EXPECT_TRUE(r.OrigFile.empty());
    EXPECT_EQ(r.ChanName[0], "Ica");
  }
  EXPECT_EQ(TempFiles(), 0u);
}

TEST_F(DtaFile, WriterCutsLongTextAndBlanksLineFeeds) {
  TGraphRecord r;
  for (auto& s : r.ChanName) s = "";
  for (auto& s : r.ChanUnit) s = "";
  r.ChanName[0] = std::string(150, 'a');
  for (int i = 0; i < 60; ++i) r.ChanName[0] += "я";  // 210 bytes of cp1251
  r.ChanUnit[0] = "a\nb";
  r.Comments = {"one\ntwo"};
  const std::string header = EncodeDtaHeader(r);
  DtaBytes expected;
  expected.Raw(kSignature).Counted(std::string(150, 'a') + std::string(49, '\xFF')).Counted("a b");
  for (int i = 1; i < 32; ++i) expected.Counted("").Counted("");
  expected.I32(1).Counted("one two");
  EXPECT_EQ(header.substr(0, expected.Size()), expected.Str());
  EXPECT_EQ(header.size(), expected.Size() + 702 + 5 - 5);  // items 5-17 are 702 bytes
  EXPECT_EQ(header.substr(header.size() - 5), std::string(5, '\0'));
}

TEST_F(DtaFile, SaveErrorsNameTheFileAndKeepTheOldOne) {
  const std::string samples = dir_.File("samples");
  WriteBytes(samples, kSamples);
  WriteBytes(dir_.File("plain"), "x");
  auto errorOfSave = [](const TGraphRecord& r, const std::string& path) -> std::string {
    try {
      r.SaveDta(path);
    } catch (const UserError& e) {
      return e.what();
    }
    return "";
  };
  TGraphRecord r;
  r.SampleFile = samples;
  EXPECT_EQ(errorOfSave(r, dir_.File("plain") + "/x"),
            "Не удалось создать файл " + dir_.File("plain") + "/x");
  EXPECT_EQ(errorOfSave(r, "/dev/full"), "Не удалось записать файл /dev/full");

  const std::string old = dir_.File("old.dta");
  WriteBytes(old, "previous contents");
  r.SampleFile = dir_.File("gone");
  EXPECT_EQ(errorOfSave(r, old), "Не удалось открыть файл " + dir_.File("gone"));
  EXPECT_EQ(ReadBytes(old), "previous contents");
  r.SampleFile = samples;
  EXPECT_EQ(errorOfSave(r, old), "");
  EXPECT_EQ(ReadBytes(old).substr(ReadBytes(old).size() - kSamples.size()), kSamples);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_.Path())) ++files;
  EXPECT_EQ(files, 3u) << "no temporary file beside the saved one";
}

// Hand-worked: 100 needs a base of 100 / 32767 * 511 = 1.5595, which two
// digits round up to 1.6; 250 needs 3.8987, so 3.9; 1.0 needs 0.015595, so
// 0.016; a peak that fills the codes at base 1 (32767 / 511) keeps 1.
TEST(ExportBase, TwoDigitsAtWhichThePeakStillFits) {
  const struct {
    double peak, base;
  } cases[] = {{100, 1.6},   {250, 3.9},     {1.0, 0.016}, {0.5, 0.0078},       {64.12, 1.0},
               {1e6, 16000}, {1e-3, 1.6e-5}, {0.0, 1.0},   {32767.0 / 511, 1.0}};
  for (const auto& c : cases) EXPECT_EQ(ExportBase(c.peak), c.base) << c.peak;
  for (double peak = 1e-6; peak < 1e7; peak *= 1.37) {
    const double codes = peak / ExportBase(peak) * 511;
    EXPECT_LE(codes, 32767.0) << peak;
    EXPECT_GT(codes, 0.9 * 32767) << peak;
  }
}

TEST_F(DtaFile, DoubleSamplesAreSavedWithABasePerChannel) {
  // Channel 1 reaches 100 (an integrator past the old +-64.1 cut), channel
  // 4 reaches -250; codes are trunc(v * 511 / base): 100 * 511 / 1.6 =
  // 31937.5, -60 -> -19162.5, 0.5 -> 159.6875; -250 * 511 / 3.9 = -32756.4,
  // 1 -> 131.03.
  const std::string samples = dir_.File("doubles");
  DtaBytes values;
  for (double v : {100.0, -250.0, -60.0, 0.0, 0.5, 1.0}) values.F64(v);
  WriteBytes(samples, values.Str() + "odd");
  TGraphRecord r;
  r.Samples = SampleFormat::Float64;
  r.FullScale = 1.0;
  r.Base.fill(5.0);
  r.AcpMask = 0b1001;
  r.SampleFile = samples;
  r.SaveDta(dir_.File("block.dta"));
  TGraphRecord back;
  back.LoadDta(dir_.File("block.dta"));
  EXPECT_EQ(back.Base[0], 1.6);
  EXPECT_EQ(back.Base[3], 3.9);
  EXPECT_EQ(back.Base[1], 1.0);
  EXPECT_EQ(back.RealBase[0], 1.0);
  EXPECT_EQ(back.RealBase[31], 1.0);
  DtaBytes codes;
  for (int16_t c : {31937, -32756, -19162, 0, 159, 131}) codes.I16(c);
  EXPECT_EQ(ReadBytes(back.OrigFile), codes.Str());
}

TEST_F(DtaFile, DoubleSampleThatIsNoNumberRefusesTheExport) {
  for (double bad : {std::nan(""), double{INFINITY}, -double{INFINITY}}) {
    const std::string samples = dir_.File("doubles");
    DtaBytes values;
    for (double v : {1.0, 2.0, -1.0, bad}) values.F64(v);
    WriteBytes(samples, values.Str());
    TGraphRecord r;
    r.Samples = SampleFormat::Float64;
    r.AcpMask = 0b11;
    r.ChanName[1] = "Канал 2";
    r.SampleFile = samples;
    const std::string target = dir_.File("block.dta");
    WriteBytes(target, "previous");
    try {
      r.SaveDta(target);
      ADD_FAILURE() << bad;
    } catch (const UserError& e) {
      EXPECT_EQ(std::string(e.what()),
                "Файл данных не сохранён: в канале «Канал 2» есть бесконечные или "
                "неопределённые (NaN) значения\n" +
                    target);
    }
    EXPECT_EQ(ReadBytes(target), "previous");
  }
}

TEST_F(DtaFile, ValuesThatWouldBreakThePlotKeepTheRecordsOwn) {
  Layout layout;
  std::string bytes = HandFile(&layout).Str();
  DtaBytes patch;
  patch.I32(0).I32(1000).F64(std::nan("")).F64(INFINITY);  // DivX, DivY, TMin, TMax
  bytes.replace(layout.divX, patch.Size(), patch.Str());
  WriteBytes(dir_.File("odd.dta"), bytes);
  TGraphRecord r;
  r.TMax = 0.75;
  r.LoadDta(dir_.File("odd.dta"));
  EXPECT_EQ(r.DivX, 1);
  EXPECT_EQ(r.DivY, 100);
  EXPECT_EQ(r.TMin, 0.0);
  EXPECT_EQ(r.TMax, 0.75);
  EXPECT_EQ(r.YMax, 2.0);
}

TEST_F(DtaFile, TwoLoadsOwnTwoFilesAndEachDeletesOnlyItsOwn) {
  WriteBytes(dir_.File("a.dta"), HandFile().Str());
  auto a = std::make_unique<TGraphRecord>();
  TGraphRecord b;
  a->LoadDta(dir_.File("a.dta"));
  b.LoadDta(dir_.File("a.dta"));
  EXPECT_NE(a->OrigFile, b.OrigFile);
  const std::string aFile = a->OrigFile;
  a.reset();
  EXPECT_FALSE(fs::exists(aFile));
  EXPECT_EQ(ReadBytes(b.OrigFile), kSamples);
  EXPECT_TRUE(fs::exists(dir_.File("a.dta")));
}

// The hand-made header with other masks, then `frames` frames of codes that
// differ per channel and frame, then `tail` bytes of no whole frame.
std::string DataFile(uint16_t acp, uint16_t cap, int frames, std::size_t tail) {
  Layout layout;
  const DtaBytes hand = HandFile(&layout);
  std::string bytes = hand.Str().substr(0, layout.samples);
  bytes[layout.masks] = static_cast<char>(acp & 0xFF);
  bytes[layout.masks + 1] = static_cast<char>(acp >> 8);
  bytes[layout.masks + 2] = static_cast<char>(cap & 0xFF);
  bytes[layout.masks + 3] = static_cast<char>(cap >> 8);
  const int channels = std::popcount(acp) + std::popcount(cap);
  DtaBytes samples;
  for (int f = 0; f < frames; ++f) {
    for (int c = 0; c < channels; ++c) {
      const int v = f % (37 + c) == c ? 20000 + c : (f * 131 + c * 977) % 4001 - 2000;
      samples.I16(static_cast<int16_t>(v));
    }
  }
  return bytes + samples.Str() + std::string(tail, '\x55');
}

TEST_F(DtaFile, LoadingSummarisesTheCopyAsItIsWritten) {
  struct Case {
    uint16_t acp, cap;
    int frames;
    std::size_t tail;  // bytes after the last whole frame
  };
  // Block edges, several blocks, a copy longer than one copy buffer
  // (65535 units), odd channel counts and frames cut short.
  const Case cases[] = {
      {0b1, 0, 0, 0},   {0b11, 0b1, 63, 3},      {0b11, 0b1, 64, 0},      {0x1FF, 0, 65, 17},
      {0b1, 0, 197, 1}, {0xFFFF, 0b1, 4161, 33}, {0x1FF, 0, 4161 * 2, 0}, {0b10101, 0, 4096, 5},
  };
  for (const Case& c : cases) {
    const int channels = std::popcount(c.acp) + std::popcount(c.cap);
    SCOPED_TRACE(std::to_string(c.frames) + " frames of " + std::to_string(channels));
    WriteBytes(dir_.File("s.dta"), DataFile(c.acp, c.cap, c.frames, c.tail));
    TGraphRecord r;
    r.LoadDta(dir_.File("s.dta"));
    EXPECT_EQ(r.Summaries.Size(), 1u);
    EXPECT_TRUE(testing::MatchesItsFile(r.Summaries.Find<int16_t>(r.OrigFile, channels), r.OrigFile,
                                        channels));
  }
}

TEST_F(DtaFile, ALoadWithoutChannelsOrThatFailsPutsNoSummary) {
  TGraphRecord r;
  WriteBytes(dir_.File("none.dta"), DataFile(0, 0, 0, 100));
  r.LoadDta(dir_.File("none.dta"));
  EXPECT_EQ(r.Summaries.Size(), 0u);

  WriteBytes(dir_.File("big.dta"), DataFile(0b111, 0, 1000, 0));
  {
    // The copy fails part way: the record, its summaries included, stays.
    testing::FileSizeLimit limit(2000);
    EXPECT_THROW(r.LoadDta(dir_.File("big.dta")), UserError);
  }
  EXPECT_EQ(r.Summaries.Size(), 0u);
  EXPECT_EQ(r.AcpMask, 0);

  // A second load forgets the summary of the copy it deletes.
  r.LoadDta(dir_.File("big.dta"));
  const std::string first = r.OrigFile;
  r.LoadDta(dir_.File("big.dta"));
  EXPECT_FALSE(fs::exists(first));
  EXPECT_EQ(r.Summaries.Size(), 1u);
  EXPECT_NE(r.Summaries.Find<int16_t>(r.OrigFile, 3), nullptr);
}

}  // namespace
}  // namespace tornel
