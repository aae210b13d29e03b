// LibarchiveReader on real RAR archives: flat extraction never writes outside
// the folder, not even through a link already there; kept folders refuse the
// entries that climb out; a file that is no archive does not open; damaged
// entries, links and an entry named like the archive never land under their
// names; executables stay executable.
#include "adapters/LibarchiveReader.h"

#include <cstdlib>
#include <filesystem>
#include <limits>

#include <gtest/gtest.h>

#include "support/Fakes.h"
#include "support/RarArchives.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;
using testing::WriteRarArchive;
using testing::WriteRarEntries;

size_t Count(const fs::path& folder) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Two stored entries of three bytes whose headers claim 2^62 + 5 bytes each:
// sizes that add up past the largest 64-bit number.
constexpr const char* kHugeSizes = R"PY(
import struct, sys, zlib; sys.path.insert(0, sys.argv[1]); import rar4_store as r
h = lambda n: r._block(r.HEAD_FILE, r.FLAG_ADD_SIZE | r.FLAG_LARGE, struct.pack("<IIBIIBBHIII", 3, 5, r.HOST_UNIX,
    zlib.crc32(b"abc"), r.dos_time(0), 20, r.METHOD_STORE, len(n), r.MODE_FILE, 0, 1 << 30) + n)
open(sys.argv[2], "wb").write(r.MARKER + r._block(r.HEAD_ARCHIVE, 0, struct.pack("<HI", 0, 0)) + h(b"a") + b"abc" +
                              h(b"b") + b"abc" + r._block(r.HEAD_END, r.END_FLAG_NEXT_VOLUME_NONE, b""))
)PY";

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
  const Status listed = reader.List(archive, entries);
  ASSERT_TRUE(listed.ok()) << listed.ToString();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[3].name, "KMLB_003_001 Трек.wav");  // UTF-8, whatever the locale
  EXPECT_EQ(entries[1].name, "../up.txt");

  int64_t lastDone = 0, lastTotal = 0;
  const ExtractResult result = reader.Extract(archive, target, ExtractPaths::Flat, [&](int64_t done, int64_t total) {
    lastDone = done;
    lastTotal = total;
    return true;
  });
  ASSERT_TRUE(result.status.ok()) << result.status.ToString();
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

  // Stopped by its caller: told apart from a failure of the archive or the disk.
  const fs::path stoppedTarget = dir.path() / "stopped";
  fs::create_directories(stoppedTarget);
  EXPECT_TRUE(reader.Extract(archive, stoppedTarget, ExtractPaths::Flat, [](int64_t, int64_t) { return false; })
                  .status.IsAborted());
}

TEST(LibarchiveReader, KeptFoldersRefuseEntriesThatClimbOutAndBrokenArchivesFail) {
  TempDir dir;
  const fs::path archive = dir.path() / "t.rar", target = dir.path() / "target";
  WriteRarArchive(archive, {{"docs/read me.txt", "r"}, {"docs/../../up.txt", "x"}, {"/etc/abs.txt", "x"}});
  LibarchiveReader reader;
  const ExtractResult kept = reader.Extract(archive, target, ExtractPaths::KeepFolders, nullptr);
  EXPECT_TRUE(kept.status.IsInvalidArgument()) << kept.status.ToString();
  EXPECT_EQ(kept.refused, (std::vector<std::string>{"docs/../../up.txt", "/etc/abs.txt"}));
  EXPECT_EQ(ReadFile(target / "docs" / "read me.txt"), "r");
  EXPECT_FALSE(fs::exists(dir.path() / "up.txt"));

  // Not an archive; an archive cut short: nothing opens, nothing half-written stays.
  WriteFile(dir.path() / "text.rar", "This is not a RAR archive.\r\n");
  std::vector<ArchiveEntry> entries;
  const Status notArchive = reader.List(dir.path() / "text.rar", entries);
  EXPECT_TRUE(notArchive.IsUnsupported()) << notArchive.ToString();
  EXPECT_FALSE(notArchive.message().empty());
  WriteRarArchive(archive, {{"big.bin", std::string(300000, 'b')}});
  const std::string big = ReadFile(archive);
  WriteFile(dir.path() / "cut.rar", big.substr(0, big.size() / 2));
  const fs::path cutTarget = dir.path() / "cut";
  fs::create_directories(cutTarget);
  const ExtractResult cut = reader.Extract(dir.path() / "cut.rar", cutTarget, ExtractPaths::Flat, nullptr);
  EXPECT_FALSE(cut.status.ok());
  EXPECT_TRUE(fs::is_empty(cutTarget));
}

