#pragma once
// Text: the program's one code page 1251 codec and the character rules every subsystem shares (UTF-8
// inside; characters, not bytes, counted; Latin and Cyrillic case folded). Free functions over values.
#include <string>
#include <string_view>
#include <vector>

namespace trakvella {

// --- Code page 1251 at the file boundary ---------------------------------------
// Decodes 8-bit code page 1251 bytes to UTF-8 (the one unassigned byte, 0x98,
// becomes U+FFFD).
std::string Cp1251ToUtf8(std::string_view bytes);
// Encodes UTF-8 to code page 1251; a character the code page lacks becomes "?",
// and so does a byte that is not valid UTF-8.
std::string Utf8ToCp1251(std::string_view text);

// --- UTF-8 characters -----------------------------------------------------------
// Decodes the character at byte offset pos and advances pos; invalid bytes
// decode one at a time as U+FFFD.
char32_t NextChar(std::string_view text, size_t& pos);
void AppendChar(std::string& out, char32_t c);
std::u32string ToU32(std::string_view text);
std::string FromU32(std::u32string_view text);
// Number of characters.
size_t CharCount(std::string_view text);
// Whether the text is n characters long (a character takes one to four bytes: a text of another
// length is not walked).
inline bool HasCharCount(std::string_view text, size_t n) {
  return text.size() >= n && text.size() <= 4 * n && CharCount(text) == n;
}
// The first n characters (the whole text when it is shorter).
std::string FirstChars(std::string_view text, size_t n);
// The characters from 0-based character index from on, at most count of them.
std::string MidChars(std::string_view text, size_t from, size_t count = std::string::npos);
// The same characters as a view into the text.
std::string_view MidView(std::string_view text, size_t from, size_t count = std::string::npos);
// Byte offset of 0-based character index n (text.size() when past the end).
size_t ByteOffsetOfCharWalked(std::string_view text, size_t n);
inline size_t ByteOffsetOfChar(std::string_view text, size_t n) {
  // A short run of plain ASCII, such as a track code, is n bytes without a walk.
  if (n <= 16 && n <= text.size()) {
    unsigned char high = 0;
    for (size_t i = 0; i < n; ++i) high |= static_cast<unsigned char>(text[i]);
    if (high < 0x80) return n;
  }
  return ByteOffsetOfCharWalked(text, n);
}

// --- Case ------------------------------------------------------------------------
char32_t UpperChar(char32_t c);
char32_t LowerChar(char32_t c);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
// LowerCase into a buffer the caller keeps, so a loop allocates once.
void LowerCaseInto(std::string_view text, std::string& out);
// Whether LowerCase(text) begins with, or equals, `lower` (a text already in
// lower case), compared character by character without building a new string.
bool StartsWithLowerCase(std::string_view text, std::string_view lower);
bool EqualsLowerCase(std::string_view text, std::string_view lower);

// --- Trimming: blanks and control characters (codes up to 32) ------------------
std::string_view TrimView(std::string_view text);
std::string_view TrimLeftView(std::string_view text);
std::string_view TrimRightView(std::string_view text);
inline std::string Trim(std::string_view text) { return std::string(TrimView(text)); }
inline std::string TrimLeft(std::string_view text) { return std::string(TrimLeftView(text)); }
inline std::string TrimRight(std::string_view text) { return std::string(TrimRightView(text)); }

// --- Comparison ------------------------------------------------------------------
// Locale-like comparison that ignores letter case: blanks and control characters,
// then punctuation and symbols, then digits, then Latin letters, then Cyrillic
// letters (Ё after Е). Negative, zero or positive.
int CompareText(std::string_view a, std::string_view b);
inline bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }
struct TextLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return CompareText(a, b) < 0; }
};

// --- Lines -------------------------------------------------------------------------
// Splits text into lines at CR LF, CR or LF; a final line break adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);
// Joins lines with CR LF after each.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// --- Numbers ------------------------------------------------------------------------
// Reads a whole text as a decimal integer (an optional sign, then digits, no
// blanks); false when it is not one or does not fit.
[[nodiscard]] bool ParseInt(std::string_view text, long long& value);
// The integer of the text, or fallback when the text is not an integer.
long long IntOr(std::string_view text, long long fallback);

// --- name=value rows ------------------------------------------------------------------
// The name of a row: the text before its first "=" (the whole row when none).
std::string_view RowName(std::string_view row);
// The value of a row: the text after its first "=" (empty when none).
std::string_view RowValue(std::string_view row);

}  // namespace trakvella
