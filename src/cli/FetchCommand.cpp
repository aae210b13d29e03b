// trakvella-cli fetch: one file download as the program's windows do it, for
// scripts and for trying the library's servers. Prints result=, file=, size=
// and networkState=; the messages the program would show go to stderr. Exits
// with 0 when the file arrived, 1 when not, 2 on wrong usage.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/Commands.h"
#include "core/net/Downloads.h"
#include "ports/Dialogs.h"

namespace trakvella::cli {

// Questions ("Continue?" after a failed file) are answered No, so a run without
// a user stops at its first failure instead of asking on.
int CommandFetch(const CommandContext& context, const Arguments& args) {
  std::optional<std::string> name;
  for (const auto& [option, value] : args.given()) {
    if (option != "--name") continue;
    // A file name, in FOLDER: "../../x" is saved as FOLDER/x.
    name = LastPathElement(value);
    if (name->empty() || *name == "." || *name == "..") throw UsageError{"--name wants a file name"};
  }
  const bool deleteSmall = args.has("--delete-small");
  if (args.words().size() != 2) throw UsageError{"fetch wants a URL and a folder"};
  const std::string& url = args.words()[0];
  const std::string& folder = args.words()[1];
  if (url.empty() || folder.empty()) throw UsageError{"fetch wants a URL and a folder"};

  StderrDialogs dialogs(MessageAnswer::No);
  NetworkState network;
  Downloader downloader(context.ports.http, context.ports.progress, dialogs, context.language, network);

  bool ok;
  std::filesystem::path file;
  if (name) {
    ok = downloader.DownloadFilesAs({url}, {*name}, deleteSmall, Msg::DownloadingFiles, folder) == 1;
    file = std::filesystem::path(folder) / *name;
  } else if (deleteSmall) {
    ok = downloader.DownloadFiles({url}, folder, true, Msg::DownloadingFiles) == 1;
    file = std::filesystem::path(folder) / LastPathElement(url);
  } else {
    ok = downloader.DownloadFile(url, url, Msg::DownloadingFiles, folder);
    file = std::filesystem::path(folder) / LastPathElement(url);
  }
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(file, ec);
  if (ec) full = file;

  std::cout << "result=" << (ok ? "ok" : "failed") << '\n';
  std::cout << "file=" << Escape(full.lexically_normal().string()) << '\n';
  std::cout << "size=" << FileSizeOf(file) << '\n';
  std::cout << "networkState=" << network.networkState << '\n';
  return ok ? 0 : 1;
}

}  // namespace trakvella::cli
