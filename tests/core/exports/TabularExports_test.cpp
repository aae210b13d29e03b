// The tab-separated exports: the maximum export and its playlist table, the
// outside-service table, the registration list and the registry lists.
#include "core/exports/TabularExports.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/exports/ExportFixture.h"

namespace trakvella::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

using TabularExports = ExportTest;

TEST_F(TabularExports, MaximumTableDerivesEveryColumn) {
  const ExportResult r = MaximumTrackTable(*context, nullptr);
  ASSERT_TRUE(r.done());
  const auto lines = Lines(clipboard.text);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0],
            "ID\tCODE\tTITLE\tCOMPOSER\tPERFORMER\tTIME\tSTYLES\tMOOD\tTEMPO\tBPM\tKEY\tEPOCH\tSFX\tTRACKTYPE\tISRC\t"
            "ALBUM CODE\tALBUM NAME\tALBUM DESC\tCOLLECTION\tCOLLECTION DESC\tCOLLECTION ID\tRELEASE DATE");
  // A sound effect on a CD filed under FILM MUSIC and FX / JINGLES: collection 7.
  EXPECT_THAT(Fields(lines[1]), ::testing::ElementsAre(
                                    "1003001", "KMLB_003_001", "Main Theme", "A. One, B. Two (обр.), C. Three, D. Four",
                                    "Band", "00:14", "SFX/ID", "Нейтральное", "Средне", "", "", "", "1", "Для эфира",
                                    "RUA470703001", "KMLB_003", " Promo", "Promo for every occasion", "Музыка для кино",
                                    ::testing::StartsWith("Музыка для использования"), "7", "01.12.2007"));
  const auto fast = Fields(lines[2]);
  EXPECT_EQ(fast[6], "Club/EDM, Ethn\xD0\xBE/World");
  EXPECT_EQ(fast[7], "Заводное / Комедийное");
  EXPECT_EQ(fast[8], "Медленно");  // "!F" and "!S": the later flag wins
  EXPECT_EQ(fast[9], "120");
  EXPECT_EQ(fast[10], "Cmaj");
  const auto drama = Fields(lines[5]);
  EXPECT_EQ(drama[3], "Иван Петров");  // the author table applied
  EXPECT_EQ(drama[18] + drama[19] + drama[20], "");
  EXPECT_EQ(dialogs.Texts().back(), "В буфере отчет с разделителями TAB для таблицы Excel, записей: 5");
  EXPECT_EQ(progress.calls.front().text, "В процессе...");
  EXPECT_FALSE(progress.visible);
}

TEST_F(TabularExports, EmptyMusicSetGivesTheHeaderAndZeroRecords) {
  const MusicSet none = Set({});
  ASSERT_TRUE(MaximumTrackTable(*context, &none).done());
  EXPECT_EQ(Lines(clipboard.text).size(), 1u);
  EXPECT_EQ(dialogs.Texts().back(), "В буфере отчет с разделителями TAB для таблицы Excel, записей: 0");

  const MusicSet set = Set({"KMLB_012_001", "KMLB_003_002"});
  ASSERT_TRUE(MaximumTrackTable(*context, &set).done());
  const auto lines = Lines(clipboard.text);
  ASSERT_EQ(lines.size(), 3u);  // catalogue order, not set order
  EXPECT_THAT(lines[1], StartsWith("1003002\t"));
  EXPECT_THAT(lines[2], StartsWith("1012001\t"));
}

TEST_F(TabularExports, MaximumExportEndsWithThePlaylistTable) {
  WriteFile(home.path() / "playlists_desktop.txt",
            Utf8ToCp1251("PLST_001\r\nИмя «Утро»\r\n  Бодрое, с паузой \r\n4\r\nKMLB_003_002\r\n KMLB_012_001\r\n\r\n"
                         "PLST_002\r\n«Вечер»\r\nТихое\r\n0\r\nKMLB_003_001\r\n@\r\n"));
  const ExportResult r = ExportMaximum(*context, nullptr);
  ASSERT_TRUE(r.done());
  ASSERT_EQ(r.texts.size(), 2u);
  EXPECT_EQ(clipboard.text, r.texts[1]);
  EXPECT_EQ(Lines(clipboard.text),
            (std::vector<std::string>{"TRACK CODE\tTRACK ORDER\tPL CODE\tPL TITLE\tPL DESCRIPTION\tPL ORDER",
                                      // the description as written, the codes trimmed
                                      "KMLB_003_002\t1\tPLST_001\tУтро\t  Бодрое, с паузой \t1",
                                      "KMLB_012_001\t2\tPLST_001\tУтро\t  Бодрое, с паузой \t1",
                                      "KMLB_003_001\t1\tPLST_002\tВечер\tТихое\t2"}));
  EXPECT_EQ(dialogs.Texts().back(), "В буфере отчет с разделителями TAB для таблицы Excel, записей: 3");
}

