// Which folder keeps the user's data when the program file stands where the
// install rule puts it: the user's data folder, made readable by its owner
// only; --home before it. Real folders; a program file in a folder its user may
// not write, and a portable copy, are tried through trakvella-cli run as
// another user (ProgramFolderCli_test).
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

TEST(ProgramFolder, TheInstalledProgramMakesAPrivateDataFolderAndHomeWins) {
  TempDir root;
  const fs::path bin = root.path() / "usr" / "bin", home = root.path() / "home";
  fs::create_directories(bin);
  fs::create_directories(home);
  fs::create_directory_symlink(bin, root.path() / "bin");  // /bin on a merged /usr
  auto choose = [&](const fs::path& executableFolder, const std::string& xdgDataHome,
                    std::optional<fs::path> homeOption = std::nullopt) {
    return ChooseProgramFolder({homeOption, executableFolder, bin, xdgDataHome, home.string()}, Files());
  };
  const fs::path data = home / ".local" / "share" / "trakvella";

  // Root may write /usr/bin: the install rule's folder counts as installed all the same.
  for (const fs::path& executableFolder : {bin, root.path() / "bin"}) {
    fs::remove_all(home / ".local");
    const ProgramFolderChoice choice = choose(executableFolder, "relative/data");  // a relative one is no folder
    ASSERT_TRUE(choice.made.ok()) << choice.made.ToString();
    EXPECT_TRUE(choice.installed);
    EXPECT_EQ(choice.folder, data);
    for (const fs::path& made : {home / ".local", home / ".local" / "share", data}) EXPECT_EQ(Mode(made), 0700u);
  }
  // A later start takes the folder as the user left it.
  ASSERT_EQ(chmod(data.c_str(), 0750), 0);
  EXPECT_TRUE(choose(bin, "").made.ok());
  EXPECT_EQ(Mode(data), 0750u);

  EXPECT_EQ(choose(bin, (root.path() / "xdg").string()).folder, root.path() / "xdg" / "trakvella");
  // --home wins and makes nothing; the program is still never updated over its files.
  const ProgramFolderChoice withHome = choose(bin, (root.path() / "unused").string(), root.path() / "chosen");
  EXPECT_EQ(withHome.folder, root.path() / "chosen");
  EXPECT_TRUE(withHome.installed);
  EXPECT_FALSE(fs::exists(root.path() / "unused"));
  // A file where the data folder should go: the choice stands and says why.
  WriteFile(root.path() / "blocked", "x");
  const ProgramFolderChoice blocked = choose(bin, (root.path() / "blocked").string());
  EXPECT_EQ(blocked.folder, root.path() / "blocked" / "trakvella");
  EXPECT_TRUE(blocked.made.IsNotRegularFile()) << blocked.made.ToString();
}

}  // namespace
}  // namespace trakvella::testing
