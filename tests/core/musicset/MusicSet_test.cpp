// The music set model: list files read, written and read back, toggling from the
// main list, adding all, removing, the capacity, duplicates, totals and the
// settings file's block.
#include "core/musicset/MusicSet.h"

#include <gmock/gmock.h>

#include "SetFixture.h"
#include "core/musicset/MusicSetView.h"
#include "core/musicset/SetListFile.h"
#include "core/text/Text.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;

MusicSetEntry Entry(const std::string& code, std::string context, std::string folder, std::string name, TrackRef at) {
  return {code, std::move(context), std::move(folder), std::move(name), at.cd, at.track};
}

TEST_F(SetTest, ListFileLinesAreReadAsStoredAndEveryFieldSurvivesASaveAndALoad) {
  developer = true;
  const std::vector<std::string> lines = {
      "KMLB_003_001=DANCE MUSIC >> LINKS, LOGOS & STINGS : KMLB_003 Promo,Project X,Spot 1",
      "KMLB_003_012",                                     // no "=", no comma
      "c:\\music\\kmlb_003_002.wav=Музыка,second,third",  // Windows path, lower case
      "/home/me/KMLB_005_001.mp3=ctx,a,b,c",              // more than two commas
      "KMLB_003_01",                                      // 11 characters
      "KMLB_003_0012=x,y,z",                              // 13 characters
      "KMLB_009_001=x,y,z",                               // not in the catalogue
      std::string("\x01\xff\0KMLB,,,", 11),               // binary bytes
      "",
      "KMLB_003_001=ctx,,name"};  // an empty field stays empty
  EXPECT_EQ(set->LoadSet(lines), 5u);
  const std::vector<MusicSetEntry> expected = {
      Entry("KMLB_003_001", "DANCE MUSIC >> LINKS, LOGOS & STINGS : KMLB_003 Promo", "Project X", "Spot 1",
            At("KMLB_003_001")),
      Entry("KMLB_003_012", Specific(0), "KMLB_003_012", "KMLB_003_012", At("KMLB_003_012")),
      Entry("KMLB_003_002", "Музыка", "second", "third", At("KMLB_003_002")),
      Entry("KMLB_005_001", "ctx,a", "b", "c", At("KMLB_005_001")),
      Entry("KMLB_003_001", "ctx", "", "name", At("KMLB_003_001"))};
  ASSERT_EQ(set->entries().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(set->entries()[i], expected[i]) << i;
  // Only the code the catalogue lacks is reported, with its line index.
  EXPECT_THAT(Shown(), ElementsAre("6: KMLB_009_001"));

  const auto file = home.path() / "set.rq2";
  ASSERT_TRUE(WriteSetListFile(file, *set));
  EXPECT_EQ(ReadFile(file),
            Utf8ToCp1251("KMLB_003_001=DANCE MUSIC >> LINKS, LOGOS & STINGS : KMLB_003 Promo,Project X,Spot 1\r\n"
                         "KMLB_003_012=" +
                         Specific(0) +
                         ",KMLB_003_012,KMLB_003_012\r\n"
                         "KMLB_003_002=Музыка,second,third\r\nKMLB_005_001=ctx,a,b,c\r\nKMLB_003_001=ctx,,name\r\n"));
  std::vector<std::string> read;
  ASSERT_TRUE(ReadSetListFile(file, read).ok());
  const Language english = Language::English;
  MusicSet again(catalogue(), loaded.dialogs, english);
  again.LoadSet(read);
  EXPECT_EQ(again.entries(), set->entries());

  // A write that cannot be made leaves the file it would replace as it was.
  EXPECT_FALSE(WriteSetListFile(home.path() / "missing" / "x.rq2", *set));
  std::filesystem::create_directory(home.path() / "taken.rq2");
  EXPECT_FALSE(WriteSetListFile(home.path() / "taken.rq2", *set));
  EXPECT_TRUE(std::filesystem::is_directory(home.path() / "taken.rq2"));
}

TEST_F(SetTest, CopyButtonTogglesAndAddAllSkipsPresentCodes) {
  std::vector<TrackRef> rows;
  for (const char* code : {"KMLB_003_001", "KMLB_003_002", "KMLB_003_012", "KMLB_005_001"}) rows.push_back(At(code));

  EXPECT_EQ(set->AddFromMainList(rows, -1, ""), ToggleResult::Nothing);
  EXPECT_EQ(set->AddFromMainList(rows, 0, ""), ToggleResult::Added);
  EXPECT_EQ(set->entries()[0], Entry("KMLB_003_001", Specific(0), "-", "-", rows[0]));
  EXPECT_EQ(set->AddFromMainList(rows, 0, ""), ToggleResult::Removed);  // twice leaves the set as it was
  EXPECT_TRUE(set->empty());
  EXPECT_FALSE(set->Contains("KMLB_003_001"));

  EXPECT_EQ(set->AddFromMainList(rows, 1, "A >> B : KMLB_005 Dance"), ToggleResult::Added);
  EXPECT_EQ(set->entries()[0].context, "A >> B : KMLB_005 Dance");

  FakeProgress progress;
  EXPECT_EQ(set->AddAll(rows, "", progress), 3u);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_002", "KMLB_003_001", "KMLB_003_012", "KMLB_005_001"));
  const CdRecord& cd5 = catalogue().Cd(1);
  EXPECT_EQ(set->entries()[3].context, cd5.categories[0] + " : " + cd5.cdText);  // the library-wide path
  ASSERT_EQ(progress.calls.size(), 2u);
  EXPECT_EQ(progress.calls[0].text, "Adding...");
  EXPECT_EQ(progress.calls[1].mode, 0);

  // Removing the second-to-last entry moves the remembered selection up one;
  // removing the last keeps it (the window clamps it).
  set->RemoveAt(2);
  EXPECT_EQ(set->selection(), 1);
  set->RemoveAt(2);
  EXPECT_EQ(set->selection(), 2);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_002", "KMLB_003_001"));
  EXPECT_GT(changes, 0);
}

TEST_F(SetTest, AFullSetRefusesAdditionsWithOneMessageAndKeepsEverything) {
  FillLines full;
  for (size_t i = 0; i < kMusicSetCapacity; ++i) full.Add("KMLB_003_001", "-", "-");
  EXPECT_EQ(set->FillMem(full, FillMode::AppendAll), kMusicSetCapacity);
  EXPECT_TRUE(Shown().empty());

  EXPECT_EQ(set->LoadSet({"KMLB_005_001", "KMLB_003_002", "nonsense"}), 0u);
  EXPECT_THAT(Shown(), ElementsAre(SetFullMessage(Language::English, 2)));
  EXPECT_EQ(set->AddFromMainList({At("KMLB_005_001")}, 0, ""), ToggleResult::Refused);
  EXPECT_EQ(set->size(), kMusicSetCapacity);
  EXPECT_FALSE(set->Contains("KMLB_005_001"));
}

TEST_F(SetTest, DuplicatesGoAndFirstOccurrencesKeepTheirOrder) {
  set->LoadSet(
      {"KMLB_003_001=A,-,-", "KMLB_003_002=B,-,-", "KMLB_003_001=A2,-,-", "KMLB_005_001=C,-,-", "KMLB_003_002=B2,-,-"});
  EXPECT_EQ(set->RemoveDuplicates(), 2u);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_001", "KMLB_003_002", "KMLB_005_001"));
  EXPECT_EQ(set->entries()[1].context, "B");
  EXPECT_EQ(set->RemoveDuplicates(), 0u);

  // Loading the same lines twice doubles every entry; removing duplicates undoes it.
  const std::vector<std::string> lines = SetListLines(*set);
  set->LoadSet(lines);
  EXPECT_EQ(set->size(), 6u);
  EXPECT_EQ(set->RemoveDuplicates(), 3u);
  EXPECT_EQ(SetListLines(*set), lines);
}

// "Clear the list" and a save over a file only the added extension names ask
// with No as the default button: Enter never destroys anything.
TEST_F(SetTest, QuestionsThatDestroyTheSetOrAFileDefaultToNo) {
  set->LoadSet({"KMLB_003_001"});
  auto& dialogs = loaded.dialogs;
  dialogs.answers = {MessageAnswer::No, MessageAnswer::No, MessageAnswer::Yes};
  EXPECT_FALSE(set->AskAndClear());
  EXPECT_EQ(DefaultAnswer(dialogs.shown.back().buttons), MessageAnswer::No);

  const auto file = home.path() / "set.rq2";
  WriteFile(file, "old");
  const std::string typed = (home.path() / "set").string();
  dialogs.fileNames = {typed, typed, file.string()};
  EXPECT_FALSE(SaveSetAs(*set, dialogs, Language::English));
  EXPECT_EQ(dialogs.shown.back().text, "This file already exists. Replace it?\r" + file.string());
  EXPECT_EQ(DefaultAnswer(dialogs.shown.back().buttons), MessageAnswer::No);
  EXPECT_EQ(ReadFile(file), "old");
  EXPECT_TRUE(SaveSetAs(*set, dialogs, Language::English));  // Yes
  EXPECT_NE(ReadFile(file), "old");
  const size_t asked = dialogs.shown.size();
  EXPECT_TRUE(SaveSetAs(*set, dialogs, Language::English));  // the name the dialog itself asked about
  EXPECT_EQ(dialogs.shown.size(), asked);
}

TEST_F(SetTest, TotalTimeCountsUnreadablePartsAsZeroInBothLanguages) {
  EXPECT_EQ(set->TotalTimeText(), "0 / 0h:00m:00s");
  set->LoadSet({"KMLB_003_001", "KMLB_003_002", "KMLB_003_012"});  // 03:10, 00:45 and "1:3"
  EXPECT_EQ(set->TotalMs(), 235000);
  EXPECT_EQ(set->TotalTimeText(), "3 / 0h:03m:55s");
  language = Language::Russian;
  EXPECT_EQ(set->TotalTimeText(), "3 / 0 ч. 03 мин. 55 сек.");

  EXPECT_EQ(DurationMs("1:3"), 0);         // "1:" and nothing
  EXPECT_EQ(DurationMs("12:3x"), 720000);  // "3x" is not a number
  EXPECT_EQ(DurationMs("99:59"), 5999000);
}

TEST_F(SetTest, TheSetTravelsThroughTheSettingsFile) {
  set->LoadSet({"KMLB_003_001=DANCE MUSIC >> LINKS, LOGOS & STINGS : KMLB_003 Promo,-,-", "KMLB_005_001"});
  Settings settings;
  StoreMusicSet(*set, settings);
  ASSERT_TRUE(WriteSettings(home.path(), settings));
  const std::vector<std::string> written = SplitLines(Cp1251ToUtf8(ReadFile(home.path() / kSettingsFileName)));
  auto marker = std::find(written.begin(), written.end(), "*** Music Set ***");
  ASSERT_NE(marker, written.end());
  EXPECT_EQ(*(marker + 1), "musicset/KMLB_003_001=DANCE MUSIC >> LINKS, LOGOS & STINGS : KMLB_003 Promo,-,-");

  Settings read;
  ASSERT_TRUE(ReadSettings(home.path(), read));
  const Language english = Language::English;
  MusicSet restored(catalogue(), loaded.dialogs, english);
  restored.LoadSet({"KMLB_003_002"});  // emptied first
  RestoreMusicSet(restored, read);
  EXPECT_EQ(restored.entries(), set->entries());
}

TEST_F(SetTest, WindowLinesFollowTheViewOptionsAndActivationClampsTheSelection) {
  MemActivation empty = SetWindowActivation(*set);
  EXPECT_FALSE(empty.setButtonsEnabled);
  EXPECT_EQ(empty.selection, -1);
  EXPECT_EQ(MemCountText(*set), "");

  set->LoadSet({"KMLB_003_001", "KMLB_005_001"});
  DisplayOptions o;  // time, code and name
  MemListLine line = MemListBoxLine(*set, 0, o);
  EXPECT_EQ(line.duration, " 03:10");
  EXPECT_EQ(line.text, " [KMLB_003_001] Wind, Rain");
  o.showTime = o.showCode = false;
  o.showComposer = o.showArtist = true;
  EXPECT_EQ(MemListBoxLine(*set, 0, o).text, " Wind, Rain а/и: И. Петров/Оркестр ");
  o.showArtist = false;
  EXPECT_EQ(MemListBoxLine(*set, 0, o).text, " Wind, Rain а:И. Петров ");

  set->SetSelection(7);
  MemActivation state = SetWindowActivation(*set);
  EXPECT_TRUE(state.setButtonsEnabled);
  EXPECT_EQ(state.selection, 1);
  EXPECT_EQ(set->selection(), 1);
  EXPECT_EQ(MemCountText(*set), "2");
}

TEST(M3uPlaylist, NamesALocalFileAsTheFileSystemDoesAndADemoAsBefore) {
  TempDir cat, home;
  FixtureCatalogue f;
  f.titles = {"KMLB_003=KMLB_003 Promo", "KMLB_003_001=Wind\t\t03:10\tC\tP", "KMLB_003_002=Rain\t\t00:45\tC\tP"};
  f.tracks = {"KMLB_003_001=4 POP", "KMLB_003_002=2 JAZZ"};
  f.blocks = {{"KMLB_003", NfoBlock("KMLB_003", "Promo", {"A >> B", "C >> D"}, "012010")}};
  f.Write(cat.path());
  const std::filesystem::path local = home.path() / "audio" / "Музыка" / "KMLB_003_001 Ветер.wav";
  WriteFile(local, "x");
  LoadedCatalogue loaded;
  LoadOptions options;
  options.programFolder = home.path();
  options.today = {2026, 12};
  LoadFolder(loaded, cat.path(), options);
  const Language russian = Language::Russian;
  MusicSet set(loaded.catalogue, loaded.dialogs, russian);
  set.LoadSet({"KMLB_003_001", "KMLB_003_002"});

  ASSERT_TRUE(WriteM3uFile(home.path() / "list.m3u", set, "http://демо.example/audio/"));
  const std::vector<std::string> lines = SplitLines(ReadFile(home.path() / "list.m3u"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], local.string());
  EXPECT_TRUE(std::filesystem::exists(lines[0]));
  EXPECT_EQ(lines[1], Utf8ToCp1251("http://демо.example/audio/KMLB_003/KMLB_003_002.mp3"));
}

}  // namespace
}  // namespace trakvella::testing
