#include "core/documents/RtfDocument.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <string_view>
#include <system_error>

#include "core/text/FileIO.h"
#include "core/text/Text.h"

namespace trakvella {
namespace {

// Code page 1251 byte -> character, for raw bytes and \'hh escapes.
const std::array<char32_t, 256>& Cp1251Table() {
  static const std::array<char32_t, 256> table = [] {
    std::array<char32_t, 256> t{};
    for (int b = 0; b < 256; ++b) {
      const std::string utf8 = Cp1251ToUtf8(std::string(1, static_cast<char>(b)));
      size_t pos = 0;
      t[b] = NextChar(utf8, pos);
    }
    return t;
  }();
  return table;
}

// Groups whose text a reader does not show when the group opens with them.
bool IsHiddenDestination(std::string_view word) {
  static constexpr std::string_view kHidden[] = {"fonttbl",
                                                 "colortbl",
                                                 "stylesheet",
                                                 "info",
                                                 "pict",
                                                 "listtable",
                                                 "listoverridetable",
                                                 "revtbl",
                                                 "rsidtbl",
                                                 "generator",
                                                 "xmlnstbl",
                                                 "themedata",
                                                 "colorschememapping",
                                                 "latentstyles",
                                                 "datastore",
                                                 "pgdsctbl",
                                                 "fldinst",
                                                 "header",
                                                 "headerl",
                                                 "headerr",
                                                 "headerf",
                                                 "footer",
                                                 "footerl",
                                                 "footerr",
                                                 "footerf",
                                                 "footnote",
                                                 "annotation",
                                                 "object",
                                                 "objdata",
                                                 "pntext",
                                                 "pntxta",
                                                 "pntxtb",
                                                 "listtext",
                                                 "bkmkstart",
                                                 "bkmkend",
                                                 "filetbl",
                                                 "mmathPr",
                                                 "nonshppict",
                                                 "userprops",
                                                 "docvar",
                                                 "template",
                                                 "title",
                                                 "author",
                                                 "operator",
                                                 "keywords",
                                                 "comment",
                                                 "subject",
                                                 "doccomm",
                                                 "company",
                                                 "creatim",
                                                 "revtim",
                                                 "printim",
                                                 "buptim",
                                                 "category",
                                                 "manager",
                                                 "hlinkbase",
                                                 "fontemb",
                                                 "fontfile",
                                                 "falt",
                                                 "panose"};
  return std::find(std::begin(kHidden), std::end(kHidden), word) != std::end(kHidden);
}

// The character a control word shows, or 0 when it shows none.
char32_t ShownByWord(std::string_view word) {
  struct Entry {
    std::string_view word;
    char32_t shown;
  };
  static constexpr Entry kShown[] = {
      {"par", U'\n'},         {"line", U'\n'},          {"row", U'\n'},           {"nestrow", U'\n'},
      {"sect", U'\n'},        {"page", U'\n'},          {"tab", U'\t'},           {"cell", U'\t'},
      {"nestcell", U'\t'},    {"emdash", U'\u2014'},    {"endash", U'\u2013'},    {"lquote", U'\u2018'},
      {"rquote", U'\u2019'},  {"ldblquote", U'\u201C'}, {"rdblquote", U'\u201D'}, {"bullet", U'\u2022'},
      {"emspace", U'\u2003'}, {"enspace", U'\u2002'},   {"qmspace", U'\u2005'}};
  for (const auto& e : kShown)
    if (e.word == word) return e.shown;
  return 0;
}

// The break a control word's character stands for.
RtfDocument::Break BreakOfWord(std::string_view word) {
  using Break = RtfDocument::Break;
  if (word == "par" || word == "sect" || word == "page") return Break::Paragraph;
  if (word == "line") return Break::Line;
  if (word == "cell" || word == "nestcell") return Break::Cell;
  if (word == "row" || word == "nestrow") return Break::Row;
  return Break::None;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One token of the source: a group brace, a control word or symbol, or a text byte.
struct Token {
  enum Kind { OpenGroup, CloseGroup, Word, Symbol, Hex, Byte, LineEnd } kind = Byte;
  size_t begin = 0, end = 0;
  std::string_view word;  // Word: its letters
  bool hasParameter = false;
  long parameter = 0;
  bool bare = false;  // Word: ended without its delimiting blank
  char symbol = 0;    // Symbol: the character after "\"; Byte: the byte
  int hexByte = -1;   // Hex: the byte value
};

Token MakeToken(int kind, size_t begin, size_t end) {
  Token t;
  t.kind = static_cast<Token::Kind>(kind);
  t.begin = begin;
  t.end = end;
  return t;
}

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view s) : s_(s) {}
  bool Done() const { return pos_ >= s_.size(); }
  size_t pos() const { return pos_; }
  void Skip(size_t n) { pos_ = std::min(s_.size(), pos_ + n); }

