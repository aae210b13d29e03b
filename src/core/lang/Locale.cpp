#include "core/lang/Locale.h"

#include <cstdlib>
#include <string_view>

namespace trakvella {

std::string SystemLanguageId() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    std::string_view v(value);
    return v.substr(0, 2) == "ru" ? "0419" : "0409";
  }
  return "0409";
}

Language LanguageFromLocaleId(const std::string& id) { return id == "0419" ? Language::Russian : Language::English; }

}  // namespace trakvella
