// The catalogue loader on small catalogues written by the tests.
#include "core/catalogue/Catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/app/MainWindowCaption.h"
#include "core/catalogue/Resources.h"
#include "core/text/Text.h"
#include "support/CatalogueFixture.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;

LoadOptions Options(const TempDir& home, YearMonth today = {2026, 12}) {
  LoadOptions o;
  o.programFolder = home.path();
  o.today = today;
  return o;
}

// Two CDs, 003 and 005, each with tracks and a valid block.
FixtureCatalogue TwoCds() {
  FixtureCatalogue f;
  f.titles = {"KMLB_003=KMLB_003 Промо эффекты",
              "KMLB_003_001=Аплодисменты - 01\tRU-A47-08-003-001\t00:45\tИ. Петров (обр.)\tОркестр",
              "KMLB_003_002=Sweep Up\tRU-A47-25-09059\t1:05\tJohn Smith\tBand", "KMLB_005=KMLB_005 Dance Floor",
              "KMLB_005_001=Night Drive\t\t03:10\tA. Composer\tDJ"};
  f.tracks = {"KMLB_003_001=3", "KMLB_003_002=4 !M POP, DANCE [120] <8B>", "KMLB_005_001=2 !F BREAKBEAT [140] <5A>"};
  f.translate = {"EFFECTS=Эффекты", "SWEEPS=Свипы", "DANCE=Танцевальная", "* ALL LIBRARY=* НАПРАВЛЕНИЯ"};
  f.blocks = {{"KMLB_003", NfoBlock("KMLB_003", "Промо эффекты", {"EFFECTS - (MUSIC & EFFECTS) >> SWEEPS"}, "122007")},
              {"KMLB_005", NfoBlock("KMLB_005", "Dance Floor", {"DANCE MUSIC >> LINKS, LOGOS & STINGS"}, "112026")}};
  return f;
}

TEST(CatalogueLoader, JoinsTheTablesIntoCdsAndTracks) {
  TempDir cat, home;
  TwoCds().Write(cat.path());
  LoadedCatalogue l;
  LoadFolder(l, cat.path(), Options(home));
  const Catalogue& c = l.catalogue;

  EXPECT_TRUE(l.dialogs.shown.empty());
  ASSERT_EQ(c.CdCount(), 2);  // the closing row KMLB_000 is not a CD
  EXPECT_EQ(c.TrackCount(), 3);
  const CdRecord& cd = c.Cd(0);
  EXPECT_EQ(cd.cdCode, "KMLB_003");
  EXPECT_EQ(cd.cdText, "KMLB_003 Промо эффекты");
  EXPECT_EQ(cd.year, 2007);
  EXPECT_EQ(cd.month, 12);
  EXPECT_EQ(cd.description,
            "Library: KMLB\r\nTitle: Промо эффекты\r\nCD#: KMLB_003\r\nDescription: Промо эффекты for every "
            "occasion\r\n");
  EXPECT_THAT(cd.categories.items(), ElementsAre("* ALL LIBRARY >> … ALL CDS", "… CDS BY YEAR >> 2007",
                                                 "EFFECTS - (MUSIC & EFFECTS) >> SWEEPS"));
  // EFFECTS, MUSIC, EFFECTS, SWEEPS: MUSIC is a stop word, the rest have translations.
  EXPECT_THAT(cd.keywords, ElementsAre("EFFECTS", "EFFECTS", "SWEEPS"));
  EXPECT_THAT(cd.keywordTranslations, ElementsAre("Эффекты", "Эффекты", "Свипы"));

  const TrackRecord& t = cd.tracks[0];
  EXPECT_EQ(t.code, "KMLB_003_001");
  EXPECT_EQ(t.title, "Аплодисменты - 01");
  EXPECT_EQ(t.isrc, "RUA470803001");
  EXPECT_EQ(t.duration, "00:45");
  EXPECT_EQ(t.composer, "И. Петров (обр.)");
  EXPECT_EQ(t.performer, "Оркестр");
  EXPECT_EQ(t.tagLine, "0");
  EXPECT_EQ(t.styleText, "SFX/ID");
  EXPECT_EQ(t.location, "KMLB_003/KMLB_003_001.mp3");
  EXPECT_EQ(cd.tracks[1].duration, "01:05");  // m:ss padded
  EXPECT_EQ(t.lengthSeconds, 45);
  EXPECT_EQ(cd.tracks[1].lengthSeconds, 65);
  EXPECT_EQ(cd.tracks[1].styleBits, (1u << 8) | (1u << 21));  // DANCE, POP
  EXPECT_EQ(cd.tracks[1].isrc, "RUA472509059");
  EXPECT_EQ(cd.tracks[1].styleText, " DANCE POP");
  EXPECT_EQ(c.Cd(1).tracks[0].isrc, "not-defined");

  EXPECT_EQ(c.StyleCounts()[8], 1);   // DANCE
  EXPECT_EQ(c.StyleCounts()[21], 1);  // POP
  EXPECT_EQ(c.StyleCounts()[2], 1);   // BREAKBEAT
  // CD 005 is of November 2026: new in December 2026.
  EXPECT_TRUE(c.Cd(1).categories.Contains("* ALL LIBRARY >> … NEW CDS"));
  EXPECT_FALSE(c.Cd(0).categories.Contains("* ALL LIBRARY >> … NEW CDS"));
  EXPECT_TRUE(c.AnyNewCd());
  EXPECT_TRUE(c.AllCategoryPaths().Contains("… CDS BY YEAR >> 2026"));
  EXPECT_THAT(c.TagList().items(), ElementsAre("DANCE", "EFFECTS", "SWEEPS"));  // LOGOS, STINGS: no translation

  // Progress: scanning, then building with the per-mille value up to 1000, then hidden.
  ASSERT_GE(l.progress.calls.size(), 3u);
  EXPECT_EQ(l.progress.calls[0].text, "Scanning catalog...");
  EXPECT_EQ(l.progress.calls[1].text, "Building database...");
  EXPECT_EQ(l.progress.calls.back().mode, 0);
  EXPECT_EQ(l.progress.perMille.back(), 1000);
}

