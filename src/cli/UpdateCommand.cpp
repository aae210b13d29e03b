// trakvella-cli update-info and version-newer: what the update check reads from
// an update page and how it compares versions, for scripts and for checking
// the web site's page. Exit status 0, 1 when the page gave no usable
// information, 2 on wrong usage.
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/Commands.h"
#include "core/lang/MessageTable.h"
#include "core/lang/Version.h"
#include "core/net/Downloads.h"
#include "core/startup/WebUpdate.h"
#include "core/text/Text.h"

namespace trakvella::cli {
namespace {

bool HasScheme(const std::string& url) {
  return StartsWithLowerCase(url, "http://") || StartsWithLowerCase(url, "https://");
}

int UpdateInfo(const std::string& url, Language language, CliPorts& ports) {
  StderrDialogs dialogs;
  NetworkState network;
  Downloader downloader(ports.http, ports.progress, dialogs, language, network);
  TWebUpdate update(downloader);
  update.product.URL = HasScheme(url) ? url : "http://" + url;
  update.product.Version = kFileVersion;

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

int CommandVersionNewer(const CommandContext&, const Arguments& args) {
  if (args.words().size() != 2) throw UsageError{"version-newer wants a local and a remote version"};
  Put("newer", IsNewerVersion(args.words()[0], args.words()[1]) ? "1" : "0");
  return 0;
}

int CommandUpdateInfo(const CommandContext& context, const Arguments& args) {
  if (args.words().size() != 1 || args.words()[0].empty())
    throw UsageError{"update-info wants the update page's address"};
  return UpdateInfo(args.words()[0], context.language, context.ports);
}

}  // namespace trakvella::cli
