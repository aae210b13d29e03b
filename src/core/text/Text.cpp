#include "core/text/Text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_map>

namespace trakvella {

namespace {

// Whether the eight bytes at `at` are all ASCII.
bool IsAsciiWord(const char* at) {
  uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return (word & 0x8080808080808080ULL) == 0;
}

// Code page 1251, bytes 0x80-0xBF (0xC0-0xFF are U+0410-U+044F in order).
constexpr std::array<char32_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char32_t DecodeByte(unsigned char b) {
  if (b < 0x80) return b;
  if (b >= 0xC0) return 0x0410 + (b - 0xC0);
  return kHigh[b - 0x80];
}

const std::unordered_map<char32_t, unsigned char>& EncodeTable() {
  static const std::unordered_map<char32_t, unsigned char> table = [] {
    std::unordered_map<char32_t, unsigned char> t;
    for (int b = 0x80; b < 0x100; ++b) {
      char32_t c = DecodeByte(static_cast<unsigned char>(b));
      if (c != 0xFFFD) t.emplace(c, static_cast<unsigned char>(b));
    }
    return t;
  }();
  return table;
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Sort weight of a case-folded character: blanks and controls, then
// punctuation and symbols, then digits, then Latin, then Cyrillic letters.
uint32_t Weight(char32_t c) {
  c = UpperChar(c);
  if (c <= 32) return c;
  if (c >= '0' && c <= '9') return 0x300000 + c;
  if (c >= 'A' && c <= 'Z') return 0x400000 + c;
  if ((c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7)) return 0x400100 + c;  // accented Latin
  if (c >= 0x0410 && c <= 0x042F) {
    uint32_t order = (c - 0x0410) * 2;
    if (c > 0x0415) order += 2;  // Ё sits right after Е
    return 0x500000 + order;
  }
  if (c == 0x0401) return 0x500000 + (0x0415 - 0x0410) * 2 + 1;
  if (c >= 0x0400 && c <= 0x04FF) return 0x501000 + c;  // other Cyrillic letters
  return 0x100000 + c;                                  // punctuation and symbols
}

}  // namespace

namespace {
// The UTF-8 form of every high byte, built once.
struct HighBytes {
  char bytes[128][4];
  unsigned char length[128];
  HighBytes() {
    for (int b = 0; b < 128; ++b) {
      std::string utf8;
      AppendChar(utf8, DecodeByte(static_cast<unsigned char>(b + 0x80)));
      length[b] = static_cast<unsigned char>(utf8.size());
      utf8.copy(bytes[b], utf8.size());
    }
  }
};
const HighBytes& HighByteTable() {
  static const HighBytes table;
  return table;
}
}  // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
  const HighBytes& high = HighByteTable();
  // The exact size first, so a large text is written once and not cleared at three times its size.
  size_t size = bytes.size();
  for (char ch : bytes)
    if (static_cast<unsigned char>(ch) >= 0x80) size += high.length[static_cast<unsigned char>(ch) - 0x80] - 1;
  std::string out;
  out.resize(size);
  char* w = out.data();
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      *w++ = ch;
    } else {
      const unsigned char n = high.length[b - 0x80];
      std::memcpy(w, high.bytes[b - 0x80], n);
      w += n;
    }
  }
  return out;
}

std::string Utf8ToCp1251(std::string_view text) {
  const auto& table = EncodeTable();
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    auto b = static_cast<unsigned char>(text[pos]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++pos;
      continue;
    }
    char32_t c = NextChar(text, pos);
    auto it = table.find(c);
    out.push_back(it == table.end() ? '?' : static_cast<char>(it->second));
  }
  return out;
}

char32_t NextChar(std::string_view text, size_t& pos) {
  auto b0 = static_cast<unsigned char>(text[pos]);
  if (b0 < 0x80) {
    ++pos;
    return b0;
  }
  int len = 0;
  char32_t c = 0;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    c = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    c = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    c = b0 & 0x07;
  }
  if (len == 0 || pos + len > text.size()) {
    ++pos;
    return 0xFFFD;
  }
  for (int i = 1; i < len; ++i) {
    auto b = static_cast<unsigned char>(text[pos + i]);
    if (!IsContinuation(b)) {
      ++pos;
      return 0xFFFD;
    }
    c = (c << 6) | (b & 0x3F);
  }
  // Overlong forms and surrogates are not characters.
  if ((len == 2 && c < 0x80) || (len == 3 && c < 0x800) || (len == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
      (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return 0xFFFD;
  }
  pos += len;
  return c;
}

void AppendChar(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::u32string ToU32(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) out.push_back(NextChar(text, pos));
  return out;
}

std::string FromU32(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) AppendChar(out, c);
  return out;
}

size_t CharCount(std::string_view text) {
  size_t n = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    if (pos + 8 <= text.size() && IsAsciiWord(text.data() + pos)) {
      pos += 8;
      n += 8;
      continue;
    }
    if (static_cast<unsigned char>(text[pos]) < 0x80)
      ++pos;
    else
      NextChar(text, pos);
    ++n;
  }
  return n;
}

