// Browsing without a window: listing and sorting tracks, walking the tree with
// its history, tags and favourites.
#include "core/browse/Browser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/CatalogueFixture.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;

// CD 003 under A >> B >> C and A >> B; CD 005 under A >> B; CD 409 under D.
FixtureCatalogue Tree() {
  FixtureCatalogue f;
  f.titles = {"KMLB_003=KMLB_003 Promo & Co",
              "KMLB_003_001=Long one\tI\t03:10\tИ. Петров\tОркестр",
              "KMLB_003_002=Short one\tI\t00:45\tJ. Smith\tBand",
              "KMLB_003_003=No tempo\tI\t01:30\tC\tP",
              "KMLB_005=KMLB_005 Dance",
              "KMLB_005_001=Night\tI\t02:00\tC\tP",
              "KMLB_409=KMLB_409 Drama",
              "KMLB_409_001=Suspense\tI\t02:00\tC\tP"};
  f.tracks = {"KMLB_003_001=4 !F POP [128] <8B>", "KMLB_003_002=2 !S JAZZ [70] <5A>", "KMLB_003_003=0",
              "KMLB_005_001=4 DANCE [140] <1A>", "KMLB_409_001=1 CINEMATIC [90] <9A>"};
  f.translate = {"A=Альфа", "B=Бета", "SWEEPS=Свипы", "DRAMA=Драма"};
  f.blocks = {{"KMLB_003", NfoBlock("KMLB_003", "Promo", {"A >> B >> C", "A >> B", "FX >> SWEEPS"}, "012010")},
              {"KMLB_005", NfoBlock("KMLB_005", "Dance", {"A >> B", "FX >> SWEEPS"}, "022012")},
              {"KMLB_409", NfoBlock("KMLB_409", "Drama", {"D >> DRAMA"}, "112026")}};
  return f;
}

struct BrowserTest : ::testing::Test {
  TempDir cat, home;
  LoadedCatalogue loaded;
  StdRandom random{7};
  Language language = Language::English;
  std::unique_ptr<Browser> browser;
  int stops = 0;
  std::vector<bool> plays;

  void SetUp() override {
    Tree().Write(cat.path());
    LoadOptions o;
    o.programFolder = home.path();
    o.today = {2026, 12};
    LoadFolder(loaded, cat.path(), o);
    browser = std::make_unique<Browser>(loaded.catalogue, loaded.dialogs, loaded.progress, random, language);
    browser->hooks.stopPlayback = [this] { ++stops; };
    browser->hooks.playCurrent = [this](bool fromButton) { plays.push_back(fromButton); };
    browser->FillTagList();
    browser->Home();
  }
  std::vector<std::string> Codes() const {
    std::vector<std::string> codes;
    for (auto [cd, t] : browser->rows()) codes.push_back(loaded.catalogue.Track(cd, t).code);
    return codes;
  }
  void Open(const std::string& name) {
    Select(name);
    browser->OpenSelectedRow();
  }
  void Select(const std::string& name) {
    const auto& rows = browser->boxRows();
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].text == name) return browser->SelectBoxRow(static_cast<int>(i));
    FAIL() << "no row " << name;
  }
  std::vector<std::string> RowTexts() const {
    std::vector<std::string> texts;
    for (const auto& r : browser->boxRows()) texts.push_back((r.isCd ? "cd:" : "cat:") + r.text);
    return texts;
  }
};

const std::vector<std::string> kAll = {"KMLB_003_001", "KMLB_003_002", "NOPE_999_999",
                                       "KMLB_003_003", "KMLB_005_001", "KMLB_409_001"};

