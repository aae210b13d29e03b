#include "core/settings/ServerConfig.h"

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace trakvella {
namespace {

using testing::TempDir;
using testing::WriteFile;

TEST(ServerConfig, NoFileGivesTheBuiltInEndpoints) {
  TempDir dir;
  const Endpoints endpoints = ReadServerConfig(dir.path());
  EXPECT_EQ(endpoints, Endpoints{});
  EXPECT_TRUE(endpoints.demoServer1.ends_with("/audio/"));
  EXPECT_TRUE(endpoints.demoServer2.ends_with("/audio/"));
  EXPECT_NE(endpoints.demoServer1, endpoints.demoServer2);
  EXPECT_TRUE(endpoints.webSite.ends_with("/"));
  EXPECT_EQ(endpoints.ftpPort, 21);
  EXPECT_EQ(endpoints.serverLogPath, "/Web%20Client/Serv-U-Log/");

  // A file that cannot be read (here a folder of that name) also gives the built-in ones.
  std::filesystem::create_directory(dir.path() / "servers.ini");
  EXPECT_EQ(ReadServerConfig(dir.path()), Endpoints{});
}

TEST(ServerConfig, FileOverridesOnlyTheKeysItNames) {
  TempDir dir;
  WriteFile(dir.path() / "servers.ini",
            "\xEF\xBB\xBF; local test servers\r\n"
            "[servers]\r\n"
            "\r\n"
            "# demo audio\r\n"
            "  demoserver1 =  http://127.0.0.1:8081/audio/  \r\n"
            "WEBSITE=http://127.0.0.1:8082\r\n"
            "FtpHost=127.0.0.1\r\n"
            "ftpPort=2121\r\n"
            "Colour=blue\r\n"
            "DemoServer2=\r\n"
            "no equals sign here\r\n");
  const Endpoints endpoints = ReadServerConfig(dir.path());
  const Endpoints defaults;
  EXPECT_EQ(endpoints.demoServer1, "http://127.0.0.1:8081/audio/");
  EXPECT_EQ(endpoints.webSite, "http://127.0.0.1:8082/");  // closing slash added
  EXPECT_EQ(endpoints.ftpHost, "127.0.0.1");
  EXPECT_EQ(endpoints.ftpPort, 2121);
  EXPECT_EQ(endpoints.demoServer2, defaults.demoServer2);  // empty value keeps the default
  EXPECT_EQ(endpoints.serverLogPath, defaults.serverLogPath);
}

TEST(ServerConfig, BadPortKeepsTheDefault) {
  for (const char* port : {"abc", "0", "65536", "-21", "21x", ""}) {
    EXPECT_EQ(ParseServerConfig(std::string("FtpPort=") + port).ftpPort, 21) << port;
  }
  EXPECT_EQ(ParseServerConfig("FtpPort=65535").ftpPort, 65535);
  // A later good line still wins over an earlier bad one.
  EXPECT_EQ(ParseServerConfig("FtpPort=x\nFtpPort=990\n").ftpPort, 990);
}

TEST(ServerConfig, WrittenTextReadsBackToTheSameEndpoints) {
  Endpoints local;
  local.demoServer1 = "http://127.0.0.1:40001/audio/";
  local.demoServer2 = "http://localhost:40002/audio/";
  local.webSite = "http://127.0.0.1:40003/site/";
  local.ftpHost = "127.0.0.1";
  local.ftpPort = 40021;
  local.serverLogPath = "/logs/";

  TempDir dir;
  WriteFile(dir.path() / "servers.ini", WriteServerConfigText(local));
  EXPECT_EQ(ReadServerConfig(dir.path()), local);
  EXPECT_EQ(ParseServerConfig(WriteServerConfigText(Endpoints{})), Endpoints{});
}

TEST(ServerConfig, AddressesAreBuiltFromTheBases) {
  Endpoints endpoints;
  endpoints.webSite = "http://site.test/";
  endpoints.ftpHost = "files.test";

  EXPECT_EQ(CdPageUrl(endpoints, "kmlb_012"), "http://site.test/KMLB_012");
  EXPECT_EQ(CdPageUrl(endpoints, "KMLB_012_003"), "http://site.test/KMLB_012_003");
  EXPECT_EQ(TopListUrl(endpoints), "http://site.test/top.txt");
  EXPECT_EQ(UpdatePageUrl(endpoints), "http://site.test/update.html");
  EXPECT_EQ(DemoDownloadPageUrl(endpoints), "http://site.test/tv/#tvdownload");
  EXPECT_EQ(BuySubscriptionPageUrl(endpoints), "http://site.test/how_to_buy/#buypodpiska");
  EXPECT_EQ(ServerLogUrl(endpoints, "client42"), "http://files.test/Web%20Client/Serv-U-Log/client42.log");
  // A login with characters a URL path cannot hold is encoded, not broken.
  EXPECT_EQ(ServerLogUrl(endpoints, "a b/c"), "http://files.test/Web%20Client/Serv-U-Log/a%20b%2Fc.log");

  // A log path written without its slashes still makes a well-formed address.
  const Endpoints read = ParseServerConfig("ServerLogPath=logs");
  EXPECT_EQ(read.serverLogPath, "/logs/");
  // The log served on a port of its own.
  const Endpoints ported = ParseServerConfig("FtpHost=127.0.0.1\nServerLogPort=8021\nServerLogPort=x");
  EXPECT_EQ(ServerLogUrl(ported, "me"), "http://127.0.0.1:8021/Web%20Client/Serv-U-Log/me.log");
  EXPECT_EQ(ParseServerConfig(WriteServerConfigText(ported)), ported);
}

}  // namespace
}  // namespace trakvella
