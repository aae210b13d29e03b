// The local library servers (tools/library_servers.py) as the program and the
// other tests use them: servers.ini, demo MP3s with their deliberate faults,
// ranges, and the web site's pages.
#include "support/LibraryServers.h"

#include <csignal>
#include <memory>
#include <regex>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "core/settings/ServerConfig.h"
#include "support/CatalogueFixture.h"
#include "support/Fakes.h"

namespace trakvella {
namespace {

using testing::FixtureCatalogue;
using testing::HttpGetForTest;
using testing::HttpRequestForTest;
using testing::LibraryServers;
using testing::TempDir;

// CD 003 with 25 tracks and CD 005 with 2; only the first 20 tracks get audio.
FixtureCatalogue SmallCatalogue() {
  FixtureCatalogue c;
  c.titles.push_back("KMLB_003=KMLB_003 Промо эффекты");
  for (int t = 1; t <= 25; ++t) {
    char code[24];
    std::snprintf(code, sizeof code, "KMLB_003_%03d", t);
    c.titles.push_back(std::string(code) + "=Свип " + std::to_string(t) +
                       "\tRU-A47-07-003-001\t00:06\tSoundLab\tSoundLab");
  }
  c.titles.push_back("KMLB_005=KMLB_005 Корпоративный стиль");
  c.titles.push_back("KMLB_005_001=Новые горизонты\tRU-A47-08-005-001\t05:07\tИ. Лазарев\tKMLB");
  c.titles.push_back("KMLB_005_002=Команда мечты\tRU-A47-08-005-002\t04:24\tИ. Лазарев\tKMLB");
  return c;
}

bool LooksLikeMp3(const std::string& data) {
  if (data.rfind("ID3", 0) == 0) return true;
  return data.size() >= 2 && static_cast<unsigned char>(data[0]) == 0xFF &&
         (static_cast<unsigned char>(data[1]) & 0xE0) == 0xE0;
}

std::string Demo(const std::string& base, const std::string& code) {
  return base + code.substr(0, 8) + "/" + code + ".mp3";
}

class LibraryServersTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folders_ = new TempDir;
    home_ = folders_->path() / "home";
    catalogue_ = folders_->path() / "catalogue";
    SmallCatalogue().Write(catalogue_);
    // A key the servers do not own stays in the file.
    testing::WriteFile(home_ / "servers.ini", "ServerLogPath=/logs/\nDemoServer1=http://old.example/audio/\n");
    servers_ = new LibraryServers(home_, "--max-tracks 20 --catalogue " + catalogue_.string());
  }
  static void TearDownTestSuite() {
    delete servers_;
    delete folders_;
  }

  static TempDir* folders_;
  static std::filesystem::path home_, catalogue_;
  static LibraryServers* servers_;
};

TempDir* LibraryServersTest::folders_ = nullptr;
std::filesystem::path LibraryServersTest::home_, LibraryServersTest::catalogue_;
LibraryServers* LibraryServersTest::servers_ = nullptr;

TEST_F(LibraryServersTest, ServersIniPointsTheProgramAtTheServers) {
  EXPECT_EQ(servers_->serversIni, home_ / "servers.ini");
  const Endpoints endpoints = ReadServerConfig(home_);
  EXPECT_EQ(endpoints.demoServer1, servers_->demo1);
  EXPECT_EQ(endpoints.demoServer2, servers_->demo2);
  EXPECT_EQ(endpoints.webSite, servers_->web);
  EXPECT_NE(endpoints.demoServer1, endpoints.demoServer2);
  EXPECT_TRUE(endpoints.demoServer1.starts_with("http://127.0.0.1:"));
  EXPECT_TRUE(endpoints.demoServer1.ends_with("/audio/"));
  EXPECT_TRUE(endpoints.demoServer2.ends_with("/audio/"));
  EXPECT_TRUE(endpoints.webSite.ends_with("/"));
  EXPECT_EQ(endpoints.serverLogPath, "/logs/");  // kept from the old file
  EXPECT_EQ(endpoints.ftpHost, "127.0.0.1");
  EXPECT_EQ(endpoints.ftpPort, servers_->ftpPort);
  EXPECT_EQ(ServerLogUrl(endpoints, "x"), servers_->web.substr(0, servers_->web.size() - 1) + "/logs/x.log");
  EXPECT_FALSE(std::filesystem::exists(home_ / "servers.ini.tmp"));
}

