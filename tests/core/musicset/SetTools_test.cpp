// The music set's editing tools: dropped folders, clipboard lists and the staff's
// comparisons, duplicates removal, the CD information block and add by code.
#include "core/musicset/SetTools.h"

#include <gmock/gmock.h>

#include "SetFixture.h"
#include "core/musicset/AddByCode.h"
#include "core/musicset/SetListFile.h"
#include "core/text/Text.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Folders(const MusicSet& set) {
  std::vector<std::string> out;
  for (const auto& e : set.entries()) out.push_back(e.projectFolder + "|" + e.projectName);
  return out;
}

TEST_F(SetTest, DroppedFoldersGiveTheirTracksSortedWithTheirFolderNames) {
  set->LoadSet({"KMLB_005_001"});
  const auto drop = home.path() / "drop";
  WriteFile(drop / "Spot" / "KMLB_003_012.wav", "x");
  WriteFile(drop / "Spot" / "KMLB_003_012.mp3", "x");
  WriteFile(drop / "Spot" / "kmlb_003_001.wav", "x");  // "KMLB_" is looked for in its own case
  WriteFile(drop / "Spot" / "notes.txt", "x");
  WriteFile(drop / "b" / "KMLB_003_002 Who.mp3", "x");
  WriteFile(home.path() / "single" / "KMLB_003_001 take 2.wav", "x");

  FakeProgress progress;
  const size_t added = DropFiles(*set,
                                 {drop.string() + "/", (home.path() / "single" / "KMLB_003_001 take 2.wav").string(),
                                  (home.path() / "gone").string()},
                                 progress, Language::English);
  EXPECT_EQ(added, 4u);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_005_001", "KMLB_003_002", "KMLB_003_012", "KMLB_003_012", "KMLB_003_001"));
  EXPECT_THAT(Folders(*set), ElementsAre("KMLB_005_001|KMLB_005_001", "b| - ", "Spot| - ", "Spot| - ", "single| - "));
  EXPECT_EQ(set->entries()[2].context, Specific(0));
  ASSERT_FALSE(progress.calls.empty());
  EXPECT_EQ(progress.calls[0].text, "Scanning...");
  EXPECT_EQ(progress.calls.back().mode, 0);
  EXPECT_FALSE(progress.statuses.empty());
}

TEST_F(SetTest, ClipboardCodesAreTheLastOfEachLineAndAddedAgain) {
  set->LoadSet({"KMLB_005_001"});
  FakeClipboard clipboard;
  clipboard.text = "x KMLB_003_001 and KMLB_005_001\r\nKMLB_003 002 Who.wav\nnothing\rkmlb_003_012\n\nKMLB_009_001";
  FakeProgress progress;
  EXPECT_EQ(PasteCodesFromClipboard(*set, clipboard, progress, loaded.dialogs, Language::English), 2u);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_005_001", "KMLB_005_001", "KMLB_003_002"));
  EXPECT_EQ(Folders(*set)[2], " - | - ");
  EXPECT_THAT(Shown(), ElementsAre("As a result of scanning tracks added:2"));
  EXPECT_GE(progress.pumps, 6);

  // Clipboard without codes: nothing added, 0 reported.
  clipboard.text = "no codes here";
  language = Language::Russian;
  EXPECT_EQ(PasteCodesFromClipboard(*set, clipboard, progress, loaded.dialogs, Language::Russian), 0u);
  EXPECT_EQ(Shown().back(), "По результатам сканирования добавлено треков: 0");
}

TEST_F(SetTest, HugeAndBinaryInputAddsOnlyWhatItHoldsAndLosesNothing) {
  set->LoadSet({"KMLB_005_001=kept,-,-"});
  // A list file of 100,000 lines: binary bytes, a line of 1 MB, names of every length.
  std::string bytes;
  for (int i = 0; i < 100000; ++i) {
    if (i % 1000 == 0)
      bytes += "KMLB_003_002=ctx,-,-\r\n";
    else if (i == 5)
      bytes += std::string(1 << 20, 'K') + "\r\n";
    else
      bytes += std::string("\0\x98\xff,=KMLB_003_00\x01\r", 16) + "\n";
  }
  const auto file = home.path() / "big.rq2";
  WriteFile(file, bytes);
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadSetListFile(file, lines).ok());
  EXPECT_EQ(set->LoadSet(lines), 100u);
  EXPECT_EQ(set->entries()[0].context, "kept");

  // A clipboard of 50 MB: the set fills up, the rest is refused with one message.
  FakeClipboard clipboard;
  const std::string line = "noise KMLB_ noise \x01\x02 KMLB_003_001\n";
  const size_t lineCount = (50u << 20) / line.size();
  clipboard.text.reserve(lineCount * line.size());
  for (size_t i = 0; i < lineCount; ++i) clipboard.text += line;
  FakeProgress progress;
  EXPECT_EQ(PasteCodesFromClipboard(*set, clipboard, progress, loaded.dialogs, Language::English),
            kMusicSetCapacity - 101);
  EXPECT_EQ(set->entries()[0].context, "kept");
  EXPECT_EQ(Shown()[0], SetFullMessage(Language::English, lineCount - (kMusicSetCapacity - 101)));
}

