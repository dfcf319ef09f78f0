#include "core/text/rtf_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/user_error.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

// What the reader of the box sees: tags dropped, each paragraph ended by "|",
// a line break as "\n", the five entities decoded.
std::string VisibleText(const std::string& html) {
  std::string out;
  for (std::size_t i = 0; i < html.size();) {
    if (html[i] == '<') {
      std::size_t end = html.find('>', i);
      std::string tag = html.substr(i, end - i + 1);
      if (tag == "</p>") out += '|';
      if (tag == "<br/>") out += '\n';
      i = end + 1;
    } else if (html[i] == '&') {
      std::size_t end = html.find(';', i);
      std::string entity = html.substr(i, end - i + 1);
      if (entity == "&amp;") out += '&';
      if (entity == "&lt;") out += '<';
      if (entity == "&gt;") out += '>';
      if (entity == "&quot;") out += '"';
      i = end + 1;
    } else if (html[i] == '\n') {
      ++i;  // between paragraphs, not text
    } else {
      out += html[i++];
    }
  }
  return out;
}

TEST(RtfReader, VisibleTextOfSnippets) {
  struct Case {
    const char* name;
    std::string rtf;
    std::string text;
  } cases[] = {
      {"cyrillic bytes", R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2\par})", "Привет|"},
      {"upper-case hex", R"({\rtf1 \'CF\'F0\par})", "Пр|"},
      {"unicode with one fallback", R"({\rtf1\uc1\u1055?\u1088?\u1080 ?})", "При|"},
      {"fallback of two hex bytes", R"({\rtf1\uc2\u1046\'c6\'c6!})", "Ж!|"},
      {"no fallback", R"({\rtf1\uc0\u1046!})", "Ж!|"},
      {"negative unicode", R"({\rtf1 \u-255?})", "\xEF\xBC\x81|"},
      {"surrogate pair", R"({\rtf1 \u-10179?\u-8704?})", "\xF0\x9F\x98\x80|"},
      {"fallback ends with its group", R"({\rtf1\uc3{\u1046}ab})", "Жab|"},
      {"nested groups", R"({\rtf1 a{\b b{\i c}d}e\par})", "abcde|"},
      {"skipped tables and destinations",
       R"({\rtf1{\fonttbl{\f0\froman Times;}}{\colortbl;\red0\green0\blue0;})"
       R"({\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}{\*\generator Writer;})"
       R"({\*\unknown x}\'d2\'e5\'ea\'f1\'f2{\pict\pngblip 89504e47}\par})",
       "Текст|"},
      {"field shows its result", R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}})",
       "link|"},
      {"binary data may hold braces", R"({\rtf1 {\pict\bin4 {}\\}after})", "after|"},
      {"escaped symbols", R"({\rtf1 \{ \} \\ <&>"})", "{ } \\ <&>\"|"},
      {"tab and line", R"({\rtf1 a\tab b\line c\par})", "a\tb\nc|"},
      {"empty paragraph keeps its line", R"({\rtf1 a\par\par b\par})", "a|\n|b|"},
      {"source line ends are not text", "{\\rtf1 a\r\nb\nc}", "abc|"},
      {"backslash before a line end is a paragraph", "{\\rtf1 a\\\nb}", "a|b|"},
      {"raw code page byte", "{\\rtf1 \xC0\xFF}", "Ая|"},
      {"typographic words", R"({\rtf1 \ldblquote x\rdblquote\emdash\~y\bullet})",
       "\xE2\x80\x9Cx\xE2\x80\x9D\xE2\x80\x94\xC2\xA0y\xE2\x80\xA2|"},
      {"unknown words and optional hyphen vanish", R"({\rtf1 ab\foo12 c\-d\zz})", "abcd|"},
      {"stray closing braces", "}}}{\\rtf1 x}}", "x|"},
      {"unclosed group", R"({\rtf1 {\b unclosed)", "unclosed|"},
      {"truncated hex escape", R"({\rtf1 a\'4)", "a|"},
      {"bad hex escape", R"({\rtf1 a\'zzb})", "azzb|"},
      {"backslash at the end", "{\\rtf1 a\\", "a|"},
      {"huge parameter", R"({\rtf1\fs99999999999999999999 a\li-99999999999 b})", "ab|"},
      {"bin longer than the file", R"({\rtf1 a\bin999 bc})", "a|"},
      {"no rtf header at all", "plain", "plain|"},
      {"empty input", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VisibleText(RtfReader::ToHtml(c.rtf)), c.text) << c.name;
  }
}