TEST_F(LibraryServersTest, DemoServersServeRealMp3sWithTheirDeliberateFaults) {
  int status = 0;
  const std::string full = HttpGetForTest(Demo(servers_->demo1, "KMLB_003_001"), &status);
  EXPECT_EQ(status, 200);
  EXPECT_TRUE(LooksLikeMp3(full));
  EXPECT_GE(full.size(), 10000u);
  // Server 2 serves the same file; a second request comes from the cache unchanged.
  EXPECT_EQ(HttpGetForTest(Demo(servers_->demo2, "KMLB_003_001"), &status), full);
  EXPECT_EQ(HttpGetForTest(Demo(servers_->demo1, "KMLB_003_001")), full);
  // Tones differ from track to track.
  EXPECT_NE(HttpGetForTest(Demo(servers_->demo1, "KMLB_003_002")), full);

  const std::string shortFile = HttpGetForTest(Demo(servers_->demo1, "KMLB_003_013"), &status);
  EXPECT_EQ(status, 200);
  EXPECT_TRUE(LooksLikeMp3(shortFile));
  EXPECT_LT(shortFile.size(), 10000u);

  for (const char* missing : {"KMLB_003_007",     // the deliberately missing one
                              "KMLB_003_021",     // beyond --max-tracks
                              "KMLB_005_001",     // beyond --max-tracks
                              "KMLB_009_001"}) {  // not in the catalogue
    HttpGetForTest(Demo(servers_->demo1, missing), &status);
    EXPECT_EQ(status, 404) << missing;
  }
  // A track filed under another CD's folder, or outside "/audio/", is not found.
  HttpGetForTest(servers_->demo1 + "KMLB_005/KMLB_003_001.mp3", &status);
  EXPECT_EQ(status, 404);
  HttpGetForTest(servers_->web + "KMLB_003/KMLB_003_001.mp3", &status);
  EXPECT_EQ(status, 404);
}

TEST_F(LibraryServersTest, RangesAndHeadLetPlayersStream) {
  const std::string url = Demo(servers_->demo1, "KMLB_003_003");
  const std::string full = HttpGetForTest(url);
  ASSERT_GE(full.size(), 10000u);
  const std::string total = std::to_string(full.size());

  auto head = HttpRequestForTest("HEAD", url);
  EXPECT_EQ(head.status, 200);
  EXPECT_EQ(head.headers["content-length"], total);
  EXPECT_EQ(head.headers["accept-ranges"], "bytes");
  EXPECT_TRUE(head.body.empty());

  auto middle = HttpRequestForTest("GET", url, {"Range: bytes=100-1099"});
  EXPECT_EQ(middle.status, 206);
  EXPECT_EQ(middle.headers["content-length"], "1000");
  EXPECT_EQ(middle.headers["content-range"], "bytes 100-1099/" + total);
  EXPECT_EQ(middle.body, full.substr(100, 1000));

  auto tail = HttpRequestForTest("GET", url, {"Range: bytes=-500"});
  EXPECT_EQ(tail.status, 206);
  EXPECT_EQ(tail.body, full.substr(full.size() - 500));

  auto open = HttpRequestForTest("GET", url, {"Range: bytes=24000-"});
  EXPECT_EQ(open.status, 206);
  EXPECT_EQ(open.body, full.substr(24000));

  auto beyond = HttpRequestForTest("GET", url, {"Range: bytes=" + total + "-"});
  EXPECT_EQ(beyond.status, 416);
  EXPECT_EQ(beyond.headers["content-range"], "bytes */" + total);
}

