// The loader on the generated full-size catalogue.
#include <gtest/gtest.h>

#include "core/catalogue/Catalogue.h"
#include "support/CatalogueFixture.h"

namespace trakvella::testing {
namespace {

LoadOptions Today(const TempDir& home) {
  LoadOptions o;
  o.programFolder = home.path();
  o.today = {2026, 12};
  return o;
}

TEST(GeneratedCatalogue, LoadsCompletelyWithoutReports) {
  TempDir home;
  LoadedCatalogue l;
  LoadFolder(l, GeneratedCatalogue(false), Today(home));
  const Catalogue& c = l.catalogue;
  EXPECT_TRUE(l.dialogs.shown.empty()) << l.dialogs.shown.front().text;
  EXPECT_EQ(c.CdCount(), 999);
  EXPECT_EQ(c.TrackCount(), 21800);
  EXPECT_TRUE(c.AnyNewCd());
  EXPECT_GT(c.TagList().size(), 20u);
  int total = 0;
  for (int p = 0; p < c.CdCount(); ++p) {
    const CdRecord& cd = c.Cd(p);
    ASSERT_FALSE(cd.tracks.empty());
    ASSERT_NE(cd.year, 0) << cd.cdCode;
    ASSERT_EQ(cd.keywords.size(), cd.keywordTranslations.size());
    for (const auto& t : cd.tracks) {
      ASSERT_EQ(t.code.compare(0, 8, cd.cdCode), 0);
      ASSERT_FALSE(t.tagLine.empty()) << t.code;
      ASSERT_EQ(t.isrc.size() == 12 || t.isrc == "not-defined", true) << t.isrc;
    }
    total += static_cast<int>(cd.tracks.size());
  }
  EXPECT_EQ(total, c.TrackCount());
}

TEST(GeneratedCatalogue, ShuffledDescriptorRowsGiveTheSameCatalogue) {
  TempDir home;
  LoadedCatalogue a, b;
  LoadFolder(a, GeneratedCatalogue(false), Today(home));
  LoadFolder(b, GeneratedCatalogue(true), Today(home));
  ASSERT_NE(a.catalogue.TracksTable(), b.catalogue.TracksTable());
  ASSERT_EQ(a.catalogue.CdCount(), b.catalogue.CdCount());
  for (int p = 0; p < a.catalogue.CdCount(); ++p) {
    const auto& ta = a.catalogue.Cd(p).tracks;
    const auto& tb = b.catalogue.Cd(p).tracks;
    ASSERT_EQ(ta.size(), tb.size());
    for (size_t t = 0; t < ta.size(); ++t) {
      ASSERT_EQ(ta[t].tagLine, tb[t].tagLine) << ta[t].code;
      ASSERT_EQ(ta[t].styleText, tb[t].styleText) << ta[t].code;
    }
  }
  EXPECT_EQ(a.catalogue.StyleCounts(), b.catalogue.StyleCounts());
}

TEST(GeneratedCatalogue, LocalAudioFilesOfSomeCds) {
  TempDir home;
  std::string command = std::string("python3 ") + TRAKVELLA_SOURCE_DIR + "/tools/gen_catalogue.py --out '" +
                        (home.path() / "unused").string() + "' --audio-home '" + home.path().string() +
                        "' --audio-cds 3 > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  LoadedCatalogue online, offline;
  LoadFolder(online, GeneratedCatalogue(false), Today(home));
  auto o = Today(home);
  o.offline = true;
  LoadFolder(offline, GeneratedCatalogue(false), o);
  for (int p = 0; p < 3; ++p)
    for (const auto& t : online.catalogue.Cd(p).tracks)
      ASSERT_EQ(t.location.rfind(home.path().string(), 0), 0u) << t.code << " " << t.location;
  EXPECT_EQ(online.catalogue.Cd(3).tracks[0].location.find('/'), 8u);  // a demo name
  EXPECT_EQ(offline.catalogue.CdCount(), 3);
}

}  // namespace
}  // namespace trakvella::testing
