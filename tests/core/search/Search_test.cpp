// Music search: matching tag lines against the panel's criteria, the presets,
// the reset, tap tempo, the summary labels and a search listed in the browser.
#include "core/search/Search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/browse/Browser.h"
#include "core/catalogue/Vocabulary.h"
#include "core/lang/MessageTable.h"
#include "core/text/Text.h"
#include "core/text/TextFields.h"
#include "support/CatalogueFixture.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A track as the loader leaves it: the style text tells whether a style word occurs.
TrackRecord Track(const std::string& tagLine) {
  TrackRecord t;
  t.tagLine = tagLine;
  t.styleText = std::string(kNoStyleText);
  for (auto word : kStyleWords)
    if (tagLine.find(word) != std::string::npos) t.styleText = word;
  return t;
}

bool Matches(const SearchCriteria& c, const std::string& line) { return TrackMatches(c, Track(line), 40, 250, false); }
bool InRange(const std::string& line, int lo, int hi) { return TrackMatches({}, Track(line), lo, hi, true); }

// CD 003 filed under IMAGING ELEMENTS, CD 005 under ENERGY / MOVING, CD 007 without tracks.
FixtureCatalogue Library() {
  FixtureCatalogue f;
  f.titles = {"KMLB_003=KMLB_003 Idents",
              "KMLB_003_001=Jazz latina\tI\t02:30\tC\tP",
              "KMLB_003_002=Pop rock\tI\t01:10\tC\tP",
              "KMLB_003_003=Remix\tI\t03:40\tC\tP",
              "KMLB_003_004=Whoosh\tI\t00:05\tC\tP",
              "KMLB_005=KMLB_005 Energy",
              "KMLB_005_001=Drive\tI\t02:00\tC\tP",
              "KMLB_005_002=Retro pop\tI\t00:50\tC\tP",
              "KMLB_005_003=Old rock\tI\t04:00\tC\tP",
              "KMLB_005_004=Strings\tI\t01:30\tC\tP",
              "KMLB_007=KMLB_007 Empty"};
  f.tracks = {"KMLB_003_001=3 !M JAZZ, LATINA [135] <8A>",          "KMLB_003_002=3 !F !I PPRCK [87] <4B>",
              "KMLB_003_003=3 !S REMIX, CLASSICAL [150] <11B>",     "KMLB_003_004=3 [120] <7B>",
              "KMLB_005_001=5 !F !H PPRCK 80-90s [170] <2A>",       "KMLB_005_002=4 !M !B POP RETRO [100] <11B>",
              "KMLB_005_003=2 !S !I ROCK, PPRCK 60-70s [150] <5A>", "KMLB_005_004=1 ACOUSTIC"};
  f.blocks = {{"KMLB_003", NfoBlock("KMLB_003", "Idents", {"* ALL LIBRARY >> IMAGING ELEMENTS", "A >> B"}, "012010")},
              {"KMLB_005", NfoBlock("KMLB_005", "Energy", {"* ALL LIBRARY >> ENERGY / MOVING"}, "022012")},
              {"KMLB_007", NfoBlock("KMLB_007", "Empty", {"* ALL LIBRARY >> IMAGING ELEMENTS"}, "022012")}};
  return f;
}

struct SearchOnLibrary : ::testing::Test {
  TempDir cat, home;
  LoadedCatalogue loaded;
  FakeProgress progress;

  void SetUp() override {
    Library().Write(cat.path());
    LoadOptions o;
    o.programFolder = home.path();
    o.today = {2026, 12};
    LoadFolder(loaded, cat.path(), o);
    ASSERT_EQ(loaded.catalogue.TrackCount(), 8);
  }
  std::vector<std::string> Search(SearchCriteria& c) {
    return SearchTracks(loaded.catalogue, c, progress, Language::English);
  }
  std::vector<std::string> Search(SearchCriteria&& c) { return Search(c); }
};

TEST(SearchMatching, StyleSetsExactAndNormal) {
  const std::string line = "3 !M JAZZ, LATINA [135] <8A>";
  SearchCriteria c;
  c.exactStyles = true;
  c.styles = {"LATINA", "JAZZ"};
  EXPECT_TRUE(Matches(c, line));
  c.styles = {"JAZZ"};
  EXPECT_FALSE(Matches(c, line)) << "LATINA is in the line but not selected";
  c.styles = {"JAZZ", "LATINA", "FUNK"};
  EXPECT_FALSE(Matches(c, line)) << "FUNK is selected but not in the line";
  c.styles = {"R-N-R", "R-N-B"};
  EXPECT_TRUE(Matches(c, "3 R-N-R-N-B")) << "overlapping words both occur";

  c.exactStyles = false;
  c.styles = {"JAZZ"};
  EXPECT_TRUE(Matches(c, line));
  c.styles = {"FUNK", "ROCK"};
  EXPECT_FALSE(Matches(c, line));
  c.styles = {"POP"};
  EXPECT_TRUE(Matches(c, "4 SYNTHPOP")) << "a substring test";
  EXPECT_FALSE(Matches(c, "4 pop, FUNK")) << "case-sensitive";
}

