// The track collections: related tracks, title search, local tracks, the lucky
// pick, Top 100 and similar CDs.
#include "core/browse/Collections.h"

#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/CatalogueFixture.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

struct CollectionsTest : ::testing::Test {
  TempDir cat, home;
  LoadedCatalogue loaded;
  StdRandom random{11};
  const Language english = Language::English;
  std::unique_ptr<Browser> browser;
  int plays = 0;

  void SetUp() override {
    FixtureCatalogue f;
    f.titles = {"KMLB_003=KMLB_003 First",
                "KMLB_003_001=Rock Anthem\tI\t01:00\tPetrov\tP",
                "KMLB_003_002=Slow Song\tI\t01:00\tSidorov\tP",
                "KMLB_003_003=Fast Song\tI\t01:00\tC\tP",
                "KMLB_005=KMLB_005 Second",
                "KMLB_005_001=Relative\tI\t01:00\tC\tP",
                "KMLB_005_002=Other rock\tI\t01:00\tPetrov\tP",
                "KMLB_005_003=Effect\tI\t01:00\tC\tP"};
    f.tracks = {"KMLB_003_001=3 !F PPRCK [87] <4B>",  // counts as 174
                "KMLB_003_002=2 !S POP [170] <4B>",   // counts as 85
                "KMLB_003_003=4 !F POP [85] <4B>",    // counts as 170
                "KMLB_005_001=4 POP [176] <1A>",      // the relative key of 4B
                "KMLB_005_002=4 ROCK [180] <4B>",    "KMLB_005_003=0"};
    f.similar = {"kmlb_005=--2-1", "kmlb_003=----3-7"};
    f.blocks = {{"KMLB_003", NfoBlock("KMLB_003", "First", {"A >> B"}, "012020")},
                {"KMLB_005", NfoBlock("KMLB_005", "Second", {"A >> B"}, "022020")}};
    f.Write(cat.path());
    WriteFile(home.path() / "audio" / "KMLB_005_002 Other rock.WAV", "x");
    LoadOptions o;
    o.programFolder = home.path();
    o.today = {2026, 12};
    LoadFolder(loaded, cat.path(), o);
    browser = std::make_unique<Browser>(loaded.catalogue, loaded.dialogs, loaded.progress, random, english);
    browser->hooks.playCurrent = [this](bool) { ++plays; };
    browser->Home();
  }
  void Select(const std::string& code) {
    const auto [cd, track] = loaded.catalogue.LocateTrack(code);
    browser->SetScannedRows({{cd, track}});
    browser->SelectRow(0);
  }
  std::vector<std::string> Codes() const {
    std::vector<std::string> codes;
    for (auto [cd, t] : browser->rows()) codes.push_back(loaded.catalogue.Track(cd, t).code);
    return codes;
  }
};

TEST_F(CollectionsTest, CloseTempoCountsCorrectedTempos) {
  Select("KMLB_003_001");  // 174: the window is 164-184
  ASSERT_TRUE(ListRelatedTracks(*browser, loaded.catalogue, Relation::Tempo, loaded.progress, Language::English));
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_001", "KMLB_003_003", "KMLB_005_001", "KMLB_005_002"));
  EXPECT_TRUE(browser->resultMode());
  EXPECT_EQ(browser->selectedRow(), 0);
  EXPECT_EQ(plays, 1);
  EXPECT_EQ(browser->boxRows().size(), 2u);
  // Same key and tempo: 4B within ±5 of 174 (180 is 6 away).
  Select("KMLB_003_001");
  ListRelatedTracks(*browser, loaded.catalogue, Relation::TempoAndKey, loaded.progress, Language::English);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_001", "KMLB_003_003"));
  // A track without a tempo: nothing happens.
  Select("KMLB_005_003");
  EXPECT_FALSE(ListRelatedTracks(*browser, loaded.catalogue, Relation::Tempo, loaded.progress, Language::English));
  EXPECT_THAT(Codes(), ElementsAre("KMLB_005_003"));
}

