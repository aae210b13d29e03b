// The music set as the user sees it: the main window's set commands, counter and
// marks, the set window's enabling, drawn lines, dropped files and playing, and the
// track information window's status and comment.
#include "ui/musicset/MusicSetForm.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/catalogue/TrackCodes.h"
#include "core/lang/MessageTable.h"
#include "core/musicset/MusicSetView.h"
#include "core/subscription/Subscription.h"
#include "support/ScriptedMediaDevice.h"
#include "ui/MainWindowFixture.h"
#include "ui/browse/FileBoxDelegate.h"
#include "ui/musicset/TrackInfoForm.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct MusicSetWindow : MainWindowTest {
  ScriptedMediaDevice device;

  void SetUp() override {
    Start(&device);
    app().SetLanguage(Language::English);
    app().browser().GoToPlace(std::string(kAllCdsPath));
    main->Refresh();
  }
  void TearDown() override {
    if (auto* form = SetForm()) form->close();
    MainWindowTest::TearDown();
  }
  TMusicSetForm* SetForm() { return main ? main->findChild<TMusicSetForm*>("MusicSetForm") : nullptr; }
  template <class T>
  T* InSet(const char* name) {
    T* control = SetForm()->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  bool SetButtonEnabled(const char* name) { return InSet<QWidget>(name)->isEnabled(); }
  void SelectMainRow(int row) { FileBox()->setCurrentIndex(FileBox()->model()->index(row, 0)); }
  void OpenSetWindow() {
    Control<QToolButton>("MemOperBut")->click();
    ASSERT_TRUE(SetForm()->isVisible());
  }
  std::string CodeOfRow(int row) {
    const auto [cd, track] = app().browser().rows()[row];
    return app().catalogue().Track(cd, track).code;
  }
};

TEST_F(MusicSetWindow, MainWindowCommandsToggleCountAndMarkTracks) {
  auto* copy = Control<QToolButton>("MemCopyBut");
  auto* counter = Control<QLabel>("memCountLbl");
  FileBox()->setCurrentIndex(QModelIndex());
  app().browser().SelectRow(-1);
  main->Refresh();
  EXPECT_FALSE(copy->isEnabled());
  EXPECT_FALSE(Control<QToolButton>("TrInfoBut")->isEnabled());
  EXPECT_TRUE(main->Item("Copy1")->isEnabled());  // the list has rows
  EXPECT_TRUE(main->Item("MMcopyAll")->isEnabled());
  EXPECT_EQ(counter->text(), "");

  SelectMainRow(2);
  ASSERT_TRUE(copy->isEnabled());
  copy->click();
  EXPECT_EQ(counter->text(), "1");
  auto* delegate = qobject_cast<FileBoxDelegate*>(FileBox()->itemDelegate());
  const auto [cd, track] = app().browser().rows()[2];
  EXPECT_EQ(TrackIconIndex(delegate->marks, cd, track, app().catalogue().Track(cd, track)), 2);
  // F5 on the same track takes it out again.
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  QTest::keyClick(FileBox(), Qt::Key_F5);
  EXPECT_EQ(counter->text(), "");
  EXPECT_NE(TrackIconIndex(delegate->marks, cd, track, app().catalogue().Track(cd, track)), 2);

  // Copy all: every row once, the one already there not again.
  copy->click();
  main->Item("copyAll")->trigger();
  const size_t rows = static_cast<size_t>(app().browser().rowCount());
  EXPECT_EQ(app().musicSet().size(), rows);
  EXPECT_EQ(counter->text(), QString::number(rows));
  EXPECT_EQ(app().musicSet()[1].context, app().browser().currentPath());
}

