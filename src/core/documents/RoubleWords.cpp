#include "core/documents/RoubleWords.h"

#include <array>

#include "core/text/Text.h"

namespace trakvella {
namespace {

using Words = std::array<std::string_view, 10>;

constexpr Words kHundreds{"",         "сто ",      "двести ",  "триста ",    "четыреста ",
                          "пятьсот ", "шестьсот ", "семьсот ", "восемьсот ", "девятьсот "};
constexpr Words kTens{"",           "десять ",     "двадцать ",  "тридцать ",    "сорок ",
                      "пятьдесят ", "шестьдесят ", "семьдесят ", "восемьдесят ", "девяносто "};
constexpr Words kTeenStems{"", "один", "две", "три", "четыр", "пят", "шест", "сем", "восем", "девят"};
constexpr Words kUnitsMasculine{"",      "один ",  "два ",  "три ",    "четыре ",
                                "пять ", "шесть ", "семь ", "восемь ", "девять "};
constexpr Words kUnitsFeminine{"",      "одна ",  "две ",  "три ",    "четыре ",
                               "пять ", "шесть ", "семь ", "восемь ", "девять "};
// Group names by group number 1-5 (thousands, millions, ...).
constexpr std::array<std::string_view, 6> kGroupNames{"", "тысяч", "миллион", "миллиард", "триллион", "квадраллион"};
// Endings by ending digit 0-9: of the thousands, and of the groups above them.
constexpr Words kThousandEndings{" ", "а ", "и ", "и ", "и ", " ", " ", " ", " ", " "};
constexpr Words kGroupEndings{"ов ", " ", "а ", "а ", "а ", "ов ", "ов ", "ов ", "ов ", "ов "};
constexpr Words kRoubleEndings{"ей", "ь", "я", "я", "я", "ей", "ей", "ей", "ей", "ей"};

constexpr int kMaxGroups = 6;

// A digit character as its value; anything else counts as 0.
int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

// Eleven to nineteen take the form of zero; otherwise the last digit decides.
int EndingDigit(std::string_view digits) {
  if (digits.empty()) return 0;
  if (digits.size() >= 2 && digits[digits.size() - 2] == '1') return 0;
  return DigitValue(digits.back());
}

std::string TripleWords(std::string_view triple, bool feminine) {
  const int h = DigitValue(triple[0]), t = DigitValue(triple[1]), u = DigitValue(triple[2]);
  std::string words(kHundreds[h]);
  if (t == 1 && u > 0) {
    words += kTeenStems[u];
    words += "надцать ";
  } else {
    words += kTens[t];
    words += feminine ? kUnitsFeminine[u] : kUnitsMasculine[u];
  }
  return words;
}

}  // namespace

std::string NumberInWords(std::string_view digits) {
  bool negative = false;
  if (!digits.empty() && digits.front() == '-') {
    negative = true;
    digits.remove_prefix(1);
  }
  const size_t length = digits.size();
  const std::string padded = "00" + std::string(digits);
  std::string result;
  const size_t groups = (length + 2) / 3;
  for (size_t i = 0; i < groups && i < kMaxGroups; ++i) {
    const std::string_view triple = std::string_view(padded).substr(length - 3 * i - 1, 3);
    if (i > 0 && triple != "000") {
      const int ending = EndingDigit(triple);
      result.insert(
          0, std::string(kGroupNames[i]) + std::string(i == 1 ? kThousandEndings[ending] : kGroupEndings[ending]));
    }
    result.insert(0, TripleWords(triple, i == 1));
  }
  if (result.empty()) result = "ноль";
  if (negative) result.insert(0, "минус ");
  return result;
}

std::string RoublesInWords(long long amount) {
  const std::string digits = std::to_string(amount);
  std::string phrase = NumberInWords(digits) + ") рубл" + std::string(kRoubleEndings[EndingDigit(digits)]);
  size_t pos = 0;
  const char32_t first = NextChar(phrase, pos);
  std::string capital;
  AppendChar(capital, UpperChar(first));
  return "( " + capital + phrase.substr(pos);
}

}  // namespace trakvella
