// trakvella-cli account, quota, download and demo-download against the local
// library servers, a 1 GiB archive downloaded and unpacked by a process whose
// memory stays small, downloads killed or cut by a full disk that leave no cut
// archive, fetch, and an account whose server once offered TLS.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <thread>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include "core/net/Downloads.h"
#include "support/CliProcess.h"
#include "support/Fakes.h"
#include "support/LibraryServers.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr int kBigMiB = 1024;

class SubscriptionCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folders_ = new TempDir;
    servers_ = new LibraryServers(folders_->path(),
                                  "--ftp-account cli:pw:10 --ftp-account stdin:pw:10 --ftp-account big:pw:3:big"
                                  " --ftp-account slow:pw:10:stall --ftp-big-mb " +
                                      std::to_string(kBigMiB));
  }
  static void TearDownTestSuite() {
    delete servers_;
    delete folders_;
  }
  // Files the commands discard go to a trash of the test's own.
  void SetUp() override {
    const char* old = std::getenv("XDG_DATA_HOME");
    oldDataHome_ = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("XDG_DATA_HOME", dataHome_.path().c_str(), 1);
  }
  void TearDown() override {
    if (oldDataHome_)
      setenv("XDG_DATA_HOME", oldDataHome_->c_str(), 1);
    else
      unsetenv("XDG_DATA_HOME");
  }
  static CliResult Cli(std::vector<std::string> args, const std::optional<std::string>& input = std::nullopt) {
    args.insert(args.begin(), {"--home", folders_->path().string(), "--lang", "en"});
    return RunCli(args, input);
  }

  TempDir dataHome_;
  std::optional<std::string> oldDataHome_;
  static TempDir* folders_;
  static LibraryServers* servers_;
};

TempDir* SubscriptionCli::folders_ = nullptr;
LibraryServers* SubscriptionCli::servers_ = nullptr;

TEST_F(SubscriptionCli, DownloadQuotaAccountAndDemoDownload) {
  TempDir to;
  const CliResult download = Cli({"download", "--login", "cli", "--password", "pw", "--to", to.path().string(),
                                  "--copy-to-library", "KMLB_003_001", "KMLB_999_001"});
  EXPECT_EQ(download.status, 1) << download.err;  // one item is not on the server
  const fs::path track = to.path() / "KMLB_003_001 Аплодисменты - 01.mp3";
  EXPECT_THAT(download.out,
              ElementsAre("item=KMLB_003_001|unpacked|" + track.string(), "item=KMLB_999_001|not-on-server|", "quota=9",
                          "downloaded=KMLB_003_001", "networkState=0"));
  EXPECT_TRUE(fs::exists(folders_->path() / "audio" / "cli" / track.filename()));
  EXPECT_TRUE(fs::exists(dataHome_.path() / "Trash" / "files" / "KMLB_003_001.rar"));

  // Asked again without --again: skipped, and the question is on stderr.
  const CliResult again =
      Cli({"download", "--login", "cli", "--password", "pw", "--to", to.path().string(), "KMLB_003_001"});
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out[0], "item=KMLB_003_001|skipped|");
  EXPECT_THAT(again.err, HasSubstr("message: KMLB_003_001\\rYou have already downloaded this tracks, try again?"));

  const CliResult account = Cli({"account", "show", "cli"});
  EXPECT_EQ(account.status, 0);
  EXPECT_THAT(account.out, ElementsAre("file=" + (folders_->path() / "cli.kmlb").string(), "exists=1", "lines=3",
                                       "login=cli", "password=********", "downloaded=KMLB_003_001", "count=1"));

  const CliResult quota = Cli({"quota", "--login", "cli", "--password", "wrong"});
  EXPECT_EQ(quota.status, 1);
  EXPECT_THAT(quota.out, ElementsAre("connected=0", "quota=-1", "networkState=3"));
  EXPECT_THAT(quota.err, HasSubstr("message: Subscription: cli\\rConnection failed!\\r"));

  const CliResult demos = Cli({"demo-download", "--to", to.path().string(), "KMLB_003_002"});
  EXPECT_EQ(demos.status, 0) << demos.err;
  EXPECT_THAT(demos.out, ElementsAre("item=KMLB_003_002|ok|" + (to.path() / "KMLB_003_002 Свип вверх.mp3").string(),
                                     "networkState=0"));
  EXPECT_EQ(Cli({"-local", "demo-download", "--to", to.path().string(), "KMLB_003_002"}).status, 1);
}

// --password-stdin takes the password from the first line of standard input,
// so that it never stands in the process's command line.
TEST_F(SubscriptionCli, PasswordFromStandardInput) {
  const CliResult quota = Cli({"quota", "--login", "stdin", "--password-stdin"}, "pw\nnot this line\n");
  EXPECT_EQ(quota.status, 0) << quota.err;
  EXPECT_THAT(quota.out, ElementsAre("connected=1", "quota=10", "networkState=0"));
  TempDir to;
  EXPECT_EQ(
      Cli({"download", "--login", "stdin", "--password-stdin", "--to", to.path().string(), "KMLB_005_001"}, "pw\r\n")
          .status,
      0);
  // One way of giving it, and a line to read.
  EXPECT_EQ(Cli({"quota", "--login", "stdin", "--password-stdin", "--password", "pw"}, "pw\n").status, 2);
  EXPECT_EQ(Cli({"quota", "--login", "stdin", "--password-stdin"}, "").status, 2);
}