TEST(SearchMatching, TempoRangeUsesTheCorrectedTempo) {
  EXPECT_TRUE(InRange("3 !F PPRCK [87] <4B>", 170, 180));  // counts as 174
  EXPECT_FALSE(InRange("3 !F PPRCK [87] <4B>", 80, 90));
  EXPECT_TRUE(InRange("3 !S REMIX, CLASSICAL [150] <11B>", 70, 80));  // counts as 75
  EXPECT_FALSE(InRange("3 !M POP [120]", 180, 170)) << "an inverted range matches nothing";
  EXPECT_FALSE(InRange("3 !M POP", 0, 250)) << "a track without a tempo never passes";
  EXPECT_FALSE(InRange("3 !M POP [120] [x]", 0, 250)) << "the tempo runs to the last \"]\"";
}

TEST(SearchMatching, KeyMatchesEitherCodeOfTheTonic) {
  SearchCriteria c;
  c.key = 10;  // A
  EXPECT_TRUE(Matches(c, "3 POP [120] <11B>"));
  EXPECT_TRUE(Matches(c, "3 POP [120] <8A>"));
  EXPECT_FALSE(Matches(c, "3 POP [120] <8B>"));
  c.key = 12;  // B: <1B> or <10A>
  EXPECT_FALSE(Matches(c, "3 POP <11B>")) << "\"<1B>\" is not inside \"<11B>\"";
}

TEST(SearchMatching, MoodTempoClassFlagsAndEpochs) {
  SearchCriteria c;
  c.moods = {false, false, false, true, true};
  c.tempos = {false, true, true};  // medium and fast
  EXPECT_TRUE(Matches(c, "5 !M POP"));
  EXPECT_FALSE(Matches(c, "3 !M POP"));
  EXPECT_FALSE(Matches(c, "0 !M POP")) << "no mood passes only when every mood box is on";
  EXPECT_FALSE(Matches(c, "4 !S POP"));
  EXPECT_FALSE(Matches(c, "4 POP")) << "a line without a tempo class fails a restricted tempo";

  c = {};
  c.imaging = c.aggressive = true;
  EXPECT_TRUE(Matches(c, "3 !H !I POP"));
  EXPECT_FALSE(Matches(c, "3 !I POP"));

  c = {};
  c.epochs = {"RETRO", "60-70s", "80-90s"};
  EXPECT_TRUE(Matches(c, "3 POP 80-90s"));
  EXPECT_FALSE(Matches(c, "3 POP")) << "all three epochs still need an epoch word";
}

TEST(SearchMatching, EffectModeIgnoresEveryOtherCriterion) {
  SearchCriteria c;
  c.moods = {true, false, false, false, false};
  c.tempos = {true, false, false};
  c.imaging = true;
  c.styles = {"JAZZ"};
  c.epochs = {"RETRO"};
  c.key = 4;
  c.area = 15;
  c.effectMode = true;
  EXPECT_TRUE(TrackMatches(c, Track("3 [120] <7B>"), 180, 170, true));
  EXPECT_FALSE(Matches(c, "1 JAZZ RETRO")) << "a style word makes it music, even a selected one";
  EXPECT_FALSE(Matches(c, "   ")) << "an empty tag line never matches";
  EXPECT_FALSE(Matches(SearchCriteria{}, "3 [120] <7B>")) << "music mode drops \"SFX/ID\" tracks";
}

