// The main window's lists: walking the tree with the mouse, the sort and
// display menus, favourites, the CD information pop-up and the track commands.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "ui/lang/LangCaptions.h"
#include "ui/main/MainForm.h"
#include "ui/wait/WaitForm.h"
#include "ui/maintenance/InfoForm.h"
#include "ui/maintenance/OrgForm.h"
#include "support/Fakes.h"
#include "ui/MainWindowFixture.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;

struct Lists : MainWindowTest {


  int BoxRowOf(const std::string& text) {
    const auto& rows = main->browser().boxRows();
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].text == text) return static_cast<int>(i);
    return -1;
  }
  QPoint BoxRowCentre(int row) {
    return main->CDCatBox->visualRect(main->CDCatBox->model()->index(row, 0)).center();
  }
  void DoubleClickRow(const std::string& text) {
    const int row = BoxRowOf(text);
    ASSERT_GE(row, 0) << text;
    main->CDCatBox->scrollTo(main->CDCatBox->model()->index(row, 0));
    // A double click is a press and release, then a second press that is the double click.
    QTest::mousePress(main->CDCatBox->viewport(), Qt::LeftButton, {}, BoxRowCentre(row));
    QTest::mouseRelease(main->CDCatBox->viewport(), Qt::LeftButton, {}, BoxRowCentre(row));
    QTest::mouseDClick(main->CDCatBox->viewport(), Qt::LeftButton, {}, BoxRowCentre(row));
  }
  void ClickRow(const std::string& text) {
    const int row = BoxRowOf(text);
    ASSERT_GE(row, 0) << text;
    main->CDCatBox->scrollTo(main->CDCatBox->model()->index(row, 0));
    QTest::mouseClick(main->CDCatBox->viewport(), Qt::LeftButton, {}, BoxRowCentre(row));
  }
  // Opens the first CD filed under "… ALL CDS".
  void OpenFirstCd() {
    DoubleClickRow("* ALL LIBRARY");
    DoubleClickRow("… ALL CDS");
  }
};

TEST_F(Lists, TheRootIsShownAfterLoadingWithTheTagBoxFilled) {
  EXPECT_EQ(main->browser().currentPath(), "");
  EXPECT_GT(main->CDCatBox->model()->rowCount(), 3);
  EXPECT_EQ(main->FileBox->model()->rowCount(), 0);
  EXPECT_GT(main->KeyBox->count(), 10);
  EXPECT_FALSE(main->BackBtn->isEnabled());
}

TEST_F(Lists, ClickingRowsWalksTheTreeAndOpensCds) {
  ClickRow("* ALL LIBRARY");  // a single click on a category does nothing
  EXPECT_EQ(main->browser().currentPath(), "");
  DoubleClickRow("* ALL LIBRARY");
  EXPECT_EQ(main->browser().currentPath(), "* ALL LIBRARY");
  EXPECT_EQ(main->CDCatInfo->text(), QString::fromUtf8(" * ALL LIBRARY"));
  EXPECT_TRUE(main->BackBtn->isEnabled());
  DoubleClickRow("… ALL CDS");
  // The first CD of "… ALL CDS" opened by itself; its tracks are listed, row 0 selected.
  EXPECT_GT(main->FileBox->model()->rowCount(), 0);
  EXPECT_EQ(main->FileBox->currentIndex().row(), 0);
  EXPECT_TRUE(main->SortInfoLbl->isVisible());
  EXPECT_FALSE(main->StatusField(1).isEmpty());
  EXPECT_THAT(main->StatusField(0).toStdString(), ::testing::StartsWith("1/"));
  // Another CD with one click.
  const auto& rows = main->browser().boxRows();
  ASSERT_GE(rows.size(), 2u);
  const std::string second = rows[1].text;
  ClickRow(second);
  EXPECT_THAT(main->browser().currentPath(), ::testing::EndsWith(" : " + second));
  main->BackBtn->click();  // the previous level
  EXPECT_EQ(main->browser().currentPath(), "* ALL LIBRARY");
  main->ForwardBtn->click();  // the level again, its first CD open
  EXPECT_THAT(main->browser().currentPath(), ::testing::StartsWith("* ALL LIBRARY >> … ALL CDS : "));
  EXPECT_FALSE(main->ForwardBtn->isEnabled());
}

