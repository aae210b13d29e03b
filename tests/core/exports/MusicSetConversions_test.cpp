// The music set's conversions for outside services: musictag, MSTOCK,
// SourceAudio and OpenCart.
#include "core/exports/MusicSetConversions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/exports/ExportFixture.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using Conversions = ExportTest;

// The values of a quoted comma-separated line (no commas inside the values).
std::vector<std::string> Quoted(const std::string& line) {
  std::vector<std::string> values;
  for (size_t from = 0; from < line.size();) {
    const size_t end = line.find("\",\"", from);
    const size_t stop = end == std::string::npos ? line.size() - 1 : end;
    values.push_back(line.substr(from + 1, stop - from - 1));
    from = end == std::string::npos ? line.size() : end + 2;
  }
  return values;
}

TEST_F(Conversions, MstockKeysCategoriesAndTempos) {
  ASSERT_TRUE(ConvertMstock(*context, Set({"KMLB_003_001", "KMLB_003_002", "KMLB_003_003", "KMLB_012_001"})).done());
  const auto lines = Lines(clipboard.text);
  ASSERT_EQ(lines.size(), 4u);
  const auto fast = Fields(lines[1]);
  EXPECT_THAT(fast, ElementsAre("A. One", "Band", "KMLB_003_002", "Main Theme (30 sec)", "I2", "00:00:15", "MOD:005",
                                "TMP:FST", "TON:08B", "TON:08B", "TON:08B", "120", "120", "120", "CAT:EFE"));
  EXPECT_EQ(Fields(lines[2])[8], "TON:12A");
  EXPECT_EQ(Fields(lines[0])[8], "");   // no key
  EXPECT_EQ(Fields(lines[0])[6], "0");  // mood character kept
  EXPECT_EQ(Fields(lines[3])[14], "");  // no category of the table
  EXPECT_EQ(Fields(lines[3])[0], "Иван Петров");
  EXPECT_EQ(dialogs.Texts().back(), "Импорт для MStock Готов!\rВ буфере строк: 4");
}

TEST_F(Conversions, MusictagVocabulary) {
  ASSERT_TRUE(ConvertMusictag(*context, Set({"KMLB_003_002", "KMLB_003_004"})).done());
  const auto lines = Lines(clipboard.text);
  EXPECT_THAT(Fields(lines[0]), ElementsAre("KMLB_003_002", "I2", "Main Theme (30 sec)", "A. One", "Band", "Cmaj",
                                            "120", "3", "заводное"));
  EXPECT_EQ(Fields(lines[1])[7], "2");
  EXPECT_EQ(dialogs.Texts().back(), "Готово - строк: 2");

  // An empty set: nothing on the clipboard and a count of 0.
  clipboard.sets = 0;
  ASSERT_TRUE(ConvertMusictag(*context, Set({})).done());
  EXPECT_EQ(clipboard.sets, 0);
  EXPECT_EQ(dialogs.Texts().back(), "Готово - строк: 0");
}

TEST_F(Conversions, SourceAudioStopsWhenTheServiceLacksATrack) {
  clipboard.text = "\"101\",\"KMLB_003_001 Main Theme\"\r\n\"0\",\"KMLB_003_002\"\r\nheader";
  EXPECT_EQ(ConvertSourceAudio(*context, Set({"KMLB_003_001", "KMLB_003_002"})).outcome, ExportOutcome::Failed);
  EXPECT_THAT(dialogs.Texts(),
              ElementsAre(HasSubstr("экспорт базы SourceAudio"), "Взято строк: 3",
                          "Ошибка импорта из буфера!\rНе найдено совпадений в экспорте SourceAudio: 1"));
  EXPECT_EQ(clipboard.sets, 0);
}

TEST_F(Conversions, SourceAudioCountsAMatchPerPastedLine) {
  // Two lines of one code match twice: as many matches as entries, so the rows
  // come, the unmatched entry without an identifier.
  clipboard.text = "\"101\",\"KMLB_003_001\"\r\n\"102\",\"KMLB_003_001 (alt)\"";
  ASSERT_TRUE(ConvertSourceAudio(*context, Set({"KMLB_003_001", "KMLB_003_002"})).done());
  const auto rows = Lines(clipboard.text);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_THAT(rows[1], ::testing::StartsWith("\"102\","));
  EXPECT_THAT(rows[2], ::testing::StartsWith("\"00000000\","));

  // One line for a code the set holds twice is one match short.
  dialogs.shown.clear();
  clipboard.text = "\"101\",\"KMLB_003_001\"";
  EXPECT_EQ(ConvertSourceAudio(*context, Set({"KMLB_003_001", "KMLB_003_001"})).outcome, ExportOutcome::Failed);
  EXPECT_EQ(dialogs.Texts().back(), "Ошибка импорта из буфера!\rНе найдено совпадений в экспорте SourceAudio: 1");
}

