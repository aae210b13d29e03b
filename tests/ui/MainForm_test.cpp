// The main window: its controls and menus, the language switch, settings in and
// out, the size limit, the library initialisation and the close.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <thread>

#include "core/lang/CaptionTable.h"
#include "core/lang/MessageTable.h"
#include "ui/lang/LangCaptions.h"
#include "core/settings/Settings.h"
#include "program/DesktopPorts.h"
#include "ui/main/MainForm.h"
#include "ui/wait/WaitForm.h"
#include "core/text/Text.h"
#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

using ::testing::HasSubstr;

// A main window and its progress window over a fresh program folder.
struct Program {
  TempDir home;
  FakeDialogs dialogs;
  DesktopPorts desktop;
  std::unique_ptr<TMainForm> main;
  std::unique_ptr<TWaitForm> wait;

  Program() {
    MainFormOptions o;
    o.programFolder = home.path();
    o.today = [] { return YearMonth{2026, 12}; };
    MainFormPorts ports = desktop.ports();
    ports.dialogs = &dialogs;
    main = std::make_unique<TMainForm>(o, ports);
    wait = std::make_unique<TWaitForm>(main.get(), [m = main.get()] { return m->Language(); });
    wait->setObjectName("WaitForm");
    RegisterCaptionWindow("TWaitForm", wait.get());
    main->setWaitForm(wait.get());
  }
  ~Program() {
    UnregisterCaptionWindow(wait.get());
    wait.reset();
    main.reset();
  }
  QString Text(const char* item) const { return main->Item(item)->text(); }
};

TEST(MainForm, EveryCaptionRowOfAnExistingWindowFindsExactlyOneControl) {
  Program p;
  int checkedGroups = 0;
  for (int group = 1; group <= kCaptionGroupCount; ++group) {
    QWidget* window = GroupWindow(group);
    if (!window) continue;  // the window comes with a later subsystem
    ++checkedGroups;
    for (const CaptionRow& row : CaptionTable()) {
      if (row.group != group) continue;
      EXPECT_EQ(CaptionTargets(window, row).size(), 1u)
          << "group " << group << " " << row.window << "." << row.component;
    }
  }
  EXPECT_EQ(checkedGroups, 4);  // organiser, progress window, main window menus, search panel
}

TEST(MainForm, LanguageSwitchRewritesEveryExistingWindow) {
  Program p;
  p.main->ApplyCaptions();
  p.main->LangClick(p.main->Item("Lang1"));
  EXPECT_EQ(p.main->Language(), 1);
  EXPECT_EQ(p.Text("Initializelibrary1"), QString::fromUtf8("Инициализировать библиотеку"));
  EXPECT_EQ(p.Text("MMInitializelibrary"), QString::fromUtf8("Инициализировать библиотеку"));
  EXPECT_EQ(p.main->SubMenu("MMServItem")->title(), QString::fromUtf8("Сервис"));
  EXPECT_EQ(p.main->HomeBtn->toolTip(), QString::fromUtf8("В начало (очищает историю)"));
  EXPECT_EQ(p.wait->findChild<QPushButton*>("CancelBut")->text(), QString::fromUtf8("Остановить"));
  EXPECT_EQ(p.main->RegInfoLbl->text().toStdString(), LangMessage(1, 9));
  EXPECT_FALSE(p.main->SubMenu("Lang")->icon().isNull());

  p.main->LangClick(p.main->Item("Lang0"));
  EXPECT_EQ(p.main->Language(), 0);
  EXPECT_EQ(p.Text("Initializelibrary1"), "Restart library");
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
  // Commands of later subsystems are there, disabled.
  EXPECT_FALSE(p.main->Item("Top100Item")->isEnabled());
  EXPECT_FALSE(p.main->Item("MMTop100Item")->isEnabled());
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
  EXPECT_EQ(p.main->InstrPanel->width(), clientWidth - 32);
  EXPECT_EQ(p.main->CDCatBox->width(), (clientWidth - 32) / 2 - 4);
  EXPECT_EQ(p.main->FileBox->width(), p.main->CDCatBox->width());
  EXPECT_EQ(p.main->FileBox->x() - (p.main->CDCatBox->x() + p.main->CDCatBox->width()), 8);
  EXPECT_EQ(p.main->CDCatBox->height(), clientHeight - 106);
  const int right = p.main->FileBox->x() + p.main->FileBox->width();
  EXPECT_EQ(p.main->Playbut->x(), right - 44);
  EXPECT_EQ(p.main->PauseBut->x(), right - 29);
  EXPECT_EQ(p.main->StopBut->x(), right - 14);
  EXPECT_EQ(p.main->PlayBar->width(), p.main->FileBox->width() - 104);
  EXPECT_EQ(p.main->KeyBox->width(), p.main->CDCatBox->width() - 27);
}

TEST(MainForm, FirstActivationLoadsTheCatalogueBehindTheProgressWindow) {
  Program p;
  p.main->FirstActivation();
  EXPECT_TRUE(p.main->libraryInitialised());
  EXPECT_GE(p.main->catalogue().cdCount, 12);
  EXPECT_THAT(p.main->windowTitle().toStdString(), HasSubstr("ТРАКВЕЛЛА 1.0.0.0 - CDs: "));
  EXPECT_FALSE(p.main->offPanel->isVisible());
  EXPECT_FALSE(p.wait->isVisible());
  // Every control is usable again once the progress window has gone.
  EXPECT_TRUE(p.main->menuBar()->isEnabled());
  EXPECT_TRUE(p.main->centralWidget()->isEnabled());
  EXPECT_TRUE(p.dialogs.shown.empty());
  p.main->FirstActivation();  // later activations do nothing
  EXPECT_EQ(p.main->catalogue().cdCount, p.main->catalogue().cdCount);
}

