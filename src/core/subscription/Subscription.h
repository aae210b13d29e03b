#pragma once
// Subscription: the subscription account in use and every connection to the
// library's download server made for it — sign-in and quota, switching and
// leaving accounts, downloads of full tracks with their unpacking. It owns the
// account state; it borrows the ports, the endpoints and the network state.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/lang/MessageTable.h"
#include "core/net/Downloads.h"
#include "core/settings/ServerConfig.h"
#include "core/subscription/SubscriptionAccount.h"
#include "ports/ArchiveReader.h"
#include "ports/Clock.h"
#include "ports/Dialogs.h"
#include "ports/FtpClient.h"
#include "ports/HttpClient.h"
#include "ports/Progress.h"
#include "ports/Shell.h"
#include "ports/Trash.h"

namespace trakvella {

struct Settings;

struct SubscriptionPorts {
  FtpClient* ftp = nullptr;
  ArchiveReader* archives = nullptr;
  Trash* trash = nullptr;
  Dialogs* dialogs = nullptr;
  Progress* progress = nullptr;
  Shell* shell = nullptr;
  HttpClient* http = nullptr;
  // The short waits between the steps of a download; SystemClock() when none.
  Clock* clock = nullptr;
};

// The switches of a connection run.
struct SessionSwitches {
  bool warnQuotaOver = false;       // warn when the quota is 0 afterwards
  bool reportConnectError = false;  // an error box when connecting fails
  bool showConnecting = false;      // the progress window while connecting
  bool revealResult = false;        // show the last unpacked file in the file manager
  bool copyToLibrary = false;       // copy unpacked files into "audio/ACCOUNT/"
  // All five, as the download entry points run.
  static SessionSwitches All() { return {true, true, true, true, true}; }
};

// What became of one item of a download run.
enum class ItemResult {
  Unpacked,        // retrieved and unpacked (file: the unpacked file)
  Skipped,         // already downloaded and not asked again
  NotOnServer,     // no folder of its CD on the server: nothing retrieved
  DownloadFailed,  // the size query or the retrieval failed
  OpenFailed,      // not an archive (file: the archive, kept)
  UnpackFailed,    // extraction failed (file: the archive, kept)
  Cancelled,       // the run was cancelled before or during this item
};
std::string_view ItemResultName(ItemResult result);

struct ItemOutcome {
  std::string code;
  ItemResult result = ItemResult::Cancelled;
  std::filesystem::path file;
};

struct DownloadReport {
  bool connected = false;
  std::vector<ItemOutcome> items;  // one per item of the run, in order
  std::filesystem::path revealed;  // the file shown in the file manager, if any
};

struct Credentials {
  std::string login;
  std::string password;
};

// The quota a STAT reply gives: for each line holding "credit" and a "," with
// the first "credit" before the first ",", the text from 7 characters after
// the start of "credit" to that comma read as a decimal number (-1 when it is
// not one); a later such line overrides an earlier one; -1 without any.
int QuotaFromStatReply(const std::vector<std::string>& lines);

// A download item (a track code, a file path or address whose file name is the
// code) reduced to the code: the text after its last "\", "/" or ":", without
// the text from its last "." on.
std::string TrackCodeOfItem(std::string_view item);

// The server folders of the CDs, from the starting folder's listing: a line
// holding "KMLB_" gives the key of the 8 characters from there (the CD code) and
// the folder name from there to the line's end.
class FolderMap {
 public:
  explicit FolderMap(const std::vector<std::string>& listing);
  // The folder of a CD code, letter case ignored; the first line with the key wins.
  std::optional<std::string> Find(std::string_view cdCode) const;
  size_t size() const { return entries_.size(); }

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

// What the windows hear from the subscription and answer for it: the one way it reaches up. Each
// call has the default of a subscription without windows.
class SubscriptionView {
 public:
  virtual ~SubscriptionView() = default;
  // The main window's caption (the account in it) changed.
  virtual void CaptionChanged() {}
  // The marks of downloaded tracks changed: the main track list repaints.
  virtual void TracksChanged() {}
  // The status line of the music set window (PodStatusLbl) reads text.
  virtual void PodStatusChanged(const std::string& text) { (void)text; }
  // The sign-in window, pre-filled with the current credentials: the entered ones, or nothing
  // after Cancel (and without a window).
  virtual std::optional<Credentials> AskCredentials(const Credentials& current) {
    (void)current;
    return std::nullopt;
  }
};

// The view App hands the subscription: App's own part (the caption) first, then the window's, set
// once the window exists. App owns it; the window is borrowed.
class SubscriptionViewRelay : public SubscriptionView {
 public:
  explicit SubscriptionViewRelay(std::function<void()> captionChanged) : captionChanged_(std::move(captionChanged)) {}
  // The window's view from now on (nullptr: none again).
  void SetTarget(SubscriptionView* target) { target_ = target ? target : &none_; }

