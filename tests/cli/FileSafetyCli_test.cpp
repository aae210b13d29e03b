// trakvella-cli against files that are not what they seem: pipes, devices and
// outsized files where the program reads, the user's link and a closed folder
// where it writes, one account written by several downloads at once, and a
// long list of category places. Every command runs as a process of its own
// under a time limit, so a read that hangs fails the test instead of holding it.
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/text/Text.h"
#include "support/CliProcess.h"
#include "support/Fakes.h"
#include "support/LibraryServers.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

constexpr const char* kNotRegular = "The file was not read: it is not a regular file (a folder, a pipe or a device):";
constexpr int kKilledByTimeout = 128 + 9;

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs the CLI (after `prefix`, a command that runs it as another user, say)
// and kills it after 30 seconds.
CliResult RunWithin(const std::vector<std::string>& args, const std::string& prefix = "") {
  return RunCli(args, std::nullopt, "timeout -s KILL 30 " + prefix);
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

struct FileSafetyCli : ::testing::Test {
  TempDir home;
  CliResult Set(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--home", home.path().string(), "--lang", "en", "set"};
    all.insert(all.end(), args.begin(), args.end());
    return RunWithin(all);
  }
  std::string Path(const std::string& name) const { return (home.path() / name).string(); }
};

TEST_F(FileSafetyCli, PipesDevicesAndOutsizedFilesAreRefusedAtOnceAndChangeNothing) {
  WriteFile(home.path() / "in.rq2", "KMLB_027_002\r\n");
  ASSERT_EQ(mkfifo(Path("trakvella.ini").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(Path("servers.ini").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(Path("pipe.rq2").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", home.path() / "zero.rq2");
  // A gigabyte that takes no disk: far beyond what a set list can be.
  WriteFile(home.path() / "huge.rq2", "");
  ASSERT_EQ(truncate(Path("huge.rq2").c_str(), 1LL << 30), 0);

  // The settings and the server list are pipes: each is named, the built-in
  // server is used and the playlist comes all the same.
  const CliResult m3u = Set({"m3u", Path("in.rq2")});
  ASSERT_NE(m3u.status, kKilledByTimeout) << "the command hung";
  EXPECT_EQ(m3u.status, 0) << m3u.err;
  EXPECT_THAT(m3u.err, HasSubstr(std::string(kNotRegular) + "\\r" + Path("servers.ini")));
  EXPECT_THAT(m3u.err, HasSubstr(std::string(kNotRegular) + "\\r" + Path("trakvella.ini")));
  ASSERT_EQ(m3u.out.size(), 1u);
  EXPECT_THAT(m3u.out[0], ::testing::EndsWith("/KMLB_027/KMLB_027_002.mp3"));

  for (const char* name : {"pipe.rq2", "zero.rq2"}) {
    const CliResult read = Set({"read", Path(name)});
    ASSERT_NE(read.status, kKilledByTimeout) << name << " hung";
    EXPECT_EQ(read.status, 2) << name;
    EXPECT_THAT(read.err, HasSubstr(kNotRegular)) << name;
  }
  const CliResult huge = Set({"read", Path("huge.rq2")});
  ASSERT_NE(huge.status, kKilledByTimeout) << "the outsized file was read";
  EXPECT_EQ(huge.status, 2);
  EXPECT_THAT(huge.err, HasSubstr("message: The file was not read: it is too large. A file of its kind holds at most, "
                                  "MB: 64\\r" +
                                  Path("huge.rq2")));

  // What the user would paste, from a pipe.
  const CliResult prices =
      RunWithin({"--home", home.path().string(), "--lang", "ru", "export", "webasyst", "--prices", Path("pipe.rq2")});
  ASSERT_NE(prices.status, kKilledByTimeout) << "the export hung";
  EXPECT_EQ(prices.status, 2);
  EXPECT_THAT(prices.err, HasSubstr("message: Файл не прочитан: это не обычный файл"));

  for (const char* name : {"trakvella.ini", "servers.ini", "pipe.rq2"})
    EXPECT_TRUE(fs::is_fifo(home.path() / name)) << name;
}

TEST_F(FileSafetyCli, ASetFileIsWrittenThroughTheUsersLinkWithItsModeAndInPlaceInAClosedFolder) {
  WriteFile(home.path() / "in.rq2", "KMLB_027_001\r\nKMLB_027_002\r\n");

  // The user keeps the set in "real.rq2", private, and saves through a link to it.
  fs::create_directory(home.path() / "sets");
  WriteFile(home.path() / "sets" / "real.rq2", "old\r\n");
  ASSERT_EQ(chmod(Path("sets/real.rq2").c_str(), 0600), 0);
  fs::create_symlink("real.rq2", home.path() / "sets" / "link.rq2");
  const CliResult linked = Set({"write", Path("in.rq2"), Path("sets/link.rq2")});
  ASSERT_EQ(linked.status, 0) << linked.err;
  EXPECT_TRUE(fs::is_symlink(home.path() / "sets" / "link.rq2"));
  EXPECT_EQ(ReadFile(home.path() / "sets" / "real.rq2").substr(0, 12), "KMLB_027_001");
  struct stat info {};
  ASSERT_EQ(stat(Path("sets/real.rq2").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_THAT(Names(home.path() / "sets"), UnorderedElementsAre("real.rq2", "link.rq2"));

  // A folder the user may not add files to, holding a file the user may write:
  // the file is written in place. Run as an ordinary user (root may write anywhere).
  const fs::path closed = home.path() / "closed";
  fs::create_directory(closed);
  WriteFile(closed / "set.rq2", "old\r\n");
  std::string asUser;
  if (geteuid() == 0) {
    ASSERT_EQ(chmod(home.path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(Path("in.rq2").c_str(), 0644), 0);
    ASSERT_EQ(chown((closed / "set.rq2").c_str(), 65534, 65534), 0);
    asUser = "setpriv --reuid=65534 --regid=65534 --clear-groups";
  }
  ASSERT_EQ(chmod(closed.c_str(), 0555), 0);
  const CliResult inPlace = RunWithin(
      {"--home", home.path().string(), "--lang", "en", "set", "write", Path("in.rq2"), (closed / "set.rq2").string()},
      asUser);
  chmod(closed.c_str(), 0755);
  EXPECT_EQ(inPlace.status, 0) << inPlace.err;
  EXPECT_EQ(Cp1251ToUtf8(ReadFile(closed / "set.rq2")), Cp1251ToUtf8(ReadFile(home.path() / "sets" / "real.rq2")));
  EXPECT_THAT(Names(closed), ElementsAre("set.rq2"));
}

TEST_F(FileSafetyCli, TheCategoryBufferOfALongListIsShownAndSavedOnce) {
  std::string places;
  for (int i = 0; i < 3000; ++i) places += "DANCE MUSIC >> PLACE " + std::to_string(i) + " : KMLB_003 x\n";
  WriteFile(home.path() / "places.txt", places);
  const CliResult buffer = RunWithin(
      {"--home", home.path().string(), "--lang", "en", "export", "category-buffer", "--input", Path("places.txt")});
  ASSERT_EQ(buffer.status, 0) << buffer.err.substr(0, 200);
  ASSERT_EQ(buffer.out.size(), 3000u);
  EXPECT_EQ(buffer.out.back(), "DANCE MUSIC >> PLACE 2999\r");
  // What it writes grows with the list, not with its square.
  EXPECT_LT(buffer.err.size(), 2 * places.size());
  EXPECT_EQ(SplitLines(ReadFile(home.path() / "cat.txt")).size(), 3000u);
}

// Six downloads of one login at once, as six windows of the program or six
// scripts would run them, against the local FTP server.
TEST(ParallelDownloads, EveryDownloadOfOneLoginStaysInItsAccountFile) {
  TempDir home, dataHome;
  LibraryServers servers(home.path(), "--ftp-account par:pw:50");
  const std::vector<std::string> codes = {"KMLB_003_001", "KMLB_003_002", "KMLB_003_003",
                                          "KMLB_003_004", "KMLB_003_005", "KMLB_003_006"};
  std::string script = "export XDG_DATA_HOME=" + Quote(dataHome.path().string()) + "; ";
  for (size_t i = 0; i < codes.size(); ++i) {
    const fs::path to = home.path() / ("to" + std::to_string(i));
    fs::create_directory(to);
    script += std::string("timeout -s KILL 120 ") + TRAKVELLA_CLI + " --home " + Quote(home.path().string()) +
              " --lang en download --login par --password pw --to " + Quote(to.string()) + " " + codes[i] + " > " +
              Quote((to / "out").string()) + " 2>&1 & ";
  }
  script += "wait";
  ASSERT_EQ(std::system(("bash -c " + Quote(script)).c_str()), 0);
  for (size_t i = 0; i < codes.size(); ++i)
    EXPECT_THAT(ReadFile(home.path() / ("to" + std::to_string(i)) / "out"),
                HasSubstr("item=" + codes[i] + "|unpacked|"));

  const CliResult account = RunWithin({"--home", home.path().string(), "account", "show", "par"});
  ASSERT_EQ(account.status, 0) << account.err;
  EXPECT_THAT(WithPrefix(account.out, "downloaded="),
              UnorderedElementsAre("downloaded=KMLB_003_001", "downloaded=KMLB_003_002", "downloaded=KMLB_003_003",
                                   "downloaded=KMLB_003_004", "downloaded=KMLB_003_005", "downloaded=KMLB_003_006"));
  EXPECT_THAT(Names(home.path()), Not(::testing::Contains(::testing::StartsWith(".par.kmlb"))));
}

}  // namespace
}  // namespace trakvella::testing
