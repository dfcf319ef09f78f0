#pragma once

#include <string>
#include <string_view>

namespace tornel {

// Reads the RTF that word processors write for plain documents and turns it
// into the HTML subset that the rich-text box shows: paragraphs with their
// alignment, indents and spacing; bold, italic, underline, strike-through and
// font size; "\'hh" bytes in code page 1251, "\uN" with its fallback skipped,
// "\tab", "\line" and the usual typographic symbols. Font, colour and style
// tables, document information, "\*" destinations, pictures and binary data
// are skipped. Malformed input never fails: a stray "}" is ignored, an
// unclosed group ends with the text, an unknown control word is dropped.
class RtfReader {
public:
  // UTF-8 HTML of the whole document (a <p> per paragraph).
  static std::string ToHtml(std::string_view rtf);

  // Reads the file and converts it; throws UserError "Не удалось открыть файл <path>"
  // when the file cannot be read.
  static std::string LoadFileAsHtml(const std::string& path);
};

}  // namespace tornel