TEST_F(MusicSetWindow, ButtonsFollowTheSet) {
  OpenSetWindow();
  const char* setButtons[] = {"PlayInMemBut", "memDelBtn",   "DelBtn", "memCopyBtnPl", "InfButton",
                              "SaveBtn",      "FileDownBut", "ftpbut", "RepButton"};
  for (const char* name : setButtons) EXPECT_FALSE(SetButtonEnabled(name)) << name;
  EXPECT_EQ(InSet<QLabel>("TimeLabel")->text(), "0 / 0h:00m:00s");
  for (const char* name : {"LoadBtn", "CodeBtn", "CollectBut"}) EXPECT_TRUE(SetButtonEnabled(name)) << name;

  SetForm()->close();
  SelectMainRow(0);
  main->Item("copyAll")->trigger();
  OpenSetWindow();
  for (const char* name : setButtons) EXPECT_TRUE(SetButtonEnabled(name)) << name;
  EXPECT_THAT(InSet<QLabel>("TimeLabel")->text().toStdString(),
              HasSubstr(std::to_string(app().musicSet().size()) + " / "));

  // Removing the last entry selects the one before it; clearing asks first.
  QListView* list = SetForm()->MemListBox();
  const int last = list->model()->rowCount() - 1;
  list->setCurrentIndex(list->model()->index(last, 0));
  InSet<QPushButton>("memDelBtn")->click();
  EXPECT_EQ(list->currentIndex().row(), last - 1);
  dialogs.answers = {MessageAnswer::No};
  InSet<QPushButton>("DelBtn")->click();
  EXPECT_EQ(list->model()->rowCount(), last);
  InSet<QPushButton>("DelBtn")->click();
  EXPECT_EQ(list->model()->rowCount(), 0);
  EXPECT_FALSE(SetButtonEnabled("memDelBtn"));
  EXPECT_EQ(Control<QLabel>("memCountLbl")->text(), "");

  // The staff's items show only with the developer menu.
  QMenu* popup = SetForm()->MemPopupMenu();
  emit popup->aboutToShow();
  EXPECT_FALSE(InSet<QAction>("optitem")->isEnabled());
  EXPECT_FALSE(InSet<QAction>("RaznItem")->isVisible());
  EXPECT_FALSE(InSet<QPushButton>("BInfoBut")->isVisible());
  main->findChild<QAction*>("ShowMe1")->trigger();
  emit popup->aboutToShow();
  EXPECT_TRUE(InSet<QAction>("RaznItem")->isVisible());
  EXPECT_TRUE(InSet<QAction>("musictagitem")->isVisible());
  EXPECT_TRUE(InSet<QAction>("musictagitem")->isEnabled());
}

TEST_F(MusicSetWindow, LinesAreDrawnFromTheCatalogueAndTheSelectionShowsItsPlace) {
  SelectMainRow(0);
  main->Item("copyAll")->trigger();
  app().musicSet().SetSelection(1);
  OpenSetWindow();
  QListView* list = SetForm()->MemListBox();
  ASSERT_EQ(list->currentIndex().row(), 1);
  EXPECT_EQ(InSet<QLabel>("memInfo")->text().toStdString(),
            app().browser().FormatPathCaption(app().musicSet()[1].context));

  const QImage image = list->viewport()->grab().toImage();
  const QRect selected = list->visualRect(list->model()->index(1, 0));
  const QRect other = list->visualRect(list->model()->index(2, 0));
  const int x = image.width() - 3;  // past the text
  EXPECT_EQ(image.pixelColor(x, selected.center().y()), QColor(128, 128, 128));
  EXPECT_EQ(image.pixelColor(x, other.center().y()), list->palette().color(QPalette::Base));
  // The line's text follows the main window's view options.
  app().SetSwitch("showcode", true);
  EXPECT_THAT(MemListBoxLine(app().musicSet(), 1, app().browser().options()).text, HasSubstr(CodeOfRow(1)));
}

TEST_F(MusicSetWindow, DroppedFoldersAddTheirTracksWithTheFolderAsProject) {
  TempDir dropped;
  const auto folder = dropped.path() / "Promo spot";
  WriteFile(folder / "KMLB_003_012.wav", "RIFF");
  WriteFile(folder / "sub" / "kmlb_003_002 final.mp3", "ID3");  // no "KMLB_": not collected
  WriteFile(folder / "KMLB_005_001.mp3", "ID3");
  WriteFile(dropped.path() / "notes.txt", "x");
  OpenSetWindow();
  QWidget* target = SetForm()->MemListBox()->viewport();

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder.string())),
                QUrl::fromLocalFile(QString::fromStdString((dropped.path() / "notes.txt").string()))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  EXPECT_TRUE(drop.isAccepted());
  QTRY_COMPARE(SetForm()->MemListBox()->model()->rowCount(), 2);
  EXPECT_THAT(app().musicSet().Codes(), ElementsAre("KMLB_003_012", "KMLB_005_001"));
  EXPECT_EQ(app().musicSet()[0].projectFolder, "Promo spot");
  EXPECT_EQ(app().musicSet()[0].projectName, " - ");
  EXPECT_TRUE(SetButtonEnabled("PlayInMemBut"));

  // Text that is no file is refused.
  QMimeData text;
  text.setText("KMLB_003_001");
  QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &refused);
  EXPECT_FALSE(refused.isAccepted());
}

