// trakvella-cli fetch: one file download as the program's windows do it, for
// scripts and for trying the library's servers. Prints result=, file=, size=
// and networkState=; the messages the program would show go to stderr. Exits
// with 0 when the file arrived, 1 when not, 2 on wrong usage.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "adapters/CurlHttpClient.h"
#include "cli/CliOutput.h"
#include "core/net/Downloads.h"
#include "ports/Dialogs.h"
#include "ports/Progress.h"

namespace trakvella {

int CommandFetch(const std::vector<std::string>& args, int language);

namespace {

constexpr const char* kFetchUsage = "usage: trakvella-cli fetch URL FOLDER [--name NAME] [--delete-small]";

// Questions ("Continue?" after a failed file) are answered No, so a run without
// a user stops at its first failure instead of asking on.
using cli::Escape;
using FetchMessages = cli::StderrDialogs;

int FetchUsageError(const std::string& text) {
  std::cerr << "trakvella-cli: " << text << '\n' << kFetchUsage << '\n';
  return 2;
}

}  // namespace

int CommandFetch(const std::vector<std::string>& args, int language) {
  std::vector<std::string> positional;
  std::optional<std::string> name;
  bool deleteSmall = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--name") {
      if (i + 1 >= args.size()) return FetchUsageError("--name wants a file name");
      // A file name, in FOLDER: "../../x" is saved as FOLDER/x.
      name = LastPathElement(args[++i]);
      if (name->empty() || *name == "." || *name == "..") return FetchUsageError("--name wants a file name");
    } else if (a == "--delete-small") {
      deleteSmall = true;
    } else if (a.size() > 1 && a[0] == '-') {
      return FetchUsageError("unknown fetch option " + a);
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) return FetchUsageError("fetch wants a URL and a folder");
  const std::string& url = positional[0];
  const std::string& folder = positional[1];
  if (url.empty() || folder.empty()) return FetchUsageError("fetch wants a URL and a folder");

  CurlHttpClient http;
  SilentProgress progress;
  FetchMessages dialogs(MessageAnswer::No);
  NetworkState network;
  Downloader downloader(
      http, progress, dialogs, [language] { return language; }, network);

  bool ok;
  std::filesystem::path file;
  if (name) {
    ok = downloader.DownloadFilesAs({url}, {*name}, deleteSmall, kMessageDownloadingFiles, folder) == 1;
    file = std::filesystem::path(folder) / *name;
  } else if (deleteSmall) {
    ok = downloader.DownloadFiles({url}, folder, true, kMessageDownloadingFiles) == 1;
    file = std::filesystem::path(folder) / LastPathElement(url);
  } else {
    ok = downloader.DownloadFile(url, url, kMessageDownloadingFiles, folder);
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

}  // namespace trakvella
