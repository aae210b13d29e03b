#include "core/lang/MessageTable.h"

#include <gtest/gtest.h>

#include "core/text/Text.h"

namespace trakvella {
namespace {

TEST(MessageTable, TrackListPrefixesKeepTheirExactLetters) {
  // The English composer prefix uses the Cyrillic es (U+0441, D1 81), not
  // the Latin c; the Russian one is the Cyrillic a (U+0430, D0 B0).
  EXPECT_EQ(LangMessage(Language::English, Msg::StatusComposer), "\x20\xD1\x81:");
  EXPECT_EQ(LangMessage(Language::Russian, Msg::StatusComposer), "\x20\xD0\xB0:");
  // The artist prefix: Latin a in English, Cyrillic i (U+0438) in Russian.
  EXPECT_EQ(LangMessage(Language::English, Msg::StatusArtist), " a:");
  EXPECT_EQ(LangMessage(Language::Russian, Msg::StatusArtist), "\x20\xD0\xB8:");
  // Both: Latin in English, Cyrillic in Russian, both with a trailing blank.
  EXPECT_EQ(LangMessage(Language::English, Msg::StatusArtistComposer), " a/c: ");
  EXPECT_EQ(LangMessage(Language::Russian, Msg::StatusArtistComposer), "\x20\xD0\xB0/\xD0\xB8: ");
}

TEST(MessageTable, TitleTextsKeepTheirBlanks) {
  EXPECT_EQ(LangMessage(Language::English, Msg::CdsCount), "CDs: ");
  EXPECT_EQ(LangMessage(Language::Russian, Msg::CdsCount), "Сборников: ");
  EXPECT_EQ(LangMessage(Language::English, Msg::TracksCount), "Tracks: ");
  EXPECT_EQ(LangMessage(Language::Russian, Msg::TracksCount), "Треков: ");
  EXPECT_EQ(LangMessage(Language::English, Msg::TracksLeftLower), "tracks left: ");
  EXPECT_EQ(LangMessage(Language::Russian, Msg::TracksLeftLower), "осталось: ");
  EXPECT_EQ(LangMessage(Language::English, Msg::NotEntered), "not entered");
  EXPECT_EQ(LangMessage(Language::Russian, Msg::NotEntered), "вход не выполнен");
  EXPECT_EQ(LangMessage(Language::English, Msg::Of), " of ");
  EXPECT_EQ(LangMessage(Language::Russian, Msg::EnterUrl), "Введите адрес");
}

TEST(MessageTable, CarriageReturnsBreakTheLines) {
  EXPECT_EQ(LangMessage(Language::English, Msg::UpdateDownloaded),
            "Update downloaded!\x0DProgram auto restarted within 20 sec.");
  EXPECT_EQ(LangMessage(Language::Russian, Msg::EnableOfflineMode),
            "Включить автономный режим:\x0D- Отключается проверка обновлений\x0D"
            "- Отключается загрузка и прослушивание демо из сети\x0D"
            "- Показываются и проигрываются локальные сборники/треки в папке /audio");
  EXPECT_EQ(LangMessage(Language::English, Msg::WrongLoginOrPassword), "Incorrect Login or Password!");
  EXPECT_NE(LangMessage(Language::Russian, Msg::WrongLoginOrPassword).find('\r'), std::string::npos);
}

TEST(MessageTable, ANumberWithoutARowGivesTheEmptyText) {
  EXPECT_EQ(LangMessage(Language::English, static_cast<Msg>(103)), "");
  EXPECT_EQ(LangMessage(Language::Russian, static_cast<Msg>(103)), "");
  EXPECT_EQ(LangMessage(Language::Russian, static_cast<Msg>(kMessageCount)), "");
  EXPECT_EQ(LangMessage(Language::English, static_cast<Msg>(4000000000u)), "");
}

TEST(MessageTable, EverySlotButOneHasBothLanguages) {
  for (unsigned index = 0; index < kMessageCount; ++index) {
    if (index == 103) continue;
    EXPECT_FALSE(LangMessage(Language::English, static_cast<Msg>(index)).empty()) << index;
    EXPECT_FALSE(LangMessage(Language::Russian, static_cast<Msg>(index)).empty()) << index;
  }
  // The implementer's lines: the notice, the site and the registry line.
  EXPECT_EQ(LangMessage(Language::English, Msg::WebSiteName), LangMessage(Language::Russian, Msg::WebSiteName));
  EXPECT_TRUE(LangMessage(Language::English, Msg::Registry).starts_with("DB «Music Library KMLB» Registry №"));
  EXPECT_TRUE(LangMessage(Language::Russian, Msg::Registry).starts_with("БД «Музыкальная Библиотека KMLB» Рег. №"));
}

TEST(MessageTable, EveryTextFitsCodePage1251) {
  // Texts end up in 8-bit files and documents: each must survive the code page.
  for (unsigned index = 0; index < kMessageCount; ++index) {
    for (Language language : {Language::English, Language::Russian}) {
      const std::string text = LangMessage(language, static_cast<Msg>(index));
      EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251(text)), text) << LanguageNumber(language) << ":" << index;
    }
  }
}

}  // namespace
}  // namespace trakvella
