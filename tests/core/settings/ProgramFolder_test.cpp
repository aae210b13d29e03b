// Which folder keeps the user's data: the program's own folder while it may be
// written, else the user's data folder, made readable by its owner only;
// --home before both. Real folders; the folder a user may not write is tested
// through trakvella-cli run as another user (ProgramFolderCli_test).
#include "core/settings/ProgramFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/text/FileIO.h"
#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;

unsigned Mode(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

struct ProgramFolder : ::testing::Test {
  TempDir root;
  fs::path bin = root.path() / "usr" / "bin";
  fs::path home = root.path() / "home";
  void SetUp() override {
    fs::create_directories(bin);
    fs::create_directories(home);
  }
  ProgramFolderChoice Choose(const fs::path& executableFolder, const std::string& xdgDataHome = "",
                             std::optional<fs::path> homeOption = std::nullopt) {
    return ChooseProgramFolder({homeOption, executableFolder, bin, xdgDataHome, home.string()}, Files());
  }
};

TEST_F(ProgramFolder, AWritableCopyKeepsItsOwnFolderAndMakesNothing) {
  const fs::path portable = root.path() / "portable";
  fs::create_directory(portable);
  const ProgramFolderChoice choice = Choose(portable);
  EXPECT_EQ(choice.folder, portable);
  EXPECT_FALSE(choice.installed);
  EXPECT_TRUE(choice.made.ok());
  EXPECT_FALSE(fs::exists(home / ".local"));
}

TEST_F(ProgramFolder, TheInstalledProgramMakesThePrivateDataFolderOnFirstStartAndKeepsItAfter) {
  // Root may write /usr/bin; the install rule's folder is installed all the same,
  // also reached through a link (/bin on a merged /usr).
  fs::create_directory_symlink(bin, root.path() / "bin");
  for (const fs::path& executableFolder : {bin, root.path() / "bin"}) {
    fs::remove_all(home / ".local");
    const ProgramFolderChoice choice = Choose(executableFolder);
    ASSERT_TRUE(choice.made.ok()) << choice.made.ToString();
    EXPECT_TRUE(choice.installed);
    EXPECT_EQ(choice.folder, home / ".local" / "share" / "trakvella");
    for (const fs::path& made : {home / ".local", home / ".local" / "share", choice.folder})
      EXPECT_EQ(Mode(made), 0700u) << made;
  }
  // A later start takes the folder as it is, with what the user made of it.
  ASSERT_EQ(chmod((home / ".local" / "share" / "trakvella").c_str(), 0750), 0);
  EXPECT_TRUE(Choose(bin).made.ok());
  EXPECT_EQ(Mode(home / ".local" / "share" / "trakvella"), 0750u);

  // XDG_DATA_HOME when it is an absolute path; a relative one is no folder.
  const fs::path data = root.path() / "data";
  EXPECT_EQ(Choose(bin, data.string()).folder, data / "trakvella");
  EXPECT_EQ(Mode(data / "trakvella"), 0700u);
  EXPECT_EQ(Choose(bin, "relative/data").folder, home / ".local" / "share" / "trakvella");
  EXPECT_FALSE(fs::exists("relative"));
}

TEST_F(ProgramFolder, HomeOptionWinsAndAFolderThatCannotBeMadeIsReported) {
  const fs::path chosen = root.path() / "chosen";
  const ProgramFolderChoice withHome = Choose(bin, "", chosen);
  EXPECT_EQ(withHome.folder, chosen);
  EXPECT_TRUE(withHome.installed);  // still never updated over its files
  EXPECT_FALSE(fs::exists(home / ".local"));

  // A file where the data folder should go: the choice stands and says why.
  WriteFile(root.path() / "blocked", "x");
  const ProgramFolderChoice blocked = Choose(bin, (root.path() / "blocked").string());
  EXPECT_EQ(blocked.folder, root.path() / "blocked" / "trakvella");
  EXPECT_TRUE(blocked.made.IsNotRegularFile()) << blocked.made.ToString();
}

}  // namespace
}  // namespace trakvella::testing
