// The usage report: its lines per kind, the rotation totals, what is copied
// and shown, and the report window's rules.
#include "core/maintenance/TrackReport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/lang/MessageTable.h"
#include "support/CatalogueFixture.h"

namespace trakvella {
namespace {

using ::testing::ElementsAre;
using testing::FakeClipboard;
using testing::FakeDialogs;
using testing::FixtureCatalogue;
using testing::LoadedCatalogue;
using testing::NfoBlock;
using testing::TempDir;

// Hands out the numbers it was given, in turn, and counts the draws.
class ScriptedRandom : public Random {
 public:
  explicit ScriptedRandom(std::vector<int> values) : values_(std::move(values)) {}
  void Randomize() override {}
  int Next(int range) override {
    EXPECT_EQ(range, 100);
    return values_[draws++ % values_.size()];
  }
  int draws = 0;

 private:
  std::vector<int> values_;
};

struct TrackReportTest : ::testing::Test {
  TempDir folder;
  LoadedCatalogue loaded;
  FakeClipboard clipboard;
  FakeDialogs dialogs;
  void SetUp() override {
    FixtureCatalogue f;
    f.titles = {"KMLB_012=KMLB_012 Morning Light",
                "KMLB_012_003=Sunrise\tRU-A47-08-003-001\t02:30\tIvanov A.\tKMLB Orchestra",
                "KMLB_012_004=Dusk\tRU-A47-08-003-002\t01:x5\tPetrov\tPetrov"};
    f.tracks = {"KMLB_012_003=3 POP [120] <4B>", "KMLB_012_004=2 POP [90] <4B>"};
    f.writers = {"Ivanov A.=Alexei Ivanov", "Petrov=Pyotr Petrov"};
    f.blocks = {{"KMLB_012", NfoBlock("KMLB_012", "Morning Light", {"A >> B"}, "012013")}};
    f.Write(folder.path());
    LoadFolder(loaded, folder.path(), LoadOptions{});
    ASSERT_EQ(loaded.catalogue.LocateTrack("KMLB_012_004").cd, 0);
  }
  const Catalogue& catalogue() const { return loaded.catalogue; }
};

// The first entry as the set holds it, with its positions; the second found by its code.
const std::vector<ReportEntry> kSet = {{"KMLB_012_003", "A >> B : KMLB_012 Morning Light", "Morning Show", "ep1", 0, 0},
                                       {"KMLB_012_004", "A >> B : KMLB_012 Morning Light", "-", "-"}};

TEST_F(TrackReportTest, BroadcastLineHoldsEveryColumnAndRotationsAreDrawnPerEntry) {
  ScriptedRandom random({70, 0});  // R = 100, then 30
  ReportOptions options;
  options.columns.assign(10, true);
  const auto lines = ReportLines(kSet, catalogue(), options, random);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "Morning Show\t1.4.2013\tSunrise (KMLB_012_003)\tAlexei Ivanov\t  \t00:02:30\t100\t4:10:00\tинстр.\t"
            "KMLB Orchestra");
  // "01:x5": the seconds are no number and count as 30: 90 s x 30.
  EXPECT_EQ(lines[1],
            "-\t1.4.2013\tDusk (KMLB_012_004)\tPyotr Petrov\t  \t00:01:x5\t30\t0:45:00\tинстр.\tPyotr Petrov");

  // Advertising draws a count for each entry even when no count is shown.
  ScriptedRandom ads({5});
  options = {ReportKind::Advertising, {false, true}, 4, 2024, false};
  EXPECT_THAT(ReportLines(kSet, catalogue(), options, ads), ElementsAre("ep1", "-"));
  EXPECT_EQ(ads.draws, 2);