TEST(CatalogueLoader, RussianTagListHoldsTranslations) {
  TempDir cat, home;
  TwoCds().Write(cat.path());
  LoadedCatalogue l;
  auto o = Options(home);
  o.language = Language::Russian;
  LoadFolder(l, cat.path(), o);
  EXPECT_THAT(l.catalogue.TagList().items(), ElementsAre("Свипы", "Танцевальная", "Эффекты"));
}

TEST(CatalogueLoader, NormalisesMoodDigits) {
  TempDir cat, home;
  FixtureCatalogue f;
  f.titles = {"KMLB_007=KMLB_007 Moods"};
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"3", "0"}, {"3 !I", "0 !I"}, {"!I", "0I"},    {"7 !F POP", "0 !F POP"}, {"4 !M POP", "4 !M POP"},
      {"", "0"},  {"Ж !S", "0 !S"}, {"3 !F", "3 !F"}};
  for (size_t i = 0; i < cases.size(); ++i) {
    std::string code = "KMLB_007_00" + std::to_string(i + 1);
    f.titles.push_back(code + "=T\tI\t00:10\tC\tP");
    f.tracks.push_back(code + "=" + cases[i].first);
  }
  f.titles.push_back("KMLB_007_009=No descriptor row\tI\t00:10\tC\tP");
  f.blocks = {{"KMLB_007", NfoBlock("KMLB_007", "Moods", {"A >> B"}, "012020")}};
  f.Write(cat.path());
  LoadedCatalogue l;
  LoadFolder(l, cat.path(), Options(home));
  ASSERT_EQ(l.catalogue.CdCount(), 1);
  const auto& tracks = l.catalogue.Cd(0).tracks;
  for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(tracks[i].tagLine, cases[i].second) << cases[i].first;
  EXPECT_EQ(tracks[8].tagLine, "0");
}

