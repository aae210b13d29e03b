// trakvella-cli run as a process, the way scripts use it.
#include <cstdio>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "core/text/Text.h"
#include "support/CatalogueFixture.h"
#include "support/CliProcess.h"

namespace trakvella::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class CliOnFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    FixtureCatalogue f;
    f.titles = {"KMLB_003=KMLB_003 Промо эффекты",
                "KMLB_003_001=Аплодисменты\\01\tRU-A47-08-003-001\t00:45\tИ. Петров\tОркестр",
                "KMLB_005=KMLB_005 Dance", "KMLB_005_001=Night\t\t03:10\tA. B\tDJ"};
    f.tracks = {"KMLB_003_001=3", "KMLB_005_001=4 !F POP [128] <8B>"};
    f.translate = {"SWEEPS=Свипы", "DRAMA=Драма", "EFFECTS=Эффекты"};
    f.blocks = {{"KMLB_003", NfoBlock("KMLB_003", "Промо эффекты", {"EFFECTS >> SWEEPS"}, "122007")},
                {"KMLB_005", NfoBlock("KMLB_005", "Dance", {"DRAMA >> SWEEPS"}, "112026")}};
    f.Write(catalogue.path());
  }
  std::vector<std::string> Base() {
    return {"--catalogue", catalogue.path().string(), "--home", home.path().string(), "--today", "2026-12"};
  }
  CliResult Run(std::vector<std::string> extra) {
    auto args = Base();
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }
  TempDir catalogue, home;
};

TEST_F(CliOnFixture, InfoCountsAndCaption) {
  auto r = Run({"info"});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.out.size(), 4u + 29u + 1u);
  EXPECT_THAT(std::vector<std::string>(r.out.begin(), r.out.begin() + 4),
              ElementsAre("cds=2", "tracks=2", "categories=6", "tags=3"));
  EXPECT_EQ(r.out[4], "style.ACOUSTIC=0");
  EXPECT_EQ(r.out[4 + 21], "style.POP=1");
  EXPECT_EQ(r.out.back(), "caption=ТРАКВЕЛЛА 1.0.0.0 - CDs: 2 | Tracks: 2");
  EXPECT_EQ(Run({"info", "--lang", "ru"}).status, 2);  // global options go before the command
  auto ru = RunCli({"--lang", "ru", "--catalogue", catalogue.path().string(), "--home", home.path().string(), "info"});
  EXPECT_EQ(ru.out.back(), "caption=ТРАКВЕЛЛА 1.0.0.0 - Сборников: 2 | Треков: 2");
}

TEST_F(CliOnFixture, CdAndTrackWithEscapedValues) {
  auto cd = Run({"cd", "KMLB_003"});
  ASSERT_EQ(cd.status, 0) << cd.err;
  EXPECT_THAT(cd.out, Contains("position=0"));
  EXPECT_THAT(cd.out, Contains("cdText=KMLB_003 Промо эффекты"));
  EXPECT_THAT(cd.out, Contains("year=2007"));
  EXPECT_THAT(cd.out, Contains("month=12"));
  EXPECT_THAT(cd.out, Contains("description=Library: KMLB\\r\\nTitle: Промо эффекты\\r\\nCD#: KMLB_003\\r\\n"
                               "Description: Промо эффекты for every occasion\\r\\n"));
  EXPECT_THAT(WithPrefix(cd.out, "category="),
              ElementsAre("category=* ALL LIBRARY >> … ALL CDS", "category=… CDS BY YEAR >> 2007",
                          "category=EFFECTS >> SWEEPS"));
  EXPECT_THAT(WithPrefix(cd.out, "keyword="), ElementsAre("keyword=EFFECTS|Эффекты", "keyword=SWEEPS|Свипы"));
  EXPECT_THAT(WithPrefix(cd.out, "track="), ElementsAre("track=KMLB_003_001"));

  auto t = Run({"track", "KMLB_003_001"});
  ASSERT_EQ(t.status, 0) << t.err;
  EXPECT_THAT(t.out, ElementsAre("cd=0", "track=0", "code=KMLB_003_001", "title=Аплодисменты\\\\01",
                                 "isrc=RUA470803001", "duration=00:45", "composer=И. Петров", "performer=Оркестр",
                                 "tagLine=0", "styleText=SFX/ID", "location=KMLB_003/KMLB_003_001.mp3"));
}

