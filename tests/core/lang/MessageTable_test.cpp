#include "core/lang/MessageTable.h"

#include <gtest/gtest.h>

#include "core/text/Text.h"

namespace trakvella {
namespace {

TEST(MessageTable, TrackListPrefixesKeepTheirExactLetters) {
  // The English composer prefix uses the Cyrillic es (U+0441, D1 81), not
  // the Latin c; the Russian one is the Cyrillic a (U+0430, D0 B0).
  EXPECT_EQ(LangMessage(kEnglish, Msg::StatusComposer), "\x20\xD1\x81:");
  EXPECT_EQ(LangMessage(kRussian, Msg::StatusComposer), "\x20\xD0\xB0:");
  // The artist prefix: Latin a in English, Cyrillic i (U+0438) in Russian.
  EXPECT_EQ(LangMessage(kEnglish, Msg::StatusArtist), " a:");
  EXPECT_EQ(LangMessage(kRussian, Msg::StatusArtist), "\x20\xD0\xB8:");
  // Both: Latin in English, Cyrillic in Russian, both with a trailing blank.
  EXPECT_EQ(LangMessage(kEnglish, Msg::StatusArtistComposer), " a/c: ");
  EXPECT_EQ(LangMessage(kRussian, Msg::StatusArtistComposer), "\x20\xD0\xB0/\xD0\xB8: ");
}

TEST(MessageTable, TitleTextsKeepTheirBlanks) {
  EXPECT_EQ(LangMessage(kEnglish, Msg::CdsCount), "CDs: ");
  EXPECT_EQ(LangMessage(kRussian, Msg::CdsCount), "Сборников: ");
  EXPECT_EQ(LangMessage(kEnglish, Msg::TracksCount), "Tracks: ");
  EXPECT_EQ(LangMessage(kRussian, Msg::TracksCount), "Треков: ");
  EXPECT_EQ(LangMessage(kEnglish, Msg::TracksLeftLower), "tracks left: ");
  EXPECT_EQ(LangMessage(kRussian, Msg::TracksLeftLower), "осталось: ");
  EXPECT_EQ(LangMessage(kEnglish, Msg::NotEntered), "not entered");
  EXPECT_EQ(LangMessage(kRussian, Msg::NotEntered), "вход не выполнен");
  EXPECT_EQ(LangMessage(kEnglish, Msg::Of), " of ");
  EXPECT_EQ(LangMessage(kRussian, Msg::EnterUrl), "Введите адрес");
}

TEST(MessageTable, CarriageReturnsBreakTheLines) {
  EXPECT_EQ(LangMessage(kEnglish, Msg::UpdateDownloaded),
            "Update downloaded!\x0DProgram auto restarted within 20 sec.");
  EXPECT_EQ(LangMessage(kRussian, Msg::EnableOfflineMode),
            "Включить автономный режим:\x0D- Отключается проверка обновлений\x0D"
            "- Отключается загрузка и прослушивание демо из сети\x0D"
            "- Показываются и проигрываются локальные сборники/треки в папке /audio");
  EXPECT_EQ(LangMessage(kEnglish, Msg::WrongLoginOrPassword), "Incorrect Login or Password!");
  EXPECT_NE(LangMessage(kRussian, Msg::WrongLoginOrPassword).find('\r'), std::string::npos);
}

TEST(MessageTable, MissingRowsAndLanguagesLeaveTheTextAlone) {
  std::string text = "before";
  GetLangMessage(kEnglish, 103, text);
  EXPECT_EQ(text, "before");
  GetLangMessage(kRussian, 103, text);
  EXPECT_EQ(text, "before");
  GetLangMessage(kEnglish, kMessageCount, text);
  EXPECT_EQ(text, "before");
  GetLangMessage(kRussian, 4000000000u, text);
  EXPECT_EQ(text, "before");
  GetLangMessage(2, 12, text);
  EXPECT_EQ(text, "before");
  GetLangMessage(-1, 12, text);
  EXPECT_EQ(text, "before");

  EXPECT_EQ(LangMessage(kEnglish, 103), "");
  EXPECT_EQ(LangMessage(2, 12), "");

  GetLangMessage(kRussian, 12, text);
  EXPECT_EQ(text, "Сборников: ");
}

TEST(MessageTable, EverySlotButOneHasBothLanguages) {
  for (unsigned index = 0; index < kMessageCount; ++index) {
    if (index == 103) continue;
    EXPECT_FALSE(LangMessage(kEnglish, index).empty()) << index;
    EXPECT_FALSE(LangMessage(kRussian, index).empty()) << index;
  }
  // The implementer's lines: the notice, the site and the registry line.
  EXPECT_EQ(LangMessage(kEnglish, Msg::WebSiteName), LangMessage(kRussian, Msg::WebSiteName));
  EXPECT_TRUE(LangMessage(kEnglish, Msg::Registry).starts_with("DB «Music Library KMLB» Registry №"));
  EXPECT_TRUE(LangMessage(kRussian, Msg::Registry).starts_with("БД «Музыкальная Библиотека KMLB» Рег. №"));
}

TEST(MessageTable, EveryTextFitsCodePage1251) {
  // Texts end up in 8-bit files and documents: each must survive the code page.
  for (unsigned index = 0; index < kMessageCount; ++index) {
    for (int language : {kEnglish, kRussian}) {
      const std::string text = LangMessage(language, index);
      EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251(text)), text) << language << ":" << index;
    }
  }
}

}  // namespace
}  // namespace trakvella