TEST(CatalogueLoader, LocalFilesBecomeLocationsWavFirst) {
  TempDir cat, home;
  FixtureCatalogue f = TwoCds();
  f.titles.insert(f.titles.begin() + 3, "KMLB_003_001=Second row, same code\tI\t00:10\tC\tP");
  f.Write(cat.path());
  WriteFile(home.path() / "audio" / "KMLB_003" / "KMLB_003_001 Аплодисменты.mp3", "x");
  WriteFile(home.path() / "audio" / "KMLB_003" / "KMLB_003_001 Аплодисменты.WAV", "x");
  WriteFile(home.path() / "audio" / "kmlb_003_002 lower case prefix.mp3", "x");  // "KMLB_" not in the name
  WriteFile(home.path() / "other" / "KMLB_005_001.txt", "x");                    // neither .wav nor .mp3
  LoadedCatalogue l;
  LoadFolder(l, cat.path(), Options(home));
  const auto& cd = l.catalogue.Cd(0);
  EXPECT_EQ(cd.tracks[0].location, (home.path() / "audio/KMLB_003/KMLB_003_001 Аплодисменты.WAV").string());
  // Both files left the pool with the first track: the second row with the code gets the demo name.
  EXPECT_EQ(cd.tracks[2].location, "KMLB_003/KMLB_003_001.mp3");
  EXPECT_EQ(cd.tracks[1].location, "KMLB_003/KMLB_003_002.mp3");
  EXPECT_EQ(l.catalogue.Cd(1).tracks[0].location, "KMLB_005/KMLB_005_001.mp3");
  // The scan shows its count in the small status line.
  ASSERT_FALSE(l.progress.statuses.empty());
  EXPECT_EQ(l.progress.statuses.front(), "Tracks found: 0");
}

TEST(CatalogueLoader, OfflineModeKeepsOnlyLocalCdsAndTracks) {
  TempDir cat, home;
  TwoCds().Write(cat.path());
  WriteFile(home.path() / "audio" / "KMLB_005_001 Night Drive.mp3", "x");
  LoadedCatalogue l;
  auto o = Options(home);
  o.offline = true;
  LoadFolder(l, cat.path(), o);
  ASSERT_EQ(l.catalogue.CdCount(), 1);
  EXPECT_EQ(l.catalogue.Cd(0).cdCode, "KMLB_005");
  ASSERT_EQ(l.catalogue.Cd(0).tracks.size(), 1u);
  EXPECT_EQ(l.catalogue.TrackCount(), 1);
  EXPECT_EQ(MainWindowCaption(l.catalogue, Language::English).rfind("ТРАКВЕЛЛА -offline ", 0), 0u);
}

TEST(CatalogueLoader, NewCdsByDateOrTheThreeHighestPositions) {
  auto load = [](const std::vector<std::string>& dates, YearMonth today) {
    TempDir cat, home;
    FixtureCatalogue f;
    for (size_t i = 0; i < dates.size(); ++i) {
      std::string code = "KMLB_01" + std::to_string(i);
      f.titles.push_back(code + "=" + code + " CD");
      f.titles.push_back(code + "_001=T\tI\t00:10\tC\tP");
      f.blocks.push_back({code, NfoBlock(code, "CD", {"A >> B"}, dates[i])});
    }
    f.Write(cat.path());
    auto l = std::make_unique<LoadedCatalogue>();
    LoadFolder(*l, cat.path(), Options(home, today));
    std::vector<bool> isNew;
    for (int p = 0; p < l->catalogue.CdCount(); ++p)
      isNew.push_back(l->catalogue.Cd(p).categories.Contains("* ALL LIBRARY >> … NEW CDS"));
    return isNew;
  };
  // March 2008: February and December 2008 count (the month difference is below 2), January does not.
  EXPECT_THAT(load({"022008", "122008", "012008", "032007"}, {2008, 3}), ElementsAre(true, true, false, false));
  // No CD new by date: the three highest positions become new.
  EXPECT_THAT(load({"012001", "022001", "032001", "042001", "052001"}, {2008, 3}),
              ElementsAre(false, false, true, true, true));
}

