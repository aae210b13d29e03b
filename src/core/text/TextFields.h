#pragma once
// TextFields: cutting rows and lines into fields; separators are matched as text (case-sensitive),
// trimming removes blanks and control characters as Trim does. Free functions over values.
#include <string>
#include <string_view>
#include <vector>

namespace trakvella {

// Cuts text at every separator. Each piece before a separator is trimmed, and
// so is the rest after it, so a run of separators that trimming can eat (TABs,
// blanks) counts as one and a trailing empty piece disappears: "a\tb\t\t" gives
// "a", "b". Text without the separator gives itself, untrimmed, as the one piece
// (an empty text gives one empty piece); an empty separator never cuts.
std::vector<std::string> SplitTrim(std::string_view separator, std::string_view text);

// Field n (counting from 0) of text cut at separator. Walks the pieces like
// SplitTrim: the rest after each separator is trimmed, so with a TAB separator an
// empty field is swallowed and the next one takes its place. Asking past the
// last separator gives the rest after it (the whole text when there is none).
// When field n itself is empty, the result is the rest of the text from that
// field on, beginning with its separator.
std::string NthField(std::string_view separator, std::string_view text, int n);

// Takes the text up to the first separator off the front of text and returns it;
// the separator goes too. Without a separator in it the whole text is the token
// and text becomes empty. An empty separator or text gives an empty token and
// leaves text as it is.
std::string TakeToken(std::string_view separator, std::string& text);

// 1-based character position of the last occurrence of needle in text; 0 when
// absent or when needle is empty.
size_t LastPos(std::string_view needle, std::string_view text);

// The text between the first occurrence of open and the last occurrence of
// close; empty when either is missing or close does not come after open
// ("[140]" with "[" "]" gives "140"; "[87 <7B>" gives "").
std::string BetweenMarkers(std::string_view text, std::string_view open, std::string_view close);

}  // namespace trakvella
