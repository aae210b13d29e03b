// Where an installed trakvella-cli keeps its user's data: a copy in a folder its
// user may not write (as a package installs it) uses the user's data folder,
// made on first use readable by that user only; the same copy in a folder the
// user may write keeps using it; --home wins. Run as an ordinary user (root may
// write anywhere) from a home of that user's own.
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "core/text/Text.h"
#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

constexpr unsigned kOtherUser = 65534;

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

struct InstalledCli : ::testing::Test {
  TempDir root;
  fs::path bin = root.path() / "bin";
  fs::path home = root.path() / "home";
  std::string asUser;

  void SetUp() override {
    fs::create_directories(bin);
    fs::create_directories(home);
    fs::copy_file(TRAKVELLA_CLI, bin / "trakvella-cli");
    ASSERT_EQ(chmod(root.path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(bin.c_str(), 0555), 0);
    if (geteuid() == 0) {
      ASSERT_EQ(chown(home.c_str(), kOtherUser, kOtherUser), 0);
      asUser = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
  }
  void TearDown() override { chmod(bin.c_str(), 0755); }

  // The account file "account show" names, which lies in the program folder.
  std::string AccountFile(const std::string& options) {
    const fs::path out = root.path() / "out";
    const std::string command = "env -u XDG_DATA_HOME HOME=" + Quote(home.string()) + " timeout -s KILL 30 " + asUser +
                                Quote((bin / "trakvella-cli").string()) + " " + options +
                                " --lang en account show demo > " + Quote(out.string()) + " 2>&1";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << ReadFile(out);  // no account file yet
    for (const std::string& line : SplitLines(ReadFile(out)))
      if (line.rfind("file=", 0) == 0) return line.substr(5);
    ADD_FAILURE() << ReadFile(out);
    return {};
  }
};

TEST_F(InstalledCli, KeepsItsDataInThePrivateDataFolderUnlessItsOwnFolderOrHomeIsGiven) {
  const fs::path data = home / ".local" / "share" / "trakvella";
  EXPECT_EQ(AccountFile(""), (data / "demo.kmlb").string());
  struct stat info {};
  ASSERT_EQ(stat(data.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0700u);
  EXPECT_EQ(info.st_uid, geteuid() == 0 ? kOtherUser : geteuid());
  std::vector<std::string> beside;
  for (const auto& entry : fs::directory_iterator(bin)) beside.push_back(entry.path().filename().string());
  EXPECT_THAT(beside, ElementsAre("trakvella-cli"));

  const fs::path chosen = root.path() / "chosen";
  EXPECT_EQ(AccountFile("--home " + Quote(chosen.string())), (chosen / "demo.kmlb").string());

  // A portable copy: its user may write its folder.
  if (geteuid() == 0) {
    ASSERT_EQ(chown(bin.c_str(), kOtherUser, kOtherUser), 0);
  }
  ASSERT_EQ(chmod(bin.c_str(), 0755), 0);
  EXPECT_EQ(AccountFile(""), (bin / "demo.kmlb").string());
}

}  // namespace
}  // namespace trakvella::testing
