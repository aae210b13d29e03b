// The collections in the main window: their menus' enabling and captions, the
// title search from its button, and the web pages through the shell.
#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <algorithm>
#include <regex>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/settings/ServerConfig.h"
#include "support/Fakes.h"
#include "ui/MainWindowFixture.h"
#include "ui/main/MainForm.h"

namespace trakvella::testing {
namespace {

struct MainCollections : MainWindowTest {};

TEST_F(MainCollections, MenusFollowTheListsAndTheNetwork) {
  emit Control<QMenu>("TrPopupMenu")->aboutToShow();
  EXPECT_FALSE(main->Item("mTempItem")->isEnabled());   // no rows yet
  EXPECT_FALSE(main->Item("Top100Item")->isEnabled());  // no popularity list here
  emit Control<QMenu>("SimilarCDMenu")->aboutToShow();
  EXPECT_FALSE(main->Item("ShowAllSimCDItem")->isEnabled());  // a category row is selected

  app().browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
  main->Refresh();
  app().browser().SetTopList({app().catalogue().Cd(0).tracks[0].code});
  emit Control<QMenu>("TrPopupMenu")->aboutToShow();
  EXPECT_TRUE(main->Item("mTempItem")->isEnabled());
  EXPECT_TRUE(main->Item("MMmTempKeyItem")->isEnabled());
  EXPECT_TRUE(main->Item("Top100Item")->isEnabled());
  emit Control<QMenu>("SimilarCDMenu")->aboutToShow();
  EXPECT_TRUE(main->Item("ShowAllSimCDItem")->isEnabled());
  EXPECT_TRUE(main->Item("MMGotoCDurl")->isEnabled());

  // The submenu shows the selected track's tempo and key.
  const TrackRecord* track = app().browser().SelectedTrack();
  ASSERT_NE(track, nullptr);
  emit main->SubMenu("TrackShowItem")->aboutToShow();
  EXPECT_THAT(main->Item("mTempItem")->text().toStdString(), ::testing::EndsWith(" bpm"));
  EXPECT_THAT(main->Item("MMmKeyItem")->text().toStdString(), ::testing::HasSubstr(" - "));

  main->Item("gotocdurl")->trigger();
  main->Item("MMGotoTrackURLitem")->trigger();
  ASSERT_EQ(shell.urls.size(), 2u);
  EXPECT_EQ(shell.urls[1], app().endpoints().webSite + track->code);
}

// The harmonic and the similar tracks: enabled with the related items, the harmonic caption names
// the keys, and the Back button leaves each result.
TEST_F(MainCollections, HarmonicKeysAndSimilarTracks) {
  emit Control<QMenu>("TrPopupMenu")->aboutToShow();
  EXPECT_FALSE(main->Item("mHarmonicItem")->isEnabled());
  EXPECT_FALSE(main->Item("MMSimilarTracksItem")->isEnabled());
  app().browser().SelectBoxRow(0);  // a category the user opens: a place to go back to
  app().browser().OpenSelectedRow(true);
  app().browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
  main->Refresh();
  // A track with a key of the wheel.
  const auto& rows = app().browser().rows();
  const auto keyed = std::find_if(rows.begin(), rows.end(), [this](const auto& row) {
    return std::regex_search(app().catalogue().Track(row.cd, row.track).tagLine, std::regex("<([1-9]|1[0-2])B>"));
  });
  ASSERT_NE(keyed, rows.end());
  app().browser().SelectRow(static_cast<int>(keyed - rows.begin()));
  const std::string code = app().browser().SelectedTrack()->code;
  emit Control<QMenu>("TrPopupMenu")->aboutToShow();
  ASSERT_TRUE(main->Item("MMmHarmonicItem")->isEnabled());
  ASSERT_TRUE(main->Item("SimilarTracksItem")->isEnabled());
  emit main->SubMenu("MMTrackShowItem")->aboutToShow();
  EXPECT_THAT(main->Item("MMmHarmonicItem")->text().toStdString(),
              ::testing::ContainsRegex(" - [A-G]#?maj \\([^,]+, [^,]+, [^,]+\\)$"));

  main->Item("MMmHarmonicItem")->trigger();
  ASSERT_TRUE(app().browser().resultMode());
  std::vector<std::string> codes;
  for (const auto& [cd, t] : app().browser().rows()) codes.push_back(app().catalogue().Track(cd, t).code);
  EXPECT_THAT(codes, ::testing::Contains(code));
  EXPECT_EQ(FileBox()->model()->rowCount(), static_cast<int>(codes.size()));

  // The similar tracks of the first harmonic row: 50, without it; Back leaves them.
  const std::string first = codes.front();
  main->Item("SimilarTracksItem")->trigger();
  ASSERT_EQ(FileBox()->model()->rowCount(), 50);
  std::vector<std::string> similar;
  for (const auto& [cd, t] : app().browser().rows()) similar.push_back(app().catalogue().Track(cd, t).code);
  EXPECT_THAT(similar, ::testing::Not(::testing::Contains(first)));
  Control<QToolButton>("BackBtn")->click();
  EXPECT_FALSE(app().browser().resultMode());
}

TEST_F(MainCollections, TitleSearchFromItsButton) {
  dialogs.inputs = {std::string("KMLB_027")};
  Control<QToolButton>("SearchNameBut")->click();
  EXPECT_TRUE(app().browser().resultMode());
  ASSERT_GT(FileBox()->model()->rowCount(), 0);
  for (const auto& [cd, t] : app().browser().rows())
    EXPECT_EQ(app().catalogue().Track(cd, t).code.rfind("KMLB_027", 0), 0u);
  // Cancelled: nothing changes.
  const int rows = FileBox()->model()->rowCount();
  Control<QToolButton>("SearchNameBut")->click();
  EXPECT_EQ(FileBox()->model()->rowCount(), rows);
}

}  // namespace
}  // namespace trakvella::testing
