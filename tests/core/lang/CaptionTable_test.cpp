#include "core/lang/CaptionTable.h"

#include <map>
#include <set>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Resources.h"
#include "core/lang/MessageTable.h"
#include "core/text/Text.h"
#include "support/Fakes.h"

namespace trakvella {
namespace {

using P = CaptionProperty;

const CaptionRow* FindRow(std::string_view window, std::string_view component, P property, int index = 0) {
  for (const CaptionRow& row : CaptionTable()) {
    if (window == row.window && component == row.component && row.property == property && row.index == index)
      return &row;
  }
  return nullptr;
}

// The English and Russian texts of a row, or a marker that fails every comparison.
std::pair<std::string, std::string> Texts(std::string_view window, std::string_view component, P property,
                                          int index = 0) {
  const CaptionRow* row = FindRow(window, component, property, index);
  if (row == nullptr) return {"<no row>", "<no row>"};
  return {row->english, row->russian};
}

TEST(CaptionTable, GroupsHaveTheirSizesInOrderAndOneWindowEach) {
  // The design's 329 rows, and beyond them the 14 of the developer menu (group 5), the
  // 7 developer items of the music set window's pop-up menu (group 7) and the report
  // window's caption (group 9), which the English interface shows in English.
  const std::map<int, size_t> expected = {{1, 2},      {2, 3},  {3, 4},      {4, 1},   {5, 161 + 14 + 5}, {6, 3},
                                          {7, 35 + 7}, {8, 27}, {9, 45 + 1}, {10, 14}, {11, 28},          {12, 6}};
  const std::map<int, std::string> windows = {{1, "TStartForm"},    {2, "TOrgForm"},  {3, "TTrackInfoForm"},
                                              {4, "TWaitForm"},     {5, "TMainForm"}, {6, "TCodeForm"},
                                              {7, "TMusicSetForm"}, {8, "TMainForm"}, {9, "TRepForm"},
                                              {10, "TScanForm"},    {11, "TDocForm"}, {12, "TSignInForm"}};
  std::map<int, size_t> counted;
  int previous = 1;
  for (const CaptionRow& row : CaptionTable()) {
    ++counted[row.group];
    EXPECT_GE(row.group, previous) << row.component << " is out of group order";
    previous = row.group;
    EXPECT_EQ(row.window, windows.at(row.group)) << row.component;
  }
  EXPECT_EQ(counted, expected);
  EXPECT_EQ(CaptionTable().size(), 329u + 15u + 7u + 5u);
}

TEST(CaptionTable, EveryTargetIsNamedOnceAndEveryRowHasBothTexts) {
  // No row may be empty: an empty text would blank a control rather than
  // leave it alone. The empty texts of the area box come from missing
  // translations and are not rows.
  std::set<std::tuple<std::string, std::string, P, int>> seen;
  for (const CaptionRow& row : CaptionTable()) {
    const std::string component = row.component;
    EXPECT_TRUE(seen.emplace(row.window, component, row.property, row.index).second)
        << row.window << "." << component << " is set twice";
    EXPECT_STRNE(row.english, "") << component;
    EXPECT_STRNE(row.russian, "") << component;
    EXPECT_EQ(component.empty(), row.property == P::WindowCaption) << component;
    if (row.property != P::Item) {
      EXPECT_EQ(row.index, 0) << component;
    }
  }
}

TEST(CaptionTable, ListItemsRunFromZeroWithoutGaps) {
  std::map<std::pair<std::string, std::string>, std::vector<int>> lists;
  for (const CaptionRow& row : CaptionTable()) {
    if (row.property == P::Item) lists[{row.window, row.component}].push_back(row.index);
  }
  const std::map<std::string, size_t> sizes = {
      {"SPresets", 4}, {"SArea", 1}, {"ListBox3", 9}, {"ListBox2R", 7}, {"ListBox1", 10}};
  ASSERT_EQ(lists.size(), sizes.size());
  for (const auto& [key, indexes] : lists) {
    ASSERT_EQ(indexes.size(), sizes.at(key.second)) << key.second;
    for (size_t i = 0; i < indexes.size(); ++i) EXPECT_EQ(indexes[i], static_cast<int>(i)) << key.second;
  }
}

TEST(CaptionTable, TellingRowsReadExactly) {
  using T = std::pair<std::string, std::string>;
  EXPECT_EQ(Texts("TStartForm", "NextBut", P::Caption), T("Continue", "Продолжить"));
  EXPECT_EQ(Texts("TOrgForm", "", P::WindowCaption), T("Organizing Favorites", "Редактировать Избранное"));
  EXPECT_EQ(Texts("TTrackInfoForm", "TimeDataBut", P::Caption), T("Date:Time", "Дата:Время"));
  EXPECT_EQ(Texts("TWaitForm", "CancelBut", P::Caption), T("Abort", "Остановить"));
  EXPECT_EQ(Texts("TMainForm", "MMCDItem", P::Caption), T("Catalog", "Сборники"));
  EXPECT_EQ(Texts("TMainForm", "MMmemItem", P::Caption), T("Show Music Set", "Перейти к работе с набором..."));
  EXPECT_EQ(Texts("TMainForm", "HomeBtn", P::Hint), T("Home (clear history)", "В начало (очищает историю)"));
  EXPECT_EQ(Texts("TMainForm", "SortButUp", P::Hint), T("Reverse sort order", "Обратный порядок"));
  EXPECT_EQ(Texts("TMainForm", "copyAll", P::Caption),
            T("Copy all CD's tracks to Music Set", "Поместить все треки в набор..."));
  EXPECT_EQ(Texts("TMainForm", "NonStopPlaying", P::Caption),
            T("Instant playback", "Играть треки подряд, не прекращая"));
  EXPECT_EQ(Texts("TMainForm", "showcomposer", P::Caption), T("Composer (c)", "Показать автора (а)"));
  EXPECT_EQ(Texts("TMainForm", "SortOrdItem", P::Caption), T("Sort by code", "Сортировка по порядку"));
  EXPECT_EQ(Texts("TMainForm", "SortOrdItem2", P::Caption), T("Sort by code", "Сортировка по порядку"));
  EXPECT_EQ(Texts("TMainForm", "SortTempoItem2", P::Caption), T("Sort by tempo", "Сортировка по темпу"));
  EXPECT_EQ(Texts("TMainForm", "Lang", P::Caption), T("Language", "Язык программы"));
  EXPECT_EQ(Texts("TMainForm", "Lang0", P::Caption), T("English", "Английский"));
  EXPECT_EQ(Texts("TMainForm", "Lang1", P::Caption), T("Russian", "Русский"));
  EXPECT_EQ(Texts("TMainForm", "MMLang1", P::Caption), T("Russian", "Русский"));
  EXPECT_EQ(Texts("TMusicSetForm", "optitem", P::Caption), T("Remove dublicates", "Удалить дубликаты"));
  EXPECT_EQ(Texts("TMusicSetForm", "TabSheet1", P::Caption), T("RQ2 Tracklist", "Набор треков"));
  EXPECT_EQ(Texts("TMainForm", "_mood5", P::Caption), T("Fun / Comedy", "Заводное / Комедийное"));
  EXPECT_EQ(Texts("TMainForm", "_mood1", P::Caption), T("Anxious / Suicidal", "Тревожное / Суицидальное"));
  EXPECT_EQ(Texts("TMainForm", "SPresets", P::Item, 2),
            T("Jingles for TV/Radio imaging", "Все заставки для оформления эфира"));
  EXPECT_EQ(Texts("TMainForm", "SArea", P::Item, 0), T("ALL PACKAGES", "ВСЕ НАПРАВЛЕНИЯ"));
  EXPECT_EQ(Texts("TScanForm", "WAVCheck", P::Hint),
            T("Take into list only WAV files in the sessions - otherwise take any format",
              "Учитывать только файлы WAV в сессиях, иначе - берется любой формат"));
  EXPECT_EQ(Texts("TDocForm", "ViewDocBut", P::Caption), T("Complete", "Сформировать"));
  EXPECT_EQ(Texts("TDocForm", "SaveRTF", P::DialogTitle),
            T("Save documents in RTF format", "Сохранить документы в формате RTF"));
  EXPECT_EQ(Texts("TSignInForm", "SignInLbl", P::Caption), T("Subscription", "Вход в Подписку"));
  EXPECT_EQ(Texts("TSignInForm", "logEdit", P::LabelCaption), T("Login", "Логин"));
  // Report items keep their blanks and the Cyrillic ha (U+0445) used as a times sign.
  EXPECT_EQ(Texts("TRepForm", "ListBox2R", P::Item, 3).second, "Автор музыки музыкального произведения ");
  EXPECT_EQ(Texts("TRepForm", "ListBox2R", P::Item, 6).first, "Whole rotation time (5 \xD1\x85 6)");
  EXPECT_EQ(Texts("TScanForm", "GroupBox1", P::Caption).second, " Проекты | Сессии ");
}

TEST(CaptionTable, MainMenuCopiesRepeatTheirPopupItems) {
  using T = std::pair<std::string, std::string>;
  // The one copy that differs, and only in English.
  EXPECT_EQ(Texts("TMainForm", "FontSetupItem", P::Caption), T("Font setup...", "Настройка шрифта..."));
  EXPECT_EQ(Texts("TMainForm", "MMFontSetupItem", P::Caption), T("Font setup", "Настройка шрифта..."));
  // Copies named otherwise than "MM" + the item's name.
  const std::pair<const char*, const char*> renamed[] = {{"TrackInfoItem", "MMTrackInfoButton"},
                                                         {"Autoplay1", "MMAutoPlay1"},
                                                         {"Initializelibrary1", "MMInitializelibrary"},
                                                         {"gotocdurl", "MMGotoCDurl"}};
  for (const auto& [item, copy] : renamed) {
    EXPECT_EQ(Texts("TMainForm", copy, P::Caption), Texts("TMainForm", item, P::Caption)) << copy;
    EXPECT_EQ(FindRow("TMainForm", std::string("MM") + item, P::Caption), nullptr) << item;
  }
  // Every other "MM" row of group 5 past the menu bar copies the item of the same name.
  int copies = 0;
  for (const CaptionRow& row : CaptionTable()) {
    const std::string name = row.component;
    if (row.group != 5 || name.rfind("MM", 0) != 0) continue;
    const CaptionRow* item = FindRow("TMainForm", name.substr(2), P::Caption);
    if (item == nullptr) continue;
    ++copies;
    EXPECT_STREQ(row.russian, item->russian) << name;
    if (name != "MMFontSetupItem") {
      EXPECT_STREQ(row.english, item->english) << name;
    }
  }
  EXPECT_EQ(copies, 57 + 2);
  // Items of the favourites and sort menus have no main menu copy.
  for (const char* none : {"MMAddtofavorites", "MMOrgFavorites", "MMSortOrdItem2", "MMReverseSortItem2"})
    EXPECT_EQ(FindRow("TMainForm", none, P::Caption), nullptr) << none;
  EXPECT_EQ(Texts("TMainForm", "MMGotoTrackURLitem", P::Caption).second, "Перейти на страницу трека");
}

TEST(CaptionTable, StartWindowRegistrationLineMatchesTheDatabaseMessage) {
  EXPECT_EQ(Texts("TStartForm", "Label7", P::Caption), std::make_pair(LangMessage(Language::English, Msg::Registry),
                                                                      LangMessage(Language::Russian, Msg::Registry)));
}

TEST(CaptionTable, TextPicksTheLanguage) {
  const CaptionRow& row = *FindRow("TMainForm", "MMServItem", P::Caption);
  EXPECT_EQ(CaptionText(row, Language::English), "Service");
  EXPECT_EQ(CaptionText(row, Language::Russian), "Сервис");
}

TEST(CaptionTable, EveryTextSurvivesCodePage1251) {
  for (const CaptionRow& row : CaptionTable()) {
    for (const char* text : {row.english, row.russian}) {
      const std::string cp = Utf8ToCp1251(text);
      EXPECT_EQ(Cp1251ToUtf8(cp), text) << row.component;
      EXPECT_EQ(cp.size(), CharCount(text)) << row.component;
    }
  }
  for (std::string_view name : kSearchAreaNames) EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251(name)), name);
}

