// "More like this": the tracks most like one, ranked by the likeness score over a loaded catalogue.
#include "core/likeness/Likeness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/CatalogueFixture.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct LikenessTest : ::testing::Test {
  TempDir cat;
  LoadedCatalogue loaded;
  LikenessIndex index;

  void Load(const std::vector<std::string>& tagLines) {
    TagLineCatalogue(tagLines).Write(cat.path());
    LoadFolder(loaded, cat.path(), {});
  }
  // The track numbers of the tracks most like track `number`.
  std::vector<int> Like(int number, size_t count = kLikeCount) {
    std::vector<int> numbers;
    for (const LikeTrack& like : index.MostAlike(loaded.catalogue, 0, number - 1, count))
      numbers.push_back(like.track + 1);
    return numbers;
  }
};

TEST_F(LikenessTest, ARareSharedStyleWordOutranksACommonOne) {
  // Tracks 2 and 3 each share one of track 1's two words and differ from it alike otherwise; POP is on
  // most tracks, JAZZ on two. Counting words alone would tie them and put track 2 first.
  Load({"4 !M JAZZ, POP [120]", "1 !S POP [60]", "1 !S JAZZ [60]", "2 POP", "2 POP", "2 POP", "2 POP"});
  EXPECT_THAT(Like(1, 2), ElementsAre(3, 2));
}

TEST_F(LikenessTest, TheIndexKeepsWhatItReadUntilTheCatalogueChanges) {
  Load({"3 !M CINEMATIC [100] <12A>", "3 !M CINEMATIC [100] <5B>", "3 !M CINEMATIC [100] <1A>"});
  EXPECT_THAT(Like(1), ElementsAre(3, 2));  // 1A mixes with 12A round the wheel's wrap, 5B does not
  EXPECT_THAT(Like(4), IsEmpty());
  TempDir other;
  TagLineCatalogue({"5 DISCO [120]", "2 TANGO [60]", "5 DISCO [121]", "2 TANGO [60]"}).Write(other.path());
  LoadFolder(loaded, other.path(), {});
  EXPECT_THAT(Like(1), ElementsAre(3, 2, 4));
  EXPECT_EQ(FormatScore(-4'500) + " " + FormatScore(7), "-4.500 0.007");
}

}  // namespace
}  // namespace trakvella::testing