TEST(CatalogueLoader, InvalidInformationBlocksLeaveTheCdOut) {
  TempDir cat, home;
  FixtureCatalogue f = TwoCds();
  auto eight = NfoBlock("KMLB_003", "Eight", {}, "122007");
  eight.pop_back();  // 8 lines without the date
  ASSERT_EQ(eight.size(), 8u);
  f.blocks[0].second = eight;
  // CD 009 has no block at all, CD 011 one of 50 lines, CD 012 one whose first line is "Title:".
  f.titles.insert(f.titles.end(), {"KMLB_009=KMLB_009 No block", "KMLB_009_001=T\tI\t00:10\tC\tP",
                                   "KMLB_011=KMLB_011 Long", "KMLB_011_001=T\tI\t00:10\tC\tP",
                                   "KMLB_012=KMLB_012 Title first", "KMLB_012_001=T\tI\t00:10\tC\tP"});
  std::vector<std::string> fifty(50, "A >> B");
  fifty[0] = "Library: KMLB";
  f.blocks.push_back({"KMLB_011", fifty});
  auto titled = NfoBlock("KMLB_012", "T", {"A >> B"}, "012020");
  titled[0] = "Title: first";
  f.blocks.push_back({"KMLB_012", titled});
  f.Write(cat.path());
  LoadedCatalogue l;
  LoadFolder(l, cat.path(), Options(home));
  ASSERT_EQ(l.catalogue.CdCount(), 1);
  EXPECT_EQ(l.catalogue.Cd(0).cdCode, "KMLB_005");
  EXPECT_EQ(l.catalogue.TrackCount(), 1);
  auto texts = l.dialogs.Texts();
  ASSERT_EQ(texts.size(), 8u);
  EXPECT_EQ(texts[0], "8\r" + JoinLinesCrLf(eight));
  EXPECT_EQ(texts[1], "Error loading resources: KMLB_NFO, CD code: KMLB_003");
  EXPECT_EQ(texts[2], "0\r");
  EXPECT_EQ(texts[3], "Error loading resources: KMLB_NFO, CD code: KMLB_009");
  EXPECT_EQ(texts[5], "Error loading resources: KMLB_NFO, CD code: KMLB_011");
  EXPECT_EQ(texts[7], "Error loading resources: KMLB_NFO, CD code: KMLB_012");
  // The reported problems are counted in the caption and written to errors.log.
  EXPECT_NE(MainWindowCaption(l.catalogue, Language::English).find(" | Errors: 8"), std::string::npos);
  EXPECT_FALSE(ReadFile(home.path() / "errors.log").empty());
}

TEST(CatalogueLoader, TrackRowsWithoutFiveFieldsAreReportedAndKept) {
  TempDir cat, home;
  FixtureCatalogue f;
  f.titles = {"KMLB_003=KMLB_003 Fields",
              "KMLB_003_001=Title\tISRC\t00:45\tComposer\t",       // empty last field: four fields
              "KMLB_003_002=Title\t\t00:45\tComposer\tPerformer",  // empty middle field stays
              "KMLB_003_003=A\tB\tC\tD\tE\tF"};
  f.blocks = {{"KMLB_003", NfoBlock("KMLB_003", "Fields", {"A >> B"}, "012020")}};
  f.Write(cat.path());
  LoadedCatalogue l;
  LoadFolder(l, cat.path(), Options(home));
  auto texts = l.dialogs.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0],
            "KMLB_003_001\rОшибка обработки полей переданных из XLS\rЧастая ошибка: Формат ячеек при импорте из "
            "XLS должен быть текстовым.\rРедко: пустая ячейка либо отсутствие столбца\rСтрока c ошибкой (ресурс "
            "kmlb_xls.txt):\rTitle\tISRC\t00:45\tComposer\t");
  EXPECT_EQ(texts[1].substr(0, 13), "KMLB_003_003\r");
  const auto& tracks = l.catalogue.Cd(0).tracks;
  ASSERT_EQ(tracks.size(), 3u);
  EXPECT_EQ(tracks[0].composer, "Composer");
  EXPECT_EQ(tracks[0].performer, "");
  EXPECT_EQ(tracks[1].isrc, "not-defined");
  EXPECT_EQ(tracks[1].performer, "Performer");
  EXPECT_EQ(tracks[2].performer, "E");  // the first five of six fields
}

TEST(CatalogueLoader, DescriptorMatchingDoesNotDependOnRowOrder) {
  TempDir cat1, cat2, home;
  FixtureCatalogue f = TwoCds();
  f.tracks = {"KMLB_005_001=2 !F BREAKBEAT [140] <5A>", "KMLB_003_002=4 !M POP [120] <8B>", "KMLB_003_002=5 SECOND ROW",
              "KMLB_003_001=1"};
  f.Write(cat1.path());
  std::reverse(f.tracks.begin(), f.tracks.end());
  std::swap(f.tracks[0], f.tracks[2]);  // keep the two KMLB_003_002 rows in their order
  f.Write(cat2.path());
  LoadedCatalogue a, b;
  LoadFolder(a, cat1.path(), Options(home));
  LoadFolder(b, cat2.path(), Options(home));
  for (const LoadedCatalogue* l : {&a, &b}) {
    const auto& tracks = l->catalogue.Cd(0).tracks;
    EXPECT_EQ(tracks[0].tagLine, "1");
    EXPECT_EQ(tracks[1].tagLine, "4 !M POP [120] <8B>");  // the first of two rows with the code
    EXPECT_EQ(l->catalogue.Cd(1).tracks[0].tagLine, "2 !F BREAKBEAT [140] <5A>");
  }
}

