#pragma once
// Locale: the system's language identifier as the program asks for it at start ("0419" Russian,
// "0409" otherwise), from LC_ALL, LC_MESSAGES or LANG, the first one set. Free functions; nothing owned.
#include <string>

#include "core/lang/Language.h"

namespace trakvella {

std::string SystemLanguageId();
// Russian for "0419", else English.
Language LanguageFromLocaleId(const std::string& id);

}  // namespace trakvella
