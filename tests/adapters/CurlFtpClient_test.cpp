// CurlFtpClient against the local FTP server: a stalled transfer keeps handing
// control back and stops at once when asked; the server's faults are told
// apart and leave no file; the password never shows in the status texts;
// a trickling transfer and a huge listing end at their limits.
#include "adapters/CurlFtpClient.h"

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/Fakes.h"
#include "support/LibraryServers.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using testing::LibraryServers;
using testing::TempDir;

class CurlFtpClientTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folders_ = new TempDir;
    servers_ = new LibraryServers(folders_->path(),
                                  "--ftp-account staller:s3cr3t:9:stall --ftp-account plain:s3cr3t:9:nosize"
                                  " --ftp-account dropper:s3cr3t:9:drop --ftp-account trickler:s3cr3t:9:trickle"
                                  " --ftp-account lister:s3cr3t:9:hugelist");
  }
  static void TearDownTestSuite() {
    delete servers_;
    delete folders_;
  }
  static FtpLogin Login(const std::string& user, const std::string& password = "s3cr3t") {
    FtpLogin login;
    login.host = "127.0.0.1";
    login.port = servers_->ftpPort;
    login.user = user;
    login.password = password;
    return login;
  }
  // The server path of a track's archive, from the listing.
  static std::string ArchivePath(CurlFtpClient& ftp, const std::string& code) {
    std::vector<std::string> lines;
    const Status listed = ftp.List(lines, {});
    EXPECT_TRUE(listed.ok()) << listed.ToString();
    for (const std::string& line : lines) {
      if (line.find(code.substr(0, 8)) == std::string::npos) continue;
      std::string path(1, '/');
      path += line.substr(line.find("KMLB_"));
      path += '/';
      path += code;
      path += ".rar";
      return path;
    }
    ADD_FAILURE() << "no folder of " << code;
    return {};
  }

  static TempDir* folders_;
  static LibraryServers* servers_;
};

TempDir* CurlFtpClientTest::folders_ = nullptr;
LibraryServers* CurlFtpClientTest::servers_ = nullptr;

TEST_F(CurlFtpClientTest, StalledTransferKeepsCallingBackAndStopsAtOnce) {
  CurlFtpClient ftp;
  ASSERT_TRUE(ftp.Connect(Login("staller")).ok());
  const std::string remote = ArchivePath(ftp, "KMLB_003_001");
  TempDir target;
  // The server sends 8 KiB, then nothing for 3 s: the callbacks go on while
  // nothing arrives, and returning false ends the transfer long before the stall does.
  int callbacksWhileStalled = 0;
  Clock::time_point stalledSince{}, stopAsked{};
  const Status retrieved = ftp.Retrieve(remote, target.path() / "a.rar", -1, {}, [&](int64_t bytes) {
    if (bytes < 8192) return true;
    if (stalledSince == Clock::time_point{}) stalledSince = Clock::now();
    ++callbacksWhileStalled;
    if (Clock::now() - stalledSince < std::chrono::milliseconds(600)) return true;
    stopAsked = Clock::now();
    return false;
  });
  const auto stopped = Clock::now();
  EXPECT_TRUE(retrieved.IsAborted()) << retrieved.ToString();
  EXPECT_GE(callbacksWhileStalled, 6);  // at least one every 100 ms
  EXPECT_LT(stopped - stopAsked, std::chrono::milliseconds(500));
  EXPECT_TRUE(fs::is_empty(target.path()));  // neither a cut archive nor its part file

  // The session goes on after the abort: the server answers the next command.
  std::vector<std::string> reply;
  ASSERT_TRUE(ftp.Command("STAT", reply, {}).ok());
  EXPECT_TRUE(reply.back().starts_with("211 "));
}

TEST_F(CurlFtpClientTest, ServerFaultsAreToldApartAndThePasswordIsNeverShown) {
  struct Statuses : FtpStatusListener {
    std::vector<std::string> texts;
    void FtpStatus(const std::string& text) override { texts.push_back(text); }
  } heard;
  std::vector<std::string>& statuses = heard.texts;
  CurlFtpClient ftp;
  ftp.SetStatusListener(&heard);

  const Status refused = ftp.Connect(Login("plain", "wrong"));
  EXPECT_TRUE(refused.IsNetworkError()) << refused.ToString();
  EXPECT_NE(refused.message().find("530"), std::string::npos) << refused.message();

  ASSERT_TRUE(ftp.Connect(Login("plain")).ok());
  int64_t size = 0;
  EXPECT_TRUE(ftp.Size(ArchivePath(ftp, "KMLB_003_001"), size).ok());
  EXPECT_EQ(size, -1);  // no SIZE on this server: the size is unknown, the session fine
  TempDir target;
  ASSERT_TRUE(ftp.Retrieve(ArchivePath(ftp, "KMLB_003_001"), target.path() / "a.rar", -1, {}, nullptr).ok());
  EXPECT_GT(fs::file_size(target.path() / "a.rar"), 10000u);
  // A missing file: no local file is made.
  EXPECT_TRUE(
      ftp.Retrieve("/KMLB_003 nowhere/KMLB_003_001.rar", target.path() / "b.rar", -1, {}, nullptr).IsNetworkError());
  EXPECT_FALSE(fs::exists(target.path() / "b.rar"));

  // Cut in the middle: nothing under the name, no part file.
  ASSERT_TRUE(ftp.Connect(Login("dropper")).ok());
  const std::string remote = ArchivePath(ftp, "KMLB_003_002");
  ASSERT_TRUE(ftp.Size(remote, size).ok());
  EXPECT_TRUE(ftp.Retrieve(remote, target.path() / "c.rar", size, {}, nullptr).IsNetworkError());
  EXPECT_EQ(std::distance(fs::directory_iterator(target.path()), fs::directory_iterator()), 1);

  ASSERT_FALSE(statuses.empty());
  for (const std::string& text : statuses) EXPECT_EQ(text.find("s3cr3t"), std::string::npos) << text;
}

TEST_F(CurlFtpClientTest, TransfersEndAtTheirLimitsHoweverTheServerTrickles) {
  CurlFtpClient ftp;
  // One byte every 0.2 s never lets the 5 s stall time-out fire; the total time does.
  ASSERT_TRUE(ftp.Connect(Login("trickler")).ok());
  TempDir target;
  const Status slow = ftp.Retrieve(ArchivePath(ftp, "KMLB_003_001"), target.path() / "a.rar", -1, {1500, -1}, nullptr);
  EXPECT_TRUE(slow.IsLimitExceeded()) << slow.ToString();
  EXPECT_NE(slow.message().find("took longer"), std::string::npos) << slow.message();
  EXPECT_TRUE(fs::is_empty(target.path()));
  // A listing past its cap fails, holding no more than the cap.
  ASSERT_TRUE(ftp.Connect(Login("lister")).ok());
  std::vector<std::string> lines;
  const Status listed = ftp.List(lines, {30000, 1 << 20});
  EXPECT_FALSE(listed.ok());
  size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size();
  EXPECT_LE(bytes, 1u << 20);
}

}  // namespace
}  // namespace trakvella
