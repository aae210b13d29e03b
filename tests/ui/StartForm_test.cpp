// The start window as the user sees it: the ticking "checking" line, the version line and the
// buttons through whole checks against the local library servers in a temporary program folder
// (no newer version: it closes by itself; a newer one: information, download, the restart script,
// the program ends), its captions, and its showing before a library re-initialisation.
#include "ui/startup/StartForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "adapters/CurlHttpClient.h"
#include "adapters/LibarchiveReader.h"
#include "core/lang/MessageTable.h"
#include "core/lang/Version.h"
#include "core/startup/UpdateScript.h"
#include "support/Fakes.h"
#include "support/LibraryServers.h"
#include "ui/QtText.h"
#include "ui/lang/LangCaptions.h"
#include "ui/startup/UpdateInfoForm.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string M(Msg message) { return LangMessage(Language::English, message); }

class ConnectedInterface : public NetworkInterfaces {
 public:
  std::vector<NetworkInterface> List() override { return {NetworkInterface{"eth0", "up", true, false}}; }
};

// A start window of program version `version` over the real HTTP client and archive reader.
struct StartWindow {
  FakeDialogs dialogs;
  FakeProgress progress;
  FakeShell shell;
  NetworkState network;
  CurlHttpClient http;
  LibarchiveReader archives;
  RecordingLauncher launcher;
  ConnectedInterface interfaces;
  const Language language = Language::English;
  Downloader downloader{http, progress, dialogs, language, network};
  std::unique_ptr<TStartForm> form;
  QTimer watchdog;  // a window that never closes fails the test instead of hanging it

  StartWindow(const fs::path& home, const std::string& version, const std::string& pageUrl) {
    StartFormPorts ports{dialogs, progress, downloader, archives, launcher, interfaces, http, shell};
    form = std::make_unique<TStartForm>(ports, language, network,
                                        StartSetup{version, pageUrl, home, home / "trakvella", {}, 0});
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [this] {
      ADD_FAILURE() << "the start window did not close";
      form->EndProgram();
    });
    watchdog.start(30000);
  }
  template <class T>
  T* Control(const char* name) const {
    T* control = form->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // What the status line shows after each tick of Timer1 ("-" while hidden).
  std::vector<std::string> ticks;
  void RecordTicks() {
    QObject::connect(Control<QTimer>("Timer1"), &QTimer::timeout, form.get(), [this] {
      QLabel* label = Control<QLabel>("Label4");
      ticks.push_back(label->isVisible() ? S(label->text()) : "-");
    });
  }
};

class StartFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    serverHome_ = new TempDir;
    servers_ = new LibraryServers(serverHome_->path(), "--max-tracks 1");
  }
  static void TearDownTestSuite() {
    delete servers_;
    delete serverHome_;
  }
  static void Offer(const std::string& version) {
    ASSERT_EQ(HttpGetForTest(servers_->web + "control/update/" + version + "/good"), "ok\n");
  }
  static std::string Page() { return servers_->web + "update.html"; }

  static inline TempDir* serverHome_ = nullptr;
  static inline LibraryServers* servers_ = nullptr;
  TempDir home_;
};

TEST_F(StartFormTest, WithoutANewerVersionItTicksChecksAndClosesByItself) {
  Offer("1.0.0.0");
  StartWindow w(home_.path(), "1.0.0.0", Page());
  w.RecordTicks();
  QString versionLine;
  QObject::connect(w.Control<QTimer>("Timer1"), &QTimer::timeout, w.form.get(),
                   [&] { versionLine = w.Control<QLabel>("Label3")->text(); });

  EXPECT_TRUE(w.form->ShowAtStart());  // the main window follows
  EXPECT_THAT(w.ticks, ElementsAre("Checking update now.", "Checking update now..", "Checking update now...",
                                   "Checking update now.", "Checking update now..", "Checking update now...", "-"));
  EXPECT_EQ(versionLine, "Version 1.0.0.0");
  EXPECT_FALSE(w.form->isVisible());
  EXPECT_FALSE(w.Control<QTimer>("Timer1")->isActive());
  EXPECT_TRUE(w.dialogs.shown.empty());
  EXPECT_EQ(w.network.networkState, kNetworkWorking);
  EXPECT_TRUE(w.launcher.started.empty());

  // Its captions come from the caption table.
  SetLangCaptions(Language::English, [](std::string_view) { return std::optional<std::string>(); });
  EXPECT_EQ(w.Control<QPushButton>("NextBut")->text(), "Continue");
  EXPECT_THAT(S(w.Control<QLabel>("Label7")->text()), HasSubstr("Registry"));
}

