#include "core/records/dta_writer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "core/records/dta_reader.h"
#include "core/records/little_endian.h"
#include "core/records/replacing_file.h"
#include "core/records/sample_file_reader.h"
#include "core/records/unit_copy.h"
#include "core/text/cp1251.h"
#include "core/text/user_error.h"

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

constexpr double kMaxExportCode = 32767.0;

// Reads the double samples frame by frame, bounded by one block of values.
template <typename Each>
void ForEachDoubleFrameBlock(const std::string& sampleFile, int channels, Each&& each) {
  SampleFileReader<double> in(sampleFile, channels);
  const auto stride = static_cast<std::size_t>(channels);
  std::vector<double> values(std::max<std::size_t>(1, kCopyBlockUnits / stride) * stride);
  while (const std::size_t frames = in.Read(values)) {
    each(std::span<const double>(values.data(), frames * stride));
  }
}

// The largest magnitude of each channel; a value that is not a finite
// number refuses the export, naming its channel.
std::vector<double> ChannelPeaks(const std::string& sampleFile, const DtaHeader& header,
                                 const std::vector<int>& slots, const std::string& path) {
  const std::size_t channels = slots.size();
  std::vector<double> peak(channels, 0.0);
  // v * 0 is 0 for a finite v and NaN otherwise, and a NaN stays in a sum.
  std::vector<double> probe(channels, 0.0);
  ForEachDoubleFrameBlock(sampleFile, static_cast<int>(channels), [&](std::span<const double> v) {
    for (std::size_t f = 0; f < v.size(); f += channels) {
      for (std::size_t c = 0; c < channels; ++c) {
        peak[c] = std::max(peak[c], std::fabs(v[f + c]));
        probe[c] += v[f + c] * 0.0;
      }
    }
  });
  for (std::size_t c = 0; c < channels; ++c) {
    if (probe[c] == 0.0) continue;
    throw UserError(FileMessage("Файл данных не сохранён: в канале «" + header.ChanName[slots[c]] +
                                    "» есть бесконечные или неопределённые (NaN) значения",
                                path));
  }
  return peak;
}

void CopyDoubleSamples(const std::string& sampleFile, const std::vector<double>& bases,
                       FileHandle& out) {
  const std::size_t channels = bases.size();
  std::vector<double> factor(channels);
  for (std::size_t c = 0; c < channels; ++c) factor[c] = kFullScaleCode / bases[c];
  std::vector<int16_t> codes;
  ForEachDoubleFrameBlock(sampleFile, static_cast<int>(channels), [&](std::span<const double> v) {
    codes.resize(v.size());
    for (std::size_t f = 0; f < v.size(); f += channels) {
      for (std::size_t c = 0; c < channels; ++c) {
        codes[f + c] = static_cast<int16_t>(
            std::clamp(std::trunc(v[f + c] * factor[c]), -kMaxExportCode, kMaxExportCode));
      }
    }
    if constexpr (std::endian::native != std::endian::little) {
      for (int16_t& code : codes) {
        StoreLittleEndian(reinterpret_cast<unsigned char*>(&code), code);
      }
    }
    out.WriteAll(codes.data(), codes.size() * sizeof(int16_t));
  });
}

}  // namespace

double ExportBase(double peak) {
  if (!(peak > 0) || !(peak <= std::numeric_limits<double>::max())) return 1.0;
  const double exact = peak / kMaxExportCode * kFullScaleCode;
  const int unitExponent = static_cast<int>(std::floor(std::log10(exact))) - 1;
  // Dividing by an exact power of ten gives the nearest double to the decimal.
  const auto scaled = [&](double digits) {
    return unitExponent < 0 ? digits / std::pow(10.0, -unitExponent)
                            : digits * std::pow(10.0, unitExponent);
  };
  // A hair below, so that a peak that fills the codes exactly keeps its base.
  double digits = std::ceil(exact / scaled(1.0) * (1 - 1e-12));
  double base = scaled(digits);
  while (base > 0 && std::isfinite(base) && peak / base * kFullScaleCode > kMaxExportCode) {
    base = scaled(++digits);
  }
  return base > 0 && std::isfinite(base) ? base : exact;
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
  // The samples must be readable, and fit for export, before the target is
  // touched.
  std::optional<FileHandle> in;
  if (!sampleFile.empty()) in = FileHandle::OpenRead(sampleFile);

  const bool doubles = in && format == SampleFormat::Float64;
  const std::vector<int> slots = RecordedSlots(header);
  std::string bytes;
  std::vector<double> bases;
  if (format == SampleFormat::Float64) {
    DtaHeader asCodes = header;
    asCodes.Base.fill(1.0);
    asCodes.RealBase.fill(1.0);
    if (doubles && !slots.empty()) {
      in.reset();
      bases = ChannelPeaks(sampleFile, header, slots, path);
      for (std::size_t c = 0; c < slots.size(); ++c) {
        bases[c] = ExportBase(bases[c]);
        asCodes.Base[slots[c]] = bases[c];
      }
    }
    bytes = EncodeDtaHeader(asCodes);
  } else {
    bytes = EncodeDtaHeader(header);
  }

  ReplacingFile out(path);
  out.File().WriteAll(bytes.data(), bytes.size());
  if (doubles) {
    in.reset();
    if (!bases.empty()) CopyDoubleSamples(sampleFile, bases, out.File());
  } else if (in) {
    std::vector<char> buffer(kCopyBlockUnits * 2);
    CopyTwoByteUnits(*in, out.File(), buffer);
  }
  out.Commit();
}

}  // namespace tornel
