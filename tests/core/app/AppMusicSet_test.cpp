// The music set as the main window's state holds it: which set commands are
// enabled, and the preview player while the set window is visible (its selected
// entry plays, and the main list never moves on after it).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/TrackCodes.h"
#include "core/documents/DocumentEnabling.h"
#include "core/enabling/CommandEnabling.h"
#include "core/musicset/MusicSet.h"
#include "core/musicset/MusicSetEnabling.h"
#include "core/player/Player.h"
#include "core/settings/ServerConfig.h"
#include "ports/Random.h"
#include "support/Fakes.h"
#include "support/PageHttp.h"
#include "support/ScriptedMediaDevice.h"

namespace trakvella::testing {
namespace {

struct AppMusicSet : ::testing::Test {
  TempDir home;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeShell shell;
  StdRandom random{3};
  ScriptedMediaDevice device;
  PageHttp http;
  FakeClock clock;  // the player's pause takes no time
  std::unique_ptr<App> app;

  void SetUp() override {
    AppOptions options;
    options.programFolder = home.path();
    options.today = [] { return YearMonth{2026, 12}; };
    AppPorts ports{&dialogs, &clipboard, &shell, &random, &device, &http};
    ports.clock = &clock;
    app = std::make_unique<App>(options, ports);
    app->Start();
    app->FirstActivation();
  }
  bool Enabled(std::string_view menu, std::string_view command) const {
    for (const auto& c : app->enabling().Evaluate(menu))
      if (c.command == command) return c.enabled;
    ADD_FAILURE() << command << " has no row in " << menu;
    return false;
  }
  std::string AddressOfRow(int row) {
    const auto [cd, track] = app->browser().rows()[row];
    return TrackPathOrUrl(app->catalogue().Track(cd, track).location, app->demoBaseUrl());
  }
};

TEST_F(AppMusicSet, SetCommandsNeedRowsAndTheButtonsASelectedRow) {
  // The root level lists no tracks.
  for (const char* item : {"Copy1", "copyAll", "TrackInfoItem"}) EXPECT_FALSE(Enabled(kTrackMenus, item)) << item;
  EXPECT_FALSE(Enabled(kTrackRowButtons, "MemCopyBut"));

  app->browser().GoToPlace(std::string(kAllCdsPath));
  ASSERT_GT(app->browser().rowCount(), 3);
  app->browser().SelectRow(-1);
  for (const char* item : {"Copy1", "copyAll", "TrackInfoItem"}) EXPECT_TRUE(Enabled(kTrackMenus, item)) << item;
  EXPECT_FALSE(Enabled(kTrackRowButtons, "MemCopyBut"));
  EXPECT_FALSE(Enabled(kTrackRowButtons, "TrInfoBut"));
  app->browser().SelectRow(2);
  EXPECT_TRUE(Enabled(kTrackRowButtons, "MemCopyBut"));
  EXPECT_TRUE(Enabled(kTrackRowButtons, "TrInfoBut"));
}

TEST_F(AppMusicSet, WhileTheSetWindowIsVisibleItsEntryPlaysAndTheMainListNeverAdvancesAfterIt) {
  app->SetSwitch("NonStopPlaying", true);
  app->browser().GoToPlace(std::string(kAllCdsPath));
  Browser& browser = app->browser();
  MusicSet& set = app->musicSet();
  ASSERT_EQ(set.AddAll({browser.rows()[5], browser.rows()[6]}, "", app->progress()), 2u);
  browser.SelectRow(0);
  Player& player = app->player();

  app->SetMusicSetShown(true);
  set.SetSelection(1);
  player.PlayCurrent(true);
  ASSERT_EQ(device.opened.size(), 1u);
  EXPECT_EQ(device.opened.back(), AddressOfRow(6));  // the set's entry, not the main list's row
  player.Tick();
  EXPECT_EQ(player.PlayingFrom(), PlaySource::MusicSet);
  device.mode = MediaMode::Stopped;  // the track ends
  player.Tick();
  EXPECT_EQ(browser.selectedRow(), 0);
  EXPECT_EQ(device.opened.size(), 1u);

  // With the window hidden the main list plays and moves on as before.
  app->SetMusicSetShown(false);
  player.PlayCurrent(true);
  EXPECT_EQ(device.opened.back(), AddressOfRow(0));
  player.Tick();
  EXPECT_EQ(player.PlayingFrom(), PlaySource::TrackList);
  device.mode = MediaMode::Stopped;
  player.Tick();
  EXPECT_EQ(browser.selectedRow(), 1);
  EXPECT_EQ(device.opened.back(), AddressOfRow(1));

  // Clearing the set stops what plays, though no window listens to the set.
  ASSERT_EQ(device.mode, MediaMode::Playing);
  dialogs.answers = {MessageAnswer::Yes};
  ASSERT_TRUE(set.AskAndClear());
  EXPECT_EQ(device.mode, MediaMode::Stopped);
}

}  // namespace
}  // namespace trakvella::testing
