// SubscriptionView: the subscription windows' state as values.
#include "core/subscription/SubscriptionView.h"

#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/TrackCodes.h"
#include "core/lang/MessageTable.h"
#include "core/musicset/MusicSetEnabling.h"
#include "core/subscription/Subscription.h"
#include "ports/Progress.h"

namespace trakvella {

bool PassLoginCorrect(const std::string& login, const std::string& password) {
  return !login.empty() && !password.empty();
}

bool SignInFields::Accept() {
  if (!SignInEnabled()) return false;
  closed = true;
  accepted = true;
  return true;
}

void SignInFields::Cancel() {
  login.clear();
  password.clear();
  closed = true;
  accepted = false;
}

SubscriptionPanelState SubscriptionPanelOf(const AccountState& account, const Endpoints& endpoints,
                                           const std::string& podStatus) {
  SubscriptionPanelState panel;
  panel.accountControlsVisible = account.SignedIn();
  panel.setupButtonVisible = !panel.accountControlsVisible;
  panel.loginText = account.login;
  panel.passwordText = account.password;
  panel.ftpLabel = endpoints.ftpHost;
  panel.statusText = podStatus;
  return panel;
}

PodpMenu PodpMenuState(const AccountState& account, const std::filesystem::path& programFolder) {
  PodpMenu menu;
  menu.showDownloadedEnabled = menu.documentsEnabled = menu.leaveEnabled = account.SignedIn();
  menu.accounts = FindAccountFiles(programFolder);
  menu.accountListVisible = !menu.accounts.empty();
  return menu;
}

std::string SubscriptionCaption(const AccountState& account, Language language) {
  if (!account.SignedIn()) return {};
  std::string caption = " | " + LangMessage(language, Msg::SubscriptionDocuments) + " " + account.login + " (";
  if (account.quota == kQuotaUnknown)
    caption += LangMessage(language, Msg::NotEntered);
  else
    caption += LangMessage(language, Msg::TracksLeftLower) + std::to_string(account.quota);
  return caption + ") ";
}

std::string DownloadItemAddress(bool musicSetShown, const MusicSet& set, const Browser& browser,
                                std::string_view demoBaseUrl) {
  if (musicSetShown) return SelectedEntryAddress(set, demoBaseUrl);
  const TrackRecord* track = browser.SelectedTrack();
  return track ? TrackPathOrUrl(track->location, demoBaseUrl) : std::string();
}

void ShowDownloadedTracks(Subscription& subscription, Browser& browser, Progress& progress, Language language) {
  progress.ShowProgress(LangMessage(language, Msg::InProgress), ProgressMode::Show);
  browser.EnterResultMode();
  subscription.MergeServerLog();
  browser.ListTracks(subscription.account().downloadedTracks, std::nullopt, true, std::string(kAllCdsPath));
  progress.ShowProgress("", ProgressMode::Hide);
  if (browser.hooks.stopPlayback) browser.hooks.stopPlayback();
  if (browser.rowCount() > 0) {
    browser.SelectRow(0);
    if (browser.hooks.playCurrent) browser.hooks.playCurrent(false);
  }
}

}  // namespace trakvella
