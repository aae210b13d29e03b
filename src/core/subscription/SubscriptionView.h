#pragma once
// SubscriptionView: what the subscription windows show, decided without them —
// the sign-in window's fields, the music set window's subscription controls,
// the "Подписка" menu, the caption's subscription part and the downloaded
// tracks in the main list. Plain values; the windows copy them into controls.
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/Language.h"
#include "core/settings/ServerConfig.h"
#include "core/subscription/SubscriptionAccount.h"

namespace trakvella {

class Browser;
class MusicSet;
class Progress;
class Subscription;

// Both fields filled in.
bool PassLoginCorrect(const std::string& login, const std::string& password);

// The sign-in window (TSignInForm) as a value.
struct SignInFields {
  std::string login;
  std::string password;
  bool passwordMasked = true;  // passEdit shows "*"
  bool closed = false;
  bool accepted = false;

  // SignInBut is enabled exactly when both fields are filled in.
  bool SignInEnabled() const { return PassLoginCorrect(login, password); }
  // SignInBut, or Enter in passEdit: closes the window, accepted, when both
  // fields are filled in; nothing otherwise. True when it closed.
  bool Accept();
  // CancelBut: both fields emptied, the window closed, not accepted.
  void Cancel();
  // PassViewBtn: masked or plain.
  void TogglePasswordView() { passwordMasked = !passwordMasked; }
};

// The music set window's subscription controls (SubscriptionPanelOf).
struct SubscriptionPanelState {
  // logEdit, passEdit, PassViewBtn, ftpbut, ftplabel and PodStatusLbl show while
  // signed in; SetupPodBtn shows otherwise.
  bool accountControlsVisible = false;
  bool setupButtonVisible = true;
  std::string loginText;     // logEdit
  std::string passwordText;  // passEdit (masked by the window)
  std::string ftpLabel;      // the download server's host
  std::string statusText;    // PodStatusLbl
};
SubscriptionPanelState SubscriptionPanelOf(const AccountState& account, const Endpoints& endpoints,
                                           const std::string& podStatus);

// The "Подписка" menu when it opens.
struct PodpMenu {
  bool showDownloadedEnabled = false;  // ShowDownloadedTracks
  bool documentsEnabled = false;       // PodDocItem
  bool leaveEnabled = false;           // quitpodpiska
  bool accountListVisible = false;     // ShowPodListItem, hidden without account files
  std::vector<AccountListEntry> accounts;
};
PodpMenu PodpMenuState(const AccountState& account, const std::filesystem::path& programFolder);

// The end of the main window's caption while signed in: " | Подписка LOGIN
// (осталось: N) " or, with the quota unknown, " | Подписка LOGIN (вход не
// выполнен) "; empty when not signed in.
std::string SubscriptionCaption(const AccountState& account, Language language);
// downitem's track: the selected set entry while the set window is visible,
// else the selected track of the main list, as a path or demo address; empty
// when nothing is selected.
std::string DownloadItemAddress(bool musicSetShown, const MusicSet& set, const Browser& browser,
                                std::string_view demoBaseUrl);

// ShowDownloadedTracks: the server's web log merged into the downloaded tracks, which the
// main list then shows as a result under "* ALL LIBRARY >> … ALL CDS" with
// their CDs; playback stops and the first track is selected and played.
void ShowDownloadedTracks(Subscription& subscription, Browser& browser, Progress& progress, Language language);

}  // namespace trakvella
