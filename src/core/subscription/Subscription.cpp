// Subscription: the connection frame, the quota, account files, sign-in,
// switching and leaving accounts, program start and end, the web log.
#include "core/subscription/Subscription.h"

#include "core/lang/FileMessages.h"
#include "core/lang/MessageTable.h"
#include "core/net/TlsAccounts.h"
#include "core/settings/Settings.h"
#include "core/text/Text.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

constexpr int kFtpTimeoutMs = 5000;
// The STAT reply, however the server trickles or pads it.
constexpr FtpLimits kFtpReplyLimits{30000, 4 << 20};

// The number after "credit " up to the comma, or -1.
int CreditNumber(std::string_view text) {
  // Leading blanks are read over, as the old number reading did; then an
  // optional sign and digits, nothing else.
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  long long value = 0;
  if (!ParseInt(text, value) || value < INT32_MIN || value > INT32_MAX) return kQuotaUnknown;
  return static_cast<int>(value);
}

}  // namespace

int QuotaFromStatReply(const std::vector<std::string>& lines) {
  constexpr std::string_view kCredit = "credit";
  int quota = kQuotaUnknown;
  for (const std::string& line : lines) {
    const size_t credit = line.find(kCredit);
    const size_t comma = line.find(',');
    if (credit == std::string::npos || comma == std::string::npos || credit > comma) continue;
    const size_t from = credit + kCredit.size() + 1;
    quota = from <= comma ? CreditNumber(std::string_view(line).substr(from, comma - from)) : kQuotaUnknown;
  }
  return quota;
}

Subscription::Subscription(const SubscriptionPorts& ports, fs::path programFolder, const Endpoints& endpoints,
                           const Language& language, NetworkState& network)
    : ftp_(*ports.ftp),
      archives_(*ports.archives),
      trash_(*ports.trash),
      dialogs_(*ports.dialogs),
      progress_(*ports.progress),
      shell_(*ports.shell),
      http_(*ports.http),
      clock_(ports.clock ? *ports.clock : SystemClock()),
      programFolder_(std::move(programFolder)),
      endpoints_(endpoints),
      language_(language),
      network_(network) {}

std::string Subscription::Message(Msg message) const { return LangMessage(language_, message); }

void Subscription::SetPodStatus(const std::string& text) {
  podStatus_ = text;
  podStatusIsQuota_ = false;
  view_->PodStatusChanged(podStatus_);
}

std::string Subscription::podStatus() const {
  if (!podStatusIsQuota_) return podStatus_;
  if (account_.quota == kQuotaUnknown) return {};
  return Message(Msg::TracksLeft) + std::to_string(account_.quota);
}

void Subscription::CaptionChanged() const { view_->CaptionChanged(); }

void Subscription::Wait(int ms) { WaitPumping(clock_, progress_, ms); }

// --- The connection frame -------------------------------------------------------------

