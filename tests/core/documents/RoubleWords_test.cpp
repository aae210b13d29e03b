// Amounts in words: Russian number words and the bracketed rouble phrase.
#include "core/documents/RoubleWords.h"

#include <gtest/gtest.h>

namespace trakvella {
namespace {

TEST(NumberInWords, SpellsGroupsWithTheirGenderEndingAndTeens) {
  const std::pair<const char*, const char*> cases[] = {
      {"0", "ноль"},
      {"000", "ноль"},
      {"", "ноль"},
      {"7", "семь "},
      {"10", "десять "},
      {"11", "одиннадцать "},
      {"12", "двенадцать "},
      {"21", "двадцать один "},
      {"100", "сто "},
      {"1000", "одна тысяча "},
      {"2000", "две тысячи "},
      {"5000", "пять тысяч "},
      {"12000", "двенадцать тысяч "},
      {"21000", "двадцать одна тысяча "},
      {"1000000", "один миллион "},
      {"2000000", "два миллиона "},
      {"1234", "одна тысяча двести тридцать четыре "},
      {"-5", "минус пять "},
      {"0025", "двадцать пять "},
      {"111011", "сто одиннадцать тысяч одиннадцать "},
      {"5000000000", "пять миллиардов "},
      {"1000001001", "один миллиард одна тысяча один "},
  };
  for (const auto& [digits, words] : cases) EXPECT_EQ(NumberInWords(digits), words) << digits;
}

TEST(NumberInWords, ReadsSixGroupsAtMost) {
  EXPECT_EQ(NumberInWords("2000000000000000000"), "ноль");  // the 19th digit from the right is not read
  EXPECT_EQ(NumberInWords("1000000000000000000"), "ноль");
  EXPECT_EQ(NumberInWords("9001000000000000000"), "один квадраллион ");
  EXPECT_EQ(NumberInWords("3000000000000000"), "три квадраллиона ");
}

TEST(RoublesInWords, BracketsTheCapitalisedWordsAndEndsRoubleByTheLastDigits) {
  const std::pair<long long, const char*> cases[] = {
      {1, "( Один ) рубль"},
      {2, "( Два ) рубля"},
      {5, "( Пять ) рублей"},
      {11, "( Одиннадцать ) рублей"},
      {21, "( Двадцать один ) рубль"},
      {112, "( Сто двенадцать ) рублей"},
      {123, "( Сто двадцать три ) рубля"},
      {1000, "( Одна тысяча ) рублей"},
      {5000, "( Пять тысяч ) рублей"},
      {12345, "( Двенадцать тысяч триста сорок пять ) рублей"},
      {-5, "( Минус пять ) рублей"},
      {0, "( Ноль) рублей"},
  };
  for (const auto& [amount, phrase] : cases) EXPECT_EQ(RoublesInWords(amount), phrase) << amount;
}

}  // namespace
}  // namespace trakvella
