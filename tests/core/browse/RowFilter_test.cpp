// Filter as you type: every typed word in the title, code, composer, performer or style words, case
// folded (Cyrillic too); the selection and the whole listing come back when the text is emptied.
#include "core/browse/RowFilter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/browse/Browser.h"
#include "support/CatalogueFixture.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;

struct RowFilterTest : ::testing::Test {
  TempDir cat;
  LoadedCatalogue loaded;
  StdRandom random{1};
  const Language english = Language::English;
  std::unique_ptr<Browser> browser;

  void SetUp() override {
    FixtureCatalogue f;
    f.titles = {"KMLB_003=KMLB_003 First",
                "KMLB_003_001=Rock Anthem\tI\t01:00\tPetrov\tOrchestra",
                "KMLB_003_002=Slow Song\tI\t01:00\tСидоров\tP",
                "KMLB_003_003=Fast Song\tI\t01:00\tC\tЁлкин Бэнд",
                "KMLB_005=KMLB_005 Second",
                "KMLB_005_001=Relative\tI\t01:00\tC\tP",
                "KMLB_005_002=Other\tI\t01:00\tPetrov\tP"};
    f.tracks = {"KMLB_003_001=3 !F PPRCK [87] <4B>", "KMLB_003_002=2 !S POP [170] <4B>",
                "KMLB_003_003=4 !F POP [85] <4B>", "KMLB_005_001=4 POP [176] <1A>", "KMLB_005_002=4 ROCK [180] <4B>"};
    f.blocks = {{"KMLB_003", NfoBlock("KMLB_003", "First", {"A >> B"}, "012020")},
                {"KMLB_005", NfoBlock("KMLB_005", "Second", {"A >> B"}, "022020")}};
    f.Write(cat.path());
    LoadFolder(loaded, cat.path(), {});
    browser = std::make_unique<Browser>(loaded.catalogue, loaded.dialogs, loaded.progress, random, english);
    browser->SetScannedRows({{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}});
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> codes;
    for (auto [cd, t] : browser->rows()) codes.push_back(loaded.catalogue.Track(cd, t).code.substr(5));
    return codes;
  }
};

TEST_F(RowFilterTest, EveryWordInSomeFieldCaseFolded) {
  EXPECT_THAT(RowFilter::Words("  Rock\tСИД  "), ElementsAre("rock", "сид"));
  browser->FilterRows("PETROV rock");  // composer and title, composer and style word
  EXPECT_THAT(Shown(), ElementsAre("003_001", "005_002"));
  browser->FilterRows("сИДОРОВ");
  EXPECT_THAT(Shown(), ElementsAre("003_002"));
  browser->FilterRows("ёлкин song");  // performer, Ё folded
  EXPECT_THAT(Shown(), ElementsAre("003_003"));
  browser->FilterRows("005_00 pop");  // code and style word
  EXPECT_THAT(Shown(), ElementsAre("005_001"));
  browser->FilterRows("song anthem");  // two fields of different tracks are no match
  EXPECT_TRUE(Shown().empty());
  // A word never spans two fields: the title's end and the composer's start.
  browser->FilterRows("anthempetrov");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(RowFilterTest, EmptyingGivesTheListingBackWithItsSelection) {
  browser->EnterResultMode();
  browser->SetScannedRows({{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}});
  browser->SelectRow(3);
  const auto history = browser->history();
  ASSERT_TRUE(browser->FilterRows("song"));
  EXPECT_THAT(Shown(), ElementsAre("003_002", "003_003"));
  EXPECT_EQ(browser->selectedRow(), -1);  // the selected track is not shown
  EXPECT_EQ(browser->statusFields()[4], "0/2");
  EXPECT_FALSE(browser->FilterRows("SONG "));  // the same words: nothing changes
  ASSERT_TRUE(browser->FilterRows("relative"));
  EXPECT_EQ(browser->selectedRow(), 0);  // shown again, selected again
  ASSERT_TRUE(browser->FilterRows(" "));
  EXPECT_EQ(browser->rowCount(), 5);
  EXPECT_EQ(browser->selectedRow(), 3);
  EXPECT_TRUE(browser->resultMode());
  EXPECT_EQ(browser->history(), history);

  // A track chosen in the filtered list stays chosen.
  browser->FilterRows("petrov");
  browser->SelectRow(1);
  browser->FilterRows("");
  EXPECT_EQ(browser->selectedRow(), 4);
  EXPECT_EQ(browser->statusFields()[4], "5/5");

  // A new listing ends the filter; its text applies to the new rows.
  browser->FilterRows("song");
  browser->SetScannedRows({{1, 0}, {1, 1}});
  EXPECT_FALSE(browser->filtered());
  ASSERT_TRUE(browser->FilterRows("song"));
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(browser->listedRows().size(), 2u);
}

}  // namespace
}  // namespace trakvella::testing
