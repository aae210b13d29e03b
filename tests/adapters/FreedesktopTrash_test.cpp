// FreedesktopTrash: a file moves into files/ with its info file beside it, and
// a second file of the same name gets a name of its own.
#include "adapters/FreedesktopTrash.h"

#include <regex>

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(FreedesktopTrash, MovesFilesWithTheirInfoAndKeepsNamesApart) {
  TempDir dir;
  FreedesktopTrash trash(dir.path() / "share" / "Trash");
  const fs::path file = dir.path() / "my folder" / "KMLB_003_001.rar";
  WriteFile(file, "first");
  ASSERT_TRUE(trash.MoveToTrash(file));
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(ReadFile(trash.homeTrash() / "files" / "KMLB_003_001.rar"), "first");
  const std::string info = ReadFile(trash.homeTrash() / "info" / "KMLB_003_001.rar.trashinfo");
  EXPECT_TRUE(std::regex_match(info, std::regex("\\[Trash Info\\]\nPath=" + dir.path().string() +
                                                "/my%20folder/KMLB_003_001\\.rar\n"
                                                "DeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n")))
      << info;
  EXPECT_EQ(fs::status(trash.homeTrash()).permissions() & fs::perms::all, fs::perms::owner_all);

  WriteFile(file, "second");
  ASSERT_TRUE(trash.MoveToTrash(file));
  EXPECT_EQ(ReadFile(trash.homeTrash() / "files" / "KMLB_003_001.2.rar"), "second");
  EXPECT_TRUE(fs::exists(trash.homeTrash() / "info" / "KMLB_003_001.2.rar.trashinfo"));
  EXPECT_FALSE(trash.MoveToTrash(file));  // gone already
}

}  // namespace
}  // namespace trakvella
