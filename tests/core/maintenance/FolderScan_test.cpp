// The folder scan: which project files are searched, what a scan adds per
// folder and project, what the scan window shows, and trees that fight back.
#include "core/maintenance/FolderScan.h"

#include <algorithm>
#include <zlib.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "adapters/ZlibInflater.h"
#include "core/lang/MessageTable.h"
#include "support/CatalogueFixture.h"
#include "support/Fakes.h"

namespace trakvella {
namespace {

using ::testing::ElementsAre;
using testing::FakeProgress;
using testing::TempDir;
using testing::WriteFile;

// A project file of more than one window with the codes in it as an editor writes paths.
std::string Project(const std::vector<std::string>& codes) {
  std::string bytes(300, '\x01');
  for (const auto& code : codes) bytes += "D:\\Library\\" + code + ".WAV" + std::string(200, '\x02');
  return bytes;
}

std::vector<std::string> Names(const std::vector<std::string>& paths, const std::filesystem::path& root) {
  std::vector<std::string> out;
  for (const auto& p : paths) out.push_back(std::filesystem::path(p).lexically_relative(root).string());
  return out;
}

TEST(FolderScan, FindProjectsByExtensionAndExclusions) {
  TempDir dir;
  const auto& root = dir.path();
  for (const char* name : {"a/song.cpr", "a/song_bak.cpr", "a/Song_BAK.cpr", "a/mix.CPR", "a/tmp/take.cpr",
                           "a/take tmp.cpr", "b/Проект.cpr", "b/other.ses", "b/upper.SES", "b/noext", "c.cpr"})
    WriteFile(root / name, "x");
  std::filesystem::create_directory_symlink(root / "a", root / "a" / "loop");  // a folder inside itself
  std::filesystem::create_symlink(root / "gone.cpr", root / "b" / "broken.cpr");
  ::mkfifo((root / "b" / "pipe.cpr").c_str(), 0600);  // never opened: a read would block

  SilentProgress progress;
  const auto exclusions = ExclusionList(std::string(kDefaultExcludeNames));
  EXPECT_THAT(exclusions, ElementsAre(".bak", "_bak", "tmp"));
  std::vector<std::string> found;
  FindProjects(root, ".cpr", exclusions, progress, found);
  // Depth first in name order; the folder "tmp" excludes nothing, the name "take tmp" does.
  EXPECT_THAT(Names(found, root), ElementsAre("a/mix.CPR", "a/song.cpr", "a/tmp/take.cpr", "b/Проект.cpr", "c.cpr"));

  // Empty parts never match; Cyrillic parts ignore case too.
  found.clear();
  FindProjects(root / "b", ".cpr", ExclusionList(" ,, ПРОЕКТ ,"), progress, found);
  EXPECT_TRUE(found.empty());
  found.clear();
  FindProjects(root / "b", ".cpr", ExclusionList(",,"), progress, found);
  EXPECT_EQ(found.size(), 1u);

  // "Other": the extension as written, so one typed in capitals matches nothing.
  found.clear();
  FindProjects(root, ".ses", exclusions, progress, found);
  EXPECT_THAT(Names(found, root), ElementsAre("b/other.ses", "b/upper.SES"));
  found.clear();
  FindProjects(root, ".SES", exclusions, progress, found);
  FindProjects(root, "", exclusions, progress, found);
  EXPECT_TRUE(found.empty());
}

struct ScanRun : ScanView {
  FakeProgress progress;
  ZlibInflater inflater;
  const Language language = Language::English;
  FolderScan scan{progress, &inflater, language};
  std::vector<ScanDisplay> shown;
  std::vector<ScanEntry> handed;
  ScanRun() { scan.SetView(this); }
  void ShowScan(const ScanDisplay& d) override { shown.push_back(d); }
  void Run(const ScanSettings& settings) {
    scan.Run(settings, [this](const std::vector<ScanEntry>& entries) {
      handed = entries;
      return entries.empty() ? 0 : entries.size() - 1;  // as if one were not a catalogue track
    });
  }
};

TEST(FolderScan, EachCodeOncePerFolderAndProjectName) {
  TempDir dir;
  const auto& root = dir.path();
  WriteFile(root / "Ad" / "spot.cpr", Project({"KMLB_003_012", "KMLB_001_002", "KMLB_003_012"}));
  WriteFile(root / "Ad" / "spot2.cpr", Project({"KMLB_003_012"}));
  WriteFile(root / "Film" / "mix.cpr", Project({"KMLB_005_001"}));
  WriteFile(root / "Film" / "mix.npr", Project({"KMLB_005_001", "KMLB_005_002"}));
  WriteFile(root / "Film" / "empty.veg", Project({}));
  WriteFile(root / "Film" / "live.als", std::string(100, 'x'));  // a type not ticked at start

  ScanRun run;
  ScanSettings settings = DefaultScanSettings();
  settings.startFolder = root.string();
  run.Run(settings);

  const std::vector<ScanEntry> expected = {
      {"KMLB_001_002", "Ad", "spot"},  {"KMLB_003_012", "Ad", "spot"},
      {"KMLB_003_012", "Ad", "spot2"}, {"KMLB_005_001", "Film", "mix"},  // mix.npr adds only what mix.cpr did not
      {"KMLB_005_002", "Film", "mix"},
  };
  EXPECT_EQ(run.scan.entries(), expected);
  EXPECT_EQ(run.handed, expected);

  const ScanDisplay& last = run.scan.display();
  EXPECT_THAT(last.countLabels, ElementsAre("3", "1", "0", "1", "0", "", "", "", "", "", ""));
  EXPECT_EQ(last.proNum, "5/5");
  EXPECT_EQ(last.proF, "empty.veg");
  EXPECT_EQ(last.overall, 5);
  EXPECT_EQ(last.mProTag, 6);  // codes per project, before the folder table
  EXPECT_EQ(last.mPro, LangMessage(Language::English, Msg::FoundTracks) + "6");
  EXPECT_EQ(last.reslabel, LangMessage(Language::English, Msg::ScanTracksAdded) + "4");
  EXPECT_TRUE(last.idle);
  EXPECT_TRUE(run.scan.MayClose());

  // While it ran: buttons off, the window refused to close, the searched type marked.
  ASSERT_GT(run.shown.size(), 3u);
  EXPECT_EQ(run.shown.front().reslabel, LangMessage(Language::English, Msg::FolderScanning));
  EXPECT_TRUE(std::none_of(run.shown.begin(), run.shown.end() - 1, [](const ScanDisplay& d) { return d.idle; }));
  EXPECT_TRUE(
      std::any_of(run.shown.begin(), run.shown.end(), [](const ScanDisplay& d) { return d.searchingType == 1; }));

  // The new types: a gzip Ableton set once ticked.
  std::string set = "<Ableton><SampleRef><FileRef><Path Value=\"/x/KMLB_044_009.aif\"/></FileRef></SampleRef>" +
                    std::string(400, ' ') + "</Ableton>";
  uLongf packedSize = compressBound(set.size()) + 32;
  std::string packed(packedSize, '\0');
  z_stream zs{};
  deflateInit2(&zs, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  zs.next_in = reinterpret_cast<Bytef*>(set.data());
  zs.avail_in = set.size();
  zs.next_out = reinterpret_cast<Bytef*>(packed.data());
  zs.avail_out = packed.size();
  deflate(&zs, Z_FINISH);
  packed.resize(zs.total_out);
  deflateEnd(&zs);
  WriteFile(root / "Film" / "live.als", packed);
  settings.ticked.fill(false);
  settings.ticked[6] = true;
  run.Run(settings);
  EXPECT_EQ(run.scan.entries(), (std::vector<ScanEntry>{{"KMLB_044_009", "Film", "live"}}));
  EXPECT_EQ(run.scan.display().countLabels[6], "1");

  // ClearDisplay clears the texts and gauges of the last scan.
  run.scan.ClearDisplay();
  EXPECT_EQ(run.scan.display().proF + run.scan.display().mPro + run.scan.display().proNum + run.scan.display().reslabel,
            "");
  EXPECT_EQ(run.scan.display().overallMax, 0);
}

TEST(FolderScan, AFolderReachedThroughALinkIsReportedUnderItsOwnName) {
  TempDir dir;
  const auto& root = dir.path();
  WriteFile(root / "Film" / "mix.cpr", Project({"KMLB_005_001"}));
  std::filesystem::create_directory_symlink(root / "Film", root / "A link");  // walked before "Film"
  ScanRun run;
  ScanSettings settings = DefaultScanSettings();
  settings.startFolder = root.string();
  run.Run(settings);
  EXPECT_EQ(run.scan.entries(), (std::vector<ScanEntry>{{"KMLB_005_001", "Film", "mix"}}));
}

TEST(FolderScan, FillsTheMusicSetWithDuplicatesAndCountsWhatItGrewBy) {
  TempDir cat, projects;
  testing::FixtureCatalogue f;
  f.titles = {"KMLB_003=KMLB_003 Promo", "KMLB_003_012=Whoosh\tRU-A47-08-003-012\t00:06\tIvanov\tIvanov"};
  f.tracks = {"KMLB_003_012=0"};
  f.blocks = {{"KMLB_003", testing::NfoBlock("KMLB_003", "Promo", {"* ALL LIBRARY >> FX", "FX >> WHOOSH"}, "012013")}};
  f.Write(cat.path());
  testing::LoadedCatalogue loaded;
  testing::LoadFolder(loaded, cat.path(), LoadOptions{});
  testing::FakeDialogs dialogs;
  const Language language = Language::English;
  MusicSet set(loaded.catalogue, dialogs, language);
  ASSERT_TRUE(set.Append({"KMLB_003_012", "x", "-", "-", 0, 0}));

  WriteFile(projects.path() / "Promo" / "cut1.cpr", Project({"KMLB_003_012", "KMLB_999_001"}));
  WriteFile(projects.path() / "Promo" / "cut2.cpr", Project({"KMLB_003_012"}));
  ScanRun run;
  ScanSettings settings = DefaultScanSettings();
  settings.startFolder = projects.path().string();
  run.scan.Run(settings, [&](const std::vector<ScanEntry>& entries) { return AddToMusicSet(set, entries); });

  EXPECT_EQ(run.scan.entries().size(), 3u);  // the unknown code is dropped by the set, not by the scan
  ASSERT_EQ(set.size(), 3u);
  EXPECT_EQ(set[1].projectFolder, "Promo");
  EXPECT_EQ(set[1].projectName, "cut1");
  EXPECT_EQ(set[1].context, set.DefaultContext(0, ContextCategory::Specific));
  EXPECT_EQ(set[2].projectName, "cut2");
  EXPECT_EQ(run.scan.display().reslabel, LangMessage(Language::English, Msg::ScanTracksAdded) + "2");
}

TEST(FolderScan, MissingFolderCancelAndATableBeyondItsSlots) {
  ScanRun run;
  ScanSettings settings = DefaultScanSettings();
  settings.startFolder = "/nonexistent/folder";
  run.Run(settings);
  EXPECT_TRUE(run.handed.empty());
  EXPECT_EQ(run.scan.display().reslabel, LangMessage(Language::English, Msg::ScanTracksAdded) + "0");

  // The cancel flag ends the scan with the projects finished before it.
  TempDir dir;
  for (int i = 0; i < 40; ++i) WriteFile(dir.path() / std::to_string(i) / "s.cpr", Project({"KMLB_001_001"}));
  settings.startFolder = dir.path().string();
  run.progress.cancelAfterPumps = 41 + 10;  // the search pumps once per folder, then ten files
  run.Run(settings);
  EXPECT_TRUE(run.scan.cancelled());
  EXPECT_GT(run.scan.entries().size(), 0u);
  EXPECT_LT(run.scan.entries().size(), 40u);
  EXPECT_TRUE(run.scan.display().idle);

  FolderTable table;
  for (size_t i = 0; i <= kFolderTableSlots; ++i) EXPECT_TRUE(table.Add(std::to_string(i), "p", "KMLB_001_001"));
  EXPECT_TRUE(table.grown());
  EXPECT_FALSE(table.Add("10000", "p", "KMLB_001_001"));
  EXPECT_TRUE(table.Add("10000", "q", "KMLB_001_001"));

  // A scan of more project folders than the slots says so under its count.
  EXPECT_EQ(ScanResultLine(Language::English, 7, false), LangMessage(Language::English, Msg::ScanTracksAdded) + "7");
  EXPECT_EQ(ScanResultLine(Language::Russian, 10001, true),
            LangMessage(Language::Russian, Msg::ScanTracksAdded) +
                "10001\nПапок с проектами больше 10000: просканированы все.");
}

}  // namespace
}  // namespace trakvella
