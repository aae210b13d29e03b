// The main window's caption: the counts of the catalogue as loaded and the signed-in account.
#include "core/app/MainWindowCaption.h"

#include <gtest/gtest.h>

#include "core/catalogue/Catalogue.h"
#include "support/CatalogueFixture.h"

namespace trakvella::testing {
namespace {

TEST(MainWindowCaption, ShowsCountsAndTheSignedInAccount) {
  TempDir folder;
  TagLineCatalogue({"1", "2", "3"}).Write(folder.path());
  LoadedCatalogue loaded;
  LoadFolder(loaded, folder.path(), {});
  const Catalogue& c = loaded.catalogue;
  EXPECT_EQ(MainWindowCaption(c, Language::English), "ТРАКВЕЛЛА 1.0.0.0 - CDs: 1 | Tracks: 3");
  EXPECT_EQ(MainWindowCaption(c, Language::Russian), "ТРАКВЕЛЛА 1.0.0.0 - Сборников: 1 | Треков: 3");
  EXPECT_EQ(MainWindowCaption(c, Language::English, {"ivan", "secret", -1}),
            "ТРАКВЕЛЛА 1.0.0.0 - CDs: 1 | Tracks: 3 | Subscription ivan (not entered) ");
  EXPECT_EQ(MainWindowCaption(c, Language::Russian, {"ivan", "secret", 25}),
            "ТРАКВЕЛЛА 1.0.0.0 - Сборников: 1 | Треков: 3 | Подписка ivan (осталось: 25) ");
  EXPECT_EQ(MainWindowCaption(c, Language::English, {"ivan", "", 25}), "ТРАКВЕЛЛА 1.0.0.0 - CDs: 1 | Tracks: 3");
}

}  // namespace
}  // namespace trakvella::testing
