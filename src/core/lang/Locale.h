#pragma once
// The system's language identifier as the program asks for it at start:
// "0419" for Russian, "0409" otherwise. On Linux the language of LC_ALL,
// LC_MESSAGES or LANG (the first one set) decides.
#include <string>

namespace trakvella {

std::string SystemLanguageId();
// 1 (Russian) for "0419", else 0 (English).
int LanguageFromLocaleId(const std::string& id);

}  // namespace trakvella