// The score as the panel has always counted it, with one find per word: the
// search over the full catalogue must pick exactly the same tracks.
bool ScoreReachesNine(const SearchCriteria& c, const TrackRecord& t, int lo, int hi, bool rangeSet) {
  const std::string line = Trim(t.tagLine);
  auto has = [&](std::string_view w) { return line.find(w) != std::string::npos; };
  if (c.effectMode) return std::none_of(kStyleWords.begin(), kStyleWords.end(), has);
  int score = t.styleText == "SFX/ID" ? -100 : 0;
  if (c.AnyMood() || (line[0] >= '1' && line[0] <= '5' && c.moods[line[0] - '1'])) ++score;
  if (c.AnyTempo() || (c.tempos[2] && has("!F")) || (c.tempos[1] && has("!M")) || (c.tempos[0] && has("!S"))) ++score;
  score += 3 - (c.aggressive && !has("!H")) - (c.background && !has("!B")) - (c.imaging && !has("!I"));
  if (c.styles.empty()) {
    ++score;
  } else {
    int d = 0;
    for (const auto& style : c.styles) {
      if (!has(style)) continue;
      ++d;
      if (c.exactStyles)
        for (auto word : kStyleWords)
          if (std::find(c.styles.begin(), c.styles.end(), word) == c.styles.end() && has(word)) --d;
    }
    if (c.exactStyles ? d == static_cast<int>(c.styles.size()) : d > 0) ++score;
  }
  if (c.epochs.empty() || std::any_of(c.epochs.begin(), c.epochs.end(), has)) ++score;
  auto hasKey = [&](std::string_view code) {
    std::string marked = "<";
    marked.append(code).push_back('>');
    return has(marked);
  };
  if (c.key == 0 || hasKey(kCamelotKeys[2 * (c.key - 1)].code) || hasKey(kCamelotKeys[2 * c.key - 1].code)) ++score;
  if (!rangeSet) {
    ++score;
  } else {
    const int tempo = CorrectedTempo(static_cast<int>(IntOr(BetweenMarkers(line, "[", "]"), 0)), line);
    if (tempo != 0 && lo <= tempo && tempo <= hi) ++score;
  }
  return score == 9;
}

TEST(SearchMatching, AgreesWithOneFindPerWordOnTheFullCatalogue) {
  TempDir home;
  LoadedCatalogue full;
  LoadOptions o;
  o.programFolder = home.path();
  o.today = {2026, 12};
  LoadFolder(full, GeneratedCatalogue(false), o);
  ASSERT_GT(full.catalogue.TrackCount(), 20000);

  std::vector<SearchCriteria> cases(7);
  cases[1].effectMode = true;
  cases[2].styles = {"DANCE", "ROCK"};
  cases[2].exactStyles = true;
  cases[3].styles = {"ELECTRONICA", "JAZZ", "NEW YEAR"};
  cases[3].moods = {false, true, false, true, true};
  cases[3].tempos = {true, false, true};
  cases[4].epochs = {"80-90s", "RETRO"};
  cases[4].key = 3;
  cases[4].background = true;
  cases[5].tempoIn = "90";
  cases[5].tempoOut = "140";
  cases[5].imaging = true;
  cases[6].key = 10;
  cases[6].aggressive = true;
  cases[6].styles = {"PPRCK"};
  cases[6].exactStyles = true;
  for (size_t i = 0; i < cases.size(); ++i) {
    SearchCriteria c = cases[i];
    FakeProgress progress;
    const auto found = SearchTracks(full.catalogue, c, progress, Language::English);
    const bool rangeSet = !c.tempoIn.empty() && !c.tempoOut.empty();
    const int lo = rangeSet ? static_cast<int>(IntOr(c.tempoIn, 40)) : 40;
    const int hi = rangeSet ? static_cast<int>(IntOr(c.tempoOut, 250)) : 250;
    std::vector<std::string> expected;
    for (int p = 0; p < full.catalogue.CdCount(); ++p)
      for (const auto& t : full.catalogue.Cd(p).tracks)
        if (!Trim(t.tagLine).empty() && ScoreReachesNine(c, t, lo, hi, rangeSet)) expected.push_back(t.code);
    EXPECT_EQ(found, expected) << "case " << i;
    EXPECT_FALSE(found.empty()) << "case " << i << " should find something";
  }
}

TEST_F(SearchOnLibrary, AllBoxesOnListsEveryNonSfxTrackWithProgressPerCd) {
  SearchCriteria c;
  EXPECT_THAT(Search(c), ElementsAre("KMLB_003_001", "KMLB_003_002", "KMLB_003_003", "KMLB_005_001", "KMLB_005_002",
                                     "KMLB_005_003", "KMLB_005_004"));
  EXPECT_EQ(c, SearchCriteria{}) << "nothing written back without a range";
  // The empty CD 007 counts neither as a step nor in the whole.
  ASSERT_EQ(progress.calls.size(), 2u);
  EXPECT_EQ(progress.calls[0].text, LangMessage(Language::English, Msg::SearchCompleted) + "50%");
  EXPECT_EQ(progress.calls[0].mode, 2);
  EXPECT_EQ(progress.calls[1].text, LangMessage(Language::English, Msg::SearchCompleted) + "100%");
  EXPECT_EQ(progress.pumps, 2);
}