  Token Next() {
    const size_t begin = pos_;
    const char c = s_[pos_++];
    if (c == '{') return MakeToken(Token::OpenGroup, begin, pos_);
    if (c == '}') return MakeToken(Token::CloseGroup, begin, pos_);
    if (c == '\r' || c == '\n') return MakeToken(Token::LineEnd, begin, pos_);
    if (c != '\\') {
      Token t = MakeToken(Token::Byte, begin, pos_);
      t.symbol = c;
      return t;
    }
    if (pos_ >= s_.size()) return MakeToken(Token::Symbol, begin, pos_);
    const char d = s_[pos_];
    if (IsAsciiLetter(d)) {
      const size_t wordBegin = pos_;
      while (pos_ < s_.size() && IsAsciiLetter(s_[pos_]) && pos_ - wordBegin < 32) ++pos_;
      Token t = MakeToken(Token::Word, begin, pos_);
      t.word = s_.substr(wordBegin, pos_ - wordBegin);
      bool negative = false;
      if (pos_ + 1 < s_.size() && s_[pos_] == '-' && IsDigit(s_[pos_ + 1])) {
        negative = true;
        ++pos_;
      }
      if (pos_ < s_.size() && IsDigit(s_[pos_])) {
        t.hasParameter = true;
        long value = 0;
        for (int n = 0; pos_ < s_.size() && IsDigit(s_[pos_]); ++n, ++pos_)
          if (n < 10) value = value * 10 + (s_[pos_] - '0');
        t.parameter = negative ? -value : value;
      }
      if (pos_ < s_.size() && s_[pos_] == ' ')
        ++pos_;
      else
        t.bare = true;
      t.end = pos_;
      return t;
    }
    ++pos_;
    if (d == '\'') {
      const int hi = pos_ < s_.size() ? HexValue(s_[pos_]) : -1;
      const int lo = pos_ + 1 < s_.size() ? HexValue(s_[pos_ + 1]) : -1;
      if (hi >= 0 && lo >= 0) {
        pos_ += 2;
        Token t = MakeToken(Token::Hex, begin, pos_);
        t.hexByte = hi * 16 + lo;
        return t;
      }
    }
    Token t = MakeToken(Token::Symbol, begin, pos_);
    t.symbol = d;
    return t;
  }

 private:
  std::string_view s_;
  size_t pos_ = 0;
};

// A formatting word changes the look in force; false for any other word.
bool ApplyFormatting(const Token& t, RtfDocument::Look& look) {
  using Align = RtfDocument::Align;
  const std::string_view w = t.word;
  const bool on = !t.hasParameter || t.parameter != 0;
  if (w == "b")
    look.bold = on;
  else if (w == "i")
    look.italic = on;
  else if (w == "ul")
    look.underline = on;
  else if (w == "ulnone")
    look.underline = false;
  else if (w == "fs" && t.hasParameter && t.parameter > 0 && t.parameter < 4000)
    look.halfPoints = static_cast<uint16_t>(t.parameter);
  else if (w == "plain") {
    look.bold = look.italic = look.underline = false;
    look.halfPoints = 24;
  } else if (w == "pard") {
    look.align = Align::Left;
    look.inTable = false;
  } else if (w == "ql")
    look.align = Align::Left;
  else if (w == "qc")
    look.align = Align::Centre;
  else if (w == "qr")
    look.align = Align::Right;
  else if (w == "qj")
    look.align = Align::Justified;
  else if (w == "intbl")
    look.inTable = true;
  else
    return false;
  return true;
}

void AppendUnicode(std::string& out, char32_t c) {
  auto one = [&out](long n, char32_t forCodePage) {
    if (n > 32767) n -= 65536;
    out += "\\u";
    out += std::to_string(n);
    std::string utf8;
    AppendChar(utf8, forCodePage);
    const std::string byte = Utf8ToCp1251(utf8);
    if (byte.size() == 1 && byte != "?" && static_cast<unsigned char>(byte[0]) >= 0x80) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\'%02x", static_cast<unsigned char>(byte[0]));
      out += hex;
    } else {
      out += '?';
    }
  };
  if (c > 0xFFFF) {
    const char32_t v = c - 0x10000;
    one(0xD800 + (v >> 10), U'?');
    one(0xDC00 + (v & 0x3FF), U'?');
  } else {
    one(static_cast<long>(c), c);
  }
}

// Reads the source's tokens into the displayed characters, each with its source span and look.
class RtfParser {
 public:
  using Break = RtfDocument::Break;
  RtfParser(std::string_view source, std::u32string& text, std::vector<RtfDocument::Span>& spans,
            std::vector<RtfDocument::Look>& looks)
      : tokens_(source), text_(text), spans_(spans), looks_(looks) {}

