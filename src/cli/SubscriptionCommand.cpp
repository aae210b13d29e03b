// trakvella-cli account, quota, download and demo-download: the subscription
// account files, the download server's quota, full-track downloads with their
// unpacking, and the music set's demo download, as the windows do them.
// Messages the program would show go to stderr; questions are answered No
// unless an option says otherwise.
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "adapters/CurlFtpClient.h"
#include "adapters/CurlHttpClient.h"
#include "adapters/FreedesktopTrash.h"
#include "adapters/LibarchiveReader.h"
#include "cli/CliOutput.h"
#include "core/catalogue/Catalogue.h"
#include "core/lang/MessageTable.h"
#include "core/net/Downloads.h"
#include "core/settings/ServerConfig.h"
#include "core/settings/Settings.h"
#include "core/subscription/DemoDownload.h"
#include "core/subscription/Subscription.h"
#include "ports/Progress.h"
#include "ports/Shell.h"

namespace trakvella {

int CommandSubscription(const std::string& command, const std::vector<std::string>& args,
                        const std::filesystem::path& programFolder, int language);
int CommandDemoDownload(const Catalogue& catalogue, const std::vector<std::string>& args,
                        const std::filesystem::path& programFolder, int language, bool offline);

namespace {

using cli::Put;
namespace fs = std::filesystem;

constexpr const char* kSubscriptionUsage =
    "usage: trakvella-cli account show LOGIN\n"
    "       trakvella-cli quota --login L (--password-stdin | --password P)\n"
    "       trakvella-cli download --login L (--password-stdin | --password P) --to DIR [--copy-to-library] [--again]\n"
    "                     CODE...\n"
    "       (--password-stdin reads the password from the first line of standard input; --password shows it to\n"
    "       every local user in the process list)\n"
    "       trakvella-cli demo-download --to DIR CODE...\n";

int UsageError(const std::string& text) {
  std::cout.flush();
  std::cerr << "trakvella-cli: " << text << '\n' << kSubscriptionUsage;
  return 2;
}

// The options of a command ("--name value" or a flag) and its other words.
struct Arguments {
  std::map<std::string, std::string> options;
  std::vector<std::string> words;
};

bool ParseArguments(const std::vector<std::string>& args, const std::map<std::string, bool>& known, Arguments& out,
                    std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() > 2 && a.starts_with("--")) {
      auto option = known.find(a);
      if (option == known.end()) {
        error = "unknown option " + a;
        return false;
      }
      if (option->second) {
        if (i + 1 >= args.size()) {
          error = a + " wants a value";
          return false;
        }
        out.options[a] = args[++i];
      } else {
        out.options[a].assign(1, '1');
      }
    } else {
      out.words.push_back(a);
    }
  }
  return true;
}

// The password: --password-stdin's line of standard input, or --password's
// value. Empty with an error when neither or both are given, or no line came.
bool PasswordOption(const Arguments& a, std::string& password, std::string& error) {
  const bool given = a.options.count("--password") > 0, fromInput = a.options.count("--password-stdin") > 0;
  if (given == fromInput) {
    error = given ? "give --password-stdin or --password, not both" : "--password-stdin or --password is wanted";
    return false;
  }
  if (given) {
    password = a.options.at("--password");
    return true;
  }
  if (!cli::ReadStandardInputLine(password)) {
    error = "--password-stdin found no line on standard input";
    return false;
  }
  return true;
}

// A shell that shows nothing: a command line has no file manager to open.
class NoShell : public Shell {
 public:
  bool OpenUrl(const std::string&) override { return false; }
  bool OpenFile(const std::string&) override { return false; }
  bool RevealFile(const std::string&) override { return false; }
  bool Run(const std::string&, const std::vector<std::string>&) override { return false; }
};

// The adapters a subscription command runs on.
struct SubscriptionSession {
  CurlFtpClient ftp;
  LibarchiveReader archives;
  FreedesktopTrash trash;
  cli::StderrDialogs dialogs;
  SilentProgress progress;
  NoShell shell;
  CurlHttpClient http;
  NetworkState network;
  Subscription subscription;

  SubscriptionSession(const fs::path& programFolder, int language, MessageAnswer answer)
      : dialogs(answer),
        subscription(
            SubscriptionPorts{&ftp, &archives, &trash, &dialogs, &progress, &shell, &http}, programFolder,
            ReadServerConfig(programFolder), [language] { return language; }, network) {}
};