bool Subscription::RunSubscriptionSession(const std::string& targetFolder, const std::vector<std::string>& items,
                                          const SessionSwitches& switches, DownloadReport* report) {
  if (switches.showConnecting) progress_.ShowProgress(Message(Msg::ConnectingServer), ProgressMode::Show, true);
  progress_.SetStatus("");  // the line an earlier operation left
  progress_.ClearCancel();
  targetFolder_ = targetFolder;
  network_.networkState = kNetworkWorking;

  FtpLogin login;
  login.host = endpoints_.ftpHost;
  login.port = endpoints_.ftpPort;
  login.user = account_.login;
  login.password = account_.password;
  login.connectTimeoutMs = kFtpTimeoutMs;
  login.readTimeoutMs = kFtpTimeoutMs;
  // Once this account's server offered TLS, one that does not is refused
  // before the password is sent.
  login.requireTls = TlsSeen(programFolder_, account_.login);
  login.caFile = endpoints_.ftpCaFile;
  ftp_.SetStatusListener(this);

  const Status status = ftp_.Connect(login);
  const bool connected = status.ok();
  const std::string error = !connected && ftp_.TlsMissing() ? Message(Msg::FtpTlsRefused) : status.message();
  // Not remembered (the program folder is read-only): the session goes on, and
  // the next one asks for TLS only as this one did.
  if (connected && ftp_.Encrypted()) (void)RememberTls(programFolder_, account_.login);
  if (!connected) {
    ftp_.SetStatusListener(nullptr);
    network_.networkState = kNetworkOffline;
    progress_.ShowProgress("", ProgressMode::Hide);
    CaptionChanged();
    if (switches.reportConnectError) {
      dialogs_.Message(Message(Msg::SubscriptionDocuments) + ": " + account_.login + "\r" +
                           Message(Msg::ConnectionFailed) + "\r" + error,
                       MessageKind::Error, MessageButtons::Ok);
    }
    if (report) report->connected = false;
    return false;
  }
  if (report) report->connected = true;
  if (!credentialsTrusted_) TakeAcceptedCredentials();
  progress_.pump();
  if (!items.empty()) DownloadItems(items, switches, report);
  progress_.ShowProgress("", ProgressMode::Hide);
  progress_.pump();

  const bool quotaRead = QueryQuota();
  ftp_.SetStatusListener(nullptr);
  if (!quotaRead) return true;
  if (switches.warnQuotaOver && account_.quota == 0) {
    dialogs_.Message(Message(Msg::SubscriptionDocuments) + ": " + account_.login + "\r" + Message(Msg::QuotaOver),
                     MessageKind::Warning, MessageButtons::Ok);
  }
  CaptionChanged();
  return true;
}

void Subscription::TakeAcceptedCredentials() {
  credentialsTrusted_ = true;
  // Whatever a failed sign-in before left in memory, the file's list stays.
  const fs::path path = AccountFilePath(programFolder_, account_.login);
  if (path.empty()) return;
  std::vector<std::string> tracks = ReadAccountFile(path).downloadedTracks;
  std::swap(tracks, account_.downloadedTracks);
  for (const std::string& code : tracks) account_.AddDownloaded(code);
}

bool Subscription::QueryQuota() {
  std::vector<std::string> reply;
  const bool answered = ftp_.Command("STAT", reply, kFtpReplyLimits).ok();
  ftp_.Disconnect();
  // Without a reply the quota stays what it was.
  if (!answered) return false;
  account_.quota = QuotaFromStatReply(reply);
  podStatusIsQuota_ = true;
  view_->PodStatusChanged(podStatus());
  return true;
}

// --- Account files ------------------------------------------------------------------

size_t Subscription::ReadAccount(const std::string& name, bool askQuota) {
  bool refused = false;
  return ReadAccount(name, askQuota, refused);
}

size_t Subscription::ReadAccount(const std::string& name, bool askQuota, bool& refused) {
  refused = false;
  const fs::path path = AccountFilePath(programFolder_, name);
  std::error_code ec;
  if (path.empty() || !fs::exists(path, ec)) return 0;
  Status problem;
  const AccountFile file = ReadAccountFile(path, &problem);
  // A pipe, a device, a folder or an outsized file of that name is named, and
  // the account stays as it was.
  if (IsRefusedFile(problem)) {
    refused = true;
    dialogs_.Message(FileReadMessage(language_, path, problem, FileKind::Account), MessageKind::Error,
                     MessageButtons::Ok);
    return 0;
  }
  account_.quota = kQuotaUnknown;
  account_.downloadedTracks.clear();
  if (file.lineCount == 0) return 0;
  account_.login = file.login;
  account_.activeAccount = file.login;
  account_.password = file.password;
  credentialsTrusted_ = true;
  if (askQuota) {
    SessionSwitches switches;
    switches.warnQuotaOver = true;
    switches.reportConnectError = true;
    RunSubscriptionSession("", {}, switches);
  }
  account_.downloadedTracks = file.downloadedTracks;
  return file.lineCount;
}