TEST(SearchAreaCaption, EnglishNamesAndRussianTranslations) {
  int asked = 0;
  auto translate = [&](std::string_view english) -> std::optional<std::string> {
    ++asked;
    if (english == "CORPORATE MUSIC") return "Бизнес тематика";
    if (english == "AROUND THE WORLD") return "Вокруг света";
    return std::nullopt;
  };
  const Language en = Language::English;
  const Language ru = Language::Russian;
  EXPECT_EQ(SearchAreaCaption(en, 1, translate), "CORPORATE MUSIC");
  EXPECT_EQ(SearchAreaCaption(en, 15, translate), "IMAGING ELEMENTS");
  EXPECT_EQ(asked, 0);  // English never asks the table
  EXPECT_EQ(SearchAreaCaption(ru, 1, translate), "Бизнес тематика");
  EXPECT_EQ(SearchAreaCaption(ru, 2, translate), "Вокруг света");
  EXPECT_EQ(SearchAreaCaption(ru, 7, translate), "");  // no row for FILM MUSIC
  // Outside the fifteen areas, or without the table, nothing.
  EXPECT_EQ(SearchAreaCaption(en, 0, translate), "");
  EXPECT_EQ(SearchAreaCaption(ru, 16, translate), "");
  EXPECT_EQ(SearchAreaCaption(ru, 1, nullptr), "");
}

TEST(SearchAreaCaption, BuiltInCatalogueTranslatesEveryArea) {
  Catalogue catalogue;
  testing::FakeDialogs dialogs;
  EmbeddedResourceStore store;
  catalogue.ReadCatalogueTables(store, dialogs);
  auto translate = [&](std::string_view english) -> std::optional<std::string> {
    auto russian = catalogue.Translation(english);
    if (!russian) return std::nullopt;
    return std::string(*russian);
  };
  EXPECT_EQ(SearchAreaCaption(Language::Russian, 1, translate), "Бизнес тематика");
  for (int item = 1; item < 16; ++item) EXPECT_NE(SearchAreaCaption(Language::Russian, item, translate), "") << item;
}

}  // namespace
}  // namespace trakvella