size_t ByteOffsetOfCharWalked(std::string_view text, size_t n) {
  size_t pos = 0;
  // Plain ASCII first, eight bytes at a time where it can be: a byte is a character.
  while (n >= 8 && pos + 8 <= text.size() && IsAsciiWord(text.data() + pos)) {
    pos += 8;
    n -= 8;
  }
  while (n > 0 && pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) {
    ++pos;
    --n;
  }
  while (n > 0 && pos < text.size()) {
    if (static_cast<unsigned char>(text[pos]) < 0x80)
      ++pos;
    else
      NextChar(text, pos);
    --n;
  }
  return pos;
}

std::string FirstChars(std::string_view text, size_t n) {
  return std::string(text.substr(0, ByteOffsetOfChar(text, n)));
}

std::string MidChars(std::string_view text, size_t from, size_t count) {
  return std::string(MidView(text, from, count));
}

std::string_view MidView(std::string_view text, size_t from, size_t count) {
  std::string_view rest = text.substr(ByteOffsetOfChar(text, from));
  return count == std::string::npos ? rest : rest.substr(0, ByteOffsetOfChar(rest, count));
}

char32_t UpperChar(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
  if (c >= 0x0430 && c <= 0x044F) return c - 0x20;
  if (c >= 0x0450 && c <= 0x045F) return c - 0x50;
  if (c == 0x0491) return 0x0490;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  return c;
}

char32_t LowerChar(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
  if (c == 0x0490) return 0x0491;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x178) return 0xFF;
  return c;
}

namespace {
template <char32_t (*Fold)(char32_t)>
void FoldCaseInto(std::string_view text, std::string& out) {
  out.clear();
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    auto b = static_cast<unsigned char>(text[pos]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(Fold(b)));
      ++pos;
    } else {
      AppendChar(out, Fold(NextChar(text, pos)));
    }
  }
}
}  // namespace

std::string UpperCase(std::string_view text) {
  std::string out;
  FoldCaseInto<UpperChar>(text, out);
  return out;
}
std::string LowerCase(std::string_view text) {
  std::string out;
  FoldCaseInto<LowerChar>(text, out);
  return out;
}
void LowerCaseInto(std::string_view text, std::string& out) { FoldCaseInto<LowerChar>(text, out); }

namespace {
// The bytes of text whose lower case is `lower`, or npos when its lower case
// does not begin with it.
size_t LowerCasePrefixBytes(std::string_view text, std::string_view lower) {
  size_t t = 0, l = 0;
  while (l < lower.size()) {
    if (t >= text.size()) return std::string_view::npos;
    if (LowerChar(NextChar(text, t)) != NextChar(lower, l)) return std::string_view::npos;
  }
  return t;
}
}  // namespace

bool StartsWithLowerCase(std::string_view text, std::string_view lower) {
  return LowerCasePrefixBytes(text, lower) != std::string_view::npos;
}

bool EqualsLowerCase(std::string_view text, std::string_view lower) {
  return LowerCasePrefixBytes(text, lower) == text.size();
}

std::string_view TrimLeftView(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) ++i;
  return text.substr(i);
}

std::string_view TrimRightView(std::string_view text) {
  size_t n = text.size();
  while (n > 0 && static_cast<unsigned char>(text[n - 1]) <= 32) --n;
  return text.substr(0, n);
}

std::string_view TrimView(std::string_view text) { return TrimRightView(TrimLeftView(text)); }

int CompareText(std::string_view a, std::string_view b) {
  // The bytes both begin with are passed over eight at a time, back to the start of a character.
  size_t same = 0;
  const size_t shorter = std::min(a.size(), b.size());
  while (same + 8 <= shorter && std::memcmp(a.data() + same, b.data() + same, 8) == 0) same += 8;
  auto continues = [](std::string_view text, size_t at) {
    return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
  };
  while (same > 0 && (continues(a, same) || continues(b, same))) --same;
  size_t i = same, j = same;
  while (i < a.size() && j < b.size()) {
    auto ca = static_cast<unsigned char>(a[i]);
    auto cb = static_cast<unsigned char>(b[j]);
    char32_t x, y;
    if (ca < 0x80 && cb < 0x80) {  // the common case: plain ASCII
      ++i;
      ++j;
      if (ca == cb) continue;
      static const std::array<uint32_t, 128> kAsciiWeights = [] {
        std::array<uint32_t, 128> w{};
        for (char32_t c = 0; c < 128; ++c) w[c] = Weight(c);
        return w;
      }();
      uint32_t wa = kAsciiWeights[ca], wb = kAsciiWeights[cb];
      if (wa != wb) return wa < wb ? -1 : 1;
      continue;
    } else {
      x = NextChar(a, i);
      y = NextChar(b, j);
    }
    uint32_t wx = Weight(x), wy = Weight(y);
    if (wx != wy) return wx < wy ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

bool ParseInt(std::string_view text, long long& value) {
  if (text.empty()) return false;
  size_t i = 0;
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    i = 1;
  }
  if (i >= text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return false;
    if (v > (9'000'000'000'000'000'000LL - (c - '0')) / 10) return false;
    v = v * 10 + (c - '0');
  }
  value = negative ? -v : v;
  return true;
}

long long IntOr(std::string_view text, long long fallback) {
  long long v;
  return ParseInt(text, v) ? v : fallback;
}

std::string_view RowName(std::string_view row) {
  size_t eq = row.find('=');
  return eq == std::string_view::npos ? row : row.substr(0, eq);
}

std::string_view RowValue(std::string_view row) {
  size_t eq = row.find('=');
  return eq == std::string_view::npos ? std::string_view{} : row.substr(eq + 1);
}

}  // namespace trakvella
