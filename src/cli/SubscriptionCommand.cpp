// trakvella-cli account, quota, download and demo-download: the subscription
// account files, the download server's quota, full-track downloads with their
// unpacking, and the music set's demo download, as the windows do them.
// Messages the program would show go to stderr; questions are answered No
// unless an option says otherwise.
#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/Commands.h"
#include "core/catalogue/Catalogue.h"
#include "core/lang/MessageTable.h"
#include "core/net/Downloads.h"
#include "core/settings/ServerConfig.h"
#include "core/settings/Settings.h"
#include "core/subscription/DemoDownload.h"
#include "core/subscription/Subscription.h"
#include "ports/Progress.h"

namespace trakvella::cli {
namespace {

namespace fs = std::filesystem;

// The password: --password-stdin's line of standard input, or --password's
// value; a wrong use when neither or both are given, or no line came.
std::string PasswordOption(const Arguments& a) {
  const bool given = a.has("--password"), fromInput = a.has("--password-stdin");
  if (given == fromInput)
    throw UsageError{given ? "give --password-stdin or --password, not both"
                           : "--password-stdin or --password is wanted"};
  if (given) return a.value("--password");
  std::string password;
  if (!ReadStandardInputLine(password)) throw UsageError{"--password-stdin found no line on standard input"};
  return password;
}

// A subscription over the command's ports; questions take the answer given.
struct SubscriptionSession {
  StderrDialogs dialogs;
  NetworkState network;
  Endpoints endpoints;
  Subscription subscription;

  SubscriptionSession(const CommandContext& context, MessageAnswer answer)
      : dialogs(answer),
        endpoints(ReadServerConfig(context.programFolder)),
        subscription(SubscriptionPorts{&context.ports.ftp, &context.ports.archives, &context.ports.trash, &dialogs,
                                       &context.ports.progress, &context.ports.shell, &context.ports.http},
                     context.programFolder, endpoints, context.language, network) {}
};

}  // namespace

int CommandAccount(const CommandContext& context, const Arguments& args) {
  const std::vector<std::string>& words = args.words();
  if (words.size() != 2 || words[0] != "show") throw UsageError{"account wants: show LOGIN"};
  const fs::path file = AccountFilePath(context.programFolder, words[1]);
  if (file.empty()) throw UsageError{"no account file can be named after \"" + words[1] + "\""};
  std::error_code ec;
  const bool exists = fs::exists(file, ec);
  const AccountFile account = ReadAccountFile(file);
  Put("file", file.string());
  Put("exists", exists ? "1" : "0");
  Put("lines", std::to_string(account.lineCount));
  Put("login", account.login);
  // The password stays in the file; the output says only whether there is one.
  Put("password", account.password.empty() ? "" : "********");
  for (const std::string& code : account.downloadedTracks) Put("downloaded", code);
  Put("count", std::to_string(account.downloadedTracks.size()));
  return exists ? 0 : 1;
}

int CommandQuota(const CommandContext& context, const Arguments& a) {
  if (!a.has("--login") || !a.words().empty()) throw UsageError{"quota wants --login and a password"};
  const std::string password = PasswordOption(a);
  SubscriptionSession s(context, MessageAnswer::No);
  AccountState account = s.subscription.account();
  account.login = a.value("--login");
  account.password = password;
  s.subscription.SetAccount(std::move(account));
  SessionSwitches switches;
  switches.warnQuotaOver = true;
  switches.reportConnectError = true;
  const bool connected = s.subscription.RunSubscriptionSession("", {}, switches);
  Put("connected", connected ? "1" : "0");
  Put("quota", std::to_string(s.subscription.account().quota));
  Put("networkState", std::to_string(s.network.networkState));
  return connected ? 0 : 1;
}

int CommandDownload(const CommandContext& context, const Arguments& a) {
  if (!a.has("--login") || !a.has("--to")) throw UsageError{"download wants --login, a password and --to"};
  if (a.words().empty()) throw UsageError{"download wants at least one track code"};
  const std::string password = PasswordOption(a);
  const std::string login = a.value("--login");
  const fs::path& programFolder = context.programFolder;
  if (AccountFilePath(programFolder, login).empty()) {
    // The downloads are written to the account's file, which no such name can hold.
    StderrDialogs(MessageAnswer::No)
        .Message(LangMessage(context.language, Msg::LoginTooLong), MessageKind::Error, MessageButtons::Ok);
    return 1;
  }
  // "Already downloaded, try again?" is answered Yes only with --again.
  SubscriptionSession s(context, a.has("--again") ? MessageAnswer::Yes : MessageAnswer::No);
  Subscription& sub = s.subscription;
  AccountState account = sub.account();
  account.login = login;
  account.password = password;
  account.activeAccount = login;
  account.downloadedTracks = ReadDownloadedTracks(programFolder, login);
  sub.SetAccount(std::move(account));

  SessionSwitches switches = SessionSwitches::All();
  switches.revealResult = false;
  switches.copyToLibrary = a.has("--copy-to-library");
  DownloadReport report;
  const bool connected = sub.DownloadInto(a.value("--to"), a.words(), switches, &report);
  bool allDone = connected;
  for (const ItemOutcome& item : report.items) {
    Put("item", item.code + "|" + std::string(ItemResultName(item.result)) + "|" + item.file.string());
    allDone = allDone && (item.result == ItemResult::Unpacked || item.result == ItemResult::Skipped);
  }
  Put("quota", std::to_string(sub.account().quota));
  for (const std::string& code : sub.account().downloadedTracks) Put("downloaded", code);
  Put("networkState", std::to_string(s.network.networkState));
  return allDone ? 0 : 1;
}

int CommandDemoDownload(const CommandContext& context, const Arguments& a) {
  if (!a.has("--to") || a.words().empty()) throw UsageError{"demo-download wants --to DIR and track codes"};
  const Language language = context.language;
  const fs::path& programFolder = context.programFolder;
  StderrDialogs dialogs(MessageAnswer::No);
  if (context.offline) {
    dialogs.Message(LangMessage(language, Msg::DownloadDisabledOffline), MessageKind::Warning, MessageButtons::Ok);
    return 1;
  }
  // The demo server the settings choose, else server 1.
  Settings settings;
  // Without a settings file the defaults choose the server, as the program does.
  (void)ReadSettings(programFolder, settings);
  const Endpoints endpoints = ReadServerConfig(programFolder);
  std::string base = DemoBaseUrl(settings, endpoints);
  if (base.empty()) base = endpoints.demoServer1;

  NetworkState network;
  Downloader downloader(context.ports.http, context.ports.progress, dialogs, language, network);
  bool all = true;
  for (const DemoDownloadItem& item :
       DownloadDemosInto(downloader, dialogs, *context.catalogue, a.words(), base, a.value("--to"), language)) {
    Put("item", item.code + "|" + (item.kept ? "ok" : "failed") + "|" + item.file.string());
    all = all && item.kept;
  }
  Put("networkState", std::to_string(network.networkState));
  return all ? 0 : 1;
}

}  // namespace trakvella::cli