TEST_F(LibraryServersTest, WebSiteServesTopListUpdatePageAndCodePages) {
  int status = 0;
  const std::string top = HttpGetForTest(servers_->web + "top.txt", &status);
  EXPECT_EQ(status, 200);
  std::istringstream lines(top);
  std::set<std::string> codes;
  const std::regex trackCode("KMLB_00[35]_0\\d\\d");
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    EXPECT_TRUE(std::regex_match(line, trackCode)) << line;
    codes.insert(line);
  }
  EXPECT_EQ(codes.size(), 27u);  // every track once: the catalogue has fewer than 100
  EXPECT_EQ(HttpGetForTest(servers_->web + "top.txt"), top);

  const std::string update = HttpGetForTest(servers_->web + "update.html", &status);
  EXPECT_EQ(status, 200);
  for (const char* name : {"tvProduct", "tvVersion", "tvDownload", "tvClientSideName", "tvRedirection",
                           "tvRunParameters", "tvAuthor", "tvEmail"}) {
    EXPECT_NE(update.find(std::string("META NAME=\"") + name + "\" CONTENT=\""), std::string::npos) << name;
  }
  EXPECT_NE(update.find("META NAME=\"tvVersion\" CONTENT=\"1.0.0.0\""), std::string::npos);

  EXPECT_NE(HttpGetForTest(CdPageUrl(ReadServerConfig(home_), "kmlb_003"), &status).find("KMLB_003 Промо эффекты"),
            std::string::npos);
  EXPECT_EQ(status, 200);
  EXPECT_NE(HttpGetForTest(servers_->web + "KMLB_005_002", &status).find("Команда мечты"), std::string::npos);
  EXPECT_EQ(status, 200);
  EXPECT_NE(HttpGetForTest(DemoDownloadPageUrl(ReadServerConfig(home_)), &status).find("tvdownload"),
            std::string::npos);
  EXPECT_EQ(status, 200);
  EXPECT_NE(HttpGetForTest(BuySubscriptionPageUrl(ReadServerConfig(home_)), &status).find("buypodpiska"),
            std::string::npos);
  EXPECT_EQ(status, 200);

  for (const char* path : {"KMLB_009", "KMLB_003_026", "", "index.html", "tv/other"}) {
    HttpGetForTest(servers_->web + path, &status);
    EXPECT_EQ(status, 404) << path;
  }
}

TEST(LibraryServers, ProcessEndsWithTheObjectAndBadStartsThrow) {
  TempDir home;
  std::string web;
  pid_t pid = -1;
  {
    LibraryServers servers(home.path(), "--max-tracks 1");
    web = servers.web;
    pid = servers.pid();
    int status = 0;
    HttpGetForTest(web + "top.txt", &status);
    EXPECT_EQ(status, 200);
  }
  EXPECT_NE(kill(pid, 0), 0);  // reaped
  int status = -1;
  HttpGetForTest(web + "top.txt", &status);
  EXPECT_EQ(status, 0);

  EXPECT_THROW(LibraryServers(home.path(), "--catalogue " + (home.path() / "none").string()), std::runtime_error);
  EXPECT_THROW(HttpGetForTest("http://example.com/"), std::invalid_argument);
}

// tools/run_with_servers.sh, the run command's last step, starts the servers for
// the program folder the program uses: with --home DIR, DIR (before, the program
// found no servers.ini there and asked the library's real site).
TEST(RunWithServers, ServersIniGoesWhereTheProgramLooks) {
  TempDir folders;
  const std::filesystem::path program = folders.path() / "trakvella", home = folders.path() / "home";
  // A stand-in for the program: the web site its servers.ini names.
  testing::WriteFile(program, "#!/bin/sh\ngrep '^WebSite=' \"$2/servers.ini\"\n");
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  const std::string command = "bash '" + std::string(TRAKVELLA_SOURCE_DIR) + "/tools/run_with_servers.sh' '" +
                              program.string() + "' --home '" + home.string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output(1 << 16, '\0');
  output.resize(fread(output.data(), 1, output.size(), pipe));
  EXPECT_EQ(pclose(pipe), 0) << output;
  EXPECT_NE(output.find("\nWebSite=http://127.0.0.1:"), std::string::npos) << output;
  EXPECT_FALSE(std::filesystem::exists(folders.path() / "servers.ini"));
}

}  // namespace
}  // namespace trakvella