// Starts trakvella-cli with args (output thrown away); prepare runs in the child first.
pid_t StartCli(std::vector<std::string> args, void (*prepare)() = nullptr) {
  args.insert(args.begin(), TRAKVELLA_CLI);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
    dup2(STDOUT_FILENO, STDERR_FILENO);
    if (prepare) prepare();
    execv(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

TEST_F(SubscriptionCli, AKilledRunOrAFullDiskNeverLeavesACutArchive) {
  TempDir to, full;
  const fs::path archive = to.path() / "KMLB_003_001.rar", part = to.path() / "KMLB_003_001.rar.part";
  WriteFile(archive, "the old good archive");
  // The server sends 8 KiB, then waits 3 s: the moment for kill -9.
  const pid_t pid = StartCli({"--home", folders_->path().string(), "download", "--login", "slow", "--password", "pw",
                              "--to", to.path().string(), "KMLB_003_001"});
  for (int i = 0; i < 500 && FileSizeOf(part) < 8192 && ReadFile(archive) == "the old good archive"; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  EXPECT_TRUE(ReadFile(archive) == "the old good archive") << "a cut archive took the old one's place";

  // A full disk (a file size limit here): no part of the archive stays, in the folder or the trash.
  const pid_t limited = StartCli({"--home", folders_->path().string(), "download", "--login", "cli", "--password", "pw",
                                  "--to", full.path().string(), "--again", "KMLB_003_003"},
                                 [] {
                                   const rlimit limit{16384, 16384};
                                   setrlimit(RLIMIT_FSIZE, &limit);
                                   signal(SIGXFSZ, SIG_IGN);
                                 });
  int status = 0;
  waitpid(limited, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_TRUE(fs::is_empty(full.path()));
  EXPECT_FALSE(fs::exists(dataHome_.path() / "Trash" / "files" / "KMLB_003_003.rar"));
}

TEST_F(SubscriptionCli, DemoDownloadReportsEachFailureByTrackAndSumsUp) {
  // KMLB_003_007 is missing on the demo server; an older file of its name is no download.
  TempDir to;
  const std::vector<std::string> args = {"demo-download", "--to", to.path().string(), "KMLB_003_002", "KMLB_003_007"};
  const std::string failed = Cli(args).out.at(1);
  ASSERT_TRUE(failed.starts_with("item=KMLB_003_007|failed|")) << failed;
  WriteFile(failed.substr(failed.rfind('|') + 1), "an older demo");
  const CliResult r = Cli(args);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.at(1), failed);
  EXPECT_THAT(r.err, HasSubstr("message: Track (2 of 2): KMLB_003_007\\r\\nCould not download!\n"
                               "message: Demo files saved: 1, not downloaded: 1\n"));
}

TEST_F(SubscriptionCli, FetchSavesUnderAFileNameInTheFolder) {
  TempDir place;
  const fs::path folder = place.path() / "a" / "b";
  const CliResult r =
      Cli({"fetch", servers_->demo1 + "KMLB_003/KMLB_003_001.mp3", folder.string(), "--name", "../../x.mp3"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.at(1), "file=" + (folder / "x.mp3").string());
  EXPECT_FALSE(fs::exists(place.path() / "x.mp3"));
}

TEST(SubscriptionTls, AnAccountWhoseServerOfferedTlsIsNeverLoggedInInClear) {
  TempDir home, certificate;
  const std::string pem = (certificate.path() / "server.pem").string();
  ASSERT_EQ(
      std::system(("cd '" + certificate.path().string() +
                   "' && openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 -addext"
                   " subjectAltName=IP:127.0.0.1 -keyout k.pem -out c.pem 2>/dev/null && cat c.pem k.pem > server.pem")
                      .c_str()),
      0);
  const auto quota = [&](const std::string& login) {
    return RunCli({"--home", home.path().string(), "--lang", "en", "quota", "--login", login, "--password", "pw"});
  };
  {  // TLS, its certificate trusted through FtpCaFile of servers.ini.
    LibraryServers tls(home.path(), "--max-tracks 1 --ftp-account secure:pw:9 --ftp-tls " + pem);
    EXPECT_THAT(quota("secure").out, ElementsAre("connected=1", "quota=9", "networkState=0"));
  }
  // The same account on a server without TLS is refused and told why; another still logs in.
  LibraryServers plain(home.path(), "--max-tracks 1 --ftp-account secure:pw:9 --ftp-account other:pw:4");
  const CliResult refused = quota("secure");
  EXPECT_THAT(refused.out, ElementsAre("connected=0", "quota=-1", "networkState=3"));
  EXPECT_THAT(refused.err, HasSubstr("\\rThe server offers no encryption, although this account's server did before."));
  EXPECT_THAT(quota("other").out, ElementsAre("connected=1", "quota=4", "networkState=0"));
}

// The most memory the process used, in KiB, and its exit status.
std::pair<long, int> RunMeasured(const std::vector<std::string>& args) {
  std::vector<std::string> all = {TRAKVELLA_CLI};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  return {usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST_F(SubscriptionCli, GibibyteArchiveDownloadsAndUnpacksInSmallMemory) {
  TempDir to;
  const auto [maxKiB, status] = RunMeasured({"--home", folders_->path().string(), "download", "--login", "big",
                                             "--password", "pw", "--to", to.path().string(), "KMLB_003_001"});
  EXPECT_EQ(status, 0);
  const fs::path unpacked = to.path() / "KMLB_003_001 big.wav";
  ASSERT_TRUE(fs::exists(unpacked));
  EXPECT_EQ(fs::file_size(unpacked), static_cast<uintmax_t>(kBigMiB) << 20);
  RecordProperty("maxResidentKiB", static_cast<int>(maxKiB));
  EXPECT_LT(maxKiB, 150 * 1024) << "KiB";
  fs::remove(unpacked);
}

}  // namespace
}  // namespace trakvella::testing