TEST(CatalogueLoader, MissingEndMarksAreReportedAndTheTextUsedWhole) {
  TempDir cat, home;
  FixtureCatalogue f = TwoCds();
  f.Write(cat.path());
  WriteFile(cat.path() / "TEXT" / "TRANSLATECATS.txt", ResourceBytes(f.translate, false));
  WriteFile(cat.path() / "NFO" / "KMLB_005.nfo", ResourceBytes(f.blocks[1].second, false));
  // Text after the end mark is not part of the table.
  WriteFile(cat.path() / "TEXT" / "WRITERSINFO.txt", Utf8ToCp1251("Do not sort\r\nA=B\r\n®\r\nC=D\r\n"));
  LoadedCatalogue l;
  LoadFolder(l, cat.path(), Options(home));
  EXPECT_THAT(l.dialogs.Texts(), ElementsAre("TRANSLATECATS\rОстутствует символ конца ресурса - ®",
                                             "NFO\rОстутствует символ конца ресурса - ®"));
  EXPECT_EQ(l.catalogue.CdCount(), 2);
  EXPECT_THAT(l.catalogue.WritersInfo(), ElementsAre("Do not sort", "A=B"));
  EXPECT_TRUE(l.catalogue.Translation("sweeps").has_value());
}

TEST(CatalogueLoader, SurvivesMalformedFiles) {
  TempDir cat, home;
  FixtureCatalogue f = TwoCds();
  f.Write(cat.path());
  // CR-only line ends, a byte that is no character (0x98), a 1 MB line, 200 TAB fields,
  // a CD number that is not digits, lower-case codes, a header given twice, an empty block.
  std::string titles = Utf8ToCp1251("KMLB_003=KMLB_003 CR only\rKMLB_003_001=A\tB\t00:10\tC\tD\r");
  titles += "KMLB_003_002=Bad \x98 byte\tB\t00:10\tC\tD\r";
  titles += "KMLB_003_003=" + std::string(1 << 20, 'x') + "\tB\t00:10\tC\tD\r";
  titles += "KMLB_003_004=";
  for (int i = 0; i < 200; ++i) titles += "f\t";
  titles += "\r";
  titles += "KMLB_0X5=KMLB_0X5 Not digits\rKMLB_0X5_001=A\tB\t00:10\tC\tD\r";
  titles += "kmlb_005=kmlb_005 lower\rkmlb_005_001=A\tB\t00:10\tC\tD\r";
  titles += "KMLB_005=KMLB_005 once\rKMLB_005=KMLB_005 twice\rKMLB_005_001=A\tB\t00:10\tC\tD\r";
  titles += "\xAE\r";
  WriteFile(cat.path() / "TEXT" / "KMLB_XLS.txt", titles);
  WriteFile(cat.path() / "TEXT" / "KMLB_TRACKS.txt", "KMLB_003_001=1 POP\nKMLB_003_002=\xFF\xFE\n\xAE\n");
  WriteFile(cat.path() / "NFO" / "KMLB_000.nfo", "");  // the closing row's block: empty
  std::vector<std::string> huge(10000, "X >> Y");
  huge[0] = "Library: KMLB";
  WriteFile(cat.path() / "NFO" / "KMLB_005.nfo", ResourceBytes(huge));
  LoadedCatalogue l;
  LoadFolder(l, cat.path(), Options(home));
  const Catalogue& c = l.catalogue;
  // CD 003 loads; the "0X5" CD reads block KMLB_000 (empty: left out); the lower-case and
  // the 10,000-line CDs are left out for their blocks.
  ASSERT_EQ(c.CdCount(), 1);
  ASSERT_EQ(c.Cd(0).tracks.size(), 4u);
  EXPECT_EQ(c.Cd(0).tracks[0].tagLine, "1 POP");
  EXPECT_EQ(c.Cd(0).tracks[1].title, "Bad \xEF\xBF\xBD byte");
  EXPECT_EQ(c.Cd(0).tracks[1].tagLine, "0ю");  // "яю": the first character is no mood digit
  EXPECT_EQ(c.Cd(0).tracks[2].title.size(), 1u << 20);
  EXPECT_EQ(c.Cd(0).tracks[3].title, "f");
  EXPECT_FALSE(l.dialogs.shown.empty());
}

