// The preview player in the main window: the track list's mouse, the buttons and
// keys, the demo servers and the switches, over a scripted media device.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/player/Player.h"
#include "core/settings/ServerConfig.h"
#include "core/settings/Settings.h"
#include "ports/MediaDevice.h"
#include "support/Fakes.h"
#include "support/ScriptedMediaDevice.h"
#include "ui/MainWindowFixture.h"
#include "ui/main/MainForm.h"

namespace trakvella::testing {
namespace {

struct MainPlayer : MainWindowTest {
  ScriptedMediaDevice device;

  void SetUp() override {
    Start(&device);
    app().browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
    main->Refresh();
    device.opened.clear();
    device.mode = MediaMode::NotReady;
  }
  QPoint RowCentre(int row) { return FileBox()->visualRect(FileBox()->model()->index(row, 0)).center(); }
};

TEST_F(MainPlayer, AClickOnlySelectsAndADoubleClickPlays) {
  ASSERT_GT(FileBox()->model()->rowCount(), 2);
  QTest::mouseClick(FileBox()->viewport(), Qt::LeftButton, {}, RowCentre(1));
  QTest::qWait(20);
  EXPECT_EQ(app().browser().selectedRow(), 1);
  EXPECT_TRUE(device.opened.empty());  // Autoplay is off: loaded, not opened
  // The second press of a double click, then its release.
  QTest::mousePress(FileBox()->viewport(), Qt::LeftButton, {}, RowCentre(1));
  QTest::mouseDClick(FileBox()->viewport(), Qt::LeftButton, {}, RowCentre(1));
  QTest::mouseRelease(FileBox()->viewport(), Qt::LeftButton, {}, RowCentre(1));
  QTest::qWait(250);
  ASSERT_EQ(device.opened.size(), 1u);
  EXPECT_EQ(device.opened[0].rfind(app().demoBaseUrl(), 0), 0u);
  EXPECT_EQ(device.mode, MediaMode::Playing);
}

// Through the window, as the window system delivers them: the second press of
// a double click reaches the list as a double-click event. The first double
// click of the session plays, and a later single click only selects.
TEST_F(MainPlayer, TheFirstDoubleClickPlaysAndTheNextClickOnlySelects) {
  ASSERT_GT(FileBox()->model()->rowCount(), 3);
  QWindow* window = main->windowHandle();
  auto inWindow = [&](int row) { return FileBox()->viewport()->mapTo(main.get(), RowCentre(row)); };
  QTest::mouseDClick(window, Qt::LeftButton, {}, inWindow(2));
  QTest::qWait(250);
  EXPECT_EQ(app().browser().selectedRow(), 2);
  ASSERT_EQ(device.opened.size(), 1u);
  EXPECT_EQ(device.mode, MediaMode::Playing);
  QTest::mouseClick(window, Qt::LeftButton, {}, inWindow(3));
  QTest::qWait(50);
  EXPECT_EQ(app().browser().selectedRow(), 3);
  EXPECT_EQ(device.opened.size(), 1u);
}

TEST_F(MainPlayer, SpacePlaysAndTheTimerShowsTheTime) {
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  FileBox()->setFocus();
  QTest::keyClick(FileBox(), Qt::Key_Space);
  EXPECT_EQ(device.mode, MediaMode::Playing);
  device.position = 35432;
  main->PlayerTick();
  EXPECT_EQ(Control<QLabel>("Gb")->text(), "00:35");
  EXPECT_EQ(Control<QProgressBar>("PlayBar")->maximum(), 60000);
  EXPECT_EQ(Control<QProgressBar>("PlayBar")->value(), 35432);
  // The bar is past 0: Space now stops.
  QTest::keyClick(FileBox(), Qt::Key_Space);
  EXPECT_EQ(device.mode, MediaMode::Stopped);
}

TEST_F(MainPlayer, ArrowKeysSeekForTheWholeApplication) {
  Control<QToolButton>("Playbut")->click();
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  auto* edit = Control<QComboBox>("KeyBox")->lineEdit();
  edit->setFocus();
  edit->setText("abc");
  edit->setCursorPosition(3);
  QTest::keyPress(edit, Qt::Key_Left);
  EXPECT_EQ(edit->cursorPosition(), 3);  // the edit never sees the key
  EXPECT_EQ(app().player().SeekStep(), -5000);
  QTest::keyRelease(edit, Qt::Key_Left);
  EXPECT_EQ(app().player().SeekStep(), 0);
}

TEST_F(MainPlayer, DemoServerTwoIsUsedAtOnce) {
  main->Item("SrvItem2")->trigger();
  EXPECT_TRUE(main->Item("SrvItem2")->isChecked());
  EXPECT_TRUE(main->Item("MMSrvItem2")->isChecked());
  EXPECT_FALSE(main->Item("SrvItem1")->isChecked());
  EXPECT_EQ(app().demoBaseUrl(), app().endpoints().demoServer2);
  main->Item("Autoplay1")->trigger();
  EXPECT_TRUE(app().player().Switches().autoplay);
  EXPECT_TRUE(main->Item("MMAutoPlay1")->isChecked());
  main->Item("SrvItem1")->trigger();  // with Autoplay on, the track plays from server 1
  ASSERT_FALSE(device.opened.empty());
  EXPECT_EQ(device.opened.back().rfind(app().endpoints().demoServer1, 0), 0u);
  EXPECT_TRUE(app().CollectSettings().autoplay);
}

// Qt draws a bar without a length as "busy"; an idle position bar is an empty one.
TEST_F(MainPlayer, AnIdlePositionBarIsEmptyNeverBusy) {
  auto* bar = Control<QProgressBar>("PlayBar");
  main->PlayerTick();
  EXPECT_LT(bar->minimum(), bar->maximum());
  EXPECT_EQ(bar->value(), bar->minimum());
  Control<QToolButton>("Playbut")->click();
  device.position = 1000;
  main->PlayerTick();
  EXPECT_EQ(bar->value(), 1000);
  Control<QToolButton>("StopBut")->click();
  main->PlayerTick();
  EXPECT_LT(bar->minimum(), bar->maximum());
  EXPECT_EQ(bar->value(), bar->minimum());
}

}  // namespace
}  // namespace trakvella::testing