  EXPECT_EQ(PeriodDate(4, 2024), "1.10.2024");
  EXPECT_EQ(RotationTotal("02:xx", 10), "0:25:00");
  EXPECT_EQ(RotationTotal("ab:30", 2), "0:01:00");
  EXPECT_EQ(RotationTotal("", 1), "0:00:30");
}

TEST_F(TrackReportTest, UserReportWithRowNumbersCopiesHeadingAndRows) {
  ScriptedRandom random({1});
  ReportOptions options{ReportKind::User, {false, false, false, true, true}, 2, 2013, true};
  ASSERT_TRUE(BuildReport(kSet, catalogue(), options, true, random, clipboard, dialogs, Language::English));
  EXPECT_EQ(clipboard.text, "N\tНазвание\tКод\t\r\n1\tSunrise\tKMLB_012_003\r\n2\tDusk\tKMLB_012_004\r\n");
  EXPECT_EQ(random.draws, 0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Information);
  EXPECT_EQ(dialogs.shown[0].text,
            "OK. Copyed 3 row(s) to clipboard!\n" + LangMessage(Language::English, Msg::ReadReportInstructions));

  // The last column has no TAB after its heading; without row numbers no heading.
  options.columns = {false, false, true, false, false, false, false, false, true};
  EXPECT_EQ(ReportLines(kSet, catalogue(), options, random).front(), "N\tСборник\tИсполнитель");
  options.rowNames = false;
  EXPECT_THAT(ReportLines(kSet, catalogue(), options, random),
              ElementsAre("KMLB_012 Morning Light\tKMLB Orchestra", "KMLB_012 Morning Light\tPyotr Petrov"));
}

TEST_F(TrackReportTest, NothingToReportAndTheWindowRules) {
  ScriptedRandom random({0});
  ReportWindowState window(true);
  EXPECT_THAT(window.selected(ReportKind::Advertising), ElementsAre(true, true, true, true, true, true, true));

  // An empty set, and a kind with no column selected (row numbers alone are no report).
  EXPECT_FALSE(window.MakeReport({}, catalogue(), random, clipboard, dialogs, Language::Russian));
  window.activeKind = ReportKind::User;
  for (int c = 0; c < 9; ++c) window.SetSelected(ReportKind::User, c, false);
  EXPECT_FALSE(window.MakeReport(kSet, catalogue(), random, clipboard, dialogs, Language::Russian));
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>(2, LangMessage(Language::Russian, Msg::ExtractError)));
  EXPECT_EQ(dialogs.shown[1].kind, MessageKind::Error);
  EXPECT_EQ(clipboard.sets, 0);
  EXPECT_EQ(window.page(), 0);

  window.SelectAll(ReportKind::User);
  EXPECT_TRUE(window.MakeReport(kSet, catalogue(), random, clipboard, dialogs, Language::Russian));
  EXPECT_EQ(window.page(), 1);
  EXPECT_TRUE(window.readyButtonVisible());
  window.StartOnKindChoice();
  EXPECT_EQ(window.page(), 0);

  // Quarter 1-4; year from 2008 to 2020, or to next year once 2020 is past.
  window.SetQuarter(ReportKind::Broadcast, 5);
  window.SetYear(ReportKind::Broadcast, 2000, 2026);
  EXPECT_EQ(window.quarter(ReportKind::Broadcast), 4);
  EXPECT_EQ(window.year(ReportKind::Broadcast), 2008);
  window.SetYear(ReportKind::Advertising, 2030, 2015);
  EXPECT_EQ(window.year(ReportKind::Advertising), 2020);
  window.SetYear(ReportKind::Advertising, 2030, 2026);
  EXPECT_EQ(window.year(ReportKind::Advertising), 2027);
  EXPECT_EQ(window.quarter(ReportKind::Advertising), 1);

  Settings settings;
  window.SetCheckColRowNames(false, settings);
  EXPECT_FALSE(settings.checkColRowNames);
  window.SetCheckColRowNames(true, settings);
  EXPECT_TRUE(settings.checkColRowNames);

  EXPECT_EQ(ReportInstructions(Language::Russian).size(), 17u);
  EXPECT_EQ(ReportInstructions(Language::English).size(), 17u);
  EXPECT_EQ(ReportInstructions(Language::Russian)[0].rfind("Внимание! ", 0), 0u);
  EXPECT_EQ(ReportInstructions(Language::English)[0].rfind("Attention!", 0), 0u);
  EXPECT_FALSE(ReportWindowState::EnglishMemoVisible(Language::Russian));
}

}  // namespace
}  // namespace trakvella
