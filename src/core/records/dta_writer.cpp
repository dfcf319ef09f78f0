#include "core/records/dta_writer.h"

#include <cmath>
#include <optional>
#include <vector>

#include "core/records/dta_reader.h"
#include "core/records/little_endian.h"
#include "core/records/replacing_file.h"
#include "core/records/sample_file_reader.h"
#include "core/records/unit_copy.h"
#include "core/text/cp1251.h"

namespace tornel {
namespace {

class ByteSink {
public:
  template <typename T>
  void Put(T value) {
    unsigned char bytes[sizeof(T)];
    StoreLittleEndian(bytes, value);
    out_.append(reinterpret_cast<const char*>(bytes), sizeof(T));
  }
  void Counted(const std::string& utf8) {
    std::string text = Utf8ToCp1251(utf8);
    if (text.size() > static_cast<std::size_t>(kMaxCountedString)) text.resize(kMaxCountedString);
    for (char& c : text) {
      if (c == '\n') c = ' ';
    }
    Put(static_cast<int32_t>(text.size()));
    out_ += text;
  }
  std::string& Bytes() { return out_; }

private:
  std::string out_;
};

void CopyDoubleSamples(const std::string& sampleFile, FileHandle& out) {
  SampleFileReader<double> in(sampleFile, 1);
  std::vector<double> values(kCopyBlockUnits);
  std::vector<unsigned char> codes(kCopyBlockUnits * 2);
  while (std::size_t n = in.Read(values)) {
    for (std::size_t i = 0; i < n; ++i)
      StoreLittleEndian(&codes[2 * i], DoubleSampleToCode(values[i]));
    out.WriteAll(codes.data(), 2 * n);
  }
}

}  // namespace

int16_t DoubleSampleToCode(double v) {
  if (std::isnan(v)) return 0;
  const double code = std::trunc(v * 511.0);
  if (code <= -32768.0) return -32768;
  if (code >= 32767.0) return 32767;
  return static_cast<int16_t>(code);
}

std::string EncodeDtaHeader(const DtaHeader& h) {
  ByteSink sink;
  sink.Bytes().append(kDtaSignature);
  for (int slot = 0; slot < kChannelSlots; ++slot) {
    sink.Counted(h.ChanName[slot]);
    sink.Counted(h.ChanUnit[slot]);
  }
  sink.Put(static_cast<int32_t>(h.Comments.size()));
  for (const auto& line : h.Comments) sink.Counted(line);
  sink.Put(h.Time);
  sink.Put(h.Date);
  sink.Put(static_cast<uint8_t>(h.IsStatic ? 1 : 0));
  sink.Put(h.Duration);
  sink.Put(h.AcpMask);
  sink.Put(h.CapMask);
  sink.Put(h.AcpShowMask);
  sink.Put(h.CapShowMask);
  for (const auto& d : h.Deps) {
    sink.Put(d.Enabled);
    sink.Put(d.XIndex);
    sink.Put(d.YIndex);
  }
  for (double b : h.Base) sink.Put(b);
  for (double b : h.RealBase) sink.Put(b);
  sink.Put(h.DivX);
  sink.Put(h.DivY);
  for (double v : {h.TMin, h.TMax, h.YMax, h.YMin, h.XMax, h.XMin}) sink.Put(v);
  sink.Put(int32_t{0});
  sink.Put(uint8_t{0});
  return std::move(sink.Bytes());
}

void WriteDtaFile(const std::string& path, const DtaHeader& header, const std::string& sampleFile,
                  SampleFormat format) {
  // The samples must be readable before the target is touched.
  std::optional<FileHandle> in;
  if (!sampleFile.empty()) in = FileHandle::OpenRead(sampleFile);

  std::string bytes;
  if (format == SampleFormat::Float64) {
    DtaHeader asCodes = header;
    asCodes.Base.fill(1.0);
    asCodes.RealBase.fill(1.0);
    bytes = EncodeDtaHeader(asCodes);
  } else {
    bytes = EncodeDtaHeader(header);
  }

  ReplacingFile out(path);
  out.File().WriteAll(bytes.data(), bytes.size());
  if (in && format == SampleFormat::Float64) {
    in.reset();
    CopyDoubleSamples(sampleFile, out.File());
  } else if (in) {
    std::vector<char> buffer(kCopyBlockUnits * 2);
    CopyTwoByteUnits(*in, out.File(), buffer);
  }
  out.Commit();
}

}  // namespace tornel