TEST(MainForm, SettingsAreAppliedAndWrittenBackWhole) {
  Program p;
  Settings s;
  s.showCode = false;
  s.autoplay = true;
  s.language = 1;
  s.webSrv = "2";
  s.favourites = {"DRAMA >> SUSPENSE", "* ALL LIBRARY >> … NEW CDS"};
  s.musicSetLines = {"KMLB_003_001,ctx,folder,project,0,0"};
  s.commentLines = {"KMLB_003_001=Нравится режиссёру"};
  s.userPlayer = "/usr/bin/vlc";
  ASSERT_TRUE(WriteSettings(p.home.path(), s));
  ASSERT_TRUE(p.main->ReadAndApplySettings());
  EXPECT_FALSE(p.main->Item("showcode")->isChecked());
  EXPECT_FALSE(p.main->Item("MMshowcode")->isChecked());
  EXPECT_TRUE(p.main->Item("Autoplay1")->isChecked());
  EXPECT_EQ(p.main->Language(), 1);
  EXPECT_TRUE(p.main->Item("SrvItem2")->isChecked());
  EXPECT_EQ(p.main->demoBaseUrl(), p.main->endpoints().demoServer2);

  Settings back = p.main->CollectSettings();
  EXPECT_FALSE(back.showCode);
  EXPECT_TRUE(back.autoplay);
  EXPECT_EQ(back.language, 1);
  EXPECT_EQ(back.webSrv, "2");
  // What later subsystems own is kept unchanged.
  EXPECT_EQ(back.favourites, s.favourites);
  EXPECT_EQ(back.musicSetLines, s.musicSetLines);
  EXPECT_EQ(back.commentLines, s.commentLines);
  EXPECT_EQ(back.userPlayer, s.userPlayer);
}

TEST(MainForm, CustomDemoBaseHidesTheServerMenusAndIsWrittenBack) {
  Program p;
  WriteFile(p.home.path() / "trakvella.ini", "WEBSRV=http://127.0.0.1:8000/audio/\r\n");
  ASSERT_TRUE(p.main->ReadAndApplySettings());
  EXPECT_FALSE(p.main->SubMenu("SrvItem")->menuAction()->isVisible());
  EXPECT_FALSE(p.main->SubMenu("MMSrvItem")->menuAction()->isVisible());
  EXPECT_EQ(p.main->demoBaseUrl(), "http://127.0.0.1:8000/audio/");
  EXPECT_EQ(p.main->CollectSettings().webSrv, "http://127.0.0.1:8000/audio/");
}

TEST(MainForm, CloseWritesTheSettings) {
  Program p;
  p.main->show();
  p.main->resize(1000, 800);
  p.main->Item("showstyle")->setChecked(false);
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

namespace trakvella::testing {
namespace {

TEST(MainFormService, OfflineSwitchAsksFirstAndReinitialises) {
  Program p;
  p.main->FirstActivation();
  const int cds = p.main->catalogue().cdCount;
  // Answering No changes nothing and loads nothing again.
  p.dialogs.answers = {MessageAnswer::No};
  p.main->Item("OfflineModeItem")->trigger();
  EXPECT_FALSE(p.main->Item("OfflineModeItem")->isChecked());
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].text, LangMessage(0, 113));
  EXPECT_EQ(p.main->catalogue().cdCount, cds);
  // Yes: offline (no local files here, so no CDs), then the download page question, answered No.
  p.dialogs.answers = {MessageAnswer::Yes, MessageAnswer::No};
  p.main->Item("MMOfflineModeItem")->trigger();
  EXPECT_TRUE(p.main->Item("OfflineModeItem")->isChecked());
  EXPECT_TRUE(p.main->Item("MMOfflineModeItem")->isChecked());
  EXPECT_EQ(p.dialogs.shown[2].text, LangMessage(0, 116));
  EXPECT_EQ(p.main->catalogue().cdCount, 0);
  EXPECT_THAT(p.main->windowTitle().toStdString(), HasSubstr("-offline"));
  // And back online, asked with the other message.
  p.dialogs.answers = {MessageAnswer::Yes};
  p.main->Item("OfflineModeItem")->trigger();
  EXPECT_EQ(p.dialogs.shown.back().text, LangMessage(0, 114));
  EXPECT_EQ(p.main->catalogue().cdCount, cds);
}

TEST(MainFormService, InitialiseLibraryWithShiftAsksForACustomDemoServer) {
  Program p;
  p.main->FirstActivation();
  // Cancelled: server 1 stays.
  p.main->InitializelibraryClick(true);
  EXPECT_EQ(p.main->demoBaseUrl(), p.main->endpoints().demoServer1);
  // Empty answers are asked again; the first text is taken.
  p.dialogs.inputs = {std::string(), std::string("http://127.0.0.1:9/audio/")};
  p.main->InitializelibraryClick(true);
  EXPECT_EQ(p.main->demoBaseUrl(), "http://127.0.0.1:9/audio/");
  EXPECT_TRUE(p.dialogs.inputs.empty());
  EXPECT_GT(p.main->catalogue().cdCount, 0);
  // Without Shift: server 1 again.
  p.main->InitializelibraryClick(false);
  EXPECT_EQ(p.main->demoBaseUrl(), p.main->endpoints().demoServer1);
}

}  // namespace
}  // namespace trakvella::testing