TEST(CatalogueLoader, UnreadableResourceFileIsAProblemNotACrash) {
  TempDir cat, home;
  TwoCds().Write(cat.path());
  std::filesystem::remove(cat.path() / "TEXT" / "KMLB_TRACKS.txt");
  std::filesystem::create_symlink(cat.path() / "nowhere", cat.path() / "TEXT" / "KMLB_TRACKS.txt");
  LoadedCatalogue l;
  LoadFolder(l, cat.path(), Options(home));
  EXPECT_EQ(l.catalogue.CdCount(), 2);
  EXPECT_EQ(l.catalogue.Cd(1).tracks[0].tagLine, "0");
  ASSERT_EQ(l.catalogue.Errors().size(), 1u);
  EXPECT_NE(l.catalogue.Errors()[0].find("KMLB_TRACKS"), std::string::npos);
}

// Every field of every track, one line each, as a catalogue loaded once holds them.
std::vector<std::string> TrackFields(const Catalogue& c) {
  std::vector<std::string> rows;
  for (int p = 0; p < c.CdCount(); ++p)
    for (const TrackRecord& t : c.Cd(p).tracks)
      rows.push_back(c.Cd(p).cdCode + "|" + t.code + "|" + t.title + "|" + t.isrc + "|" + t.duration + "|" +
                     t.composer + "|" + t.performer + "|" + t.location + "|" + t.tagLine + "|" + t.styleText + "|" +
                     std::to_string(t.lengthSeconds) + "|" + std::to_string(t.bpm) + "|" + std::to_string(t.styleBits));
  return rows;
}

TEST(CatalogueLoader, ReloadStartsFromScratch) {
  TempDir cat, home, localHome;
  TwoCds().Write(cat.path());
  WriteFile(localHome.path() / "KMLB_005_001 Night Drive.wav", "x");
  FolderResourceStore store(cat.path());
  LoadedCatalogue l;
  l.catalogue.ReadCatalogueTables(store, l.dialogs);
  l.catalogue.LoadCatalogue(store, Options(home), l.dialogs, l.progress);
  l.catalogue.LoadCatalogue(store, Options(home), l.dialogs, l.progress);
  EXPECT_EQ(l.catalogue.CdCount(), 2);
  EXPECT_EQ(l.catalogue.TrackCount(), 3);
  EXPECT_EQ(l.catalogue.StyleCounts()[8], 1);
  EXPECT_EQ(l.catalogue.Cd(0).keywords.size(), 3u);
  const std::vector<std::string> full = TrackFields(l.catalogue);
  EXPECT_THAT(full[1], ::testing::HasSubstr("|65|120"));  // 1:05 read as 01:05, tempo 120

  // Offline the other CD comes first and has its file: a reload writes over the
  // records the first load left there, and a full load after it again.
  auto offline = Options(localHome);
  offline.offline = true;
  l.catalogue.LoadCatalogue(store, offline, l.dialogs, l.progress);
  LoadedCatalogue fresh;
  LoadFolder(fresh, cat.path(), offline);
  EXPECT_EQ(TrackFields(l.catalogue), TrackFields(fresh.catalogue));
  EXPECT_EQ(l.catalogue.CdCount(), 1);  // the list holds only the CDs loaded
  l.catalogue.LoadCatalogue(store, Options(home), l.dialogs, l.progress);
  EXPECT_EQ(TrackFields(l.catalogue), full);
}

// --- Lists derived from the catalogue ------------------------------------------------

