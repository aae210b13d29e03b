// The collections in the main window: their menus' enabling and captions, the
// title search from its button, and the web pages through the shell.
#include <QAction>
#include <QMenu>
#include <QToolButton>

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
  app().browser().topList = {app().catalogue().cds[0].tracks[0].code};
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
