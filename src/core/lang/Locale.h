#pragma once
// Locale: the system's language identifier as the program asks for it at start ("0419" Russian,
// "0409" otherwise), from LC_ALL, LC_MESSAGES or LANG, the first one set. Free functions; nothing owned.
#include <string>

namespace trakvella {

std::string SystemLanguageId();
// 1 (Russian) for "0419", else 0 (English).
int LanguageFromLocaleId(const std::string& id);

}  // namespace trakvella
