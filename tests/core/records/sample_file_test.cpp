#include <gtest/gtest.h>

#include <vector>

#include "core/records/sample_file_reader.h"
#include "core/records/sample_file_writer.h"
#include "core/text/user_error.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(SampleFile, WriterStoresLittleEndianValues) {
  TempDir dir;
  {
    SampleFileWriter<int16_t> w(dir.File("codes"));
    const int16_t values[] = {1, -2, 0x1234, -32768};
    w.Write(values);
    w.Close();
  }
  EXPECT_EQ(ReadBytes(dir.File("codes")), std::string("\x01\x00\xFE\xFF\x34\x12\x00\x80", 8));
  {
    SampleFileWriter<double> w(dir.File("doubles"));
    w.Write(1.0);
    w.Write(-0.5);
  }  // the destructor writes what is buffered
  EXPECT_EQ(ReadBytes(dir.File("doubles")),
            std::string("\0\0\0\0\0\0\xF0\x3F\0\0\0\0\0\0\xE0\xBF", 16));
}

TEST(SampleFile, WriterAppendsAndCrossesItsBuffer) {
  TempDir dir;
  const std::string path = dir.File("raw");
  WriteBytes(path, std::string("\x05\x00", 2));
  std::vector<int16_t> many(100000);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = static_cast<int16_t>(i);
  SampleFileWriter<int16_t> w(path, SampleFileWriter<int16_t>::Mode::Append);
  w.Write(many);
  w.Close();
  const std::string bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 2 + 200000u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x05\x00\x00\x00", 4));
  // value 70000 mod 65536 = 4464 = 0x1170 at index 70000
  EXPECT_EQ(bytes.substr(2 + 2 * 70000, 2), std::string("\x70\x11", 2));
}

TEST(SampleFile, ReaderGivesWholeFramesInTheCallersChunks) {
  TempDir dir;
  const std::string path = dir.File("frames");
  // 3 channels: frames (1,2,3), (-1,256,7), then one value and an odd byte.
  WriteBytes(path, std::string("\x01\x00\x02\x00\x03\x00\xFF\xFF\x00\x01\x07\x00\x09\x00\x01", 15));
  SampleFileReader<int16_t> r(path, 3);
  EXPECT_EQ(r.FrameCount(), 2);
  std::vector<int16_t> chunk(3);  // one frame at a time
  ASSERT_EQ(r.Read(chunk), 1u);
  EXPECT_EQ(chunk, (std::vector<int16_t>{1, 2, 3}));
  ASSERT_EQ(r.Read(chunk), 1u);
  EXPECT_EQ(chunk, (std::vector<int16_t>{-1, 256, 7}));
  EXPECT_EQ(r.Read(chunk), 0u);
  EXPECT_EQ(r.Position(), 2);

  r.Seek(0);
  std::vector<int16_t> big(30);
  EXPECT_EQ(r.Read(big), 2u);
  std::vector<int16_t> frame(3);
  EXPECT_TRUE(r.ReadFrame(1, frame));
  EXPECT_EQ(frame, (std::vector<int16_t>{-1, 256, 7}));
  EXPECT_FALSE(r.ReadFrame(2, frame));
  EXPECT_FALSE(r.ReadFrame(-1, frame));
}

TEST(SampleFile, ReaderSkipsAHeaderAndReadsDoubles) {
  TempDir dir;
  const std::string path = dir.File("d");
  WriteBytes(path,
             std::string("HDR") + std::string("\0\0\0\0\0\0\xF0\x3F\0\0\0\0\0\0\x00\xC0", 16));
  SampleFileReader<double> r;
  ASSERT_TRUE(r.Open(path, 2, 3));
  EXPECT_EQ(r.FrameCount(), 1);
  std::vector<double> frame(2);
  ASSERT_EQ(r.Read(frame), 1u);
  EXPECT_EQ(frame[0], 1.0);
  EXPECT_EQ(frame[1], -2.0);
}

TEST(SampleFile, OpenFailuresAreReported) {
  TempDir dir;
  SampleFileReader<int16_t> r;
  EXPECT_FALSE(r.Open(dir.File("missing"), 2));
  EXPECT_FALSE(r.Open(dir.Path().string(), 2));  // a folder
  EXPECT_FALSE(r.IsOpen());
  EXPECT_EQ(r.FrameCount(), 0);
  try {
    SampleFileReader<int16_t> thrower(dir.File("missing"), 2);
    ADD_FAILURE();
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось открыть файл " + dir.File("missing"));
  }
  WriteBytes(dir.File("plain"), "x");
  try {
    SampleFileWriter<int16_t> w(dir.File("plain") + "/x");
    ADD_FAILURE();
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось создать файл " + dir.File("plain") + "/x");
  }
}

TEST(SampleFile, FullDiskIsAWriteError) {
  SampleFileWriter<int16_t> w("/dev/full");
  std::vector<int16_t> values(10, 1);
  w.Write(values);
  try {
    w.Close();
    ADD_FAILURE();
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось записать файл /dev/full");
  }
}

}  // namespace
}  // namespace tornel
