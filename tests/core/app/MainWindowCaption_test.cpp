// The main window's caption: the counts of the catalogue as loaded and the signed-in account.
#include "core/app/MainWindowCaption.h"

#include <gtest/gtest.h>

#include "core/catalogue/Catalogue.h"

namespace trakvella::testing {
namespace {

TEST(MainWindowCaption, ShowsCountsAndTheSignedInAccount) {
  Catalogue c;
  c.cdCount = 12;
  c.trackCount = 190;
  EXPECT_EQ(MainWindowCaption(c, Language::English), "ТРАКВЕЛЛА 1.0.0.0 - CDs: 12 | Tracks: 190");
  EXPECT_EQ(MainWindowCaption(c, Language::Russian), "ТРАКВЕЛЛА 1.0.0.0 - Сборников: 12 | Треков: 190");
  EXPECT_EQ(MainWindowCaption(c, Language::English, {"ivan", "secret", -1}),
            "ТРАКВЕЛЛА 1.0.0.0 - CDs: 12 | Tracks: 190 | Subscription ivan (not entered) ");
  EXPECT_EQ(MainWindowCaption(c, Language::Russian, {"ivan", "secret", 25}),
            "ТРАКВЕЛЛА 1.0.0.0 - Сборников: 12 | Треков: 190 | Подписка ivan (осталось: 25) ");
  EXPECT_EQ(MainWindowCaption(c, Language::English, {"ivan", "", 25}), "ТРАКВЕЛЛА 1.0.0.0 - CDs: 12 | Tracks: 190");
}

}  // namespace
}  // namespace trakvella::testing
