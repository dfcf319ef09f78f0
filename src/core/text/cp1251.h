#pragma once

#include <string>
#include <string_view>

namespace tornel {

// Files of this program carry single-byte code page 1251 text; the program
// itself works in UTF-8. These are the only crossings between the two.

// Every defined byte maps to its character; the one undefined byte (0x98)
// becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);

// A character that code page 1251 cannot hold, and every byte of a broken
// UTF-8 sequence, becomes "?".
std::string Utf8ToCp1251(std::string_view utf8);

// Appends one Unicode code point (up to U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// Lower case of one code page 1251 byte: Latin, Cyrillic (Ё/ё included) and
// the other Cyrillic letters of the page.
char Cp1251ToLower(char c);

// Case-insensitive equality of two code page 1251 byte strings.
bool Cp1251EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace tornel