TEST_F(Lists, SortMenusMirrorTheTrackMenu) {
  OpenFirstCd();
  main->Item("SortLenItem")->trigger();
  EXPECT_TRUE(main->Item("SortLenItem")->isChecked());
  EXPECT_FALSE(main->Item("SortOrdItem")->isChecked());
  EXPECT_TRUE(main->Item("MMSortLenItem")->isChecked());
  EXPECT_FALSE(main->Item("MMSortOrdItem")->isChecked());
  EXPECT_EQ(main->SortInfoLbl->text(), " " + main->Item("SortLenItem")->text());
  emit main->SortPopUpMenu->aboutToShow();
  EXPECT_TRUE(main->Item("SortLenItem2")->isChecked());
  // The open CD is listed again at once, shortest first.
  const auto& rows = main->browser().rows();
  const auto& c = main->catalogue();
  EXPECT_LE(c.Track(rows.front().first, rows.front().second).duration,
            c.Track(rows.back().first, rows.back().second).duration);
  // Reversing from the small menu flips the master and shows the up arrow.
  main->Item("ReverseSortItem2")->trigger();
  EXPECT_TRUE(main->Item("ReverseSortItem")->isChecked());
  EXPECT_TRUE(main->Item("MMReverseSortItem")->isChecked());
  EXPECT_TRUE(main->SortButUp->isVisible());
  EXPECT_FALSE(main->SortButDn->isVisible());
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
  EXPECT_FALSE(main->CollectSettings().showName);
}

TEST_F(Lists, FavouritesMenuAndOrganiserRoundTrip) {
  DoubleClickRow("* ALL LIBRARY");
  main->Item("Addtofavorites")->trigger();
  main->BackBtn->click();
  DoubleClickRow("… CDS BY YEAR");
  main->Item("Addtofavorites")->trigger();
  auto captions = [&] {
    std::vector<std::string> texts;
    for (QAction* a : main->FavMenu->actions())
      if (a->objectName().startsWith("favitem")) texts.push_back(a->text().toStdString());
    return texts;
  };
  EXPECT_THAT(captions(), ElementsAre("01 » * ALL LIBRARY", "02 » … CDS BY YEAR"));
  // The organiser reorders them; the menu is rebuilt in its order.
  QTimer::singleShot(0, main.get(), [this] {
    main->orgForm()->DownButtonClick();  // nothing current yet: nothing happens
    main->orgForm()->SetPlaces({"… CDS BY YEAR", "* ALL LIBRARY"});
    main->orgForm()->ExitButtonClick();
  });
  main->OrgFavoritesClick();
  EXPECT_THAT(captions(), ElementsAre("01 » … CDS BY YEAR", "02 » * ALL LIBRARY"));
  EXPECT_THAT(main->CollectSettings().favourites, ElementsAre("… CDS BY YEAR", "* ALL LIBRARY"));
  main->FavMenu->actions().back()->trigger();
  EXPECT_EQ(main->browser().currentPath(), "* ALL LIBRARY");
}

TEST_F(Lists, TrackCommandsCopyAndReveal) {
  OpenFirstCd();
  main->Item("CopyFName")->trigger();
  EXPECT_EQ(clipboard.text.rfind(main->demoBaseUrl(), 0), 0u);
  EXPECT_THAT(clipboard.text, ::testing::EndsWith(".mp3"));
  main->Item("CopyNameItem")->trigger();
  EXPECT_EQ(clipboard.text, main->browser().ComposeTrackName());
  main->Item("Gotofilefolder1")->trigger();  // a demo track: its web page
  ASSERT_EQ(shell.urls.size(), 1u);
  EXPECT_EQ(shell.urls[0].rfind(main->endpoints().webSite, 0), 0u);
}

TEST_F(Lists, CtrlCCopiesTheFileNameButCtrlShiftCDoesNot) {
  OpenFirstCd();
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  main->FileBox->setFocus();
  QTest::keyClick(main->FileBox, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(clipboard.sets, 0);
  QTest::keyClick(main->FileBox, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard.sets, 1);
  EXPECT_THAT(clipboard.text, ::testing::EndsWith(".mp3"));
}

TEST_F(Lists, MiddleClickShowsTheCdInformationAndRightReleaseHidesIt) {
  DoubleClickRow("* ALL LIBRARY");
  DoubleClickRow("… ALL CDS");
  const QPoint cdRow = BoxRowCentre(0);
  QTest::mousePress(main->CDCatBox->viewport(), Qt::MiddleButton, {}, cdRow);
  EXPECT_TRUE(main->infoForm()->isVisible());
  EXPECT_EQ(main->infoForm()->width(), 330);
  QTest::mouseRelease(main->CDCatBox->viewport(), Qt::RightButton, {}, cdRow);
  EXPECT_FALSE(main->infoForm()->isVisible());
}

}  // namespace
}  // namespace trakvella::testing