bool Subscription::WriteAccount(const std::string& name) const {
  if (name.empty() || !credentialsTrusted_) return false;
  const fs::path path = AccountFilePath(programFolder_, name);
  if (path.empty()) {
    ReportWriteFailure(Msg::LoginTooLong, "");
    return false;
  }
  if (!WriteAccountFile(programFolder_, name, account_)) {
    ReportWriteFailure(Msg::AccountFileNotSaved, path.string());
    return false;
  }
  return true;
}

void Subscription::ReportWriteFailure(Msg message, const std::string& detail) const {
  dialogs_.Message(Message(message) + detail, MessageKind::Error, MessageButtons::Ok);
}

// --- Sign-in, switch, leave ---------------------------------------------------------

void Subscription::SignIn() {
  if (account_.SignedIn()) WriteAccount(account_.activeAccount);
  const std::optional<Credentials> entered = view_->AskCredentials({account_.login, account_.password});
  if (!entered || entered->login.empty() || entered->password.empty()) return;
  // A login no file can be named after could never keep its account.
  if (AccountFilePath(programFolder_, entered->login).empty()) {
    dialogs_.Message(Message(Msg::LoginTooLong), MessageKind::Error, MessageButtons::Ok);
    return;
  }

  account_.quota = kQuotaUnknown;
  account_.login = entered->login;
  account_.password = entered->password;
  // Nothing is known of these credentials until the server takes them, and the
  // previous account's tracks are not theirs.
  credentialsTrusted_ = false;
  account_.downloadedTracks.clear();
  SessionSwitches switches;
  switches.showConnecting = true;
  switches.reportConnectError = true;
  if (RunSubscriptionSession("", {}, switches)) {
    progress_.pump();
    const int quota = account_.quota;
    // The quota was just read with the entered credentials; the file's own,
    // possibly outdated, password is not tried on the server again.
    bool refused = false;
    if (ReadAccount(entered->login, false, refused) == 0) {
      // A new account, or one whose file was refused for what it is (named
      // already; the write that follows is refused too and reported, and the
      // file stays as it is).
      account_.downloadedTracks.clear();
      account_.activeAccount = entered->login;
      WriteAccount(account_.activeAccount);
      CaptionChanged();
      if (!refused) {
        dialogs_.Message(
            Message(Msg::NewSubscription) + entered->login + "\r" + Message(Msg::TracksLeft) + std::to_string(quota),
            MessageKind::Information, MessageButtons::Ok);
      }
    } else {
      // A known account: the credentials just entered are the ones the server
      // took, whatever the file held (its Login line may be damaged or missing).
      account_.login = entered->login;
      account_.password = entered->password;
      // The second quota query of reading a known account, with the credentials
      // the server took rather than the file's old ones: it warns when the
      // quota is used up.
      SessionSwitches second;
      second.warnQuotaOver = true;
      second.reportConnectError = true;
      RunSubscriptionSession("", {}, second);
      account_.quota = quota;
      account_.activeAccount = entered->login;
      WriteAccount(account_.activeAccount);
      CaptionChanged();
      if (quota > 0) {
        dialogs_.Message(Message(Msg::SubscriptionDocuments) + ": " + entered->login + "\r" + Message(Msg::TracksLeft) +
                             std::to_string(quota),
                         MessageKind::Information, MessageButtons::Ok);
      }
    }
  } else {
    // The entered credentials stay: signed in, quota unknown.
    account_.downloadedTracks.clear();
    account_.quota = kQuotaUnknown;
    account_.activeAccount = entered->login;
    CaptionChanged();
  }
  view_->TracksChanged();
}

bool Subscription::EnsureSignedIn() {
  if (!account_.SignedIn()) SignIn();
  return account_.SignedIn();
}

bool Subscription::SignedInForDocuments() {
  if (EnsureSignedIn()) return true;
  dialogs_.Message(Message(Msg::PleaseSignIn), MessageKind::Warning, MessageButtons::Ok);
  return false;
}