int AccountShow(const std::vector<std::string>& words, const fs::path& programFolder) {
  if (words.size() != 2 || words[0] != "show") return UsageError("account wants: show LOGIN");
  const fs::path file = AccountFilePath(programFolder, words[1]);
  if (file.empty()) return UsageError("no account file can be named after \"" + words[1] + "\"");
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

int Quota(const Arguments& a, const fs::path& programFolder, int language) {
  if (!a.options.count("--login") || !a.words.empty()) return UsageError("quota wants --login and a password");
  std::string password, error;
  if (!PasswordOption(a, password, error)) return UsageError(error);
  SubscriptionSession s(programFolder, language, MessageAnswer::No);
  s.subscription.account.login = a.options.at("--login");
  s.subscription.account.password = password;
  SessionSwitches switches;
  switches.warnQuotaOver = true;
  switches.reportConnectError = true;
  const bool connected = s.subscription.RunSubscriptionSession("", {}, switches);
  Put("connected", connected ? "1" : "0");
  Put("quota", std::to_string(s.subscription.account.quota));
  Put("networkState", std::to_string(s.network.networkState));
  return connected ? 0 : 1;
}

int Download(const Arguments& a, const fs::path& programFolder, int language) {
  if (!a.options.count("--login") || !a.options.count("--to"))
    return UsageError("download wants --login, a password and --to");
  if (a.words.empty()) return UsageError("download wants at least one track code");
  std::string password, error;
  if (!PasswordOption(a, password, error)) return UsageError(error);
  const std::string login = a.options.at("--login");
  if (AccountFilePath(programFolder, login).empty()) {
    // The downloads are written to the account's file, which no such name can hold.
    cli::StderrDialogs(MessageAnswer::No)
        .Message(LangMessage(language, Msg::LoginTooLong), MessageKind::Error, MessageButtons::Ok);
    return 1;
  }
  // "Already downloaded, try again?" is answered Yes only with --again.
  SubscriptionSession s(programFolder, language, a.options.count("--again") ? MessageAnswer::Yes : MessageAnswer::No);
  Subscription& sub = s.subscription;
  sub.account.login = login;
  sub.account.password = password;
  sub.account.activeAccount = login;
  sub.account.downloadedTracks = ReadDownloadedTracks(programFolder, login);

  SessionSwitches switches = SessionSwitches::All();
  switches.revealResult = false;
  switches.copyToLibrary = a.options.count("--copy-to-library") > 0;
  DownloadReport report;
  const bool connected = sub.DownloadInto(a.options.at("--to"), a.words, switches, &report);
  bool allDone = connected;
  for (const ItemOutcome& item : report.items) {
    Put("item", item.code + "|" + std::string(ItemResultName(item.result)) + "|" + item.file.string());
    allDone = allDone && (item.result == ItemResult::Unpacked || item.result == ItemResult::Skipped);
  }
  Put("quota", std::to_string(sub.account.quota));
  for (const std::string& code : sub.account.downloadedTracks) Put("downloaded", code);
  Put("networkState", std::to_string(s.network.networkState));
  return allDone ? 0 : 1;
}

}  // namespace

int CommandSubscription(const std::string& command, const std::vector<std::string>& args, const fs::path& programFolder,
                        int language) {
  Arguments a;
  std::string error;
  if (command == "account") {
    if (!ParseArguments(args, {}, a, error)) return UsageError(error);
    return AccountShow(a.words, programFolder);
  }
  if (command == "quota") {
    if (!ParseArguments(args, {{"--login", true}, {"--password", true}, {"--password-stdin", false}}, a, error))
      return UsageError(error);
    return Quota(a, programFolder, language);
  }
  if (!ParseArguments(args,
                      {{"--login", true},
                       {"--password", true},
                       {"--password-stdin", false},
                       {"--to", true},
                       {"--copy-to-library", false},
                       {"--again", false}},
                      a, error))
    return UsageError(error);
  return Download(a, programFolder, language);
}

int CommandDemoDownload(const Catalogue& catalogue, const std::vector<std::string>& args, const fs::path& programFolder,
                        int language, bool offline) {
  Arguments a;
  std::string error;
  if (!ParseArguments(args, {{"--to", true}}, a, error)) return UsageError(error);
  if (!a.options.count("--to") || a.words.empty()) return UsageError("demo-download wants --to DIR and track codes");
  cli::StderrDialogs dialogs(MessageAnswer::No);
  if (offline) {
    dialogs.Message(LangMessage(language, Msg::DownloadDisabledOffline), MessageKind::Warning, MessageButtons::Ok);
    return 1;
  }
  // The demo server the settings choose, else server 1.
  Settings settings;
  ReadSettings(programFolder, settings);
  const Endpoints endpoints = ReadServerConfig(programFolder);
  std::string base = DemoBaseUrl(settings, endpoints);
  if (base.empty()) base = endpoints.demoServer1;

  CurlHttpClient http;
  SilentProgress progress;
  NetworkState network;
  Downloader downloader(
      http, progress, dialogs, [language] { return language; }, network);
  bool all = true;
  for (const DemoDownloadItem& item :
       DownloadDemosInto(downloader, dialogs, catalogue, a.words, base, a.options.at("--to"), language)) {
    Put("item", item.code + "|" + (item.kept ? "ok" : "failed") + "|" + item.file.string());
    all = all && item.kept;
  }
  Put("networkState", std::to_string(network.networkState));
  return all ? 0 : 1;
}

}  // namespace trakvella