TEST_F(SearchOnLibrary, AreaKeepsOnlyItsCdsInMusicMode) {
  SearchCriteria c;
  c.area = 15;
  EXPECT_THAT(Search(c), ElementsAre("KMLB_003_001", "KMLB_003_002", "KMLB_003_003"));
  c.area = 13;
  c.styles = {"PPRCK"};
  EXPECT_THAT(Search(c), ElementsAre("KMLB_005_001", "KMLB_005_003"));
  c.effectMode = true;
  EXPECT_THAT(Search(c), ElementsAre("KMLB_003_004")) << "effect mode ignores the area";
}

TEST_F(SearchOnLibrary, RangeBoundsAreCorrectedAndWrittenBack) {
  SearchCriteria c;
  c.tempoIn = "70";
  c.tempoOut = "80";
  EXPECT_THAT(Search(c), ElementsAre("KMLB_003_003", "KMLB_005_003"));  // 150 slow counts as 75
  c.tempoIn = "abc";
  c.tempoOut = "12.5";
  EXPECT_THAT(Search(c), ElementsAre("KMLB_003_001", "KMLB_003_002", "KMLB_003_003", "KMLB_005_001", "KMLB_005_002",
                                     "KMLB_005_003"))
      << "40-250 keeps every track with a tempo";
  EXPECT_EQ(c.tempoIn, "40");
  EXPECT_EQ(c.tempoOut, "250");

  c.tempoIn = "x";
  c.tempoOut = "";
  EXPECT_EQ(Search(c).size(), 7u) << "one empty edit switches the range off";
  EXPECT_EQ(c.tempoIn, "x");
}

TEST(SearchPresets, PresetsAndResetSetTheCriteria) {
  SearchCriteria changed;
  changed.area = 7;
  changed.moods = {true, false, false, false, false};
  changed.tempos = {false, false, true};
  changed.aggressive = changed.background = true;
  changed.styles = {"JAZZ"};
  changed.exactStyles = true;
  changed.epochs = {"RETRO"};
  changed.key = 5;
  changed.tempoIn = "90";
  changed.tempoOut = "100";
  auto apply = [&](int preset, TapState& taps) {
    SearchCriteria c = changed;
    taps = {111, 222};
    if (preset < 0)
      ResetCriteria(c, taps);
    else
      ApplyPreset(c, preset, taps);
    return c;
  };
  TapState t;
  EXPECT_EQ(apply(-1, t), SearchCriteria{});
  EXPECT_EQ(t.lowerTick + t.upperTick, 0);
  EXPECT_EQ(apply(0, t), SearchCriteria{});
  EXPECT_EQ(t.lowerTick + t.upperTick, 0);
  SearchCriteria imaging;
  imaging.imaging = true;
  EXPECT_EQ(apply(2, t), imaging);

  SearchCriteria effects = changed;
  effects.effectMode = true;
  EXPECT_EQ(apply(1, t), effects) << "preset 1 changes nothing but the mode";
  EXPECT_EQ(t.lowerTick, 111);

  SearchCriteria popRock;
  popRock.exactStyles = true;
  popRock.tempos = {false, true, true};
  popRock.moods = {false, false, false, true, true};
  popRock.styles = {"PPRCK"};
  EXPECT_EQ(apply(3, t), popRock);
  EXPECT_EQ(t.upperTick, 0);
}

TEST_F(SearchOnLibrary, PositivePopRockKeepsLivelyTracksWhoseOnlyStyleIsPprck) {
  SearchCriteria c;
  ApplyPreset(c, 3);
  // 003_002 is mood 3, 005_003 slow and with ROCK too.
  EXPECT_THAT(Search(c), ElementsAre("KMLB_005_001"));
}

TEST(SearchTap, TwoClicksGiveTheTempoOfTheLastInterval) {
  TapState s;
  EXPECT_EQ(TapTempo(s, false, 10000), std::nullopt) << "a first click only starts";
  EXPECT_EQ(TapTempo(s, false, 10500), 120);
  EXPECT_EQ(TapTempo(s, false, 12500), 40) << "30 raised to 40 for the lower bound";
  EXPECT_EQ(TapTempo(s, true, 5000), std::nullopt);
  EXPECT_EQ(TapTempo(s, true, 5200), 250) << "300 limited to 250 for the upper bound";
  EXPECT_EQ(s.lowerTick, 0) << "a measured upper tempo clears the lower click";
  EXPECT_EQ(TapTempo(s, false, 6000), std::nullopt) << "so the next lower click only starts";
  EXPECT_EQ(s.upperTick, 5200) << "a first click clears nothing";

  EXPECT_EQ(TapTempo(s, false, 6000), std::nullopt) << "an interval of 0 gives nothing";
  EXPECT_EQ(s.upperTick, 5200) << "and clears nothing";
  EXPECT_EQ(TapTempo(s, false, 6700), 85) << "60000 / 700, truncated";
  EXPECT_EQ(s.upperTick, 0) << "a measured lower tempo clears the upper click";
}

