#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace tornel {

struct CsvOptions {
  char Separator = ',';
  char Decimal = '.';
};

// Builds RFC 4180 rows into a text buffer: fields holding the separator, a
// quote or a line break are quoted, numbers take the shortest form that
// reads back to the same double, rows end in CRLF.
class CsvLine {
public:
  CsvLine(std::string& out, const CsvOptions& options) : out_(out), options_(options) {}

  void Field(std::string_view text);
  void Number(double v);
  void End();

private:
  std::string& out_;
  const CsvOptions& options_;
  bool first_ = true;
};

// Writes the buffer out and empties it.
void FlushCsv(std::string& text, std::ostream& out);

}  // namespace tornel
