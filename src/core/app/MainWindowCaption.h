#pragma once
// MainWindowCaption: the main window's caption — the program's title and version, the counts of the
// catalogue as loaded, the subscription account while it is signed in, and the load's errors.
#include <string>

#include "core/lang/Language.h"

namespace trakvella {

class Catalogue;
class Subscription;

// The subscription state shown in the caption (signed in when both are filled).
struct CaptionAccount {
  std::string login;
  std::string password;
  int quota = -1;  // -1 = unknown
};

// The caption for the catalogue as loaded, with the account while it is signed in.
std::string MainWindowCaption(const Catalogue& catalogue, Language language, const CaptionAccount& account = {});
// The same with the account of the subscription (none when subscription is null).
std::string MainWindowCaption(const Catalogue& catalogue, Language language, const Subscription* subscription);

}  // namespace trakvella
