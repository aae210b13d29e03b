// LibarchiveReader on real RAR archives: flat extraction never writes outside
// the folder, not even through a link already there; kept folders refuse the
// entries that climb out; a file that is no archive does not open.
#include "adapters/LibarchiveReader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/Fakes.h"
#include "support/RarArchives.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;
using testing::WriteRarArchive;

TEST(LibarchiveReader, FlatExtractionStaysInsideAndReplacesLinksInsteadOfFollowingThem) {
  TempDir dir;
  const fs::path archive = dir.path() / "t.rar", target = dir.path() / "target", outside = dir.path() / "outside";
  WriteRarArchive(archive, {{"a/b.txt", "b"},
                            {"../up.txt", "up"},
                            {(outside / "abs.txt").string(), "abs"},
                            {"KMLB_003_001 Трек.wav", std::string(200000, 'w')}});
  WriteFile(outside / "victim.txt", "original");
  fs::create_directories(target);
  fs::create_symlink(outside / "victim.txt", target / "up.txt");

  LibarchiveReader reader;
  std::vector<ArchiveEntry> entries;
  std::string error;
  ASSERT_TRUE(reader.List(archive, entries, error)) << error;
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[3].name, "KMLB_003_001 Трек.wav");  // UTF-8, whatever the locale
  EXPECT_EQ(entries[1].name, "../up.txt");

  int64_t lastDone = 0, lastTotal = 0;
  const ExtractResult result = reader.Extract(archive, target, ExtractPaths::Flat, [&](int64_t done, int64_t total) {
    lastDone = done;
    lastTotal = total;
    return true;
  });
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.written.size(), 4u);
  EXPECT_EQ(lastDone, 200000 + 1 + 2 + 3);
  EXPECT_EQ(lastTotal, lastDone);
  EXPECT_EQ(ReadFile(target / "b.txt"), "b");
  EXPECT_EQ(ReadFile(target / "abs.txt"), "abs");
  EXPECT_FALSE(fs::is_symlink(target / "up.txt"));
  EXPECT_EQ(ReadFile(target / "up.txt"), "up");
  EXPECT_EQ(ReadFile(outside / "victim.txt"), "original");
  EXPECT_FALSE(fs::exists(outside / "abs.txt"));
  EXPECT_FALSE(fs::exists(dir.path() / "up.txt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(target), fs::directory_iterator()), 4);  // no temporary left
}

TEST(LibarchiveReader, KeptFoldersRefuseEntriesThatClimbOutAndBrokenArchivesFail) {
  TempDir dir;
  const fs::path archive = dir.path() / "t.rar", target = dir.path() / "target";
  WriteRarArchive(archive, {{"docs/read me.txt", "r"}, {"docs/../../up.txt", "x"}, {"/etc/abs.txt", "x"}});
  LibarchiveReader reader;
  const ExtractResult kept = reader.Extract(archive, target, ExtractPaths::KeepFolders, nullptr);
  EXPECT_FALSE(kept.ok);
  EXPECT_EQ(kept.refused, (std::vector<std::string>{"docs/../../up.txt", "/etc/abs.txt"}));
  EXPECT_EQ(ReadFile(target / "docs" / "read me.txt"), "r");
  EXPECT_FALSE(fs::exists(dir.path() / "up.txt"));

  // Not an archive; an archive cut short: nothing opens, nothing half-written stays.
  WriteFile(dir.path() / "text.rar", "This is not a RAR archive.\r\n");
  std::vector<ArchiveEntry> entries;
  std::string error;
  EXPECT_FALSE(reader.List(dir.path() / "text.rar", entries, error));
  EXPECT_FALSE(error.empty());
  WriteRarArchive(archive, {{"big.bin", std::string(300000, 'b')}});
  const std::string big = ReadFile(archive);
  WriteFile(dir.path() / "cut.rar", big.substr(0, big.size() / 2));
  const fs::path cutTarget = dir.path() / "cut";
  fs::create_directories(cutTarget);
  const ExtractResult cut = reader.Extract(dir.path() / "cut.rar", cutTarget, ExtractPaths::Flat, nullptr);
  EXPECT_FALSE(cut.ok);
  EXPECT_TRUE(fs::is_empty(cutTarget));
}

}  // namespace
}  // namespace trakvella
