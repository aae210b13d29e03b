#pragma once
// The message table: every text the program builds at the moment of display
// (messages, status lines, prompts, dialog titles), in English (language 0)
// and Russian (language 1), by index 0-123.
#include <string>

namespace trakvella {

inline constexpr int kEnglish = 0;
inline constexpr int kRussian = 1;

// Number of message slots (indexes 0 to kMessageCount - 1).
inline constexpr unsigned kMessageCount = 124;

// Assigns message `index` in `language` to text; leaves text as it was for a
// language other than 0 or 1 and for an index without a row (103, above 123).
void GetLangMessage(int language, unsigned index, std::string& text);

// The message, or the empty text where GetLangMessage gives nothing.
std::string LangMessage(int language, unsigned index);

}  // namespace trakvella
