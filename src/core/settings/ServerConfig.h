#pragma once
// ServerConfig: the library's endpoints (demo servers, web site, FTP server and its log), read from
// "servers.ini" in the program folder, and the addresses built from them. Plain values; no other code names a host.
#include <filesystem>
#include <string>
#include <string_view>

#include "ports/Status.h"

namespace trakvella {

// Where the library's servers are. A default-constructed value holds the
// built-in endpoints.
struct Endpoints {
  // Bases of the demo audio servers 1 and 2; a demo name
  // (KMLB_ccc/KMLB_ccc_ttt.mp3) follows them. Each ends with "/audio/".
  std::string demoServer1 = "http://demo1.kmlb-library.example/audio/";
  std::string demoServer2 = "http://demo2.kmlb-library.example/audio/";
  // Base of the product web site, ending with "/"; its pages follow it.
  std::string webSite = "http://www.kmlb-library.example/";
  // The FTP download server; its web log is served over HTTP on the same host.
  std::string ftpHost = "ftp.kmlb-library.example";
  int ftpPort = 21;
  // Certificates (PEM) the FTP server's TLS certificate is checked against
  // instead of the system's; empty: the system's.
  std::string ftpCaFile;
  // Path of the download server's web log folder, between slashes, and the
  // HTTP port the log is served on.
  std::string serverLogPath = "/Web%20Client/Serv-U-Log/";
  int serverLogPort = 80;

  bool operator==(const Endpoints&) const = default;
};

// Name of the configuration file in the program folder.
inline constexpr std::string_view kServerConfigFileName = "servers.ini";

// Reads the endpoints from configuration text: "Key=Value" lines with the keys
// DemoServer1, DemoServer2, WebSite, FtpHost, FtpPort, FtpCaFile, ServerLogPath,
// ServerLogPort (any letter case). Section headers, blank lines, comment lines
// (";" or "#") and unknown keys are skipped. A missing or empty key keeps its
// default, and so does a port that is not a number from 1 to 65535. Values are trimmed; base
// addresses get their closing "/" when it is missing.
Endpoints ParseServerConfig(std::string_view text);

// Reads "servers.ini" in programFolder; the built-in endpoints when it is
// missing or unreadable. problem, when given, gets why a file that is there
// was not read.
Endpoints ReadServerConfig(const std::filesystem::path& programFolder, Status* problem = nullptr);

// The text of a "servers.ini" holding every endpoint; ParseServerConfig reads
// it back to the same value.
std::string WriteServerConfigText(const Endpoints& endpoints);

// --- Addresses on the product web site -------------------------------------------
// The page of a CD or a track: base + the code in upper case.
std::string CdPageUrl(const Endpoints& endpoints, std::string_view code);
// The popularity list: one track code per line, most popular first.
std::string TopListUrl(const Endpoints& endpoints);
// The update page with the META fields of the current release.
std::string UpdatePageUrl(const Endpoints& endpoints);
// The page for downloading the demo files.
std::string DemoDownloadPageUrl(const Endpoints& endpoints);
// The page for buying a subscription.
std::string BuySubscriptionPageUrl(const Endpoints& endpoints);

// --- The download server's web log ------------------------------------------------
// "http://" + FTP host (+ ":" + the log's port unless it is 80) + log path +
// login + ".log"; characters of the login that may not stand in a URL path are
// percent-encoded.
std::string ServerLogUrl(const Endpoints& endpoints, std::string_view login);

}  // namespace trakvella
