// The main window's lists: walking the tree with the mouse, the sort and
// display menus, favourites, the CD information pop-up and the track commands.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/lang/MessageTable.h"
#include "core/musicset/TrackInfo.h"
#include "core/settings/ServerConfig.h"
#include "core/settings/Settings.h"
#include "core/subscription/Subscription.h"
#include "support/Fakes.h"
#include "ui/MainWindowFixture.h"
#include "ui/browse/RowPictures.h"
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
  QPoint BoxRowCentre(int row) { return CDCatBox()->visualRect(CDCatBox()->model()->index(row, 0)).center(); }
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
  EXPECT_LE(c.Track(rows.front().cd, rows.front().track).duration, c.Track(rows.back().cd, rows.back().track).duration);
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
  EXPECT_FALSE(app().CollectSettings().display.showName);
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
  EXPECT_THAT(app().CollectSettings().favourites, ElementsAre("… CDS BY YEAR", "* ALL LIBRARY"));
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

// The pop-up keeps its place beside the lists while the main window moves and resizes.
TEST_F(Lists, TheCdInformationMovesWithTheMainWindow) {
  OpenFirstCd();
  QTest::mousePress(CDCatBox()->viewport(), Qt::MiddleButton, {}, BoxRowCentre(0));
  auto* info = Control<TInfoForm>("InfoForm");
  ASSERT_TRUE(info->isVisible());
  // Where it stands from the box's corner, less the track list's size.
  auto offset = [&] {
    const QSize lists = FileBox()->viewport()->size();
    return info->pos() - CDCatBox()->viewport()->mapToGlobal(QPoint(0, 0)) - QPoint(lists.width(), lists.height());
  };
  const QPoint before = offset();
  const QPoint was = info->pos();
  main->move(main->pos() + QPoint(40, 25));
  QTest::qWait(50);
  EXPECT_EQ(info->pos(), was + QPoint(40, 25));
  main->resize(main->size() + QSize(120, 60));
  QTest::qWait(50);
  EXPECT_NE(info->pos(), was + QPoint(40, 25));
  EXPECT_EQ(offset(), before);
}

TEST_F(Lists, GoingToTheRootFromTheMainMenuIsHome) {
  OpenFirstCd();
  ASSERT_NE(app().browser().currentPath(), "");
  main->Item("MMGoRootItem")->trigger();
  EXPECT_EQ(app().browser().currentPath(), "");
  EXPECT_EQ(app().browser().history().size(), 1u);
  EXPECT_EQ(FileBox()->model()->rowCount(), 0);
}

// Keys and the right button: the CD the box highlights is the CD its commands use.
TEST_F(Lists, TheHighlightedCdIsTheOneTheCdCommandsUse) {
  OpenFirstCd();
  ASSERT_GT(CDCatBox()->model()->rowCount(), 3);
  const auto& rows = app().browser().boxRows();
  CDCatBox()->setFocus();
  QTest::keyClick(CDCatBox(), Qt::Key_Down);  // a key opens the CD as a click does
  QCoreApplication::processEvents();
  EXPECT_EQ(CDCatBox()->currentIndex().row(), 1);
  EXPECT_EQ(app().browser().selectedBoxRow(), 1);
  EXPECT_THAT(app().browser().currentPath(), ::testing::EndsWith(rows[1].text));
  EXPECT_GT(FileBox()->model()->rowCount(), 0);

  // The middle button shows a CD's information; the right one hides it as it
  // goes down, leaves the highlight where it was and opens the CD menu.
  QTest::mousePress(CDCatBox()->viewport(), Qt::MiddleButton, {}, BoxRowCentre(0));
  QTest::mouseRelease(CDCatBox()->viewport(), Qt::MiddleButton, {}, BoxRowCentre(0));
  ASSERT_TRUE(Control<TInfoForm>("InfoForm")->isVisible());
  // Through the window, as the desktop delivers it, so the menu comes with the press.
  const QPoint row3 = CDCatBox()->viewport()->mapTo(main.get(), BoxRowCentre(3));
  QTest::mousePress(main->windowHandle(), Qt::RightButton, {}, row3);
  EXPECT_FALSE(Control<TInfoForm>("InfoForm")->isVisible());
  EXPECT_EQ(CDCatBox()->currentIndex().row(), 1);
  EXPECT_EQ(app().browser().selectedBoxRow(), 1);
  EXPECT_TRUE(Control<QMenu>("SimilarCDMenu")->isVisible());
  Control<QMenu>("SimilarCDMenu")->hide();
  // The button goes up again, so no later test starts with it held.
  QTest::mouseRelease(main->windowHandle(), Qt::RightButton, {}, row3);
  main->Item("gotocdurl")->trigger();
  ASSERT_EQ(shell.urls.size(), 1u);
  EXPECT_EQ(shell.urls[0], CdPageUrl(app().endpoints(), app().catalogue().Cd(rows[1].cdPosition).cdCode));
}

