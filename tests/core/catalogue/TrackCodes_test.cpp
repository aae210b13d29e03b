#include "core/catalogue/TrackCodes.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "core/lang/MessageTable.h"
#include "support/Fakes.h"

namespace trakvella {
namespace {

using testing::FakeProgress;
using testing::TempDir;
using testing::WriteFile;

TEST(CodeFromText, FindsTheCodeInFileNamesAndFreeText) {
  EXPECT_EQ(CodeFromText("c:\\music\\kmlb_003_001 Applause.wav", false), "");
  EXPECT_EQ(CodeFromText("KMLB_003 001 x.mp3", false), "KMLB_003_001");
  EXPECT_EQ(CodeFromText("KMLB_003_001 then KMLB_005_002.mp3", true), "KMLB_005_002");
  EXPECT_EQ(CodeFromText("KMLB_003_001 then KMLB_005_002.mp3", false), "KMLB_003_001");
  // Only the prefix must be upper case; the rest is upper-cased.
  EXPECT_EQ(CodeFromText("/home/u/KMLB_003_0a1.wav", false), "KMLB_003_0A1");
  EXPECT_EQ(CodeFromText("ends with KMLB_003_01", false), "");
  EXPECT_EQ(CodeFromText("no code", true), "");
  // Twelve characters, not twelve bytes.
  EXPECT_EQ(CodeFromText("KMLB_003_аб", false), "");
  EXPECT_EQ(CodeFromText("KMLB_003_абв", false), "KMLB_003_АБВ");
}

TEST(TrackCodes, CdCodeAndNumber) {
  EXPECT_EQ(CdCodeOf("KMLB_409_060"), "KMLB_409");
  EXPECT_EQ(CdNumberOf("KMLB_409_060"), 409);
  EXPECT_EQ(CdNumberOf("KMLB_007"), 7);
  EXPECT_EQ(CdNumberOf("KMLB_x07"), 0);
  EXPECT_EQ(CdNumberOf("KMLB"), 0);
}

TEST(TrackCodes, DemoNamesAndAddresses) {
  EXPECT_EQ(DemoName("KMLB_409_060"), "KMLB_409/KMLB_409_060.mp3");
  EXPECT_TRUE(IsDemoName("KMLB_409/KMLB_409_060.mp3"));
  EXPECT_FALSE(IsDemoName("/opt/trakvella/audio/KMLB_409_060 Title.wav"));
  EXPECT_FALSE(IsDemoName("KMLB_409_060.wav"));

  EXPECT_EQ(SanitiseFileName("Who? / Why: *Yes*"), "Who  Why Yes");
  EXPECT_EQ(SanitiseFileName("a\\b<c>d|e\"f"), "abcdef");
  EXPECT_EQ(DemoFileName("KMLB_003_001", "Аплодисменты - 01"), "KMLB_003_001 Аплодисменты - 01.mp3");
  EXPECT_EQ(DemoFileName("KMLB_003_002", "Who? / Why: *Yes*"), "KMLB_003_002 Who  Why Yes.mp3");

  const std::string base = "http://demo.example/audio/";
  EXPECT_EQ(TrackPathOrUrl("KMLB_409/KMLB_409_060.mp3", base), "http://demo.example/audio/KMLB_409/KMLB_409_060.mp3");
  EXPECT_EQ(TrackPathOrUrl("/opt/trakvella/audio/KMLB_409_060.wav", base), "/opt/trakvella/audio/KMLB_409_060.wav");
}

TEST(FormatDuration, WritesEveryForm) {
  EXPECT_EQ(FormatDuration(65432, DurationForm::MinutesSeconds, Language::English), "01:05");
  EXPECT_EQ(FormatDuration(65432, DurationForm::HoursDotMinutes, Language::English), "0.01");
  EXPECT_EQ(FormatDuration(65432, DurationForm::SecondsMillis, Language::English), "05.432");
  EXPECT_EQ(FormatDuration(65432, DurationForm::Clock, Language::English), "0:01:05");
  EXPECT_EQ(FormatDuration(0, DurationForm::MinutesSeconds, Language::English), "00:00");
  EXPECT_EQ(FormatDuration(0, DurationForm::SecondsMillis, Language::English), "00.000");
  EXPECT_EQ(FormatDuration(3723000, DurationForm::HoursMinutes, Language::English), "1h:02m:");
  EXPECT_EQ(FormatDuration(3723000, DurationForm::HoursMinutesSeconds, Language::English), "1h:02m:03s");
  EXPECT_EQ(FormatDuration(3723000, DurationForm::HoursMinutesSeconds, Language::Russian), "1 ч. 02 мин. 03 сек.");
  EXPECT_EQ(FormatDuration(3723000, DurationForm::HoursMinutes, Language::Russian), "1 ч. 02 мин. ");
  // Form 0 drops the hours; hours are not limited to two digits.
  EXPECT_EQ(FormatDuration(3723000, DurationForm::MinutesSeconds, Language::English), "02:03");
  EXPECT_EQ(FormatDuration(360000000, DurationForm::Clock, Language::English), "100:00:00");
  EXPECT_EQ(FormatDuration(-5, DurationForm::MinutesSeconds, Language::English), "00:00");
  EXPECT_EQ(FormatDuration(1000, static_cast<DurationForm>(6), Language::English), "");
}

class ListFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto& root = dir.path();
    WriteFile(root / "KMLB_001_001 One.wav", "w");
    WriteFile(root / "KMLB_001_002 Two.MP3", "m");
    WriteFile(root / "notes.txt", "t");
    WriteFile(root / "a" / "KMLB_002_001.mp3", "m");
    WriteFile(root / "a" / "kmlb_002_002.mp3", "m");
    WriteFile(root / "a" / "deep" / "KMLB_003_001.wav", "w");
    WriteFile(root / "b" / "other.mp3", "m");
    WriteFile(root / "b" / "noext", "x");
  }
  std::vector<std::string> Names(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    for (const auto& p : paths) names.push_back(std::filesystem::path(p).lexically_relative(dir.path()).string());
    return names;
  }

