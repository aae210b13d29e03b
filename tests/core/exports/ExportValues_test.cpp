// The values the exports derive from tag lines, durations and composer texts.
#include "core/exports/ExportValues.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/exports/ShopExports.h"
#include "core/text/Text.h"

namespace trakvella::testing {
namespace {

TEST(ExportValues, TrackPriceStepsAtFifteenAndSixtySixSeconds) {
  EXPECT_EQ(GetTrackPrice(DurationSeconds("00:14")), "1000");
  EXPECT_EQ(GetTrackPrice(DurationSeconds("00:15")), "1250");
  EXPECT_EQ(GetTrackPrice(DurationSeconds("01:05")), "2000");
  EXPECT_EQ(GetTrackPrice(DurationSeconds("1:06")), "2500");
  EXPECT_EQ(DurationSeconds("xx:07"), 7);
}

TEST(ExportValues, LaterTagFlagsWinAndASoundEffectIsNeutral) {
  // An imaging sound effect: mood digit 0.
  EXPECT_EQ(MoodName("0 !I"), "Нейтральное");
  EXPECT_EQ(TempoWord("0 !I", "Быстро", "Средне", "Медленно"), "Средне");
  EXPECT_EQ(SfxFlag("0 !I"), "1");
  EXPECT_EQ(TrackTypeWord("0 !I"), "Для эфира");
  // Both fast and slow: the slow word; background and imaging: imaging.
  EXPECT_EQ(TempoWord("4 !F POP !S", "Быстро", "Средне", "Медленно"), "Медленно");
  EXPECT_EQ(TrackTypeWord("3 !B !I"), "Для эфира");
  EXPECT_EQ(EpochWord("3 RETRO 80-90s"), "80е-90е");
  EXPECT_EQ(SfxFlag(" 4 !F"), "0");
}

TEST(ExportValues, FourComposersKeepThreeWithTheAdaptorUnmarked) {
  const Writers w = SplitWriters("A, B (обр.), C, D");
  EXPECT_TRUE(w.tooMany());
  EXPECT_EQ(w.first[0].name, "A");
  EXPECT_EQ(w.first[0].role, "Composer, Writer");
  EXPECT_EQ(w.first[1].name, "B");
  EXPECT_EQ(w.first[1].role, "Adaptor");
  EXPECT_EQ(w.first[1].share, "0.00000");
  EXPECT_EQ(w.first[2].role, "Composer, Writer");

  const Writers one = SplitWriters("Solo (пер.)");
  EXPECT_FALSE(one.tooMany());
  EXPECT_EQ(one.first[0].name, "Solo");
  EXPECT_EQ(one.first[1].name, "");
  EXPECT_EQ(one.first[1].role, "");
}

TEST(ExportValues, GenreNamesFollowTheStyleWordsInOrder) {
  EXPECT_EQ(StyleGenreNames(" DANCE ETHNO NEW YEAR"), "Club / EDM, World / Ethnic, Holiday");
  // The compact ethnic name is spelt with the Cyrillic letter о (U+043E).
  EXPECT_EQ(StyleGenreNamesCompact(" DANCE ETHNO NEW YEAR"), "Club/EDM, Ethn\xD0\xBE/World, New Year/Holiday");
  EXPECT_EQ(StyleGenreNamesCompact("SFX/ID"), "");
  EXPECT_EQ(StyleDisplayName("NEW YEAR"), "New Year/Holiday");
}

TEST(ExportValues, TagTitlesAndEscapes) {
  EXPECT_EQ(CleanTagTitle("* ALL LIBRARY", 1), "ALL LIBRARY");
  EXPECT_EQ(CleanTagTitle("… NEW CDS", 2), "New cds");
  EXPECT_EQ(EscapeAmpersands("R&B & Soul"), "R&amp;B &amp; Soul");
}

TEST(ExportValues, YandexDescriptionKeeps250CharactersAndCuts251) {
  // Cyrillic letters: the limit counts characters, not bytes.
  const std::string exact(250, 'a');
  std::string cyrillic;
  for (int i = 0; i < 251; ++i) cyrillic += "я";
  EXPECT_EQ(YandexDescription(exact), exact);
  const std::string cut = YandexDescription(cyrillic);
  EXPECT_EQ(CharCount(cut), 250u);
  EXPECT_EQ(cut.substr(cut.size() - 3), "...");
  EXPECT_EQ(CharCount(YandexDescription(FirstChars(cyrillic, 250))), 250u);
  EXPECT_EQ(YandexDescription(FirstChars(cyrillic, 250)).find("..."), std::string::npos);
}

}  // namespace
}  // namespace trakvella::testing