TEST_F(Lists, TheTagBoxKeepsWhatIsTypedAndChoosingEnglishAgainEmptiesIt) {
  auto* edit = Control<QComboBox>("KeyBox")->lineEdit();
  edit->setFocus();
  QTest::keyClicks(edit, "DRA");
  OpenFirstCd();  // lists refreshed
  EXPECT_EQ(edit->text(), "DRA");

  ASSERT_FALSE(app().browser().tagItems().empty());
  edit->setText(QString::fromStdString(app().browser().tagItems().front()));
  Control<QToolButton>("KeyBut")->click();
  const std::string place = app().browser().currentPath();
  ASSERT_THAT(place, ::testing::StartsWith("Keyword [ "));
  main->Item("Lang0")->trigger();  // English, as it already was
  EXPECT_EQ(edit->text(), "");
  EXPECT_EQ(app().browser().currentPath(), place);
}

// A commented track is drawn on the tool-tip colour, a downloaded one with its picture.
TEST_F(Lists, CommentedAndDownloadedTracksAreMarked) {
  OpenFirstCd();
  ASSERT_GE(FileBox()->model()->rowCount(), 3);
  ASSERT_NE(app().subscription(), nullptr);
  auto code = [this](int row) {
    const auto [cd, track] = app().browser().rows()[row];
    return app().catalogue().Track(cd, track).code;
  };
  app().comments().Set(code(1), "the director likes it");
  AccountState account = app().subscription()->account();
  account.downloadedTracks = {code(2)};
  app().subscription()->SetAccount(std::move(account));
  FileBox()->viewport()->repaint();
  const QImage shown = FileBox()->viewport()->grab().toImage();
  const QPalette palette = FileBox()->palette();
  const QRect commented = FileBox()->visualRect(FileBox()->model()->index(1, 0));
  EXPECT_EQ(shown.pixelColor(commented.right() - 1, commented.center().y()), palette.color(QPalette::ToolTipBase));

  const QRect downloaded = FileBox()->visualRect(FileBox()->model()->index(2, 0));
  // The picture as it stands on the row (cut to the row's height): the downloaded one, not the demo's.
  const int top = downloaded.top() + (downloaded.height() - kRowIconSize) / 2;
  const int height = std::min(kRowIconSize, downloaded.bottom() + 1 - top);
  const QImage icon = shown.copy(downloaded.left(), top, kRowIconSize, height);
  auto onRow = [&](int picture) {
    QImage image(kRowIconSize, kRowIconSize, shown.format());
    image.fill(palette.color(QPalette::Base));
    QPainter(&image).drawImage(0, 0, TrackImage(picture));
    return image.copy(0, 0, kRowIconSize, height);
  };
  EXPECT_EQ(icon, onRow(3));
  EXPECT_NE(icon, onRow(1));
}

TEST_F(Lists, FavouritesAndOptionsMenusOpenWhereTheMouseLetsGo) {
  for (auto [button, menuName] : {std::pair{"FAvBut", "FavMenu"}, std::pair{"OptionBut", "TrPopupMenu"}}) {
    auto* b = Control<QToolButton>(button);
    auto* menu = Control<QMenu>(menuName);
    const QPoint at(b->width() - 6, b->height() - 7);
    QTest::mousePress(b, Qt::LeftButton, {}, at);
    EXPECT_FALSE(menu->isVisible()) << button;  // not on the press
    QTest::mouseRelease(b, Qt::LeftButton, {}, at);
    ASSERT_TRUE(menu->isVisible()) << button;
    EXPECT_EQ(menu->pos(), b->mapToGlobal(at)) << button;
    menu->hide();
  }
}

}  // namespace
}  // namespace trakvella::testing