TEST_F(TabularExports, MalformedPlaylistNameStopsTheTableAndKeepsTheTrackTable) {
  WriteFile(home.path() / "playlists_desktop.txt",
            "PLST_001\r\n\xABOk\xBB\r\nd\r\n1\r\nKMLB_003_001\r\n\r\nPLST_002\r\nNo name\r\nd\r\n1\r\n@\r\n");
  const ExportResult r = ExportMaximum(*context, nullptr);
  EXPECT_EQ(r.outcome, ExportOutcome::Failed);
  EXPECT_EQ(dialogs.Texts().back(), "Ошибка! Не найдено имя плейлиста (имя должно быть между « и »)!\r7: No name");
  EXPECT_THAT(clipboard.text, StartsWith("ID\tCODE\t"));
  EXPECT_FALSE(progress.visible);

  // A tag number that is not a number, and a missing file, are reported the same way.
  WriteFile(home.path() / "bad.txt", "PLST_001\r\n\xABOk\xBB\r\nd\r\nfour\r\n@\r\n");
  EXPECT_EQ(MaximumPlaylistTable(*context, home.path() / "bad.txt").outcome, ExportOutcome::Failed);
  EXPECT_THAT(dialogs.Texts().back(), HasSubstr("3: four"));
  EXPECT_EQ(MaximumPlaylistTable(*context, home.path() / "none.txt").outcome, ExportOutcome::Failed);
  EXPECT_THAT(dialogs.Texts().back(), HasSubstr("none.txt"));
}

TEST_F(TabularExports, CancelLeavesTheClipboardAlone) {
  progress.cancelAfterPumps = 2;
  EXPECT_EQ(MaximumTrackTable(*context, nullptr).outcome, ExportOutcome::Cancelled);
  EXPECT_EQ(ExportItFactory(*context).outcome, ExportOutcome::Cancelled);
  EXPECT_EQ(clipboard.sets, 0);
  EXPECT_FALSE(progress.visible);
}

TEST_F(TabularExports, OutsideServiceTableHas73ColumnsAndThreeWriters) {
  ASSERT_TRUE(ExportItFactory(*context).done());
  const auto lines = Lines(clipboard.text);
  ASSERT_EQ(lines.size(), 6u);
  for (const auto& line : lines) EXPECT_EQ(Fields(line).size(), 73u) << line;
  const auto columns = ItFactoryColumns();
  const auto row = Fields(lines[1]);
  auto at = [&](const std::string& column) {
    return row[std::find(columns.begin(), columns.end(), column) - columns.begin()];
  };
  EXPECT_EQ(at("Filename"), "KMLB_003_001 Main Theme.mp3");
  EXPECT_EQ(at("Tempo"), "Средний");
  EXPECT_EQ(at("Cue type"), "Sound Design");
  EXPECT_EQ(at("Length"), "00:14");
  EXPECT_EQ(at("Writer 1 First Name") + "|" + at("Writer 1 Role"), "A. One|Composer, Writer");
  EXPECT_EQ(at("Writer 2 First Name") + "|" + at("Writer 2 Role"), "B. Two|Adaptor");
  EXPECT_EQ(at("Writer 3 First Name") + "|" + at("Writer 3 Ownership Share"), "C. Three|0.00000");
  EXPECT_EQ(at("Publisher 1 Company"), context->settings.publisher);
  EXPECT_THAT(dialogs.Texts(), ::testing::Contains("Внимание! Трек с >3 композиторами!\rKMLB_003_001 Main Theme"));
}

TEST_F(TabularExports, RegistrationListLeavesOutRegisteredCodes) {
  clipboard.text = "KMLB_003_001\r\nзаявка KMLB_012_001 от 2019\r\nитого";
  ASSERT_TRUE(ExportRaoList(*context).done());
  const auto lines = Lines(clipboard.text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            "Main Theme (30 sec) (KMLB_003_002)\tинстр.\tдата\tA. One\t0%\t0%\t100%\t100%\t-\t0%\t0%\t0%\t0%\tBand");
  EXPECT_THAT(dialogs.Texts(), ::testing::ElementsAre(StartsWith("Поместите в буфер список"), "База заведенных: 2",
                                                      "В буфере отчет, строк: 3"));
}

TEST_F(TabularExports, RegistryListsComeInFourPasses) {
  const ExportResult r = ExportRegistryLists(*context);
  ASSERT_EQ(r.texts.size(), 4u);
  EXPECT_THAT(r.texts[0], StartsWith("<option>KMLB_003_001</option>\r\n"));
  EXPECT_THAT(r.texts[2], HasSubstr("<option>Иван Петров</option>"));
  EXPECT_EQ(dialogs.Texts()[3],
            "в буфер помещены 5 of kmlb_performers\rПоместите их в сгенерированный html код после <select disabled "
            "id=\"kmlb_performers\">\rзаменив строку <option></option>");
}

}  // namespace
}  // namespace trakvella::testing
