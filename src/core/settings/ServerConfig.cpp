// ServerConfig: reading and writing "servers.ini" and building the addresses.
#include "core/settings/ServerConfig.h"

#include <fstream>
#include <iterator>

#include "core/text/FileIO.h"
#include "core/text/PercentEncoding.h"
#include "core/text/Text.h"

namespace trakvella {
namespace {

// A base address to which names are appended must end with "/".
void EnsureTrailingSlash(std::string& base) {
  if (base.empty() || base.back() != '/') base += '/';
}

// Stores a configured value unless it is empty, so an empty entry keeps the
// built-in endpoint.
void SetIfGiven(std::string& field, std::string_view value) {
  if (!value.empty()) field = std::string(value);
}

}  // namespace

Endpoints ParseServerConfig(std::string_view text) {
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());

  Endpoints endpoints;
  for (const std::string& rawLine : SplitLines(text)) {
    std::string_view line = TrimView(rawLine);
    if (line.empty() || line.front() == ';' || line.front() == '#' || line.front() == '[') {
      continue;
    }
    if (line.find('=') == std::string_view::npos) continue;
    std::string_view key = TrimView(RowName(line));
    std::string_view value = TrimView(RowValue(line));

    if (SameText(key, "DemoServer1")) {
      SetIfGiven(endpoints.demoServer1, value);
    } else if (SameText(key, "DemoServer2")) {
      SetIfGiven(endpoints.demoServer2, value);
    } else if (SameText(key, "WebSite")) {
      SetIfGiven(endpoints.webSite, value);
    } else if (SameText(key, "FtpHost")) {
      SetIfGiven(endpoints.ftpHost, value);
    } else if (SameText(key, "FtpPort") || SameText(key, "ServerLogPort")) {
      long long port = 0;
      if (ParseInt(value, port) && port >= 1 && port <= 65535) {
        (SameText(key, "FtpPort") ? endpoints.ftpPort : endpoints.serverLogPort) = static_cast<int>(port);
      }
    } else if (SameText(key, "ServerLogPath")) {
      SetIfGiven(endpoints.serverLogPath, value);
    } else if (SameText(key, "FtpCaFile")) {
      SetIfGiven(endpoints.ftpCaFile, value);
    }
  }

  EnsureTrailingSlash(endpoints.demoServer1);
  EnsureTrailingSlash(endpoints.demoServer2);
  EnsureTrailingSlash(endpoints.webSite);
  if (endpoints.serverLogPath.front() != '/') endpoints.serverLogPath.insert(0, 1, '/');
  EnsureTrailingSlash(endpoints.serverLogPath);
  return endpoints;
}

Endpoints ReadServerConfig(const std::filesystem::path& programFolder, Status* problem) {
  std::string text;
  if (Status read = ReadWholeFile(programFolder / kServerConfigFileName, text, FileKind::ServerList); !read.ok()) {
    if (problem && !read.IsNotFound()) *problem = std::move(read);
    return Endpoints{};
  }
  return ParseServerConfig(text);
}

std::string WriteServerConfigText(const Endpoints& endpoints) {
  std::string text;
  text += "; Trakvella library servers. Keys left out take the built-in values.\n";
  text += "[servers]\n";
  text += "DemoServer1=" + endpoints.demoServer1 + "\n";
  text += "DemoServer2=" + endpoints.demoServer2 + "\n";
  text += "WebSite=" + endpoints.webSite + "\n";
  text += "FtpHost=" + endpoints.ftpHost + "\n";
  text += "FtpPort=" + std::to_string(endpoints.ftpPort) + "\n";
  if (!endpoints.ftpCaFile.empty()) text += "FtpCaFile=" + endpoints.ftpCaFile + "\n";
  text += "ServerLogPath=" + endpoints.serverLogPath + "\n";
  text += "ServerLogPort=" + std::to_string(endpoints.serverLogPort) + "\n";
  return text;
}

std::string CdPageUrl(const Endpoints& endpoints, std::string_view code) { return endpoints.webSite + UpperCase(code); }

std::string TopListUrl(const Endpoints& endpoints) { return endpoints.webSite + "top.txt"; }

std::string UpdatePageUrl(const Endpoints& endpoints) { return endpoints.webSite + "update.html"; }

std::string DemoDownloadPageUrl(const Endpoints& endpoints) { return endpoints.webSite + "tv/#tvdownload"; }

std::string BuySubscriptionPageUrl(const Endpoints& endpoints) { return endpoints.webSite + "how_to_buy/#buypodpiska"; }

std::string ServerLogUrl(const Endpoints& endpoints, std::string_view login) {
  std::string url = "http://";
  url += endpoints.ftpHost;
  if (endpoints.serverLogPort != 80) {
    url += ':';
    url += std::to_string(endpoints.serverLogPort);
  }
  url += endpoints.serverLogPath;
  url += PercentEncode(login, "@");
  url += ".log";
  return url;
}

}  // namespace trakvella
