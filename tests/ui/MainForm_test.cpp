// The main window as the user sees it: its controls and menus, the language switch, the
// menus mirroring the settings, the size limit, the cover and progress window while the
// library loads, the offline switch's check mark, and the close.
#include "ui/main/MainForm.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <signal.h>
#include <thread>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "core/app/App.h"
#include "core/browse/Browser.h"
#include "core/lang/CaptionTable.h"
#include "core/lang/MessageTable.h"
#include "core/maintenance/FolderScan.h"
#include "core/settings/Settings.h"
#include "core/text/Text.h"
#include "program/DesktopPorts.h"
#include "support/Fakes.h"
#include "ui/lang/LangCaptions.h"
#include "ui/startup/StartForm.h"
#include "ui/wait/WaitForm.h"

namespace trakvella::testing {
namespace {

using ::testing::HasSubstr;

// App, its main window and progress window over a fresh program folder, started as the program does.
struct Program {
  TempDir home;
  FakeDialogs dialogs;
  DesktopPorts desktop;
  std::unique_ptr<App> app;
  std::unique_ptr<TMainForm> main;
  std::unique_ptr<TWaitForm> wait;
  std::unique_ptr<TStartForm> start;

  Program() {
    AppOptions o;
    o.programFolder = home.path();
    o.today = [] { return YearMonth{2026, 12}; };
    AppPorts ports = desktop.ports();
    ports.dialogs = &dialogs;
    app = std::make_unique<App>(o, ports);
    main = std::make_unique<TMainForm>(*app, app->Start());
    wait = std::make_unique<TWaitForm>(main.get(), app->language());
    wait->setObjectName("WaitForm");
    RegisterCaptionWindow("TWaitForm", wait.get());
    main->setWaitForm(wait.get());
    start = std::make_unique<TStartForm>(desktop.startPorts(*app), app->language(), app->network(), StartSetup{},
                                         main.get());
  }
  ~Program() {
    start.reset();
    UnregisterCaptionWindow(wait.get());
    wait.reset();
    main.reset();
    app.reset();
  }
  QString Text(const char* item) const { return main->Item(item)->text(); }
  template <class T>
  T* Control(const char* name) const {
    return main->findChild<T*>(name);
  }
  QWidget* Widget(const char* name) const { return Control<QWidget>(name); }
};

TEST(MainForm, EveryCaptionRowOfAnExistingWindowFindsExactlyOneControl) {
  Program p;
  int checkedGroups = 0;
  for (int group = 1; group <= kCaptionGroupCount; ++group) {
    QWidget* window = GroupWindow(group);
    if (!window) continue;  // a window this program does not have
    ++checkedGroups;
    for (const CaptionRow& row : CaptionTable()) {
      if (row.group != group) continue;
      EXPECT_EQ(CaptionTargets(window, row).size(), 1u)
          << "group " << group << " " << row.window << "." << row.component;
    }
  }
  // start window, organiser, track information, progress window, main window menus, add by code,
  // music set, search panel, report window, folder scan window, documents, sign-in
  EXPECT_EQ(checkedGroups, 12);

  // The scan window's project types other than "Other" have no rows on purpose:
  // they carry the editing programs' own names in both languages.
  QWidget* scan = CaptionWindow("TScanForm");
  ASSERT_NE(scan, nullptr);
  for (const ProjectType& type : ProjectTypes()) {
    if (type.caption.empty()) continue;  // "Other", whose caption is a row
    for (const CaptionRow& row : CaptionTable()) EXPECT_NE(type.checkBox, std::string_view(row.component));
    auto* box = scan->findChild<QAbstractButton*>(QString::fromUtf8(type.checkBox));
    ASSERT_NE(box, nullptr) << type.checkBox;
    EXPECT_EQ(box->text().toStdString(), type.caption);
  }
}

TEST(MainForm, MenusStartWithTheCaptionTablesTexts) {
  Program p;
  EXPECT_EQ(p.Text("SrvItem1"), QString::fromUtf8("Сервер демо 1"));
  EXPECT_EQ(p.Text("MMSrvItem2"), QString::fromUtf8("Сервер демо 2"));
  EXPECT_EQ(p.Text("SortOrdItem2"), p.Text("SortOrdItem"));
  EXPECT_EQ(p.main->SubMenu("MMServItem")->title(), QString::fromUtf8("Сервис"));
  EXPECT_EQ(p.Widget("KeyBox")->toolTip(), QString::fromUtf8("Выберите тэг"));
}

TEST(MainForm, LanguageSwitchRewritesEveryExistingWindow) {
  Program p;
  p.main->ApplyCaptions();
  p.main->Item("Lang1")->trigger();
  EXPECT_EQ(p.main->language(), Language::Russian);
  EXPECT_EQ(p.Text("Initializelibrary1"), QString::fromUtf8("Инициализировать библиотеку"));
  EXPECT_EQ(p.Text("MMInitializelibrary"), QString::fromUtf8("Инициализировать библиотеку"));
  EXPECT_EQ(p.main->SubMenu("MMServItem")->title(), QString::fromUtf8("Сервис"));
  EXPECT_EQ(p.Widget("HomeBtn")->toolTip(), QString::fromUtf8("В начало (очищает историю)"));
  EXPECT_EQ(p.wait->findChild<QPushButton*>("CancelBut")->text(), QString::fromUtf8("Остановить"));
  EXPECT_EQ(p.Control<QLabel>("RegInfoLbl")->text().toStdString(), LangMessage(Language::Russian, Msg::Copyright));
  EXPECT_FALSE(p.main->SubMenu("Lang")->icon().isNull());

  p.main->Item("Lang0")->trigger();
  EXPECT_EQ(p.main->language(), Language::English);
  EXPECT_EQ(p.Text("Initializelibrary1"), "Restart library");
  EXPECT_EQ(p.Text("InfoItem"), "Show CD Info");
  EXPECT_EQ(p.Text("MMInfoItem"), "Show CD Info");
  EXPECT_EQ(p.Text("FontSetupItem"), "Font setup...");
  EXPECT_EQ(p.Text("MMFontSetupItem"), "Font setup");
  EXPECT_EQ(p.main->SubMenu("MMServItem")->title(), "Service");
  EXPECT_EQ(p.wait->findChild<QPushButton*>("CancelBut")->text(), "Abort");

  // Choosing the current language again applies the texts again.
  p.main->Item("Lang0")->setText("stale");
  p.main->Item("Lang0")->trigger();
  EXPECT_EQ(p.Text("Lang0"), "English");
}

TEST(MainForm, MenuTwinsFollowTheirPopupItem) {
  Program p;
  QAction* popup = p.main->Item("showcode");
  QAction* twin = p.main->Item("MMshowcode");
  ASSERT_NE(twin, nullptr);
  popup->setChecked(false);
  EXPECT_FALSE(twin->isChecked());
  popup->setChecked(true);
  EXPECT_TRUE(twin->isChecked());
  EXPECT_EQ(twin->isEnabled(), popup->isEnabled());
  ASSERT_NE(p.main->Item("MMTrackInfoButton"), nullptr);
  ASSERT_NE(p.main->Item("MMAutoPlay1"), nullptr);
  ASSERT_NE(p.main->Item("MMInitializelibrary"), nullptr);
  // Without a popularity list Top 100 stays disabled in both menus; the track
  // information has no window in this program and stays disabled.
  EXPECT_FALSE(p.main->Item("Top100Item")->isEnabled());
  EXPECT_FALSE(p.main->Item("MMTop100Item")->isEnabled());
  EXPECT_FALSE(p.main->Item("MMTrackInfoButton")->isEnabled());
  EXPECT_TRUE(p.main->Item("MMExitItem")->isEnabled());
}

TEST(MainForm, RefusesSizesBelowTheMinimumAndLaysOutTheLists) {
  Program p;
  p.main->show();
  p.main->resize(800, 600);
  QCoreApplication::processEvents();
  EXPECT_GE(p.main->width(), 940);
  EXPECT_GE(p.main->height(), 768);
  p.main->resize(1200, 900);
  QCoreApplication::processEvents();
  const int clientWidth = p.main->centralWidget()->width();
  const int clientHeight = p.main->centralWidget()->height();
  const QWidget* categories = p.Widget("CDCatBox");
  const QWidget* tracks = p.Widget("FileBox");
  EXPECT_EQ(p.Widget("InstrPanel")->width(), clientWidth - 32);
  EXPECT_EQ(categories->width(), (clientWidth - 32) / 2 - 4);
  EXPECT_EQ(tracks->width(), categories->width());
  EXPECT_EQ(tracks->x() - (categories->x() + categories->width()), 8);
  EXPECT_EQ(categories->height(), clientHeight - 106);
  const int right = tracks->x() + tracks->width();
  EXPECT_EQ(p.Widget("Playbut")->x(), right - 44);
  EXPECT_EQ(p.Widget("PauseBut")->x(), right - 29);
  EXPECT_EQ(p.Widget("StopBut")->x(), right - 14);
  EXPECT_EQ(p.Widget("PlayBar")->width(), tracks->width() - 104);
  EXPECT_EQ(p.Widget("KeyBox")->width(), categories->width() - 27);
}

TEST(MainForm, FirstActivationLoadsTheCatalogueBehindTheCoverAndTheProgressWindow) {
  Program p;
  p.main->FirstActivation();
  EXPECT_TRUE(p.app->libraryInitialised());
  EXPECT_THAT(p.main->windowTitle().toStdString(), HasSubstr("ТРАКВЕЛЛА 1.0.0.0 - CDs: "));
  EXPECT_FALSE(p.Widget("offPanel")->isVisible());
  EXPECT_FALSE(p.wait->isVisible());
  EXPECT_GT(p.Control<QListView>("CDCatBox")->model()->rowCount(), 3);
  // Every control is usable again once the progress window has gone.
  EXPECT_TRUE(p.main->menuBar()->isEnabled());
  EXPECT_TRUE(p.main->centralWidget()->isEnabled());
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST(MainForm, MenusMirrorTheSettings) {
  Program p;
  Settings s;
  s.display.showCode = false;
  s.autoplay = true;
  s.language = 1;
  s.webSrv = "2";
  s.favourites = {"DRAMA >> SUSPENSE"};
  ASSERT_TRUE(WriteSettings(p.home.path(), s));
  ASSERT_EQ(p.app->ReadAndApplySettings(), SettingsFileRead::Applied);
  EXPECT_FALSE(p.main->Item("showcode")->isChecked());
  EXPECT_FALSE(p.main->Item("MMshowcode")->isChecked());
  EXPECT_TRUE(p.main->Item("Autoplay1")->isChecked());
  EXPECT_TRUE(p.main->Item("SrvItem2")->isChecked());
  EXPECT_FALSE(p.main->Item("SrvItem1")->isChecked());
  EXPECT_TRUE(p.main->Item("MMSrvItem2")->isChecked());
  EXPECT_EQ(p.main->findChild<QAction*>("favitem0")->text().toStdString(), "01 » DRAMA >> SUSPENSE");

  // A custom demo base hides both server menus.
  WriteFile(p.home.path() / "trakvella.ini", "WEBSRV=http://127.0.0.1:8000/audio/\r\n");
  ASSERT_EQ(p.app->ReadAndApplySettings(), SettingsFileRead::Applied);
  EXPECT_FALSE(p.main->SubMenu("SrvItem")->menuAction()->isVisible());
  EXPECT_FALSE(p.main->SubMenu("MMSrvItem")->menuAction()->isVisible());
}

TEST(MainForm, TheOfflineCheckMarkChangesOnlyWhenTheUserSaysYes) {
  Program p;
  p.main->FirstActivation();
  p.dialogs.answers = {MessageAnswer::No};
  p.main->Item("OfflineModeItem")->trigger();
  EXPECT_FALSE(p.main->Item("OfflineModeItem")->isChecked());
  EXPECT_FALSE(p.main->Item("MMOfflineModeItem")->isChecked());
  // Yes, then No to the demo page: offline, from the main menu's copy as well.
  p.dialogs.answers = {MessageAnswer::Yes, MessageAnswer::No};
  p.main->Item("MMOfflineModeItem")->trigger();
  EXPECT_TRUE(p.main->Item("OfflineModeItem")->isChecked());
  EXPECT_TRUE(p.main->Item("MMOfflineModeItem")->isChecked());
  EXPECT_THAT(p.main->windowTitle().toStdString(), HasSubstr("-offline"));
  EXPECT_EQ(p.dialogs.shown.size(), 3u);
}

TEST(MainForm, CloseWritesTheSettings) {
  Program p;
  p.main->show();
  p.main->resize(1000, 800);
  p.main->Item("showstyle")->trigger();  // off
  p.main->close();
  const std::string text = Cp1251ToUtf8(ReadFile(p.home.path() / "trakvella.ini"));
  EXPECT_THAT(text, HasSubstr("ShowStyle=0\r\n"));
  EXPECT_THAT(text, HasSubstr("ShowCode=1\r\n"));
  EXPECT_THAT(text, HasSubstr("Width=1000\r\n"));
  EXPECT_THAT(text, HasSubstr("WEBSRV=1\r\n"));
  EXPECT_THAT(text, HasSubstr("*** Music Set ***\r\n*** Comments ***\r\n"));
  // The progress window showed the closing message and is gone.
  EXPECT_FALSE(p.wait->isVisible());
}

TEST(MainForm, NoCommandStartsFromItsKeysWhileTheProgressWindowIsShown) {
  Program p;
  p.main->show();
  p.main->FirstActivation();
  p.app->browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
  p.main->Refresh();
  auto pressKeys = [&p] {
    p.main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(p.main.get()));
    QTest::keyClick(p.main.get(), Qt::Key_F, Qt::ControlModifier);  // the title search asks for a word
    QTest::keyClick(p.main.get(), Qt::Key_D, Qt::ControlModifier);  // a favourite
    QTest::keyClick(p.main.get(), Qt::Key_F3);                      // the search panel
  };
  p.dialogs.inputs = {std::nullopt};
  p.wait->ShowProgress("Loading...", ProgressMode::Show);
  pressKeys();
  EXPECT_EQ(p.dialogs.inputs.size(), 1u);
  EXPECT_TRUE(p.app->browser().favourites().empty());
  EXPECT_FALSE(p.Widget("SearchPanel")->isVisible());
  EXPECT_TRUE(p.wait->isVisible());

  // Once it has gone the same keys work.
  p.wait->ShowProgress("", ProgressMode::Hide);
  pressKeys();
  EXPECT_TRUE(p.dialogs.inputs.empty());
  EXPECT_EQ(p.app->browser().favourites().size(), 1u);
  EXPECT_TRUE(p.Widget("SearchPanel")->isVisible());
}

// Every key that works is shown beside its item, in the pop-up menus and in the
// main menu's twins, with room for it; the keys still run their commands once,
// also while the menu bar has the keyboard.
TEST(MainForm, MenusShowTheKeysThatWork) {
  Program p;
  p.main->show();
  p.main->FirstActivation();
  const std::pair<const char*, QKeySequence> keys[] = {{"Copy1", Qt::Key_F5},
                                                       {"MMCopy1", Qt::Key_F5},
                                                       {"MemoryOperations1", Qt::Key_F10},
                                                       {"MMMemoryOperations1", Qt::Key_F10},
                                                       {"MMmemItem", Qt::Key_F10},
                                                       {"MMSearchItem", Qt::Key_F3},
                                                       {"Gotofilefolder1", Qt::Key_F7},
                                                       {"MMGotofilefolder1", Qt::Key_F7},
                                                       {"CopyFName", Qt::CTRL | Qt::Key_C},
                                                       {"MMCopyFName", Qt::CTRL | Qt::Key_C},
                                                       {"SearchTitleItem", Qt::CTRL | Qt::Key_F},
                                                       {"MMSearchTitleItem", Qt::CTRL | Qt::Key_F},
                                                       {"scaleup", Qt::CTRL | Qt::Key_Plus},
                                                       {"MMscaledown", Qt::CTRL | Qt::Key_Minus},
                                                       {"gotocdurl", Qt::Key_F11},
                                                       {"MMGotoCDurl", Qt::Key_F11},
                                                       {"MMGotoTrackURLitem", Qt::Key_F12},
                                                       {"Addtofavorites", Qt::CTRL | Qt::Key_D}};
  for (const auto& [name, key] : keys) {
    QAction* item = p.main->Item(name);
    ASSERT_NE(item, nullptr) << name;
    EXPECT_EQ(item->shortcut(), key) << name;
    EXPECT_TRUE(item->isShortcutVisibleInContextMenu()) << name;
    QMenu* menu = nullptr;
    for (QObject* o : item->associatedObjects())
      if (auto* m = qobject_cast<QMenu*>(o)) menu = m;
    ASSERT_NE(menu, nullptr) << name;
    // Room for the caption and the key side by side.
    menu->ensurePolished();
    const QFontMetrics fm(menu->font());
    EXPECT_GT(menu->sizeHint().width(),
              fm.horizontalAdvance(item->text()) + fm.horizontalAdvance(key.toString(QKeySequence::NativeText)))
        << name;
  }
  EXPECT_TRUE(p.main->Item("MMExitItem")->shortcut().isEmpty());

  // F5 still copies the selected track into the set, once.
  p.app->browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
  p.main->Refresh();
  p.main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(p.main.get()));
  p.app->browser().SelectRow(0);
  QTest::keyClick(p.main.get(), Qt::Key_F5);
  EXPECT_EQ(p.app->musicSet().size(), 1u);
}

// Top and Left are the frame's: the window comes back where it was, start after start.
TEST(MainForm, TheWindowComesBackWhereItStood) {
  Program p;
  p.main->show();
  p.main->move(120, 90);
  QCoreApplication::processEvents();
  const QPoint placed = p.main->pos();
  ASSERT_NE(p.main->geometry().topLeft(), placed) << "the platform draws no frame";
  for (int start = 0; start < 3; ++start) {
    const Settings s = p.app->CollectSettings();
    p.main->move(300, 300);
    p.app->ApplySettings(s);
    QCoreApplication::processEvents();
    EXPECT_EQ(p.main->pos(), placed) << start;
  }
}

// No button depends on a font having its glyph: each shows a picture drawn for
// the screen's scale, at 1x and at 2x in its own resolution.
TEST(MainForm, ButtonsShowDrawnPicturesAtEachScale) {
  Program p;
  for (const char* name :
       {"HomeBtn", "BackBtn", "ForwardBtn", "FAvBut", "SearchBut", "SearchNameBut", "MemCopyBut", "MemOperBut",
        "TrInfoBut", "TrPassportBut", "OptionBut", "KeyBut", "Playbut", "PauseBut", "StopBut"}) {
    const auto* button = p.Control<QToolButton>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_TRUE(button->text().isEmpty()) << name;
    ASSERT_FALSE(button->icon().isNull()) << name;
    const QSize side = button->iconSize();
    EXPECT_LE(side.width(), button->width() - 2) << name;
    for (qreal scale : {1.0, 2.0}) {
      const QPixmap picture = button->icon().pixmap(side, scale);
      EXPECT_EQ(picture.size(), side * scale) << name << " at " << scale;
      EXPECT_EQ(picture.devicePixelRatio(), scale) << name;
      const QImage image = picture.toImage();
      int drawn = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) drawn += qAlpha(image.pixel(x, y)) > 0;
      EXPECT_GT(drawn, image.width() * image.height() / 8) << name << " at " << scale;
    }
  }
}

// The real program, ended by SIGTERM as a desktop logout ends it.
TEST(TrakvellaProcess, SigtermClosesInOrderAndKeepsTheSettings) {
  TempDir home;
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    execl(TRAKVELLA_APP, TRAKVELLA_APP, "--home", home.path().c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // Wait until the program has made its audio folder, then give it time to start.
  for (int i = 0; i < 100 && !std::filesystem::exists(home.path() / "audio"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  const std::string text = Cp1251ToUtf8(ReadFile(home.path() / "trakvella.ini"));
  EXPECT_THAT(text, HasSubstr("State=wsNormal\r\n"));
  EXPECT_THAT(text, HasSubstr("Language="));
  EXPECT_THAT(text, HasSubstr("*** Comments ***"));
}

}  // namespace
}  // namespace trakvella::testing
