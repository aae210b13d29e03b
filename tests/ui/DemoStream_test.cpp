// A preview streamed from the local demo server plays in the main window.
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/TrackCodes.h"
#include "core/net/Downloads.h"
#include "core/player/Player.h"
#include "core/settings/Settings.h"
#include "program/DesktopPorts.h"
#include "support/Fakes.h"
#include "support/LibraryServers.h"
#include "ui/main/MainForm.h"

namespace trakvella::testing {
namespace {

TEST(DemoStream, ThePlayButtonStreamsADemoTrackFromTheDemoServer) {
  TempDir home;
  LibraryServers servers(home.path(), "--max-tracks 3");
  FakeDialogs dialogs;
  AppOptions o;
  o.programFolder = home.path();
  o.today = [] { return YearMonth{2026, 12}; };
  DesktopPorts desktop;  // the real media device and HTTP client
  AppPorts ports = desktop.ports();
  ports.dialogs = &dialogs;
  App app(o, ports);
  TMainForm main(app, app.Start());
  main.show();
  main.FirstActivation();
  ASSERT_EQ(app.demoBaseUrl(), servers.demo1);
  // The first track of the first CD of the catalogue: demo audio exists for it.
  app.browser().GoToPlace("* ALL LIBRARY >> … ALL CDS : " + app.catalogue().Cd(0).cdText);
  main.Refresh();
  ASSERT_GT(app.browser().rowCount(), 0);
  app.browser().SelectRow(0);
  main.findChild<QToolButton*>("Playbut")->click();
  QElapsedTimer waited;
  waited.start();
  while (app.player().BarPosition() <= 0 && waited.elapsed() < 8000) QTest::qWait(50);
  EXPECT_GT(app.player().BarPosition(), 0) << app.player().Address();
  EXPECT_EQ(app.player().Address().rfind(servers.demo1, 0), 0u);
  EXPECT_FALSE(app.player().InFailureState());
  main.findChild<QToolButton*>("StopBut")->click();

  // The Top 100 list came from the web site at initialisation; its file is gone.
  EXPECT_FALSE(app.browser().topList().empty());
  EXPECT_FALSE(std::filesystem::exists(home.path() / "audio" / "top.txt"));

  // "Скачать демо трека": the chosen folder gets the demo file under its name.
  TempDir target;
  dialogs.folders = {target.path().string()};
  const TrackRecord* track = app.browser().SelectedTrack();
  ASSERT_NE(track, nullptr);
  main.Item("demodownitem")->trigger();
  const auto file = target.path() / DemoFileName(track->code, track->title);
  EXPECT_TRUE(std::filesystem::exists(file)) << file;
  EXPECT_GE(FileSizeOf(file), 10000);
  EXPECT_EQ(app.CollectSettings().lastDownloadFolder, target.path().string());
}

// Track 7 of every CD is missing on the demo server (404): the time label shows
// the waiting dots, then the yellow ":-(", and the position bar stays empty.
TEST(DemoStream, AMissingDemoShowsTheWaitingDotsAndThenTheFailure) {
  TempDir home;
  LibraryServers servers(home.path(), "--max-tracks 20");
  FakeDialogs dialogs;
  AppOptions o;
  o.programFolder = home.path();
  o.today = [] { return YearMonth{2026, 12}; };
  DesktopPorts desktop;
  AppPorts ports = desktop.ports();
  ports.dialogs = &dialogs;
  App app(o, ports);
  TMainForm main(app, app.Start());
  main.show();
  main.FirstActivation();
  const CdRecord& cd = app.catalogue().Cd(0);
  ASSERT_GE(cd.tracks.size(), 7u);
  ASSERT_TRUE(cd.tracks[6].code.ends_with("_007"));
  app.browser().GoToPlace("* ALL LIBRARY >> … ALL CDS : " + cd.cdText);
  main.Refresh();
  app.browser().SelectRow(6);
  main.findChild<QToolButton*>("Playbut")->click();
  Player& player = app.player();
  QElapsedTimer waited;
  waited.start();
  while (!player.StartFailed() && waited.elapsed() < 8000) QTest::qWait(50);
  ASSERT_TRUE(player.StartFailed()) << player.Address();
  auto* label = main.findChild<QLabel*>("Gb");
  main.PlayerTick();
  EXPECT_TRUE(label->text().startsWith('.')) << label->text().toStdString();
  for (int tick = 0; tick < Player::kFailureTicks; ++tick) main.PlayerTick();
  EXPECT_EQ(label->text(), ":-(");
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::yellow));
  EXPECT_EQ(main.findChild<QProgressBar*>("PlayBar")->value(), 0);
}

}  // namespace
}  // namespace trakvella::testing