TEST_F(SetTest, StaffDifferencesAndFileNames) {
  set->LoadSet({"KMLB_005_001"});
  FakeClipboard clipboard;
  FakeProgress progress;
  clipboard.text = "KMLB_003_001\nKMLB_003_002";
  // Catalogue tracks the clipboard lacks, less those already in the set.
  EXPECT_EQ(AddCatalogueMissingFromClipboard(*set, clipboard, progress, loaded.dialogs, Language::English), 1u);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_005_001", "KMLB_003_012"));

  set->LoadSet({"KMLB_003_001"});
  clipboard.text = "KMLB_003_001";
  EXPECT_EQ(CopySetCodesMissingFromClipboard(*set, clipboard, progress, loaded.dialogs, Language::English), 2u);
  EXPECT_EQ(clipboard.text, "KMLB_005_001\r\nKMLB_003_012\r\n");
  EXPECT_EQ(Shown().back(), "В буфере разница - строк: 2");
  EXPECT_EQ(set->size(), 3u);

  const Language english = Language::English;
  MusicSet titled(catalogue(), loaded.dialogs, english);
  titled.LoadSet({"KMLB_003_002"});
  loaded.dialogs.inputs = {std::string("mp3"), std::nullopt};
  CopySetFileNames(titled, clipboard, progress, loaded.dialogs, Language::English);
  EXPECT_EQ(clipboard.text, "KMLB_003_002 Who  Why.mp3\r\n");
  CopySetFileNames(titled, clipboard, progress, loaded.dialogs, Language::English);  // Cancel keeps "wav"
  EXPECT_EQ(clipboard.text, "KMLB_003_002 Who  Why.wav\r\n");
  EXPECT_EQ(Shown().back(), "В буфере имена: 1");
}

TEST_F(SetTest, OptimiseReportsTheDuplicatesRemoved) {
  set->LoadSet({"KMLB_003_001", "KMLB_003_002", "KMLB_003_001", "KMLB_005_001", "KMLB_003_002"});
  EXPECT_EQ(OptimiseSet(*set, loaded.dialogs, Language::English), 2u);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_001", "KMLB_003_002", "KMLB_005_001"));
  EXPECT_THAT(Shown(), ElementsAre("After the optimization removed duplicates: 2"));
}

TEST_F(SetTest, CdInformationBlockFromTheSetsContexts) {
  set->LoadSet({"KMLB_003_001=DANCE MUSIC >> LINKS, LOGOS & STINGS : KMLB_003 Promo,-,-",
                "KMLB_003_002=Keyword [ POP ] : KMLB_003 Promo,-,-",
                "KMLB_003_012=dance music >> links, logos & stings : KMLB_003 Promo,-,-", "KMLB_005_001=A >> B,-,-",
                "KMLB_005_001=: odd,-,-"});
  CdInfoInputs inputs{"", "PRO_LIB_001", ""};
  const auto file = home.path() / "PRO_LIB_001";
  loaded.dialogs.inputs = {std::string("Promo"), std::nullopt, std::string("112005")};
  loaded.dialogs.answers = {MessageAnswer::No};
  loaded.dialogs.fileNames = {file.string()};
  ASSERT_TRUE(WriteCdInfoBlock(*set, inputs, {}, loaded.dialogs));

  const std::string block =
      "Library: KMLB\r\nTitle: Promo\r\nCD#: PRO_LIB_001\r\nDescription: undefined\r\nComposers:\r\nVarious\r\n"
      "Categories:\r\nDANCE MUSIC >> LINKS, LOGOS & STINGS\r\n* ALL LIBRARY >> CATEGORIES UNKNOWN\r\nA >> B\r\n"
      "\r\n112005\r\n";
  EXPECT_EQ(ReadFile(home.path() / "PRO_LIB_001.txt"), block);
  EXPECT_EQ(inputs.title, "Promo");  // remembered for the next time
  EXPECT_EQ(loaded.dialogs.fileDialogInitialPaths.back(), "PRO_LIB_001");

  // Yes takes the category buffer's lines as they are.
  const auto lines = CdInfoBlockLines(inputs, *set, true, {"X >> Y", "x >> y"});
  EXPECT_THAT(std::vector<std::string>(lines.begin() + 7, lines.end()), ElementsAre("X >> Y", "x >> y", "", "112005"));
}

TEST_F(SetTest, AddByCodeKeepsNumbersWithinRangeAndAddsKnownTracksOnly) {
  AddByCode form;
  EXPECT_EQ(form.N1(), "001");
  loaded.dialogs.inputs = {std::string("1500"), std::string("abc"), std::nullopt, std::string(" 12 ")};
  EXPECT_TRUE(form.AskCdNumber(loaded.dialogs, Language::English));
  EXPECT_EQ(form.N1(), "999");
  EXPECT_EQ(form.CdName(catalogue()), "-");
  EXPECT_TRUE(form.AskCdNumber(loaded.dialogs, Language::English));
  EXPECT_EQ(form.N1(), "001");
  form.SetCdNumber(3);
  EXPECT_FALSE(form.AskTrackNumber(loaded.dialogs, Language::English));  // Cancel keeps the number
  EXPECT_EQ(form.N2(), "001");
  EXPECT_TRUE(form.AskTrackNumber(loaded.dialogs, Language::English));
  EXPECT_EQ(form.TrackCode(), "KMLB_003_012");
  EXPECT_EQ(form.CdName(catalogue()), "KMLB_003 Promo");

  EXPECT_TRUE(form.Add(*set));
  EXPECT_TRUE(form.Add(*set));  // present codes are added again
  EXPECT_THAT(Folders(*set), ElementsAre("KMLB_003|KMLB_003", "KMLB_003|KMLB_003"));
  form.SetTrackNumber(13);
  EXPECT_FALSE(form.Add(*set));
  EXPECT_EQ(set->size(), 2u);
}

}  // namespace
}  // namespace trakvella::testing