TEST_F(BrowserTest, ListsInEachSortKindSkippingUnknownCodes) {
  browser->ListTracks(kAll, std::nullopt, false, "");
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_001", "KMLB_003_002", "KMLB_003_003", "KMLB_005_001", "KMLB_409_001"));
  browser->ToggleReverse();
  browser->ListTracks(kAll, std::nullopt, false, "");
  EXPECT_THAT(Codes(), ElementsAre("KMLB_409_001", "KMLB_005_001", "KMLB_003_003", "KMLB_003_002", "KMLB_003_001"));
  browser->ToggleReverse();

  browser->SetSortKind(SortKind::Length);
  browser->ListTracks(kAll, std::nullopt, false, "");
  EXPECT_EQ(Codes().front(), "KMLB_003_002");  // 00:45
  EXPECT_EQ(Codes().back(), "KMLB_003_001");   // 03:10

  browser->SetSortKind(SortKind::Tempo);
  browser->ListTracks(kAll, std::nullopt, false, "");
  // No tempo counts 0 and comes first.
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_003", "KMLB_003_002", "KMLB_409_001", "KMLB_003_001", "KMLB_005_001"));
  EXPECT_EQ(browser->rowCount(), 5);
}

TEST_F(BrowserTest, PopularityPutsTheTopListFirstAndShufflesTheRest) {
  browser->SetTopList({"KMLB_409_001", "KMLB_003_003"});
  browser->SetSortKind(SortKind::Popular);
  browser->ListTracks(kAll, std::nullopt, false, "");
  auto first = Codes();
  EXPECT_THAT(std::vector<std::string>(first.begin(), first.begin() + 2), ElementsAre("KMLB_409_001", "KMLB_003_003"));
  browser->ToggleReverse();
  browser->ListTracks(kAll, std::nullopt, false, "");
  auto reversed = Codes();
  EXPECT_THAT(std::vector<std::string>(reversed.end() - 2, reversed.end()),
              ElementsAre("KMLB_003_003", "KMLB_409_001"));
}

TEST_F(BrowserTest, CdCaptionListsTheCdsOfTheTracksInCatalogueOrder) {
  browser->ListTracks({"KMLB_409_001", "KMLB_003_002"}, Msg::Searching, true, std::string(kAllCdsPath));
  EXPECT_THAT(RowTexts(), ElementsAre("cd:KMLB_003 Promo & Co", "cd:KMLB_409 Drama"));
  EXPECT_TRUE(browser->resultMode());
  EXPECT_EQ(browser->currentPath(), kAllCdsPath);
  EXPECT_EQ(loaded.progress.calls.back().mode, 0);  // the progress window closed again
  // Changing the sort while results are shown re-lists nothing.
  browser->SetSortKind(SortKind::Length);
  EXPECT_EQ(Codes().front(), "KMLB_409_001");
  // Opening a CD of the result ends result mode; the box keeps the result's CDs.
  Select("KMLB_409 Drama");
  browser->OpenSelectedCd();
  EXPECT_FALSE(browser->resultMode());
  EXPECT_EQ(browser->currentPath(), "* ALL LIBRARY >> … ALL CDS : KMLB_409 Drama");
  EXPECT_EQ(browser->boxRows().size(), 2u);
  browser->ListTracks({}, std::nullopt, false, "* ALL LIBRARY >> … ALL CDS");
  EXPECT_TRUE(browser->boxRows().empty());
}

TEST_F(BrowserTest, HistoryKeepsRootPreviousAndCurrentLevel) {
  Open("A");
  Open("B");
  Open("C");
  EXPECT_THAT(browser->history(), ElementsAre("", "A >> B", "A >> B >> C"));
  EXPECT_TRUE(browser->backEnabled());
  browser->Back();
  EXPECT_EQ(browser->currentPath(), "A >> B");
  EXPECT_EQ(browser->boxRows()[browser->selectedBoxRow()].text, "C");
  EXPECT_TRUE(browser->forwardEnabled());
  browser->Back();
  EXPECT_EQ(browser->currentPath(), "");
  EXPECT_FALSE(browser->backEnabled());
  browser->Forward();
  EXPECT_EQ(browser->currentPath(), "A >> B");
  browser->Home();
  EXPECT_THAT(browser->history(), ElementsAre(""));
  EXPECT_FALSE(browser->backEnabled());
  EXPECT_FALSE(browser->forwardEnabled());
}

