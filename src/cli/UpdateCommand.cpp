// trakvella-cli update-info and version-newer: what the update check reads from
// an update page and how it compares versions, for scripts and for checking
// the web site's page. Exit status 0, 1 when the page gave no usable
// information, 2 on wrong usage.
#include <iostream>
#include <string>
#include <vector>

#include "adapters/CurlHttpClient.h"
#include "cli/CliOutput.h"
#include "core/lang/MessageTable.h"
#include "core/lang/Version.h"
#include "core/net/Downloads.h"
#include "core/startup/WebUpdate.h"
#include "core/text/Text.h"

namespace trakvella {

int CommandUpdate(const std::string& command, const std::vector<std::string>& args, int language);

namespace {

using cli::Put;

int UpdateUsageError(const std::string& text) {
  std::cerr << "trakvella-cli: " << text << '\n'
            << "usage: trakvella-cli update-info URL | version-newer LOCAL REMOTE\n";
  return 2;
}

bool HasScheme(const std::string& url) {
  return StartsWithLowerCase(url, "http://") || StartsWithLowerCase(url, "https://");
}

int UpdateInfo(const std::string& url, int language) {
  CurlHttpClient http;
  SilentProgress progress;
  cli::StderrDialogs dialogs;
  NetworkState network;
  Downloader downloader(
      http, progress, dialogs, [language] { return language; }, network);
  TWebUpdate update(downloader);
  update.ProductInfo.URL = HasScheme(url) ? url : "http://" + url;
  update.ProductInfo.Version = kFileVersion;

  const bool read = update.GetInfo();
  const UpdatePageValues& v = update.values();
  Put("product", v.productName);
  Put("version", v.version);
  Put("download", v.download);
  Put("clientSideName", v.clientFileName);
  Put("redirection", v.redirection);
  Put("runParameters", v.runParameters);
  Put("author", v.author);
  Put("email", v.email);
  const bool usable = read && !v.productName.empty() && !v.version.empty();
  Put("newer", usable && IsNewerVersion(kFileVersion, v.version) ? "1" : "0");
  if (usable) return 0;
  dialogs.Message(LangMessage(language, Msg::UpdateFailed), MessageKind::Error, MessageButtons::Ok);
  std::cerr << "trakvella-cli: "
            << (update.error().empty() ? "the update page names no product or no version" : update.error()) << '\n';
  return 1;
}

}  // namespace

int CommandUpdate(const std::string& command, const std::vector<std::string>& args, int language) {
  if (command == "version-newer") {
    if (args.size() != 2) return UpdateUsageError("version-newer wants a local and a remote version");
    Put("newer", IsNewerVersion(args[0], args[1]) ? "1" : "0");
    return 0;
  }
  if (args.size() != 1 || args[0].empty()) return UpdateUsageError("update-info wants the update page's address");
  return UpdateInfo(args[0], language);
}

}  // namespace trakvella
