#pragma once
// Amounts in words: whole numbers as Russian words and money amounts as the
// bracketed rouble phrase the licence documents write beside their figures.
#include <string>
#include <string_view>

namespace trakvella {

// A decimal number (digits 0-9, optionally one leading "-", leading zeros
// allowed) in Russian words, lower case, each word followed by one blank:
// "1234" gives "одна тысяча двести тридцать четыре ". Zero (and the empty text)
// gives "ноль" without a blank; a negative number starts with "минус ". Only the
// lower 18 digits are spelled (six groups of three).
std::string NumberInWords(std::string_view digits);

// The rouble phrase of a whole amount: "( Сто двадцать три ) рубля", the first
// word raised to a capital; 0 gives "( Ноль) рублей".
std::string RoublesInWords(long long amount);

}  // namespace trakvella