  TempDir dir;
  FakeProgress progress;
};

TEST_F(ListFilesTest, FiltersByExtensionAndName) {
  std::vector<std::string> out;
  ListFiles(dir.path(), ".mp3", "", 0, progress, Language::English, out);
  EXPECT_EQ(Names(out), (std::vector<std::string>{"KMLB_001_002 Two.MP3", "a/KMLB_002_001.mp3", "a/kmlb_002_002.mp3",
                                                  "b/other.mp3"}));

  out.clear();
  ListFiles(dir.path(), ".mp3", "KMLB_", 0, progress, Language::English, out);
  EXPECT_EQ(Names(out), (std::vector<std::string>{"KMLB_001_002 Two.MP3", "a/KMLB_002_001.mp3"}));

  out.clear();
  ListFiles(dir.path(), "", "KMLB_", 0, progress, Language::English, out);
  EXPECT_EQ(Names(out), (std::vector<std::string>{"KMLB_001_001 One.wav", "KMLB_001_002 Two.MP3", "a/KMLB_002_001.mp3",
                                                  "a/deep/KMLB_003_001.wav"}));

  // Full paths, appended after what the list held.
  out = {"kept"};
  ListFiles(dir.path(), ".wav", "", 0, progress, Language::English, out);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0], "kept");
  EXPECT_EQ(out[2], (dir.path() / "a" / "deep" / "KMLB_003_001.wav").string());

  out.clear();
  ListFiles(dir.path(), "", "", 0, progress, Language::English, out);
  EXPECT_EQ(out.size(), 8u);
  EXPECT_TRUE(progress.statuses.empty());
  EXPECT_EQ(progress.pumps, 0);
}

TEST_F(ListFilesTest, ReportsCountsBeforeEachFolder) {
  std::vector<std::string> out;
  size_t mp3 = ListFiles(dir.path(), "", "KMLB_", 2, progress, Language::English, out);
  EXPECT_EQ(mp3, 0u);
  // Root, a, a/deep, b: the count grows as files are found.
  EXPECT_EQ(progress.statuses,
            (std::vector<std::string>{"Tracks found: 0", "Tracks found: 2", "Tracks found: 3", "Tracks found: 4"}));
  EXPECT_EQ(progress.pumps, 4);

  FakeProgress folders;
  out.clear();
  mp3 = ListFiles(dir.path(), ".wav", "", 1, folders, Language::Russian, out);
  EXPECT_EQ(mp3, 4u);  // every .mp3 met, filter or not
  ASSERT_EQ(folders.statuses.size(), 4u);
  EXPECT_EQ(folders.statuses.front(), LangMessage(Language::Russian, Msg::FoldersFound) + "0");

  FakeProgress lists;
  out.clear();
  ListFiles(dir.path() / "a", ".mp3", "", 3, lists, Language::English, out);
  // Entries go by name: "KMLB_002_001.mp3", then the folder "deep", then "kmlb_002_002.mp3".
  EXPECT_EQ(lists.statuses, (std::vector<std::string>{"Tracklists found: 0", "Tracklists found: 1"}));
  EXPECT_EQ(out.size(), 2u);
}

TEST_F(ListFilesTest, SurvivesMissingFoldersAndLinkLoops) {
  std::vector<std::string> out;
  EXPECT_EQ(ListFiles(dir.path() / "missing", "", "", 1, progress, Language::English, out), 0u);
  EXPECT_TRUE(out.empty());

  std::error_code ec;
  std::filesystem::create_directory_symlink(dir.path(), dir.path() / "a" / "loop", ec);
  // A link to a file is listed under its own name; a broken one is left out.
  std::filesystem::create_symlink(dir.path() / "KMLB_001_001 One.wav", dir.path() / "b" / "linked.wav", ec);
  std::filesystem::create_symlink(dir.path() / "gone.wav", dir.path() / "b" / "broken.wav", ec);
  ASSERT_FALSE(ec);
  ListFiles(dir.path(), ".wav", "", 0, progress, Language::English, out);
  EXPECT_EQ(Names(out), (std::vector<std::string>{"KMLB_001_001 One.wav", "a/deep/KMLB_003_001.wav", "b/linked.wav"}));
}

}  // namespace
}  // namespace trakvella
