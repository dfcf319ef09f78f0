#include "core/records/dta_reader.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/records/little_endian.h"
#include "core/records/temp_file.h"
#include "core/records/unit_copy.h"
#include "core/text/cp1251.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

constexpr std::size_t kBufferBytes = kCopyBlockUnits * 2;

}  // namespace

void DtaReader::ThrowDamaged() const { throw UserError(FileMessage("Файл повреждён", Path())); }

DtaReader::DtaReader(const std::string& path)
    : file_(FileHandle::OpenRead(path)), buffer_(kBufferBytes) {}

std::size_t DtaReader::Fill() {
  if (pos_ < end_) return end_ - pos_;
  pos_ = end_ = 0;
  if (eof_) return 0;
  end_ = file_.Read(buffer_.data(), buffer_.size());
  offset_ += static_cast<int64_t>(end_);
  if (end_ < buffer_.size()) eof_ = true;
  return end_;
}

bool DtaReader::Take(void* dst, std::size_t n) {
  auto* out = static_cast<char*>(dst);
  while (n > 0) {
    const std::size_t have = Fill();
    if (have == 0) return false;
    const std::size_t step = std::min(have, n);
    if (out != nullptr) {
      std::memcpy(out, buffer_.data() + pos_, step);
      out += step;
    }
    pos_ += step;
    n -= step;
  }
  return true;
}

bool DtaReader::Skip(int64_t n) {
  const std::size_t buffered = end_ - pos_;
  if (static_cast<uint64_t>(n) <= buffered) {
    pos_ += static_cast<std::size_t>(n);
    return true;
  }
  n -= static_cast<int64_t>(buffered);
  pos_ = end_;
  // Beyond the buffer the size of the file tells whether the bytes exist.
  const int64_t size = file_.Size();
  if (eof_ || size < 0 || offset_ + n > size) return false;
  if (::lseek(file_.Fd(), offset_ + n, SEEK_SET) < 0) return false;
  offset_ += n;
  return true;
}

template <typename T>
bool DtaReader::Get(T& value) {
  unsigned char bytes[sizeof(T)];
  if (!Take(bytes, sizeof(T))) return false;
  value = LoadLittleEndian<T>(bytes);
  return true;
}

bool DtaReader::CountedString(std::string* out) {
  int32_t length = 0;
  if (!Get(length)) return false;
  if (length < 0) ThrowDamaged();
  const int32_t kept = std::min(length, kMaxCountedString);
  char text[kMaxCountedString];
  if (!Take(text, static_cast<std::size_t>(kept))) ThrowDamaged();
  if (!Skip(length - kept)) ThrowDamaged();
  if (out != nullptr) *out = Cp1251ToUtf8(std::string_view(text, static_cast<std::size_t>(kept)));
  return true;
}

void DtaReader::ReadHeader(DtaHeader& header) { ReadHeaderImpl(header, true); }

void DtaReader::ReadHeaderSkippingText(DtaHeader& header) { ReadHeaderImpl(header, false); }

void DtaReader::ReadHeaderImpl(DtaHeader& header, bool keepText) {
  char signature[kDtaSignature.size()];
  if (!Take(signature, sizeof signature) ||
      std::string_view(signature, sizeof signature) != kDtaSignature) {
    throw UserError(FileMessage("Файл создан другой программой", Path()));
  }
  if (keepText) {
    for (auto& s : header.ChanName) s.clear();
    for (auto& s : header.ChanUnit) s.clear();
    header.Comments.clear();
  }
  for (int slot = 0; slot < kChannelSlots; ++slot) {
    if (!CountedString(keepText ? &header.ChanName[slot] : nullptr)) return;
    if (!CountedString(keepText ? &header.ChanUnit[slot] : nullptr)) return;
  }
  int32_t comments = 0;
  if (!Get(comments)) return;
  if (comments < 0) ThrowDamaged();
  for (int32_t i = 0; i < comments; ++i) {
    std::string line;
    if (!CountedString(keepText ? &line : nullptr)) return;
    if (keepText) header.Comments.push_back(std::move(line));
  }

  // Items 5 to 15: a field counts only when all its bytes are there.
  uint8_t isStatic = 0;
  if (!Get(header.Time) || !Get(header.Date) || !Get(isStatic)) return;
  header.IsStatic = isStatic != 0;
  if (!Get(header.Duration) || !Get(header.AcpMask) || !Get(header.CapMask) ||
      !Get(header.AcpShowMask) || !Get(header.CapShowMask)) {
    return;
  }
  for (auto& d : header.Deps) {
    if (!Get(d.Enabled) || !Get(d.XIndex) || !Get(d.YIndex)) return;
  }
  for (auto& b : header.Base) {
    if (!Get(b)) return;
  }
  for (auto& b : header.RealBase) {
    if (!Get(b)) return;
  }
  if (!Get(header.DivX) || !Get(header.DivY)) return;
  for (double* v :
       {&header.TMin, &header.TMax, &header.YMax, &header.YMin, &header.XMax, &header.XMin}) {
    if (!Get(*v)) return;
  }
  // Items 16 and 17 are reserved.
  Take(nullptr, 5);
}

int64_t DtaReader::CopySamples(FileHandle& out, SampleSummaryBuilder<int16_t>* summary) {
  const std::size_t have = end_ - pos_;
  if (have > 0 && pos_ > 0) std::memmove(buffer_.data(), buffer_.data() + pos_, have);
  pos_ = end_ = 0;
  const int64_t written = CopyTwoByteUnits(file_, out, buffer_, have, summary);
  eof_ = true;
  offset_ = file_.Size();
  return written;
}

std::string DtaReader::CopySamplesToTempFile(SampleSummaryBuilder<int16_t>* summary) {
  const std::string temp = CreateTempFile("Trn");
  try {
    FileHandle out = FileHandle::CreateTruncate(temp);
    CopySamples(out, summary);
    out.Close();
  } catch (...) {
    RemoveFileIfExists(temp);
    throw;
  }
  return temp;
}

std::string ReadDtaFile(const std::string& path, DtaHeader& header,
                        std::optional<SampleSummary<int16_t>>* summary) {
  DtaReader reader(path);
  reader.ReadHeader(header);
  const int channels = std::popcount(header.AcpMask) + std::popcount(header.CapMask);
  if (summary == nullptr || channels == 0) return reader.CopySamplesToTempFile();
  SampleSummaryBuilder<int16_t> builder(channels);
  std::string copy = reader.CopySamplesToTempFile(&builder);
  *summary = builder.Finish();
  return copy;
}

}  // namespace tornel