TEST_F(StartFormTest, ANewerVersionIsShownDownloadedUnpackedAndTheProgramEndsForTheRestartScript) {
  Offer("1.0.0.1");
  StartWindow w(home_.path(), "1.0.0.0", Page());
  // The information window: the page, read-only, and OK to go on.
  QString infoTitle, infoText, okText;
  bool checkBoxShown = true, nextButShown = true;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* info = w.form->findChild<TUpdateInfoForm*>();
    if (!info || !info->isVisible()) return;
    answer.stop();
    infoTitle = info->windowTitle();
    infoText = info->findChild<QTextBrowser*>("WebBrowser")->toPlainText();
    checkBoxShown = info->findChild<QCheckBox*>("chk_FutureUpdate")->isVisible();
    okText = info->findChild<QPushButton*>("btn_OK")->text();
    nextButShown = w.Control<QPushButton>("NextBut")->isVisible();
    info->findChild<QPushButton*>("btn_OK")->click();
  });
  answer.start(20);

  EXPECT_FALSE(w.form->ShowAtStart());  // the program ends
  EXPECT_THAT(w.dialogs.Texts(), ElementsAre(M(Msg::UpdateNow), M(Msg::UpdateDownloaded)));
  EXPECT_EQ(S(infoTitle), M(Msg::UpdateInfoCaption));
  EXPECT_THAT(S(infoText), HasSubstr("Trakvella 1.0.0.1"));
  EXPECT_FALSE(checkBoxShown);
  EXPECT_EQ(okText, "&OK");
  EXPECT_FALSE(nextButShown);  // the user said Yes: no "Continue" while it downloads
  EXPECT_EQ(w.Control<QLabel>("Label4")->text(), "Updates downloaded: 100%");
  QProgressBar* bar = w.Control<QProgressBar>("ProgressBar");
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_THAT(w.launcher.started, ElementsAre("/bin/sh " + (home_.path() / kUpdateScriptName).string()));
  EXPECT_EQ(ReadFile(home_.path() / kUpdateFolderName / "trakvella-update.txt"), "Trakvella update 1.0.0.1\n");
  EXPECT_EQ(w.network.networkState, kNetworkWorking);
}

// The main window's "Initialise library" shows the start window before the
// library loads again, with nothing but "Continue".
struct ReinitialisationTest : MainWindowTest {};

TEST_F(ReinitialisationTest, ShowsTheStartWindowWithOnlyContinueBeforeTheLibraryLoads) {
  TStartForm form(
      desktop.startPorts(app()), app().language(), app().network(),
      StartSetup{kFileVersion, "http://127.0.0.1:9/update.html", home.path(), home.path() / "trakvella", {}, 0},
      main.get());
  main->setStartForm(&form);
  int showings = 0;
  bool nextBut = false, label4 = true, coverShown = false, timer = true;
  QString versionLine;
  QTimer click;
  QObject::connect(&click, &QTimer::timeout, [&] {
    if (!form.isVisible()) return;
    ++showings;
    nextBut = form.findChild<QPushButton*>("NextBut")->isVisible();
    label4 = form.findChild<QLabel*>("Label4")->isVisible();
    timer = form.findChild<QTimer*>("Timer1")->isActive();
    versionLine = form.findChild<QLabel*>("Label3")->text();
    coverShown = main->findChild<QWidget*>("offPanel")->isVisible();
    form.findChild<QPushButton*>("NextBut")->click();
  });
  click.start(20);

  main->Item("Initializelibrary1")->trigger();
  click.stop();
  EXPECT_EQ(showings, 1);
  EXPECT_TRUE(nextBut);
  EXPECT_FALSE(label4);
  EXPECT_FALSE(timer);
  EXPECT_EQ(S(versionLine), LangMessage(app().language(), Msg::Version) + kFileVersion);
  EXPECT_TRUE(coverShown);
  EXPECT_FALSE(form.isVisible());
  EXPECT_GT(app().catalogue().CdCount(), 0);
  EXPECT_FALSE(main->findChild<QWidget*>("offPanel")->isVisible());
  EXPECT_TRUE(dialogs.shown.empty());
  main->setStartForm(nullptr);
}

}  // namespace
}  // namespace trakvella::testing
