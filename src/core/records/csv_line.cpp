#include "core/records/csv_line.h"

#include <charconv>

namespace tornel {

void CsvLine::Field(std::string_view text) {
  if (!first_) out_ += options_.Separator;
  first_ = false;
  if (text.find_first_of(std::string{options_.Separator, '"', '\r', '\n'}) ==
      std::string_view::npos) {
    out_ += text;
    return;
  }
  out_ += '"';
  for (char c : text) {
    if (c == '"') out_ += '"';
    out_ += c;
  }
  out_ += '"';
}

void CsvLine::Number(double v) {
  char buf[64];
  char* end = std::to_chars(buf, buf + sizeof buf, v).ptr;
  for (char* p = buf; p < end; ++p) {
    if (*p == '.') *p = options_.Decimal;
  }
  Field(std::string_view(buf, static_cast<std::size_t>(end - buf)));
}

void CsvLine::End() {
  out_ += "\r\n";
  first_ = true;
}

void FlushCsv(std::string& text, std::ostream& out) {
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  text.clear();
}

}  // namespace tornel