TEST_F(CollectionsTest, SameKeyIsTheSameCamelotCodeOnly) {
  Select("KMLB_003_002");
  ListRelatedTracks(*browser, loaded.catalogue, Relation::Key, loaded.progress, Language::English);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_001", "KMLB_003_002", "KMLB_003_003", "KMLB_005_002"));
}

TEST_F(CollectionsTest, TitleSearchNarrowsToTheListedRows) {
  EXPECT_FALSE(SearchTitles(*browser, loaded.catalogue, "  ", loaded.progress, Language::English));
  SearchTitles(*browser, loaded.catalogue, "ROCK", loaded.progress, Language::English);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_001", "KMLB_005_002"));
  SearchTitles(*browser, loaded.catalogue, "petrov", loaded.progress, Language::English);  // composer, within the rows
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_001", "KMLB_005_002"));
  browser->Home();
  SearchTitles(*browser, loaded.catalogue, "005_", loaded.progress,
               Language::English);  // a code fragment, whole catalogue
  EXPECT_THAT(Codes(), ElementsAre("KMLB_005_001", "KMLB_005_002", "KMLB_005_003"));

  // Narrowing a list shown in another order (Top 100, reversed) gives catalogue order, each track once.
  browser->SetTopList({"KMLB_005_002", "KMLB_003_003", "KMLB_003_001", "KMLB_005_002"});
  browser->ToggleReverse();
  ShowTop100(*browser);
  ASSERT_THAT(Codes(), ElementsAre("KMLB_005_002", "KMLB_003_001", "KMLB_003_003", "KMLB_005_002"));
  SearchTitles(*browser, loaded.catalogue, "o", loaded.progress, Language::English);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_003_001", "KMLB_003_003", "KMLB_005_002"));
}

TEST_F(CollectionsTest, LocalTracksAreTheWavFiles) {
  ShowLocalTracks(*browser, loaded.catalogue, loaded.progress, Language::English);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_005_002"));
}

TEST_F(CollectionsTest, LuckyPickTakesOneTrackPerCdAtMost) {
  for (uint32_t seed = 1; seed < 30; ++seed) {
    StdRandom r(seed);
    LuckyPick(*browser, loaded.catalogue, r, loaded.progress, Language::English);
    ASSERT_LE(browser->rowCount(), 2);
    std::set<int> cds;
    for (auto [cd, t] : browser->rows()) {
      EXPECT_TRUE(cds.insert(cd).second);
      EXPECT_NE(loaded.catalogue.Track(cd, t).tagLine.front(), '0');
    }
  }
}

TEST_F(CollectionsTest, Top100ListsWhatThePopularityListHolds) {
  browser->SetTopList({"KMLB_005_002", "KMLB_999_001", "KMLB_003_001"});
  ShowTop100(*browser);
  EXPECT_THAT(Codes(), ElementsAre("KMLB_005_002", "KMLB_003_001"));
  EXPECT_TRUE(browser->resultMode());
}

TEST_F(CollectionsTest, SimilarCdsFromTheVectors) {
  EXPECT_THAT(SimilarCdCodes(loaded.catalogue, "KMLB_005"), ElementsAre("KMLB_003", "KMLB_005"));
  EXPECT_THAT(SimilarCdCodes(loaded.catalogue, "KMLB_003"), ElementsAre("KMLB_005", "KMLB_007"));
  EXPECT_TRUE(SimilarCdCodes(loaded.catalogue, "KMLB_777").empty());
  browser->GoToPlace("A >> B");  // the CDs, KMLB_005 first
  browser->SelectBoxRow(1);      // KMLB_003
  ASSERT_TRUE(ShowSimilarCds(*browser, loaded.catalogue));
  // Only the existing CD 005 is listed, and it is opened.
  ASSERT_EQ(browser->boxRows().size(), 1u);
  EXPECT_EQ(browser->currentPath(), "* ALL LIBRARY >> … ALL CDS : KMLB_005 Second");
  EXPECT_EQ(browser->rowCount(), 3);
}

