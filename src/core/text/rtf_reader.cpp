#include "core/text/rtf_reader.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/text/cp1251.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int halfPoints = 0;  // 0: the box's own size
  bool operator==(const CharFormat&) const = default;
};

enum class Align { kLeft, kCenter, kRight, kJustify };

// Lengths in twips, as the file gives them.
struct ParaFormat {
  Align align = Align::kLeft;
  int left = 0;
  int right = 0;
  int firstLine = 0;
  int before = 0;
  int after = 0;
};

struct GroupState {
  CharFormat chr;
  ParaFormat para;
  int unicodeFallback = 1;  // \ucN
  bool skip = false;        // inside a destination that is not text
};

struct TextRun {
  CharFormat format;
  std::string text;  // UTF-8; '\n' is a line break, '\t' a tab
};

// Destinations whose content is not document text.
constexpr std::array<std::string_view, 38> kSkippedDestinations = {
    "fonttbl",
    "colortbl",
    "stylesheet",
    "info",
    "pict",
    "object",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "fldinst",
    "themedata",
    "colorschememapping",
    "latentstyles",
    "datastore",
    "xmlnstbl",
    "listtable",
    "listoverridetable",
    "rsidtbl",
    "generator",
    "mmathPr",
    "pgdsctbl",
    "filetbl",
    "revtbl",
    "bkmkstart",
    "bkmkend",
    "shp",
    "shpinst",
    "nonshppict",
    "annotation",
    "atnid",
    "atnauthor",
    "template",
};

// Longest control word and parameter we take; longer ones are cut, so a
// hostile file cannot make a number overflow.
constexpr int kMaxWordLength = 32;
constexpr int kMaxParamDigits = 9;

void AppendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\n':
        out += "<br/>";
        break;
      default:
        out += c;
    }
  }
}