void Subscription::SwitchAccount(const std::string& name) {
  progress_.ShowProgress(Message(Msg::ConnectingServer), ProgressMode::Show);
  ReadAccount(name);
  progress_.ShowProgress("", ProgressMode::Hide);
  if (account_.quota > 0) {
    dialogs_.Message(Message(Msg::SubscriptionDocuments) + ": " + account_.login + "\r" + Message(Msg::TracksLeft) +
                         std::to_string(account_.quota),
                     MessageKind::Information, MessageButtons::Ok);
  }
  CaptionChanged();
  view_->TracksChanged();
}

void Subscription::LeaveAccount() {
  const MessageAnswer answer =
      dialogs_.Message(Message(Msg::ExitingSubscription) + account_.activeAccount + "\r" + Message(Msg::DeleteAllData),
                       MessageKind::Warning, MessageButtons::YesNoCancelDefaultNo);
  if (answer == MessageAnswer::No) {
    if (account_.SignedIn()) WriteAccount(account_.activeAccount);
  } else if (answer == MessageAnswer::Yes) {
    const fs::path file = AccountFilePath(programFolder_, account_.activeAccount);
    std::error_code ec;
    if (!file.empty()) fs::remove(file, ec);
  } else {
    return;
  }
  account_.downloadedTracks.clear();
  account_.login.clear();
  account_.password.clear();
  account_.activeAccount.clear();
  account_.quota = kQuotaUnknown;
  credentialsTrusted_ = false;
  legacyAccount_ = false;
  legacyTracks_.clear();
  view_->TracksChanged();
  CaptionChanged();
}

// --- Program start and end --------------------------------------------------------------

void Subscription::LoadFromSettings(const Settings& settings) {
  account_.activeAccount = settings.activeAccount;
  account_.login = settings.login;
  account_.password = settings.password;
  account_.downloadedTracks = settings.downloadedTracks;
  account_.quota = kQuotaUnknown;
  // The settings file fills these only from the keys of older versions.
  legacyAccount_ = !settings.login.empty() || !settings.password.empty() || !settings.downloadedTracks.empty();
  legacyTracks_ = settings.downloadedTracks;
  // The old program stored these itself.
  credentialsTrusted_ = legacyAccount_;
}

void Subscription::SignInAtStart(bool askServer) {
  progress_.ShowProgress(Message(Msg::EnteringAccount), ProgressMode::Show);
  // Without a working network the file is still read (so the account stays
  // signed in and its downloads are shown), only the server is not asked.
  if (!account_.activeAccount.empty())
    ReadAccount(account_.activeAccount, askServer && network_.networkState == kNetworkWorking);
  // Tracks an older settings file listed join the account's own.
  for (const std::string& code : legacyTracks_) account_.AddDownloaded(code);
  progress_.ShowProgress("", ProgressMode::Hide);
  CaptionChanged();
}

void Subscription::StoreAtProgramEnd(Settings& settings) {
  if (account_.SignedIn()) {
    account_.activeAccount = account_.login;
    WriteAccount(account_.activeAccount);
  } else if (legacyAccount_ && !account_.login.empty()) {
    WriteAccount(account_.login);
  }
  // Signed in, the login is the active account; signed out by leaving, there is
  // none; otherwise the account the settings named stays named, its file
  // missing this time or not.
  settings.activeAccount = account_.activeAccount;
  settings.login = account_.login;
  settings.password = account_.password;
  settings.downloadedTracks = account_.downloadedTracks;
}

// --- The server's web log ---------------------------------------------------------------

int Subscription::MergeServerLog() {
  if (account_.login.empty()) return 0;
  // Fetched into memory: the log is read once and not kept.
  Downloader downloader(http_, progress_, dialogs_, language_, network_);
  const HttpGetResult log = downloader.HttpGet(ServerLogUrl(endpoints_, account_.login), "", "", false, false, "");
  if (!log.success) return 0;
  int added = 0;
  for (const std::string& line : SplitLines(log.text)) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string name = line.substr(0, eq);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    if (!name.empty() && account_.AddDownloaded(name)) ++added;
  }
  return added;
}

}  // namespace trakvella
