// The main window's lists: walking the tree with the mouse, the sort and
// display menus, favourites, the CD information pop-up and the track commands.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "support/Fakes.h"
#include "ui/MainWindowFixture.h"
#include "ui/main/MainForm.h"
#include "ui/maintenance/InfoForm.h"
#include "ui/maintenance/OrgForm.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;

struct Lists : MainWindowTest {
  int BoxRowOf(const std::string& text) {
    const auto& rows = app().browser().boxRows();
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].text == text) return static_cast<int>(i);
    return -1;
  }
  QPoint BoxRowCentre(int row) {
    return CDCatBox()->visualRect(CDCatBox()->model()->index(row, 0)).center();
  }
  void DoubleClickRow(const std::string& text) {
    const int row = BoxRowOf(text);
    ASSERT_GE(row, 0) << text;
    CDCatBox()->scrollTo(CDCatBox()->model()->index(row, 0));
    // A double click is a press and release, then a second press that is the double click.
    QTest::mousePress(CDCatBox()->viewport(), Qt::LeftButton, {}, BoxRowCentre(row));
    QTest::mouseRelease(CDCatBox()->viewport(), Qt::LeftButton, {}, BoxRowCentre(row));
    QTest::mouseDClick(CDCatBox()->viewport(), Qt::LeftButton, {}, BoxRowCentre(row));
  }
  void ClickRow(const std::string& text) {
    const int row = BoxRowOf(text);
    ASSERT_GE(row, 0) << text;
    CDCatBox()->scrollTo(CDCatBox()->model()->index(row, 0));
    QTest::mouseClick(CDCatBox()->viewport(), Qt::LeftButton, {}, BoxRowCentre(row));
  }
  // Opens the first CD filed under "… ALL CDS".
  void OpenFirstCd() {
    DoubleClickRow("* ALL LIBRARY");
    DoubleClickRow("… ALL CDS");
  }
};

TEST_F(Lists, TheRootIsShownAfterLoadingWithTheTagBoxFilled) {
  EXPECT_EQ(app().browser().currentPath(), "");
  EXPECT_GT(CDCatBox()->model()->rowCount(), 3);
  EXPECT_EQ(FileBox()->model()->rowCount(), 0);
  EXPECT_GT(Control<QComboBox>("KeyBox")->count(), 10);
  EXPECT_FALSE(Control<QToolButton>("BackBtn")->isEnabled());
}

TEST_F(Lists, ClickingRowsWalksTheTreeAndOpensCds) {
  ClickRow("* ALL LIBRARY");  // a single click on a category does nothing
  EXPECT_EQ(app().browser().currentPath(), "");
  DoubleClickRow("* ALL LIBRARY");
  EXPECT_EQ(app().browser().currentPath(), "* ALL LIBRARY");
  EXPECT_EQ(Control<QLabel>("CDCatInfo")->text(), QString::fromUtf8(" * ALL LIBRARY"));
  EXPECT_TRUE(Control<QToolButton>("BackBtn")->isEnabled());
  DoubleClickRow("… ALL CDS");
  // The first CD of "… ALL CDS" opened by itself; its tracks are listed, row 0 selected.
  EXPECT_GT(FileBox()->model()->rowCount(), 0);
  EXPECT_EQ(FileBox()->currentIndex().row(), 0);
  EXPECT_TRUE(Control<QLabel>("SortInfoLbl")->isVisible());
  EXPECT_FALSE(StatusField(1).isEmpty());
  EXPECT_THAT(StatusField(0).toStdString(), ::testing::StartsWith("1/"));
  // Another CD with one click.
  const auto& rows = app().browser().boxRows();
  ASSERT_GE(rows.size(), 2u);
  const std::string second = rows[1].text;
  ClickRow(second);
  EXPECT_THAT(app().browser().currentPath(), ::testing::EndsWith(" : " + second));
  Control<QToolButton>("BackBtn")->click();  // the previous level
  EXPECT_EQ(app().browser().currentPath(), "* ALL LIBRARY");
  Control<QToolButton>("ForwardBtn")->click();  // the level again, its first CD open
  EXPECT_THAT(app().browser().currentPath(), ::testing::StartsWith("* ALL LIBRARY >> … ALL CDS : "));
  EXPECT_FALSE(Control<QToolButton>("ForwardBtn")->isEnabled());
}