// 1440 twips to the inch, 96 pixels to the inch.
int TwipsToPixels(int twips) { return twips / 15; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class Parser {
public:
  explicit Parser(std::string_view in) : in_(in) {}

  std::string Parse() {
    html_ = "<html><body>";
    while (pos_ < in_.size()) Step();
    EndParagraph(/*force=*/false);
    html_ += "</body></html>";
    return std::move(html_);
  }

private:
  void Step() {
    char c = in_[pos_++];
    switch (c) {
      case '{':
        fallbackLeft_ = 0;
        stack_.push_back(cur_);
        break;
      case '}':
        fallbackLeft_ = 0;
        if (!stack_.empty()) {  // a stray "}" is ignored
          cur_ = stack_.back();
          stack_.pop_back();
        }
        break;
      case '\\':
        ControlSequence();
        break;
      case '\r':
      case '\n':
        break;
      case '\t':
        Character('\t');
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) break;
        ByteCharacter(static_cast<unsigned char>(c));
    }
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) return;
    char c = in_[pos_];
    if (IsLetter(c)) {
      ControlWord();
      return;
    }
    ++pos_;
    if (c == '\'') {
      int value = 0;
      int digits = 0;
      while (digits < 2 && pos_ < in_.size() && HexValue(in_[pos_]) >= 0) {
        value = value * 16 + HexValue(in_[pos_++]);
        ++digits;
      }
      if (digits == 2) ByteCharacter(static_cast<unsigned char>(value));
      return;  // a cut escape is dropped
    }
    if (c == '*') {
      cur_.skip = true;  // an optional destination: none of them is text to us
      return;
    }
    if (ConsumeFallback()) return;
    switch (c) {
      case '\\':
      case '{':
      case '}':
        Character(static_cast<unsigned char>(c));
        break;
      case '~':
        Character(0x00A0);
        break;
      case '_':
        Character(0x2011);
        break;
      case '\r':
      case '\n':
        EndParagraph(true);
        break;
      default:
        break;  // "\-" optional hyphen and unknown symbols
    }
  }

  void ControlWord() {
    std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
    std::string_view word = in_.substr(start, std::min<std::size_t>(pos_ - start, kMaxWordLength));
    bool hasParam = false;
    bool negative = false;
    long param = 0;
    if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    int digits = 0;
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      if (digits++ < kMaxParamDigits) param = param * 10 + (in_[pos_] - '0');
      hasParam = true;
      ++pos_;
    }
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word

    if (word == "bin") {
      // Raw bytes follow; they may hold braces and backslashes.
      std::size_t n = hasParam && param > 0 ? static_cast<std::size_t>(param) : 0;
      pos_ += std::min(n, in_.size() - pos_);
      return;
    }
    if (cur_.skip) return;
    if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) !=
        kSkippedDestinations.end()) {
      cur_.skip = true;
      return;
    }
    if (ConsumeFallback()) return;
    Apply(word, hasParam, static_cast<int>(param));
  }

  void Apply(std::string_view w, bool hasParam, int param) {
    bool on = !hasParam || param != 0;
    CharFormat& chr = cur_.chr;
    ParaFormat& para = cur_.para;
    if (w == "par" || w == "sect" || w == "page" || w == "row") {
      EndParagraph(true);
    } else if (w == "line") {
      Character('\n');
    } else if (w == "tab" || w == "cell") {
      Character('\t');
    } else if (w == "pard") {
      para = ParaFormat{};
    } else if (w == "plain") {
      chr = CharFormat{};
    } else if (w == "b") {
      chr.bold = on;
    } else if (w == "i") {
      chr.italic = on;
    } else if (w == "strike" || w == "striked") {
      chr.strike = on;
    } else if (w == "ulnone") {
      chr.underline = false;
    } else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "uldash" ||
               w == "ulth" || w == "ulwave") {
      chr.underline = on;
    } else if (w == "fs") {
      chr.halfPoints = hasParam ? std::clamp(param, 2, 1000) : 0;
    } else if (w == "ql") {
      para.align = Align::kLeft;
    } else if (w == "qc") {
      para.align = Align::kCenter;
    } else if (w == "qr") {
      para.align = Align::kRight;
    } else if (w == "qj") {
      para.align = Align::kJustify;
    } else if (w == "li") {
      para.left = Length(param);
    } else if (w == "ri") {
      para.right = Length(param);
    } else if (w == "fi") {
      para.firstLine = Length(param);
    } else if (w == "sb") {
      para.before = Length(param);
    } else if (w == "sa") {
      para.after = Length(param);
    } else if (w == "u") {
      Unicode(param);
    } else if (w == "uc") {
      cur_.unicodeFallback = std::clamp(param, 0, 16);
    } else if (w == "emdash") {
      Character(0x2014);
    } else if (w == "endash") {
      Character(0x2013);
    } else if (w == "bullet") {
      Character(0x2022);
    } else if (w == "lquote") {
      Character(0x2018);
    } else if (w == "rquote") {
      Character(0x2019);
    } else if (w == "ldblquote") {
      Character(0x201C);
    } else if (w == "rdblquote") {
      Character(0x201D);
    } else if (w == "emspace" || w == "enspace" || w == "qmspace") {
      Character(' ');
    }
  }

  // Lengths beyond a metre of paper are nonsense; keep them on the page.
  static int Length(int twips) { return std::clamp(twips, -31680, 31680); }

  void Unicode(int value) {
    // The file writes the 16-bit unit as a signed number.
    auto unit = static_cast<char32_t>(value < 0 ? value + 65536 : value) & 0xFFFF;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      highSurrogate_ = unit;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      if (highSurrogate_ != 0)
        Character(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00));
      highSurrogate_ = 0;
    } else {
      Character(unit == 0 ? 0xFFFD : unit);
    }
    fallbackLeft_ = cur_.unicodeFallback;
  }

  // The characters that follow "\uN" stand in for it in older readers.
  bool ConsumeFallback() {
    if (fallbackLeft_ <= 0) return false;
    --fallbackLeft_;
    return true;
  }

  void ByteCharacter(unsigned char b) {
    if (cur_.skip || ConsumeFallback()) return;
    if (b < 0x80) {
      Character(b);
      return;
    }
    std::string utf8 = Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(&b), 1));
    AppendText(utf8);
  }

  void Character(char32_t cp) {
    if (cur_.skip) return;
    std::string utf8;
    AppendUtf8(utf8, cp);
    AppendText(utf8);
  }

  void AppendText(const std::string& utf8) {
    if (runs_.empty() || !(runs_.back().format == cur_.chr)) runs_.push_back({cur_.chr, {}});
    runs_.back().text += utf8;
  }

  // force: a paragraph mark in the file, which ends even an empty paragraph.
  void EndParagraph(bool force) {
    if (cur_.skip) return;
    if (runs_.empty() && !force) return;
    const ParaFormat& p = cur_.para;
    html_ += "<p";
    switch (p.align) {
      case Align::kLeft:
        break;
      case Align::kCenter:
        html_ += " align=\"center\"";
        break;
      case Align::kRight:
        html_ += " align=\"right\"";
        break;
      case Align::kJustify:
        html_ += " align=\"justify\"";
        break;
    }
    html_ += " style=\"white-space:pre-wrap; margin-top:" + Px(p.before) +
             "; margin-bottom:" + Px(p.after) + "; margin-left:" + Px(p.left) +
             "; margin-right:" + Px(p.right) + "; text-indent:" + Px(p.firstLine) + ";\">";
    if (runs_.empty()) html_ += "<br/>";  // keeps the empty line's height
    for (const auto& run : runs_) AppendRun(run);
    html_ += "</p>\n";
    runs_.clear();
  }

  static std::string Px(int twips) { return std::to_string(TwipsToPixels(twips)) + "px"; }

  void AppendRun(const TextRun& run) {
    const CharFormat& f = run.format;
    std::string style;
    if (f.bold) style += "font-weight:bold; ";
    if (f.italic) style += "font-style:italic; ";
    if (f.underline || f.strike) {
      style += "text-decoration:";
      if (f.underline) style += " underline";
      if (f.strike) style += " line-through";
      style += "; ";
    }
    if (f.halfPoints > 0) {
      style +=
          "font-size:" + std::to_string(f.halfPoints / 2) + (f.halfPoints % 2 ? ".5" : "") + "pt; ";
    }
    if (style.empty()) {
      AppendEscaped(html_, run.text);
      return;
    }
    style.resize(style.size() - 2);  // the last "; "
    html_ += "<span style=\"" + style + "\">";
    AppendEscaped(html_, run.text);
    html_ += "</span>";
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::vector<GroupState> stack_;
  GroupState cur_;
  std::vector<TextRun> runs_;
  std::string html_;
  int fallbackLeft_ = 0;
  char32_t highSurrogate_ = 0;
};

}  // namespace

std::string RtfReader::ToHtml(std::string_view rtf) { return Parser(rtf).Parse(); }

std::string RtfReader::LoadFileAsHtml(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw UserError("Не удалось открыть файл " + path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw UserError("Не удалось открыть файл " + path);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw UserError("Не удалось прочитать файл " + path);
  return ToHtml(bytes);
}

}  // namespace tornel
