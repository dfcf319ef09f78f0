#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/records/dta_header.h"
#include "core/records/file_handle.h"
#include "core/records/sample_summary.h"

namespace tornel {

// The first 20 bytes of every data file.
inline constexpr std::string_view kDtaSignature = "Quendaris v1.3 file ";
// Readers keep at most this many bytes of one counted string.
inline constexpr int32_t kMaxCountedString = 199;
// Samples are copied in blocks of this many two-byte units.
inline constexpr std::size_t kCopyBlockUnits = 65535;

// Reads a data file from its start: the header, then the samples. A file
// that ends early is not an error: the names and units it does not reach
// are empty and every other field it does not reach keeps the value it had.
class DtaReader {
public:
  // Throws UserError "Не удалось открыть файл <path>".
  explicit DtaReader(const std::string& path);

  // Items 1 to 17. Throws UserError "Файл создан другой программой" for a
  // wrong signature and "Файл повреждён" for a negative count or length or a
  // string that runs past the end of the file, each with the path on a
  // second line. Comments are replaced.
  void ReadHeader(DtaHeader& header);
  // Skips names, units and comments and reads items 5 to 17 only.
  void ReadHeaderSkippingText(DtaHeader& header);

  // Byte offset of the first sample (valid after ReadHeader).
  int64_t SampleOffset() const { return offset_ - static_cast<int64_t>(end_ - pos_); }

  // Copies the rest of the file, whole two-byte units only, to out; returns
  // the bytes written. The codes copied also go to `summary`, when given.
  int64_t CopySamples(FileHandle& out, SampleSummaryBuilder<int16_t>* summary = nullptr);
  // The same into a new temporary file "Trn<number>"; returns its path. On
  // an error the file is deleted again.
  std::string CopySamplesToTempFile(SampleSummaryBuilder<int16_t>* summary = nullptr);

  const std::string& Path() const { return file_.Path(); }

private:
  void ReadHeaderImpl(DtaHeader& header, bool keepText);
  bool Take(void* dst, std::size_t n);
  bool Skip(int64_t n);
  template <typename T>
  bool Get(T& value);
  // False at the end of the file; throws for a damaged string.
  bool CountedString(std::string* out);
  std::size_t Fill();
  [[noreturn]] void ThrowDamaged() const;

  FileHandle file_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  int64_t offset_ = 0;  // file offset just past the buffered bytes
  bool eof_ = false;
};

// Loads the header into header and the samples into a new temporary file
// (TGraphRecord::MakeTempName) whose path it returns. On an error no
// temporary file is left and header may be partly filled. When some channel
// is recorded, `summary` (if given) receives the copy's min/max summary,
// built while it was written.
std::string ReadDtaFile(const std::string& path, DtaHeader& header,
                        std::optional<SampleSummary<int16_t>>* summary = nullptr);

}  // namespace tornel