TEST_F(Lists, SortMenusMirrorTheTrackMenu) {
  OpenFirstCd();
  main->Item("SortLenItem")->trigger();
  EXPECT_TRUE(main->Item("SortLenItem")->isChecked());
  EXPECT_FALSE(main->Item("SortOrdItem")->isChecked());
  EXPECT_TRUE(main->Item("MMSortLenItem")->isChecked());
  EXPECT_FALSE(main->Item("MMSortOrdItem")->isChecked());
  EXPECT_EQ(Control<QLabel>("SortInfoLbl")->text(), " " + main->Item("SortLenItem")->text());
  emit Control<QMenu>("SortPopUpMenu")->aboutToShow();
  EXPECT_TRUE(main->Item("SortLenItem2")->isChecked());
  // The open CD is listed again at once, shortest first.
  const auto& rows = app().browser().rows();
  const auto& c = app().catalogue();
  EXPECT_LE(c.Track(rows.front().first, rows.front().second).duration,
            c.Track(rows.back().first, rows.back().second).duration);
  // Reversing from the small menu flips the master and shows the up arrow.
  main->Item("ReverseSortItem2")->trigger();
  EXPECT_TRUE(main->Item("ReverseSortItem")->isChecked());
  EXPECT_TRUE(main->Item("MMReverseSortItem")->isChecked());
  EXPECT_TRUE(Control<QLabel>("SortButUp")->isVisible());
  EXPECT_FALSE(Control<QLabel>("SortButDn")->isVisible());
  main->Item("MMReverseSortItem")->trigger();
  EXPECT_FALSE(main->Item("ReverseSortItem")->isChecked());
}

TEST_F(Lists, DisplayOptionsKeepCodeOrNameOn) {
  main->Item("showcode")->trigger();  // off
  EXPECT_FALSE(main->Item("showcode")->isChecked());
  main->Item("MMshowname")->trigger();  // off from the main menu: the code comes back
  EXPECT_FALSE(main->Item("showname")->isChecked());
  EXPECT_TRUE(main->Item("showcode")->isChecked());
  EXPECT_TRUE(main->Item("MMshowcode")->isChecked());
  EXPECT_FALSE(main->CollectSettings().display.showName);
}

TEST_F(Lists, FavouritesMenuAndOrganiserRoundTrip) {
  DoubleClickRow("* ALL LIBRARY");
  main->Item("Addtofavorites")->trigger();
  Control<QToolButton>("BackBtn")->click();
  DoubleClickRow("… CDS BY YEAR");
  main->Item("Addtofavorites")->trigger();
  auto captions = [&] {
    std::vector<std::string> texts;
    for (QAction* a : Control<QMenu>("FavMenu")->actions())
      if (a->objectName().startsWith("favitem")) texts.push_back(a->text().toStdString());
    return texts;
  };
  EXPECT_THAT(captions(), ElementsAre("01 » * ALL LIBRARY", "02 » … CDS BY YEAR"));
  // The organiser reorders them; the menu is rebuilt in its order.
  QTimer::singleShot(0, main.get(), [this] {
    Control<TOrgForm>("OrgForm")->DownButtonClick();  // nothing current yet: nothing happens
    Control<TOrgForm>("OrgForm")->SetPlaces({"… CDS BY YEAR", "* ALL LIBRARY"});
    Control<TOrgForm>("OrgForm")->ExitButtonClick();
  });
  emit Control<QMenu>("FavMenu")->aboutToShow();  // the user opens the menu and chooses the item
  main->Item("OrgFavorites")->trigger();
  EXPECT_THAT(captions(), ElementsAre("01 » … CDS BY YEAR", "02 » * ALL LIBRARY"));
  EXPECT_THAT(main->CollectSettings().favourites, ElementsAre("… CDS BY YEAR", "* ALL LIBRARY"));
  Control<QMenu>("FavMenu")->actions().back()->trigger();
  EXPECT_EQ(app().browser().currentPath(), "* ALL LIBRARY");
}

TEST_F(Lists, TrackCommandsCopyAndReveal) {
  OpenFirstCd();
  main->Item("CopyFName")->trigger();
  EXPECT_EQ(clipboard.text.rfind(app().demoBaseUrl(), 0), 0u);
  EXPECT_THAT(clipboard.text, ::testing::EndsWith(".mp3"));
  main->Item("CopyNameItem")->trigger();
  EXPECT_EQ(clipboard.text, app().browser().ComposeTrackName());
  main->Item("Gotofilefolder1")->trigger();  // a demo track: its web page
  ASSERT_EQ(shell.urls.size(), 1u);
  EXPECT_EQ(shell.urls[0].rfind(app().endpoints().webSite, 0), 0u);
}

TEST_F(Lists, CtrlCCopiesTheFileNameButCtrlShiftCDoesNot) {
  OpenFirstCd();
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  FileBox()->setFocus();
  QTest::keyClick(FileBox(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(clipboard.sets, 0);
  QTest::keyClick(FileBox(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard.sets, 1);
  EXPECT_THAT(clipboard.text, ::testing::EndsWith(".mp3"));
}

TEST_F(Lists, MiddleClickShowsTheCdInformationAndRightReleaseHidesIt) {
  DoubleClickRow("* ALL LIBRARY");
  DoubleClickRow("… ALL CDS");
  const QPoint cdRow = BoxRowCentre(0);
  QTest::mousePress(CDCatBox()->viewport(), Qt::MiddleButton, {}, cdRow);
  EXPECT_TRUE(Control<TInfoForm>("InfoForm")->isVisible());
  EXPECT_EQ(Control<TInfoForm>("InfoForm")->width(), 330);
  QTest::mouseRelease(CDCatBox()->viewport(), Qt::RightButton, {}, cdRow);
  EXPECT_FALSE(Control<TInfoForm>("InfoForm")->isVisible());
}

}  // namespace
}  // namespace trakvella::testing