TEST_F(BrowserTest, SingleClickOpensCdsOnlyAndNotTheOpenOneAgain) {
  Open("A");
  Open("B");
  // Level A >> B: the category C, then the CDs, newest number first.
  EXPECT_THAT(RowTexts(), ElementsAre("cat:C", "cd:KMLB_005 Dance", "cd:KMLB_003 Promo & Co"));
  Select("C");
  browser->OpenSelectedCd();
  EXPECT_EQ(browser->currentPath(), "A >> B");
  Select("KMLB_003 Promo & Co");
  browser->OpenSelectedCd();
  EXPECT_EQ(browser->currentPath(), "A >> B : KMLB_003 Promo & Co");
  EXPECT_EQ(browser->rowCount(), 3);
  EXPECT_EQ(browser->selectedRow(), 0);
  EXPECT_THAT(plays, ElementsAre(false));
  EXPECT_EQ(browser->statusFields()[0], "2/2");
  EXPECT_EQ(browser->statusFields()[4], "1/3");
  const int stopsBefore = stops;
  browser->OpenSelectedCd();  // the open CD: nothing
  EXPECT_EQ(stops, stopsBefore);
  EXPECT_THAT(plays, ElementsAre(false));
}

TEST_F(BrowserTest, UpGoesToTheParentWithTheChildSelected) {
  Open("A");
  Open("B");
  Open("KMLB_005 Dance");
  browser->Up();
  EXPECT_EQ(browser->currentPath(), "A");
  EXPECT_EQ(browser->boxRows()[browser->selectedBoxRow()].text, "B");
  browser->Up();
  browser->Up();  // from the root: the root
  EXPECT_EQ(browser->currentPath(), "");
  EXPECT_FALSE(browser->boxRows().empty());
}

TEST_F(BrowserTest, GoToPlaceShowsAStoredLevelAndCd) {
  browser->GoToPlace("A >> B : KMLB_003 Promo & Co");
  EXPECT_EQ(browser->currentPath(), "A >> B : KMLB_003 Promo & Co");
  EXPECT_EQ(browser->rowCount(), 3);
  // A CD that no longer exists selects row 0 of its level.
  browser->GoToPlace("A >> B : KMLB_777 Gone");
  EXPECT_EQ(browser->selectedBoxRow(), 0);
  EXPECT_EQ(browser->currentPath(), "A >> B");
}

TEST_F(BrowserTest, PathCaptionDoublesAmpersandsAndTranslatesInRussian) {
  EXPECT_EQ(browser->FormatPathCaption("A >> B & C : KMLB_003 Promo & Co"), " A » B && C : KMLB_003 Promo & Co");
  language = Language::Russian;
  EXPECT_EQ(browser->FormatPathCaption("A >> B"), " Альфа » Бета");
  EXPECT_EQ(browser->FormatPathCaption(""), " ");
}

TEST_F(BrowserTest, TagsListTheirCdsAndFollowTheLanguage) {
  EXPECT_THAT(browser->tagItems(), ElementsAre("DRAMA", "SWEEPS"));
  browser->SetTagText("SWEEPS");
  browser->ListCdsOfTagText();
  EXPECT_EQ(browser->currentPath(), "Keyword [ SWEEPS ] : KMLB_005 Dance");
  EXPECT_THAT(RowTexts(), ElementsAre("cd:KMLB_005 Dance", "cd:KMLB_003 Promo & Co"));
  EXPECT_EQ(browser->rowCount(), 1);

  language = Language::Russian;
  browser->RebuildTagList();
  EXPECT_THAT(browser->tagItems(), ElementsAre("Драма", "Свипы"));
  EXPECT_EQ(browser->tagText(), "Свипы");
  EXPECT_EQ(browser->currentPath(), "Keyword [ Свипы ] : KMLB_005 Dance");
  language = Language::English;
  browser->RebuildTagList();
  EXPECT_EQ(browser->tagText(), "SWEEPS");
  // English again: no name translates to an English tag, so the box empties
  // and nothing is listed anew.
  browser->SelectBoxRow(1);
  browser->OpenSelectedCd();
  const std::string open = browser->currentPath();
  browser->RebuildTagList();
  EXPECT_EQ(browser->tagText(), "");
  EXPECT_EQ(browser->currentPath(), open);
  EXPECT_EQ(browser->selectedBoxRow(), 1);

  // A tag that is not in the box does nothing; a stored tag place opens its CD.
  browser->Home();
  browser->GoToPlace("Keyword [ NOPE ]");
  EXPECT_EQ(browser->currentPath(), "");
  browser->GoToPlace("Keyword [ SWEEPS ] : KMLB_003 Promo & Co");
  EXPECT_EQ(browser->currentPath(), "Keyword [ SWEEPS ] : KMLB_003 Promo & Co");
}

