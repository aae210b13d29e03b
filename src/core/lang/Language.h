#pragma once
// Language: the interface language the user reads. The settings file, the command line and the language menu
// carry it as a number (0 English, 1 Russian); LanguageFromNumber is the one way in from such a number and
// LanguageNumber the one way back. A part that follows the user's current choice holds a `const Language&`
// to the one value App owns.
#include <optional>

namespace trakvella {

enum class Language { English = 0, Russian = 1 };

// The language a stored number names; nothing for a number other than 0 or 1.
constexpr std::optional<Language> LanguageFromNumber(int number) {
  if (number == 0) return Language::English;
  if (number == 1) return Language::Russian;
  return std::nullopt;
}

constexpr int LanguageNumber(Language language) { return static_cast<int>(language); }

}  // namespace trakvella