  void Run() {
    while (!tokens_.Done()) {
      const Token t = tokens_.Next();
      if (fallbackLeft_ > 0 && t.kind != Token::OpenGroup && t.kind != Token::CloseGroup) {
        SkipFallback(t);
        continue;
      }
      fallbackLeft_ = 0;
      const bool first = groupStart_;
      groupStart_ = false;
      if (t.kind == Token::Word) {
        OnWord(t, first);
        bareWordEnd_ = t.bare ? t.end : std::string::npos;  // only a word keeps it
        continue;
      }
      OnToken(t);
      bareWordEnd_ = std::string::npos;
    }
  }

 private:
  struct State {
    bool hidden = false;
    uint8_t unicodeSkip = 1;
    RtfDocument::Look look;
  };

  // A character of the text after \uN, which readers that know \uN skip.
  void SkipFallback(const Token& t) {
    if (t.kind == Token::LineEnd) return;
    --fallbackLeft_;
    if (fallbackShown_) spans_.back().end = static_cast<uint32_t>(t.end);
    bareWordEnd_ = t.kind == Token::Word && t.bare ? t.end : std::string::npos;
  }

  void Emit(char32_t c, size_t begin, size_t end, Break breaks = Break::None) {
    if (state_.hidden) return;
    // A low surrogate right after its high surrogate joins it.
    if (c >= 0xDC00 && c <= 0xDFFF && !text_.empty() && text_.back() >= 0xD800 && text_.back() <= 0xDBFF &&
        spans_.back().end == begin) {
      text_.back() = 0x10000 + ((text_.back() - 0xD800) << 10) + (c - 0xDC00);
      spans_.back().end = static_cast<uint32_t>(end);
      return;
    }
    text_.push_back(c);
    spans_.push_back(
        {static_cast<uint32_t>(begin), static_cast<uint32_t>(end), state_.unicodeSkip, bareWordEnd_ == begin});
    looks_.push_back(state_.look);
    looks_.back().breaks = breaks;
  }

  // Every token but a control word.
  void OnToken(const Token& t) {
    const auto& cp1251 = Cp1251Table();
    switch (t.kind) {
      case Token::OpenGroup:
        stack_.push_back(state_);
        groupStart_ = true;
        break;
      case Token::CloseGroup:
        if (!stack_.empty()) {
          state_ = stack_.back();
          stack_.pop_back();
        }
        break;
      case Token::Byte: {
        const unsigned char b = static_cast<unsigned char>(t.symbol);
        if (b == '\t')
          Emit(U'\t', t.begin, t.end);
        else if (b >= 0x20)
          Emit(b < 0x80 ? char32_t(b) : cp1251[b], t.begin, t.end);
        break;
      }
      case Token::Hex:
        Emit(cp1251[t.hexByte], t.begin, t.end);
        break;
      case Token::Symbol:
        OnSymbol(t);
        break;
      case Token::LineEnd:
      case Token::Word:
        break;
    }
  }

  void OnSymbol(const Token& t) {
    switch (t.symbol) {
      case '\\':
      case '{':
      case '}':
        Emit(char32_t(t.symbol), t.begin, t.end);
        break;
      case '~':
        Emit(U'\u00A0', t.begin, t.end);
        break;
      case '_':
        Emit(U'-', t.begin, t.end);
        break;
      case '\r':
      case '\n':
        Emit(U'\n', t.begin, t.end, Break::Paragraph);
        break;
      case '*':
        state_.hidden = true;
        break;
      default:
        break;  // \- optional hyphen, \| \: index marks
    }
  }

  // A control word; `first` when it opens its group.
  void OnWord(const Token& t, bool first) {
    if (first && IsHiddenDestination(t.word)) state_.hidden = true;
    if (t.word == "u" && t.hasParameter) {
      long n = t.parameter;
      if (n < 0) n += 65536;
      Emit(static_cast<char32_t>(n), t.begin, t.end);
      fallbackShown_ = !state_.hidden;  // the last span is this character (joined or new)
      fallbackLeft_ = state_.unicodeSkip;
    } else if (t.word == "uc" && t.hasParameter) {
      state_.unicodeSkip = static_cast<uint8_t>(std::clamp<long>(t.parameter, 0, 255));
    } else if (t.word == "bin" && t.hasParameter && t.parameter > 0) {
      tokens_.Skip(static_cast<size_t>(t.parameter));
    } else if (const char32_t shown = ShownByWord(t.word)) {
      Emit(shown, t.begin, t.end, BreakOfWord(t.word));
    } else {
      ApplyFormatting(t, state_.look);
    }
  }

  Tokenizer tokens_;
  std::u32string& text_;
  std::vector<RtfDocument::Span>& spans_;
  std::vector<RtfDocument::Look>& looks_;
  std::vector<State> stack_;
  State state_;
  bool groupStart_ = false;
  size_t bareWordEnd_ = std::string::npos;  // end of the last control word without its blank
  int fallbackLeft_ = 0;                    // characters after \uN still to skip
  bool fallbackShown_ = false;              // the \uN being skipped after was displayed
};

}  // namespace