  void CaptionChanged() override {
    captionChanged_();
    target_->CaptionChanged();
  }
  void TracksChanged() override { target_->TracksChanged(); }
  void PodStatusChanged(const std::string& text) override { target_->PodStatusChanged(text); }
  std::optional<Credentials> AskCredentials(const Credentials& current) override {
    return target_->AskCredentials(current);
  }

 private:
  std::function<void()> captionChanged_;
  SubscriptionView none_;
  SubscriptionView* target_ = &none_;
};

class Subscription : private FtpStatusListener {
 public:
  // The endpoints are borrowed and outlive the subscription.
  Subscription(const SubscriptionPorts& ports, std::filesystem::path programFolder, const Endpoints& endpoints,
               const Language& language, NetworkState& network);
  Subscription(const SubscriptionPorts&, std::filesystem::path, Endpoints&&, const Language&, NetworkState&) = delete;

  // The account in use: its credentials, quota and downloaded tracks.
  const AccountState& account() const { return account_; }
  // Takes the state as the account in use, as it stands (nothing is asked or written).
  void SetAccount(AccountState state) { account_ = std::move(state); }

  // The status line of the music set window (PodStatusLbl): the FTP client's
  // status texts while connected, then the quota, in the language of the
  // moment it is read.
  std::string podStatus() const;
  const Endpoints& endpoints() const { return endpoints_; }
  const std::filesystem::path& programFolder() const { return programFolder_; }

  // The windows from now on (nullptr: none, the defaults of SubscriptionView); borrowed, they
  // outlive their use here.
  void SetView(SubscriptionView* view) { view_ = view ? view : &noView_; }

  // --- The connection frame --------------------------------------------------------
  // Connects with the current login, downloads the items into targetFolder (when
  // there are any), then asks the quota. False when connecting or logging in
  // failed (networkState 3 then).
  bool RunSubscriptionSession(const std::string& targetFolder, const std::vector<std::string>& items,
                              const SessionSwitches& switches, DownloadReport* report = nullptr);

  // --- Account files ----------------------------------------------------------------
  // Reads the account file of name: its login, password and downloaded tracks
  // become the account's, and the quota is asked (with askQuota). A missing file
  // changes nothing; nor does a pipe, a device, a folder or an outsized file of
  // that name, which is named in a message. The number of lines the file has.
  size_t ReadAccount(const std::string& name, bool askQuota = true);
  // Writes the account file of name, only while the credentials in use are the
  // file's own or the server has taken them: a refused or failed sign-in never
  // reaches the file. A name too long for a file, or a write that fails, is
  // reported. False when nothing was written.
  bool WriteAccount(const std::string& name) const;

  // --- Sign-in, switch, leave --------------------------------------------------------
  // Asks for credentials and signs in with them (PodQuotaItem, SetupPodBtn). A
  // login too long to name its account file is refused with a message.
  void SignIn();
  // Signs in first when not signed in; whether signed in afterwards.
  [[nodiscard]] bool EnsureSignedIn();
  // PodDocItem: signs in first when needed; true when the documents window may
  // open, else the "please sign in" warning (message 95) was shown.
  bool SignedInForDocuments();
  // Signs in with the stored credentials of an account of the account list.
  void SwitchAccount(const std::string& name);
  // Asks whether to delete the account's data (No is the default) and signs out
  // (quitpodpiska); the account is no longer the active one, so a library
  // initialisation does not sign it in again.
  void LeaveAccount();