FixtureCatalogue Browsable() {
  FixtureCatalogue f;
  const std::vector<std::tuple<std::string, std::vector<std::string>, std::string>> cds = {
      {"002", {"* ALL LIBRARY >> FILM MUSIC", "DRAMA >> SUSPENSE"}, "012007"},
      {"003", {"DRAMA >> ACTION"}, "052010"},
      {"105", {"DRAMA >> SUSPENSE"}, "062015"},
      {"409", {"* ALL LIBRARY >> FILM MUSIC", "ЯЗЫК >> А"}, "072015"},
      {"601", {"DRAMA >> SUSPENSE"}, "082026"}};
  for (const auto& [n, cats, date] : cds) {
    std::string code = "KMLB_" + n;
    f.titles.push_back(code + "=" + code + " CD " + n);
    f.titles.push_back(code + "_001=T\tI\t00:10\tC\tP");
    f.blocks.push_back({code, NfoBlock(code, "CD " + n, cats, date)});
  }
  f.translate = {"DRAMA=Драма", "* ALL LIBRARY=* НАПРАВЛЕНИЯ", "… CDS BY YEAR=* СБОРНИКИ ПО ГОДУ ВЫПУСКА",
                 "SUSPENSE=Напряжение", "ACTION=Экшн"};
  return f;
}

TEST(CatalogueLists, SubcategoriesAndDisplayOrder) {
  TempDir cat, home;
  Browsable().Write(cat.path());
  LoadedCatalogue l;
  LoadFolder(l, cat.path(), Options(home));
  const Catalogue& c = l.catalogue;
  EXPECT_THAT(c.ListSubcategories(""), ElementsAre("* ALL LIBRARY", "… CDS BY YEAR", "DRAMA", "ЯЗЫК"));
  EXPECT_THAT(c.ListSubcategories("DRAMA"), ElementsAre("ACTION", "SUSPENSE"));
  EXPECT_THAT(c.ListSubcategories("* ALL LIBRARY"), ElementsAre("… ALL CDS", "… NEW CDS", "FILM MUSIC"));
  // Years: newest first.
  EXPECT_THAT(c.ChildCategoriesInDisplayOrder("… CDS BY YEAR", Language::English),
              ElementsAre("2026", "2015", "2010", "2007"));
  // Russian: ordered by translation, names without one first.
  EXPECT_THAT(c.ChildCategoriesInDisplayOrder("", Language::Russian),
              ElementsAre("ЯЗЫК", "* ALL LIBRARY", "… CDS BY YEAR", "DRAMA"));
  EXPECT_THAT(c.ChildCategoriesInDisplayOrder("DRAMA", Language::Russian), ElementsAre("SUSPENSE", "ACTION"));
}

TEST(CatalogueLists, CdsInACategoryNewFirstOrLowestFirst) {
  TempDir cat, home;
  Browsable().Write(cat.path());
  LoadedCatalogue l;
  LoadFolder(l, cat.path(), Options(home));
  auto list = [&l](std::string_view path, bool newFirst) {
    std::vector<std::string> rows;  // text @position
    for (const auto& cd : l.catalogue.ListCdsInCategory(path, newFirst))
      rows.push_back(cd.text + " @" + std::to_string(cd.position));
    return rows;
  };
  // 601 counts as 1: after 105 and after 002.
  EXPECT_THAT(list("DRAMA >> SUSPENSE", true),
              ElementsAre("KMLB_105 CD 105 @2", "KMLB_002 CD 002 @0", "KMLB_601 CD 601 @4"));
  EXPECT_THAT(list("drama >> suspense", false),
              ElementsAre("KMLB_002 CD 002 @0", "KMLB_105 CD 105 @2", "KMLB_601 CD 601 @4"));
  EXPECT_THAT(list("* ALL LIBRARY >> FILM MUSIC", true), ElementsAre("KMLB_409 CD 409 @3", "KMLB_002 CD 002 @0"));
  // Lists are kept between calls, never across a load.
  TempDir other;
  TwoCds().Write(other.path());
  LoadFolder(l, other.path(), Options(home));
  EXPECT_THAT(list("DRAMA >> SUSPENSE", true), ElementsAre());
  EXPECT_THAT(list("DANCE MUSIC >> LINKS, LOGOS & STINGS", true), ElementsAre("KMLB_005 Dance Floor @1"));
  EXPECT_THAT(l.catalogue.ChildCategoriesInDisplayOrder("DRAMA", Language::English), ElementsAre());
}