TEST(RtfReader, CharacterFormatFollowsGroups) {
  std::string html = RtfReader::ToHtml(R"({\rtf1 a{\b b{\i c}d}e\par})");
  EXPECT_NE(html.find("a<span style=\"font-weight:bold\">b</span>"
                      "<span style=\"font-weight:bold; font-style:italic\">c</span>"
                      "<span style=\"font-weight:bold\">d</span>e</p>"),
            std::string::npos)
      << html;
}

TEST(RtfReader, FormattingWords) {
  struct Case {
    const char* rtf;
    const char* fragment;
  } cases[] = {
      {R"({\rtf1 {\fs28 x}})", "<span style=\"font-size:14pt\">x</span>"},
      {R"({\rtf1 {\fs21 x}})", "<span style=\"font-size:10.5pt\">x</span>"},
      {R"({\rtf1 {\ul x\ulnone y}})", "<span style=\"text-decoration: underline\">x</span>y"},
      {R"({\rtf1 {\ul x\ul0 y}})", "<span style=\"text-decoration: underline\">x</span>y"},
      {R"({\rtf1 {\strike x}})", "<span style=\"text-decoration: line-through\">x</span>"},
      {R"({\rtf1 {\b\i x\plain y}})",
       "<span style=\"font-weight:bold; font-style:italic\">x</span>y"},
      {R"({\rtf1 {\b x\b0 y}})", "<span style=\"font-weight:bold\">x</span>y"},
      {R"({\rtf1 \qc A\par})", "<p align=\"center\""},
      {R"({\rtf1 \qr A\par})", "<p align=\"right\""},
      {R"({\rtf1 \qj A\par})", "<p align=\"justify\""},
      // 720 twips = half an inch = 48 px; -360 twips = -24 px; 240 twips = 16 px.
      {R"({\rtf1 \li720\fi-360\sa240 A\par})",
       "margin-top:0px; margin-bottom:16px; margin-left:48px; margin-right:0px; "
       "text-indent:-24px;"},
  };
  for (const auto& c : cases) {
    std::string html = RtfReader::ToHtml(c.rtf);
    EXPECT_NE(html.find(c.fragment), std::string::npos) << c.rtf << "\n" << html;
  }
}

TEST(RtfReader, ParagraphFormatResetsWithPard) {
  std::string html = RtfReader::ToHtml(R"({\rtf1 \qc A\par\pard B\par})");
  std::size_t second = html.find("<p", html.find("</p>"));
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(html.find("align", second), std::string::npos) << html;
}

TEST(RtfReader, DeepNestingDoesNotCrash) {
  std::string rtf(200000, '{');
  rtf += "deep";
  EXPECT_EQ(VisibleText(RtfReader::ToHtml(rtf)), "deep|");
}

TEST(RtfReader, MissingOrUnreadableFileNamesThePath) {
  testing::TempDir dir;
  for (const std::string& path : {dir.File("absent.rtf"), dir.Path().string()}) {
    try {
      RtfReader::LoadFileAsHtml(path);
      ADD_FAILURE() << "no error for " << path;
    } catch (const UserError& e) {
      EXPECT_EQ(std::string(e.what()), "Не удалось открыть файл " + path);
    }
  }
}

TEST(RtfReader, LoadsAFile) {
  testing::TempDir dir;
  testing::WriteBytes(dir.File("d.rtf"), "{\\rtf1 \\'c4\\'e0\\par}");
  EXPECT_EQ(VisibleText(RtfReader::LoadFileAsHtml(dir.File("d.rtf"))), "Да|");
}

// The shipped descriptions must come out as text, not as leftover markup.
TEST(RtfReader, ShippedDescriptionsReadAsRussianText) {
  struct Case {
    const char* file;
    const char* heading;
  } cases[] = {
      {"/resources/Text/PerehDoc.rtf", "Переходная характеристика"},
      {"/resources/Text/StatDoc.rtf", "Статическая характеристика"},
  };
  for (const auto& c : cases) {
    std::string text =
        VisibleText(RtfReader::LoadFileAsHtml(std::string(TORNEL_SOURCE_DIR) + c.file));
    EXPECT_NE(text.find(c.heading), std::string::npos) << c.file;
    EXPECT_EQ(text.find_first_of("\\{}"), std::string::npos) << c.file << "\n" << text;
    EXPECT_GT(text.size(), 1500u) << c.file;
  }
}

}  // namespace
}  // namespace tornel