TEST(SearchLabels, SummaryLabelsReadAnyWhenUnrestricted) {
  SearchCriteria c;
  EXPECT_EQ(MoodLabel(c, Language::English), "Any mood");
  EXPECT_EQ(TempoLabel(c, Language::Russian), "Темп любой");
  EXPECT_EQ(StyleLabel(c, Language::English), "Any style");
  EXPECT_EQ(EpochLabel(c, Language::English), "Any period");
  EXPECT_EQ(FormLabel(c, Language::English), "Type: only music");

  c.moods[2] = c.tempos[0] = false;
  c.styles = {"POP"};
  c.epochs = {"RETRO", "80-90s"};
  c.effectMode = true;
  EXPECT_EQ(MoodLabel(c, Language::Russian), "Настроение");
  EXPECT_EQ(TempoLabel(c, Language::English), "Tempo");
  EXPECT_EQ(StyleLabel(c, Language::English), "Style");
  EXPECT_EQ(EpochLabel(c, Language::English), "Period");
  EXPECT_EQ(FormLabel(c, Language::Russian), "Форма: только эффекты");
  c.epochs = {"80-90s", "RETRO", "60-70s"};
  EXPECT_EQ(EpochLabel(c, Language::English), "Any period") << "all three epochs read as any";
}

struct RunSearchTest : SearchOnLibrary {
  StdRandom random{1};
  const Language language = Language::English;
  std::unique_ptr<Browser> browser;
  std::vector<bool> plays;

  void SetUp() override {
    SearchOnLibrary::SetUp();
    browser = std::make_unique<Browser>(loaded.catalogue, loaded.dialogs, progress, random, language);
    browser->hooks.playCurrent = [this](bool fromButton) { plays.push_back(fromButton); };
    browser->Home();
    progress.calls.clear();
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> codes;
    for (auto [cd, t] : browser->rows()) codes.push_back(loaded.catalogue.Track(cd, t).code);
    return codes;
  }
};

TEST_F(RunSearchTest, ListsTheResultInTheCurrentSortAndPlaysTheFirstRow) {
  browser->SetSortKind(SortKind::Length);
  for (int f = 1; f <= 4; ++f) browser->SetStatusField(f, "old");
  SearchCriteria c;
  c.styles = {"PPRCK", "POP"};
  RunSearch(*browser, loaded.catalogue, c, progress, Language::English);

  EXPECT_THAT(Rows(), ElementsAre("KMLB_005_002", "KMLB_003_002", "KMLB_005_001", "KMLB_005_003"));  // by length
  EXPECT_TRUE(browser->resultMode());
  EXPECT_EQ(browser->currentPath(), kAllCdsPath);
  EXPECT_THAT(browser->statusFields(), ElementsAre("*", "", "", "", ""));
  ASSERT_EQ(browser->boxRows().size(), 2u);
  EXPECT_EQ(browser->boxRows()[0].text, "KMLB_003 Idents");
  EXPECT_EQ(browser->boxRows()[1].text, "KMLB_005 Energy");
  EXPECT_EQ(browser->selectedRow(), 0);
  EXPECT_THAT(plays, ElementsAre(false));

  ASSERT_GE(progress.calls.size(), 2u);
  EXPECT_EQ(progress.calls.front().text, LangMessage(Language::English, Msg::Searching));
  EXPECT_EQ(progress.calls.front().mode, 1);
  EXPECT_EQ(progress.calls.back().mode, 0);
  EXPECT_FALSE(progress.visible);
}

TEST_F(RunSearchTest, AnEmptyResultLeavesAnEmptyListAndPlaysNothing) {
  SearchCriteria c;
  c.tempoIn = "180";
  c.tempoOut = "170";
  RunSearch(*browser, loaded.catalogue, c, progress, Language::English);
  EXPECT_EQ(browser->rowCount(), 0);
  EXPECT_TRUE(browser->boxRows().empty());
  EXPECT_TRUE(browser->resultMode());
  EXPECT_EQ(browser->selectedRow(), -1);
  EXPECT_THAT(plays, IsEmpty());
}

}  // namespace
}  // namespace trakvella::testing