TEST_F(CliOnFixture, TreeAndTags) {
  auto root = Run({"tree"});
  ASSERT_EQ(root.status, 0) << root.err;
  EXPECT_THAT(root.out,
              ElementsAre("category=* ALL LIBRARY", "category=… CDS BY YEAR", "category=DRAMA", "category=EFFECTS"));
  EXPECT_THAT(Run({"tree", "… CDS BY YEAR"}).out, ElementsAre("category=2026", "category=2007"));
  EXPECT_THAT(Run({"tree", "* ALL LIBRARY >> … ALL CDS"}).out,
              ElementsAre("cd=KMLB_005 Dance", "cd=KMLB_003 Промо эффекты"));
  EXPECT_THAT(Run({"tree", "* ALL LIBRARY >> … ALL CDS", "--new-first", "0"}).out,
              ElementsAre("cd=KMLB_003 Промо эффекты", "cd=KMLB_005 Dance"));
  EXPECT_THAT(Run({"tags"}).out, ElementsAre("tag=DRAMA", "tag=EFFECTS", "tag=SWEEPS"));
}

TEST_F(CliOnFixture, MessagesGoToStderrInOrderAndTheCommandGoesOn) {
  WriteFile(catalogue.path() / "NFO" / "KMLB_003.nfo", ResourceBytes({"Title: wrong"}));
  auto r = Run({"info"});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.err,
            "message: 1\\rTitle: wrong\\r\\n\n"
            "message: Error loading resources: KMLB_NFO, CD code: KMLB_003\n");
  EXPECT_EQ(r.out[0], "cds=1");
}