  // --- Program start and end ---------------------------------------------------------
  // The account the settings file gives (ActivePodpiska, or an older file's
  // Login, Password and downloadN lines).
  void LoadFromSettings(const Settings& settings);
  // Reads the active account's file, asking the quota only while the network
  // has worked (networkState 0) and askServer is set.
  void SignInAtStart(bool askServer = true);
  // The account into the settings, and its file written while signed in. An
  // account an older settings file held is written to its account file even
  // without a password, so its lines are never lost. An active account whose
  // file was not there this time stays the active one.
  void StoreAtProgramEnd(Settings& settings);

  // --- Downloads ---------------------------------------------------------------------
  // ftpbut: the folder dialog at lastDownloadFolder, then a run with the items
  // and all five switches. False when no folder was chosen or no connection came.
  bool DownloadSet(const std::vector<std::string>& items, std::string& lastDownloadFolder,
                   DownloadReport* report = nullptr);
  // downitem: one track (its location or address), signing in first when needed.
  bool DownloadItem(const std::string& trackPathOrUrl, std::string& lastDownloadFolder,
                    DownloadReport* report = nullptr);
  // A run into a folder given by the caller (no dialog): trakvella-cli.
  bool DownloadInto(const std::string& folder, const std::vector<std::string>& items, const SessionSwitches& switches,
                    DownloadReport* report = nullptr);

  // --- The server's web log ----------------------------------------------------------
  // Appends the tracks the download server's web log lists for the login and
  // downloadedTracks lacks; the number appended.
  int MergeServerLog();

 private:
  std::string Message(Msg message) const;
  void SetPodStatus(const std::string& text);
  // The FTP session's status texts go to the status line while a session runs.
  void FtpStatus(const std::string& text) override { SetPodStatus(text); }
  void CaptionChanged() const;
  void Wait(int ms);
  bool Cancelled() const { return progress_.Cancelled(); }
  [[nodiscard]] bool QueryQuota();
  // ReadAccount; refused tells whether the file was refused for what it is.
  size_t ReadAccount(const std::string& name, bool askQuota, bool& refused);
  // The server has just taken credentials that were neither the account file's
  // nor taken before: the tracks the file lists join the account's.
  void TakeAcceptedCredentials();
  void ReportWriteFailure(Msg message, const std::string& detail) const;
  void DownloadItems(const std::vector<std::string>& items, const SessionSwitches& switches, DownloadReport* report);
  ItemOutcome DownloadOne(size_t i, size_t count, const std::string& item, const FolderMap& folders,
                          const SessionSwitches& switches, std::string& unpackedName);
  // Fetches the archive into `archive` under the download window; whether it arrived in this run.
  [[nodiscard]] bool RetrieveArchive(const std::string& remote, const std::filesystem::path& archive,
                                     const std::string& failureText, ItemOutcome& outcome);
  // Unpacks an archive that arrived in this run into the target folder and sets the outcome.
  void UnpackArchive(const std::filesystem::path& archive, const SessionSwitches& switches, std::string& unpackedName,
                     ItemOutcome& outcome);
  void CopyToLibrary(const std::string& unpackedName);
  [[nodiscard]] bool SelectTargetFolder(std::string& lastDownloadFolder, std::string& folder);

  FtpClient& ftp_;
  ArchiveReader& archives_;
  Trash& trash_;
  Dialogs& dialogs_;
  Progress& progress_;
  Shell& shell_;
  HttpClient& http_;
  Clock& clock_;
  SubscriptionView noView_;
  SubscriptionView* view_ = &noView_;
  std::filesystem::path programFolder_;
  const Endpoints& endpoints_;
  const Language& language_;
  NetworkState& network_;
  AccountState account_;
  std::string podStatus_;
  bool podStatusIsQuota_ = false;  // the line is the quota, written anew when read
  std::filesystem::path targetFolder_;
  // The tracks an older settings file listed, kept until they are stored.
  std::vector<std::string> legacyTracks_;
  bool legacyAccount_ = false;
  // The login and password in use came from the account file (or an older
  // settings file) or the server took them; only then is the account file written.
  bool credentialsTrusted_ = false;
};

}  // namespace trakvella