TEST_F(BrowserTest, FavouritesAreNumberedAndLimited) {
  Open("A");
  browser->AddCurrentPlaceToFavourites();
  for (int i = 1; i < 98; ++i) ASSERT_TRUE(browser->AddFavourite("D"));
  auto captions = browser->FavouriteCaptions();
  EXPECT_EQ(captions[0], "01 » A");
  EXPECT_EQ(captions[8], "09 » D");
  EXPECT_EQ(captions[9], "10 » D");
  EXPECT_TRUE(loaded.dialogs.shown.empty());
  browser->AddCurrentPlaceToFavourites();  // a 99th
  ASSERT_EQ(loaded.dialogs.shown.size(), 1u);
  EXPECT_EQ(loaded.dialogs.shown[0].text, "Error adding favorites (max 99)");
  EXPECT_EQ(loaded.dialogs.shown[0].kind, MessageKind::Warning);
  EXPECT_EQ(browser->favourites().size(), 98u);

  browser->Home();
  EXPECT_FALSE(browser->addFavouriteEnabled());
  browser->GoToFavourite(0);
  EXPECT_EQ(browser->currentPath(), "A");
  EXPECT_TRUE(browser->addFavouriteEnabled());
  browser->SetFavourites({"D", "A"});
  EXPECT_THAT(browser->FavouriteCaptions(), ElementsAre("01 » D", "02 » A"));
}

TEST_F(BrowserTest, TrackNameStatusAndDisplayRules) {
  browser->GoToPlace("A >> B : KMLB_003 Promo & Co");
  DisplayOptions options = browser->options();
  options.showComposer = options.showArtist = true;
  browser->SetOptions(options);
  EXPECT_EQ(browser->ComposeTrackName(), "03:10 [KMLB_003_001] Long one а/и: И. Петров / Оркестр ");
  options.showArtist = options.showTime = false;
  browser->SetOptions(options);
  EXPECT_EQ(browser->ComposeTrackName(), "[KMLB_003_001] Long one а:И. Петров ");

  browser->ShowTrackStatus("http://demo.example/audio/", home.path().string() + "/");
  EXPECT_EQ(browser->statusFields()[1], "Web Server: KMLB_003/KMLB_003_001.mp3");
  EXPECT_EQ(browser->statusFields()[2], "Cmaj");
  EXPECT_EQ(browser->statusFields()[3], "128");
  EXPECT_EQ(browser->statusFields()[4], "1/3");

  browser->SetShowCode(false);
  browser->SetShowName(false);
  EXPECT_TRUE(browser->options().showCode);
  browser->SetShowCode(false);
  EXPECT_TRUE(browser->options().showName);
}

TEST_F(BrowserTest, SearchModeHidesTheBoxUntilResultModeEnds) {
  browser->GoToPlace("A >> B : KMLB_003 Promo & Co");
  browser->EnterSearchMode();
  EXPECT_TRUE(browser->resultMode());
  EXPECT_FALSE(browser->boxVisible());
  EXPECT_TRUE(browser->searchPanelShown());
  EXPECT_TRUE(browser->searchButtonDown());
  EXPECT_EQ(browser->rowCount(), 0);
  EXPECT_EQ(browser->caption(), " * ALL LIBRARY » … ALL CDS");
  browser->LeaveResultMode();
  EXPECT_FALSE(browser->resultMode());
  EXPECT_TRUE(browser->boxVisible());
  EXPECT_FALSE(browser->searchPanelShown());
  EXPECT_FALSE(browser->searchButtonDown());
}

TEST_F(BrowserTest, ChangingTheSortReListsTheOpenCd) {
  browser->GoToPlace("A >> B : KMLB_003 Promo & Co");
  browser->SetSortKind(SortKind::Length);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_002", "KMLB_003_003", "KMLB_003_001"));
  browser->ToggleReverse();
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_001", "KMLB_003_003", "KMLB_003_002"));
}

}  // namespace
}  // namespace trakvella::testing
