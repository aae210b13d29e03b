// The collection commands of trakvella-cli as processes, on the bundled catalogue.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/CatalogueFixture.h"
#include "support/CliProcess.h"
#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;

struct CollectionsCli : ::testing::Test {
  TempDir home;
  CliResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--home", home.path().string(), "--today", "2026-12", "--lang", "en"});
    return RunCli(args);
  }
};

TEST_F(CollectionsCli, RelatedTitleTopAndSimilar) {
  auto related = Run({"related", "KMLB_027_001", "tempo"});
  ASSERT_EQ(related.status, 0) << related.err;
  EXPECT_THAT(related.out, Contains("row=KMLB_027_001"));  // the track itself is always there
  EXPECT_FALSE(WithPrefix(related.out, "cd=").empty());
  // An effect has no tempo: nothing is listed, and the root level's categories are no CDs.
  auto none = Run({"related", "KMLB_003_002", "both"});
  ASSERT_EQ(none.status, 0) << none.err;
  EXPECT_THAT(WithPrefix(none.out, "cd="), ElementsAre());

  auto title = Run({"title", "027_00", "--within", "KMLB_027_001,KMLB_027_002,KMLB_003_001"});
  EXPECT_THAT(WithPrefix(title.out, "row="), ElementsAre("row=KMLB_027_001", "row=KMLB_027_002"));

  WriteFile(home.path() / "top.txt", "KMLB_027_002\nKMLB_999_999\nKMLB_003_001\n");
  auto top = Run({"top", (home.path() / "top.txt").string()});
  EXPECT_THAT(WithPrefix(top.out, "row="), ElementsAre("row=KMLB_027_002", "row=KMLB_003_001"));

  auto similar = Run({"similar", "KMLB_003"});
  EXPECT_THAT(WithPrefix(similar.out, "cd="), ElementsAre("cd=KMLB_601"));

  auto lucky = Run({"lucky", "--seed", "3"});
  EXPECT_LE(WithPrefix(lucky.out, "row=").size(), 39u);
  EXPECT_EQ(Run({"lucky", "--seed", "3"}).out, lucky.out);  // the same seed, the same pick

  EXPECT_EQ(Run({"related", "KMLB_027_001", "mood"}).status, 2);
  EXPECT_EQ(Run({"similar", "KMLB_998"}).status, 2);
  EXPECT_EQ(Run({"local"}).status, 0);
}

// The harmonic list and "more like this" on a one-CD catalogue of tag lines.
struct KeysCli : CollectionsCli {
  TempDir catalogue;
  KeysCli() {
    TagLineCatalogue({"3 POP <1A>", "4 !F POP, DISCO [124] <12B>", "3 POP <12A>", "3 POP <1B>", "3 POP <11A>", "3 POP",
                      "4 !F DISCO [126] <12B>", "4 !F POP [124] <12B>"})
        .Write(catalogue.path());
  }
  CliResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--catalogue", catalogue.path().string()});
    return CollectionsCli::Run(args);
  }
};

TEST_F(KeysCli, RelatedHarmonicListsTheMixingKeysInCatalogueOrder) {
  auto harmonic = Run({"related", "KMLB_010_003", "harmonic"});
  ASSERT_EQ(harmonic.status, 0) << harmonic.err;
  EXPECT_THAT(harmonic.out, ElementsAre("row=KMLB_010_001", "row=KMLB_010_002", "row=KMLB_010_003", "row=KMLB_010_005",
                                        "row=KMLB_010_007", "row=KMLB_010_008", "cd=KMLB_010"));
  EXPECT_THAT(WithPrefix(Run({"related", "KMLB_010_006", "harmonic"}).out, "cd="), ElementsAre());  // no key
}

TEST_F(KeysCli, LikePrintsTheBestScoresFirst) {
  auto like = Run({"like", "kmlb_010_002"});
  ASSERT_EQ(like.status, 0) << like.err;
  ASSERT_EQ(like.out.size(), 7u);                             // every other track, fewer than 50
  EXPECT_EQ(like.out[0].substr(0, 17), "row=KMLB_010_007|");  // DISCO, the rarer word, at 126 BPM
  EXPECT_THAT(like.out, Each(MatchesRegex("row=KMLB_010_00[013-8][|][0-9]+[.][0-9]{3}")));
  EXPECT_EQ(Run({"like", "KMLB_010_002", "--top", "2"}).out,
            std::vector<std::string>(like.out.begin(), like.out.begin() + 2));
  EXPECT_EQ(Run({"like", "KMLB_010_002", "--top", "0"}).status, 2);
  EXPECT_EQ(Run({"like", "KMLB_010_099"}).status, 2);
}

}  // namespace
}  // namespace trakvella::testing