TEST_F(CollectionsTest, RelatedCaptionsShowTempoAndKey) {
  const auto [cd, t] = loaded.catalogue.LocateTrack("KMLB_003_001");
  const TrackRecord& track = loaded.catalogue.Track(cd, t);
  EXPECT_EQ(TempoItemCaption("В близком темпе - 120 bpm", &track), "В близком темпе - 87 bpm");
  EXPECT_EQ(KeyItemCaption("В той же тональности", &track), "В той же тональности - G#maj");
  const auto [cd2, t2] = loaded.catalogue.LocateTrack("KMLB_005_003");
  EXPECT_EQ(TempoItemCaption("Close tempo - 87 bpm", &loaded.catalogue.Track(cd2, t2)), "Close tempo");
}

// A one-CD catalogue of tag lines with a browser over it; tracks by their numbers.
struct TagLineCollections : ::testing::Test {
  TempDir cat;
  LoadedCatalogue loaded;
  StdRandom random{1};
  const Language english = Language::English;
  std::unique_ptr<Browser> browser;

  void Load(const std::vector<std::string>& tagLines) {
    TagLineCatalogue(tagLines).Write(cat.path());
    LoadFolder(loaded, cat.path(), {});
    browser = std::make_unique<Browser>(loaded.catalogue, loaded.dialogs, loaded.progress, random, english);
  }
  void Select(int number) {
    browser->SetScannedRows({{0, number - 1}});
    browser->SelectRow(0);
  }
  std::vector<int> Numbers() const {
    std::vector<int> numbers;
    for (auto [cd, t] : browser->rows()) numbers.push_back(t + 1);
    return numbers;
  }
};

TEST_F(TagLineCollections, HarmonicKeysAreTheKeyItsWheelNeighboursAndItsRelative) {
  // For 12A (track 3, no tempo needed): 1A round the wrap, 12B the relative, 11A one step back and 12A
  // itself; not 1B (a step and the other letter) or 10A (two steps). 13A is no key, nor is a missing one.
  Load({"3 POP <1A>", "3 POP [120] <12B>", "3 POP <12A>", "3 POP <1B>", "3 POP <10A>", "3 POP <11A>", "3 POP <13A>",
        "3 POP <12A>", "3 POP", "3 POP <2B>"});
  Select(3);
  ASSERT_TRUE(ListRelatedTracks(*browser, loaded.catalogue, Relation::Harmonic, loaded.progress, Language::English));
  EXPECT_THAT(Numbers(), ElementsAre(1, 2, 3, 6, 8));
  Select(4);  // 1B: 12B back round the wrap, 2B on, 1A its relative
  ListRelatedTracks(*browser, loaded.catalogue, Relation::Harmonic, loaded.progress, Language::English);
  EXPECT_THAT(Numbers(), ElementsAre(1, 2, 4, 10));
  for (int keyless : {9, 7}) {
    Select(keyless);
    EXPECT_FALSE(ListRelatedTracks(*browser, loaded.catalogue, Relation::Harmonic, loaded.progress, Language::English));
    EXPECT_THAT(Numbers(), ElementsAre(keyless));
  }
  EXPECT_EQ(HarmonicItemCaption("In harmonic keys - Cmaj (Fmaj, Gmaj, Amin)", &loaded.catalogue.Track(0, 2)),
            "In harmonic keys - C#min (F#min, G#min, Emaj)");
  EXPECT_EQ(HarmonicItemCaption("В гармоничных тональностях - Cmaj (Fmaj)", &loaded.catalogue.Track(0, 8)),
            "В гармоничных тональностях");
}

TEST_F(TagLineCollections, SimilarTracksListTheBestFirstWithoutTheTrackTiesInCatalogueOrder) {
  Load({"2 ROCK [90]", "4 !F DANCE, POP [128] <8A>", "2 ROCK [90]", "4 !F DANCE, POP [126] <8A>", "4 !F POP [128]"});
  LikenessIndex index;
  Select(2);
  ASSERT_TRUE(ListSimilarTracks(*browser, loaded.catalogue, index, loaded.progress, Language::English));
  EXPECT_THAT(Numbers(), ElementsAre(4, 5, 1, 3));
  EXPECT_TRUE(browser->resultMode());
}

}  // namespace
}  // namespace trakvella::testing
