// A preview streamed from the local demo server plays in the main window.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "app/mainunit.h"
#include "player/Player.h"
#include "support/Fakes.h"
#include "support/LibraryServers.h"

namespace trakvella::testing {
namespace {

TEST(DemoStream, ThePlayButtonStreamsADemoTrackFromTheDemoServer) {
  TempDir home;
  LibraryServers servers(home.path(), "--max-tracks 3");
  FakeDialogs dialogs;
  MainFormOptions o;
  o.programFolder = home.path();
  o.today = [] { return YearMonth{2026, 12}; };
  TMainForm main(o, &dialogs);  // the real media device, reading servers.ini
  main.show();
  main.FirstActivation();
  ASSERT_EQ(main.demoBaseUrl(), servers.demo1);
  // The first track of the first CD of the catalogue: demo audio exists for it.
  main.browser().GoToPlace("* ALL LIBRARY >> … ALL CDS : " + main.catalogue().cds[0].cdText);
  main.Refresh();
  ASSERT_GT(main.browser().rowCount(), 0);
  main.browser().SelectRow(0);
  main.Playbut->click();
  QElapsedTimer waited;
  waited.start();
  while (main.player().BarPosition() <= 0 && waited.elapsed() < 8000) QTest::qWait(50);
  EXPECT_GT(main.player().BarPosition(), 0) << main.player().Address();
  EXPECT_EQ(main.player().Address().rfind(servers.demo1, 0), 0u);
  EXPECT_FALSE(main.player().InFailureState());
  main.StopBut->click();
}

}  // namespace
}  // namespace trakvella::testing