bool RtfDocument::Load(std::string source) {
  source_ = std::move(source);
  const bool isRtf = source_.compare(0, 5, "{\\rtf") == 0;
  if (!isRtf) source_.clear();
  Parse();
  return isRtf;
}

void RtfDocument::Parse() {
  text_.clear();
  spans_.clear();
  looks_.clear();
  RtfParser(source_, text_, spans_, looks_).Run();
  folded_.resize(text_.size());
  for (size_t i = 0; i < text_.size(); ++i) folded_[i] = LowerChar(text_[i]);
}

std::string RtfDocument::Text() const { return FromU32(text_); }

int RtfDocument::FillField(std::string_view placeholder, std::string_view value) {
  std::u32string needle = ToU32(placeholder);
  if (needle.empty()) return 0;
  for (auto& c : needle) c = LowerChar(c);
  std::vector<size_t> found;
  for (size_t at = folded_.find(needle); at != std::u32string::npos; at = folded_.find(needle, at + needle.size()))
    found.push_back(at);
  if (found.empty()) return 0;

  std::string out;
  out.reserve(source_.size() + found.size() * (value.size() * 2 + 16));
  size_t cursor = 0;
  for (size_t at : found) {
    const Span& head = spans_[at];
    out.append(source_, cursor, head.begin - cursor);
    if (head.afterBareWord) out += ' ';  // the blank that ends the control word before
    out += RtfText(value, head.unicodeSkip);
    cursor = head.end;
    for (size_t k = at + 1; k < at + needle.size(); ++k) {
      const Span& s = spans_[k];
      out.append(source_, cursor, s.begin - cursor);
      if (s.afterBareWord) out += ' ';
      cursor = s.end;
    }
  }
  out.append(source_, cursor, std::string::npos);
  source_ = std::move(out);
  Parse();
  return static_cast<int>(found.size());
}

int RtfDocument::InsertRtf(std::string_view marker, std::string_view rtf) {
  if (marker.empty()) return 0;
  std::string out;
  int count = 0;
  size_t cursor = 0;
  for (size_t at = source_.find(marker); at != std::string::npos; at = source_.find(marker, cursor)) {
    out.append(source_, cursor, at - cursor);
    out += rtf;
    cursor = at + marker.size();
    ++count;
  }
  if (count == 0) return 0;
  out.append(source_, cursor, std::string::npos);
  source_ = std::move(out);
  Parse();
  return count;
}

bool RtfDocument::SaveRtf(const std::filesystem::path& file) const { return WriteFileReplacing(file, source_).ok(); }

std::string RtfText(std::string_view utf8, int unicodeSkip) {
  std::string out;
  out.reserve(utf8.size() * 2);
  bool anyUnicode = false;
  size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t c = NextChar(utf8, pos);
    if (c == U'\r' || c == U'\n') {
      if (c == U'\r' && pos < utf8.size() && utf8[pos] == '\n') ++pos;
      out += "\\line ";
    } else if (c == U'\t') {
      out += "\\tab ";
    } else if (c < 0x20 || c == 0x7F) {
      continue;
    } else if (c == U'\\' || c == U'{' || c == U'}') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      AppendUnicode(out, c);
      anyUnicode = true;
    }
  }
  if (anyUnicode && unicodeSkip != 1) return "{\\uc1 " + out + "}";
  return out;
}

std::string MakeRtfTable(const RtfTableGrid& grid, const std::vector<std::string>& lines, double pixelsPerInch) {
  const double twips = pixelsPerInch > 0 ? 1440.0 / pixelsPerInch : 15.0;
  std::string out = "{\r\n{\\fonttbl{\\f0\\fnil " + RtfText(grid.fontName) + ";}}\\trowd\\f0\\fs16\\brdrs\\trgaph" +
                    std::to_string(static_cast<long>(2 * twips)) + "\r\n";
  long x = 0;
  for (int width : grid.columnWidths) {
    x = static_cast<long>(width * twips + x);
    out += "\\cellx" + std::to_string(x) + "\r\n";
  }
  for (const std::string& line : lines) {
    out += "\\intbl\r\n";
    size_t start = 0;
    for (size_t c = 0; c < grid.columnWidths.size(); ++c) {
      std::string_view field;
      if (start <= line.size()) {
        const size_t tab = line.find('\t', start);
        field = std::string_view(line).substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        start = tab == std::string::npos ? line.size() + 1 : tab + 1;
      }
      out += RtfText(TrimView(field));
      out += "\\cell\r\n";
    }
    out += "\\row\r\n";
  }
  out += "}";
  return out;
}

}  // namespace trakvella