TEST_F(MusicSetWindow, SpacePlaysTheSelectedEntryAndClosingTheWindowStopsIt) {
  app().SetSwitch("NonStopPlaying", true);
  SelectMainRow(0);
  main->Item("copyAll")->trigger();
  app().musicSet().SetSelection(3);
  OpenSetWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(SetForm()));
  device.opened.clear();
  QTest::keyClick(SetForm()->MemListBox(), Qt::Key_Space);
  ASSERT_EQ(device.opened.size(), 1u);
  const TrackRecord& entry = app().musicSet().TrackOf(3);
  EXPECT_EQ(device.opened[0], TrackPathOrUrl(entry.location, app().demoBaseUrl()));
  main->PlayerTick();
  EXPECT_EQ(app().player().PlayingFrom(), PlaySource::MusicSet);
  // The track ends: the main list stays where it was.
  device.mode = MediaMode::Stopped;
  main->PlayerTick();
  EXPECT_EQ(app().browser().selectedRow(), 0);
  EXPECT_EQ(device.opened.size(), 1u);

  // A double click plays a line; closing the window stops it.
  QListView* list = SetForm()->MemListBox();
  const QRect line = list->visualRect(list->model()->index(1, 0));
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, line.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line.center());
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, line.center());
  ASSERT_EQ(device.opened.size(), 2u);
  EXPECT_EQ(device.opened[1], TrackPathOrUrl(app().musicSet().TrackOf(1).location, app().demoBaseUrl()));
  EXPECT_EQ(device.mode, MediaMode::Playing);
  SetForm()->close();
  EXPECT_EQ(device.mode, MediaMode::Stopped);
  EXPECT_FALSE(app().musicSetShown());
}

TEST_F(MusicSetWindow, TrackInformationShowsTheFirstStatusThatAppliesAndKeepsTheComment) {
  SelectMainRow(4);
  const std::string code = CodeOfRow(4);
  Subscription* subscription = app().subscription();
  ASSERT_NE(subscription, nullptr);
  AccountState account = subscription->account();
  account.activeAccount = "studio";
  account.downloadedTracks = {code};
  subscription->SetAccount(std::move(account));
  Control<QToolButton>("MemCopyBut")->click();

  auto* info = main->findChild<TTrackInfoForm*>("TrackInfoForm");
  auto status = [info] { return info->findChild<QLabel*>("TrStatusLabel")->text(); };
  auto* comment = info->findChild<QLineEdit*>("TrackComments");
  Control<QToolButton>("TrInfoBut")->click();
  ASSERT_TRUE(info->isVisible());
  EXPECT_EQ(info->findChild<QLineEdit*>("LabeledEdit1")->text().toStdString(), code);
  EXPECT_EQ(status(), "Status: In Music Set");
  comment->setText("for the spring spot");
  info->findChild<QPushButton*>("TimeDataBut")->click();
  EXPECT_THAT(comment->text().toStdString(), HasSubstr("for the spring spot "));
  info->findChild<QPushButton*>("ExitButton")->click();
  EXPECT_FALSE(info->isVisible());
  EXPECT_THAT(app().comments().Get(code), HasSubstr("for the spring spot "));

  Control<QToolButton>("MemCopyBut")->click();  // out of the set again
  main->Item("TrackInfoItem")->trigger();
  EXPECT_EQ(status(), "Status: Downloaded via studio");
  EXPECT_THAT(comment->text().toStdString(), HasSubstr("for the spring spot"));
  comment->clear();
  info->close();
  EXPECT_EQ(app().comments().Get(code), "");
  for (const std::string& line : app().CollectSettings().commentLines)
    EXPECT_THAT(line, ::testing::Not(HasSubstr(code)));
}

}  // namespace
}  // namespace trakvella::testing