TEST(CatalogueLists, LocateTrack) {
  TempDir cat, home;
  Browsable().Write(cat.path());
  LoadedCatalogue l;
  LoadFolder(l, cat.path(), Options(home));
  EXPECT_EQ(l.catalogue.LocateTrack(" KMLB_105_001 "), (TrackRef{2, 0}));
  EXPECT_EQ(l.catalogue.LocateTrack("KMLB_105_002"), (TrackRef{-1, -1}));
  EXPECT_EQ(l.catalogue.LocateTrack("KMLB_106_001"), (TrackRef{-1, -1}));

  // Only the first CD of a code is searched, and in it the first track of a code;
  // a track filed under another CD's code is not found; odd forms and sparse numbers.
  FixtureCatalogue f;
  const std::string fields = "=T\tI\t00:10\tC\tP";
  f.titles = {"KMLB_010=KMLB_010 A",   "KMLB_010_001" + fields, "KMLB_010_001" + fields,
              "KMLB_011_002" + fields, "KMLB_010_0A1" + fields, "KMLB_010=KMLB_010 B",
              "KMLB_010_003" + fields, "KMLB_012=KMLB_012 C",   "KMLB_012_120" + fields};
  f.blocks = {{"KMLB_010", NfoBlock("KMLB_010", "A", {"A >> B"}, "012020")},
              {"KMLB_012", NfoBlock("KMLB_012", "C", {"A >> B"}, "012020")}};
  TempDir odd;
  f.Write(odd.path());
  LoadFolder(l, odd.path(), Options(home));
  ASSERT_EQ(l.catalogue.CdCount(), 3);
  const std::vector<std::pair<std::string, TrackRef>> expected = {
      {"KMLB_010_001", {0, 0}},   {"KMLB_011_002", {-1, -1}}, {"KMLB_010_0A1", {0, 3}},
      {"KMLB_010_003", {-1, -1}}, {"KMLB_012_120", {2, 0}},   {"KMLB_012_119", {-1, -1}},
      {"KMLB_012_121", {-1, -1}}, {"KMLB_999_001", {-1, -1}}, {"KMLB_010_01", {-1, -1}}};
  for (const auto& [code, place] : expected) EXPECT_EQ(l.catalogue.LocateTrack(code), place) << code;
}

// --- Row helpers ------------------------------------------------------------------

TEST(CatalogueHelpers, NormaliseIsrc) {
  EXPECT_EQ(NormaliseIsrc("RU-A47-08-003-001"), "RUA470803001");
  EXPECT_EQ(NormaliseIsrc("RU-A47-25-09059"), "RUA472509059");
  EXPECT_EQ(NormaliseIsrc(""), "not-defined");
  EXPECT_EQ(NormaliseIsrc("RU-A47"), "RU-A47");  // not 12 characters: unchanged
  EXPECT_EQ(NormaliseIsrc("RU-A47-08-003-001--"), "RUA470803001");
  EXPECT_EQ(NormaliseIsrc("RU-A47-08-003-0012-"), "RU-A47-08-003-0012-");  // 14: unchanged
  EXPECT_EQ(NormaliseIsrc("RU-Б47-25-09059"), "RUБ472509059");
}

TEST(CatalogueHelpers, ExtractKeywordsUsesTheStopTextByContainment) {
  std::vector<std::string> words;
  ExtractKeywords("EFFECTS - (MUSIC & EFFECTS) >> SWEEPS", words);
  EXPECT_THAT(words, ElementsAre("EFFECTS", "EFFECTS", "SWEEPS"));
  words.clear();
  // "ON" and "TH" occur inside the stop text; "X" is one character; Cyrillic words count.
  ExtractKeywords("ON THE X >> ГОРОД, TH, ROCK-N-ROLL 2000", words);
  EXPECT_THAT(words, ElementsAre("ГОРОД", "ROCK-N-ROLL"));
}

TEST(CatalogueHelpers, TitleFields) {
  EXPECT_THAT(SplitTitleFields("a\tb\tc\td\t"), ElementsAre("a", "b", "c", "d"));
  EXPECT_THAT(SplitTitleFields(" a \t\t c\td\te "), ElementsAre("a", "", "c", "d", "e"));
}

}  // namespace
}  // namespace trakvella::testing