TEST(LibarchiveReader, OnlyWholeRegularFilesLandUnderTheirNames) {
  TempDir dir;
  const fs::path target = dir.path() / "target", archive = target / "KMLB_003_001.rar";
  fs::create_directories(target);
  WriteRarEntries(archive, {{"prog", "#!/bin/sh\n", 0755},
                            {"link.wav", "/etc/passwd", 0777, true},
                            {"sub/KMLB_003_001.rar", "not the archive"}});
  const std::string archiveBytes = ReadFile(archive);
  LibarchiveReader reader;
  std::vector<ArchiveEntry> entries;
  const Status listed = reader.List(archive, entries);
  ASSERT_TRUE(listed.ok()) << listed.ToString();
  EXPECT_FALSE(entries[1].isFile);  // a link is no file to unpack
  // The entry named like the archive is refused and the archive stays whole;
  // the link is not made; the executable stays executable.
  const ExtractResult result = reader.Extract(archive, target, ExtractPaths::Flat, nullptr);
  EXPECT_EQ(result.refused, std::vector<std::string>{"sub/KMLB_003_001.rar"});
  EXPECT_EQ(ReadFile(archive), archiveBytes);
  EXPECT_EQ(Count(target), 2u);
  EXPECT_NE(fs::status(target / "prog").permissions() & fs::perms::owner_exec, fs::perms::none);

  // A stored entry whose bytes fail their CRC (libarchive checks packed ones
  // only): the entry before it lands, it does not, no temporary file stays.
  const fs::path damaged = dir.path() / "damaged";
  fs::create_directories(damaged);
  WriteRarArchive(dir.path() / "crc.rar", {{"first.txt", "first"}, {"second.wav", std::string(5000, 's')}});
  std::string bytes = ReadFile(dir.path() / "crc.rar");
  bytes[bytes.find(std::string(5000, 's')) + 2500] = 'X';
  WriteFile(dir.path() / "crc.rar", bytes);
  const Status crc = reader.Extract(dir.path() / "crc.rar", damaged, ExtractPaths::Flat, nullptr).status;
  EXPECT_TRUE(crc.IsUnsupported());
  EXPECT_NE(crc.message().find("CRC"), std::string::npos);
  EXPECT_EQ(Count(damaged), 1u);

  // Sizes past the largest number: the progress total holds at the largest,
  // and three bytes where the header promised more are no file.
  const fs::path huge = dir.path() / "huge.rar", hugeTarget = dir.path() / "huge";
  WriteFile(dir.path() / "huge.py", kHugeSizes);
  ASSERT_EQ(std::system(("python3 " + (dir.path() / "huge.py").string() + " " + TRAKVELLA_SOURCE_DIR + "/tools " +
                         huge.string())
                            .c_str()),
            0);
  fs::create_directories(hugeTarget);
  int64_t lastTotal = 0;
  EXPECT_FALSE(reader
                   .Extract(huge, hugeTarget, ExtractPaths::Flat,
                            [&](int64_t, int64_t total) {
                              lastTotal = total;
                              return true;
                            })
                   .status.ok());
  EXPECT_EQ(lastTotal, std::numeric_limits<int64_t>::max());
  EXPECT_EQ(Count(hugeTarget), 0u);
}

}  // namespace
}  // namespace trakvella