TEST_F(CliOnFixture, BadUsageExitsWithStatusTwo) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"bogus"},
                                                                {"cd", "KMLB_999"},
                                                                {"track", "KMLB_003_099"},
                                                                {"--frobnicate", "info"},
                                                                {"tree", "--new-first", "2"},
                                                                {"info", "extra"},
                                                                {}}) {
    auto r = Run(args);
    EXPECT_EQ(r.status, 2) << (args.empty() ? "(no command)" : args[0]);
    EXPECT_THAT(r.err, HasSubstr("trakvella-cli: "));
  }
  auto missing = RunCli({"--catalogue", (catalogue.path() / "nope").string(), "info"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_THAT(missing.err, HasSubstr("catalogue folder not found"));
  EXPECT_TRUE(missing.out.empty());
}

TEST_F(CliOnFixture, TracksInEachSortOrder) {
  WriteFile(catalogue.path() / "TEXT" / "KMLB_XLS.txt",
            ResourceBytes({"KMLB_003=KMLB_003 Промо эффекты", "KMLB_003_001=A\tI\t02:00\tC\tP",
                           "KMLB_003_002=B\tI\t00:30\tC\tP", "KMLB_003_003=C\tI\t01:00\tC\tP"}));
  WriteFile(catalogue.path() / "TEXT" / "KMLB_TRACKS.txt",
            ResourceBytes({"KMLB_003_001=1 POP [120]", "KMLB_003_002=1 POP [90]", "KMLB_003_003=1 POP"}));
  EXPECT_THAT(Run({"tracks", "KMLB_003"}).out, ElementsAre("row=KMLB_003_001", "row=KMLB_003_002", "row=KMLB_003_003"));
  EXPECT_THAT(Run({"tracks", "KMLB_003", "--reverse"}).out,
              ElementsAre("row=KMLB_003_003", "row=KMLB_003_002", "row=KMLB_003_001"));
  EXPECT_THAT(Run({"tracks", "KMLB_003", "--sort", "length"}).out,
              ElementsAre("row=KMLB_003_002", "row=KMLB_003_003", "row=KMLB_003_001"));
  EXPECT_THAT(Run({"tracks", "KMLB_003", "--sort", "tempo", "--reverse"}).out,
              ElementsAre("row=KMLB_003_001", "row=KMLB_003_002", "row=KMLB_003_003"));
  WriteFile(home.path() / "top.txt", "KMLB_003_003\r\nKMLB_003_001\r\n");
  auto popular =
      Run({"tracks", "KMLB_003", "--sort", "popular", "--top", (home.path() / "top.txt").string(), "--seed", "5"});
  EXPECT_THAT(popular.out, ElementsAre("row=KMLB_003_003", "row=KMLB_003_001", "row=KMLB_003_002"));
  EXPECT_EQ(Run({"tracks", "KMLB_003", "--sort", "loudness"}).status, 2);
}

TEST_F(CliOnFixture, NavigateStepsAndTheirState) {
  auto r = Run({"navigate", "open:DRAMA", "open:SWEEPS"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, ElementsAre("path=DRAMA >> SWEEPS : KMLB_005 Dance", "caption= DRAMA » SWEEPS : KMLB_005 Dance",
                                 "back=1", "forward=0", "history=", "history=DRAMA", "history=DRAMA >> SWEEPS",
                                 "row=cd:KMLB_005 Dance", "selected=0", "tracks=1"));
  auto back = Run({"navigate", "open:DRAMA", "open:SWEEPS", "back", "back"});
  EXPECT_THAT(WithPrefix(back.out, "path="), ElementsAre("path="));
  EXPECT_THAT(WithPrefix(back.out, "back="), ElementsAre("back=0"));
  EXPECT_THAT(WithPrefix(back.out, "forward="), ElementsAre("forward=1"));
  auto favs = Run({"navigate", "fav:DRAMA", "fav:EFFECTS >> SWEEPS", "favs", "goto:EFFECTS >> SWEEPS"});
  EXPECT_THAT(WithPrefix(favs.out, "fav="), ElementsAre("fav=01 » DRAMA", "fav=02 » EFFECTS >> SWEEPS"));
  EXPECT_THAT(WithPrefix(favs.out, "path="), ElementsAre("path=EFFECTS >> SWEEPS : KMLB_003 Промо эффекты"));
  auto tag = Run({"--lang", "ru", "navigate", "tag:Свипы"});
  EXPECT_THAT(WithPrefix(tag.out, "path="), ElementsAre("path=Keyword [ Свипы ] : KMLB_005 Dance"));
  EXPECT_EQ(Run({"navigate", "open:NOWHERE"}).status, 2);
  EXPECT_EQ(Run({"navigate", "jump"}).status, 2);
}

TEST(CliOnEmbeddedCatalogue, SampleCatalogueLoadsCleanly) {
  TempDir home;
  auto r = RunCli({"--home", home.path().string(), "--today", "2026-12", "--lang", "en", "info"});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");  // the sample data is clean
  long long cds = 0, tracks = 0;
  ASSERT_TRUE(ParseInt(r.out[0].substr(4), cds));
  ASSERT_TRUE(ParseInt(r.out[1].substr(7), tracks));
  EXPECT_GE(cds, 12);
  EXPECT_GE(tracks, 150);
  for (size_t i = 4; i < 4 + 29; ++i) EXPECT_NE(r.out[i].substr(r.out[i].find('=')), "=0") << r.out[i];
  // Every search area holds CDs.
  auto areas = RunCli({"--home", home.path().string(), "--today", "2026-12", "tree", "* ALL LIBRARY"});
  for (const char* area : {"CORPORATE MUSIC", "AROUND THE WORLD", "HUMOR, COMEDY, CHILDREN", "CLASSICS / NEO-CLASSICS",
                           "CLUB / ELECTRONICA", "FASHION TEXTURE", "FILM MUSIC", "NAUGHTY / EMOTIONAL",
                           "POSITIVE ATTITUDE", "CHRISTMAS STORY", "VINTAGE STYLINGS", "STYLISH BACKGROUND",
                           "ENERGY / MOVING", "FX / JINGLES", "IMAGING ELEMENTS", "… NEW CDS"})
    EXPECT_THAT(areas.out, Contains(std::string("category=") + area));
  // A catalogue/ folder in the program folder replaces the embedded one.
  FixtureCatalogue tiny;
  tiny.titles = {"KMLB_001=KMLB_001 Only", "KMLB_001_001=T\tI\t00:10\tC\tP"};
  tiny.blocks = {{"KMLB_001", NfoBlock("KMLB_001", "Only", {"A >> B"}, "012020")}};
  tiny.Write(home.path() / "catalogue");
  EXPECT_EQ(RunCli({"--home", home.path().string(), "info"}).out[0], "cds=1");
}

}  // namespace
}  // namespace trakvella::testing
