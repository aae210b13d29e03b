#include "core/app/MainWindowCaption.h"

#include "core/catalogue/Catalogue.h"
#include "core/lang/MessageTable.h"
#include "core/lang/Version.h"
#include "core/subscription/Subscription.h"

namespace trakvella {

std::string MainWindowCaption(const Catalogue& catalogue, Language lang, const CaptionAccount& account) {
  std::string caption = kApplicationTitle;
  if (catalogue.Offline()) caption += " -offline";
  caption += " ";
  caption += kFileVersion;
  caption += " - " + LangMessage(lang, Msg::CdsCount) + std::to_string(catalogue.CdCount());
  caption += " | " + LangMessage(lang, Msg::TracksCount) + std::to_string(catalogue.TrackCount());
  if (!account.login.empty() && !account.password.empty()) {
    caption += " | " + LangMessage(lang, Msg::SubscriptionDocuments) + " " + account.login;
    if (account.quota < 0)
      caption += " (" + LangMessage(lang, Msg::NotEntered) + ") ";
    else
      caption += " (" + LangMessage(lang, Msg::TracksLeftLower) + std::to_string(account.quota) + ") ";
  }
  if (!catalogue.Errors().empty())
    caption += " | " + LangMessage(lang, Msg::ErrorsCount) + std::to_string(catalogue.Errors().size());
  return caption;
}

std::string MainWindowCaption(const Catalogue& catalogue, Language language, const Subscription* subscription) {
  CaptionAccount account;
  if (subscription) {
    const AccountState& a = subscription->account();
    account = {a.login, a.password, a.quota};
  }
  return MainWindowCaption(catalogue, language, account);
}

}  // namespace trakvella
