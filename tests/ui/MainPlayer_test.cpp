// The preview player in the main window: the track list's mouse, the buttons and
// keys, the demo servers and the switches, over a scripted media device.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTest>

#include "ui/main/MainForm.h"
#include "core/player/Player.h"
#include "ports/MediaDevice.h"
#include "support/Fakes.h"
#include "ui/MainWindowFixture.h"

namespace trakvella::testing {
namespace {

// Plays whatever it is given, at once.
class ScriptedDevice : public MediaDevice {
 public:
  std::vector<std::string> opened;
  MediaMode mode = MediaMode::NotReady;
  int64_t position = 0;
  bool Open(const std::string& address) override {
    opened.push_back(address);
    mode = MediaMode::Open;
    return true;
  }
  bool Play() override {
    mode = MediaMode::Playing;
    return true;
  }
  bool Pause() override {
    mode = MediaMode::Paused;
    return true;
  }
  bool Resume() override { return Play(); }
  bool Stop() override {
    if (mode != MediaMode::NotReady) mode = MediaMode::Stopped;
    return true;
  }
  bool Close() override {
    mode = MediaMode::NotReady;
    return true;
  }
  bool Seek(int64_t ms) override {
    position = ms;
    return true;
  }
  MediaMode Mode() const override { return mode; }
  int64_t LengthMs() const override { return 60000; }
  int64_t PositionMs() const override { return position; }
  bool IsOpen() const override { return mode != MediaMode::NotReady; }
};

struct MainPlayer : MainWindowTest {
  ScriptedDevice device;

  void SetUp() override {
    Start(&device);
    main->browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
    main->Refresh();
    device.opened.clear();
    device.mode = MediaMode::NotReady;
  }
  QPoint RowCentre(int row) { return main->FileBox->visualRect(main->FileBox->model()->index(row, 0)).center(); }
};

TEST_F(MainPlayer, AClickOnlySelectsAndADoubleClickPlays) {
  ASSERT_GT(main->FileBox->model()->rowCount(), 2);
  QTest::mouseClick(main->FileBox->viewport(), Qt::LeftButton, {}, RowCentre(1));
  QTest::qWait(20);
  EXPECT_EQ(main->browser().selectedRow(), 1);
  EXPECT_TRUE(device.opened.empty());  // Autoplay is off: loaded, not opened
  // The second press of a double click, then its release.
  QTest::mousePress(main->FileBox->viewport(), Qt::LeftButton, {}, RowCentre(1));
  QTest::mouseDClick(main->FileBox->viewport(), Qt::LeftButton, {}, RowCentre(1));
  QTest::mouseRelease(main->FileBox->viewport(), Qt::LeftButton, {}, RowCentre(1));
  QTest::qWait(250);
  ASSERT_EQ(device.opened.size(), 1u);
  EXPECT_EQ(device.opened[0].rfind(main->demoBaseUrl(), 0), 0u);
  EXPECT_EQ(device.mode, MediaMode::Playing);
}

TEST_F(MainPlayer, SpacePlaysAndTheTimerShowsTheTime) {
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  main->FileBox->setFocus();
  QTest::keyClick(main->FileBox, Qt::Key_Space);
  EXPECT_EQ(device.mode, MediaMode::Playing);
  device.position = 35432;
  main->PlayerTick();
  EXPECT_EQ(main->Gb->text(), "00:35");
  EXPECT_EQ(main->PlayBar->maximum(), 60000);
  EXPECT_EQ(main->PlayBar->value(), 35432);
  // The bar is past 0: Space now stops.
  QTest::keyClick(main->FileBox, Qt::Key_Space);
  EXPECT_EQ(device.mode, MediaMode::Stopped);
}

TEST_F(MainPlayer, ArrowKeysSeekForTheWholeApplication) {
  main->Playbut->click();
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  auto* edit = main->KeyBox->lineEdit();
  edit->setFocus();
  edit->setText("abc");
  edit->setCursorPosition(3);
  QTest::keyPress(edit, Qt::Key_Left);
  EXPECT_EQ(edit->cursorPosition(), 3);  // the edit never sees the key
  EXPECT_EQ(main->player().SeekStep(), -5000);
  QTest::keyRelease(edit, Qt::Key_Left);
  EXPECT_EQ(main->player().SeekStep(), 0);
}

TEST_F(MainPlayer, DemoServerTwoIsUsedAtOnce) {
  main->Item("SrvItem2")->trigger();
  EXPECT_TRUE(main->Item("SrvItem2")->isChecked());
  EXPECT_TRUE(main->Item("MMSrvItem2")->isChecked());
  EXPECT_FALSE(main->Item("SrvItem1")->isChecked());
  EXPECT_EQ(main->demoBaseUrl(), main->endpoints().demoServer2);
  main->Item("Autoplay1")->trigger();
  EXPECT_TRUE(main->player().Switches().autoplay);
  EXPECT_TRUE(main->Item("MMAutoPlay1")->isChecked());
  main->Item("SrvItem1")->trigger();  // with Autoplay on, the track plays from server 1
  ASSERT_FALSE(device.opened.empty());
  EXPECT_EQ(device.opened.back().rfind(main->endpoints().demoServer1, 0), 0u);
  EXPECT_TRUE(main->CollectSettings().autoplay);
}

TEST_F(MainPlayer, DemoDownloadIsOfferedOnlyOnline) {
  emit main->TrPopupMenu->aboutToShow();
  EXPECT_TRUE(main->Item("demodownitem")->isEnabled());
  EXPECT_TRUE(main->Item("MMdemodownitem")->isEnabled());
}

}  // namespace
}  // namespace trakvella::testing