TEST_F(Conversions, SourceAudioRowsWithMastersWritersAndPrefix) {
  clipboard.text =
      "\"SourceAudio ID\",\"Title\"\r\n\"101\",\"KMLB_003_001.mp3\"\r\n\"102\",\"KMLB_003_002\"\r\n"
      "\"103\",\"x KMLB_003_003\"\r\n";
  dialogs.inputs = {std::string("TRK"), std::nullopt};  // a cancelled box keeps its default
  ASSERT_TRUE(ConvertSourceAudio(*context, Set({"KMLB_003_001", "KMLB_003_002", "KMLB_003_003"})).done());
  const auto lines = Lines(clipboard.text);
  ASSERT_EQ(lines.size(), 4u);
  const auto columns = SourceAudioColumns();
  ASSERT_EQ(columns.size(), 71u);
  EXPECT_EQ(Quoted(lines[0]), columns);
  std::vector<std::vector<std::string>> rows;
  for (size_t i = 1; i < lines.size(); ++i) rows.push_back(Quoted(lines[i]));
  auto at = [&](size_t row, const std::string& column) {
    return rows[row][std::find(columns.begin(), columns.end(), column) - columns.begin()];
  };
  for (const auto& row : rows) EXPECT_EQ(row.size(), 71u);
  EXPECT_EQ(at(0, "Filename"), "TRK_003_001 Main Theme.mp3");
  EXPECT_EQ(at(0, "Album Code"), "TRK_003");
  EXPECT_EQ(at(0, "Collection"), "Музыка для кино");
  EXPECT_EQ(at(0, "Master ID"), "");
  EXPECT_EQ(at(1, "Master ID"), "101");  // "Main Theme (30 sec)" holds the master's title
  EXPECT_EQ(at(2, "Master ID"), "");     // "Other" starts a new master
  EXPECT_EQ(at(1, "Genre"), "Club / EDM, World / Ethnic");
  EXPECT_EQ(at(0, "Genre"), "Sound Design / SFX");
  EXPECT_EQ(at(1, "Tempo"), "Медленный");
  EXPECT_EQ(at(1, "Key"), "C major");
  EXPECT_EQ(at(0, "Writer 2 First Name") + "|" + at(0, "Writer 2 Role"), "B. Two|Adaptor");
  EXPECT_THAT(dialogs.Texts(), ::testing::Contains("Внимание! Трек с >3 композиторами!\rTRK_003_001 Main Theme"));
  EXPECT_EQ(dialogs.Texts().back(), "Готово - результат в буфере!");
}

TEST_F(Conversions, OpenCartProductsAndFilters) {
  dialogs.inputs = {std::string("7")};
  const ExportResult r = ConvertOpenCart(*context, Set({"KMLB_003_002", "KMLB_003_001"}));
  ASSERT_EQ(r.texts.size(), 2u);
  const auto products = Lines(r.texts[0]);
  const auto columns = OpenCartColumns();
  ASSERT_EQ(columns.size(), 46u);
  const auto row = Quoted(products[1]);
  ASSERT_EQ(row.size(), 46u);
  auto at = [&](const std::string& column) {
    return row[std::find(columns.begin(), columns.end(), column) - columns.begin()];
  };
  EXPECT_EQ(at("product_id"), "1003002");
  EXPECT_EQ(at("sort_order"), "1003002");
  EXPECT_EQ(at("categories"), "7");
  EXPECT_EQ(at("price"), "1250");
  EXPECT_EQ(Lines(r.texts[1]),
            (std::vector<std::string>{
                "\"product_id\",\"filter_group\",\"filter\"", "\"1003002\",\"Стиль\",\"CLUB / EDM\"",
                "\"1003002\",\"Стиль\",\"WORLD / ETHNIC\"", "\"1003002\",\"Настроение\",\"Заводное\"",
                "\"1003002\",\"Темп\",\"Медленный\"", "\"1003002\",\"Тональность\",\"C major\"",
                "\"1003001\",\"Стиль\",\"SOUND DESIGN / SFX\"", "\"1003001\",\"Настроение\",\"Нейтральное\"",
                "\"1003001\",\"Темп\",\"Средний\"", "\"1003001\",\"Тональность\",\"A minor\""}));
  EXPECT_EQ(clipboard.text, r.texts[1]);
  EXPECT_THAT(dialogs.Texts(),
              ElementsAre("OpenCartList Готово PRODUCTS в буфере!", "OpenCartList Готово FILTERS в буфере!"));
}

}  // namespace
}  // namespace trakvella::testing
