// The subscription as the user sees it, against the local FTP server: the sign-in window's
// fields and keys, the music set window's panel switching with sign-in, leave and switch, a
// refused login that keeps what was typed, and a set downloaded from the set window.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <optional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/lang/MessageTable.h"
#include "support/LibraryServers.h"
#include "support/ScriptedMediaDevice.h"
#include "ui/MainWindowFixture.h"
#include "ui/QtText.h"
#include "ui/browse/FileBoxDelegate.h"
#include "ui/musicset/MusicSetForm.h"
#include "ui/subscription/SignInForm.h"
#include "ui/wait/WaitForm.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

class SubscriptionWindows : public MainWindowTest {
 protected:
  static void SetUpTestSuite() {
    serversHome_ = new TempDir;
    servers_ = new LibraryServers(serversHome_->path(),
                                  "--ftp-account una:pw:25 --ftp-account vic:pw:25 --ftp-account ron:pw:5:refuse"
                                  " --ftp-account sam:pw:25:stall");
  }
  static void TearDownTestSuite() {
    delete servers_;
    delete serversHome_;
  }

  void SetUp() override {
    // The program finds the servers through its folder's servers.ini; discarded
    // archives go to a trash of the test's own.
    fs::copy_file(servers_->serversIni, home.path() / "servers.ini");
    desktop.trash = FreedesktopTrash(trash.path() / "Trash");
    Start(&device);
    app().SetLanguage(Language::English);
    signIn = main->findChild<TSignInForm*>("SignInForm");
    setForm = main->findChild<TMusicSetForm*>("MusicSetForm");
    ASSERT_NE(signIn, nullptr);
    ASSERT_NE(setForm, nullptr);
  }
  void TearDown() override {
    if (setForm) setForm->close();
    MainWindowTest::TearDown();
  }

  template <class T>
  T* In(QWidget* window, const char* name) {
    T* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // The next time the sign-in window shows: what it was filled with goes to
  // *shown, then the credentials are typed and Enter pressed in passEdit, or
  // Cancel is clicked when there are none.
  void AnswerSignIn(std::optional<Credentials> typed, Credentials* shown = nullptr) {
    QTimer::singleShot(0, signIn, [this, typed, shown] {
      auto* login = In<QLineEdit>(signIn, "logEdit");
      auto* password = In<QLineEdit>(signIn, "passEdit");
      if (shown) *shown = {S(login->text()), S(password->text())};
      if (typed) {
        login->setText(Q(typed->login));
        password->clear();
        QTest::keyClicks(password, Q(typed->password));
        QTest::keyClick(password, Qt::Key_Return);
      } else {
        In<QPushButton>(signIn, "CancelBut")->click();
      }
      if (signIn->isVisible()) signIn->reject();  // never left open by a failed step
    });
  }
  // Whether a control of the set window's subscription panel is shown.
  bool Shown(const char* name) { return !In<QWidget>(setForm, name)->isHidden(); }
  QString PanelText(const char* name) {
    if (auto* edit = setForm->findChild<QLineEdit*>(name)) return edit->text();
    return In<QLabel>(setForm, name)->text();
  }
  void OpenSetWindow() {
    Control<QToolButton>("MemOperBut")->click();
    ASSERT_TRUE(setForm->isVisible());
  }
  void SignInAs(const std::string& login) {
    Subscription* sub = app().subscription();
    ASSERT_NE(sub, nullptr);
    AccountState account = sub->account();
    account.login = account.activeAccount = login;
    account.password = "pw";
    sub->SetAccount(std::move(account));
  }
  void OpenPodMenu() { emit main->SubMenu("PodpItem")->aboutToShow(); }
  std::string Said(Msg m) { return LangMessage(Language::English, m); }

  static TempDir* serversHome_;
  static LibraryServers* servers_;
  TempDir trash;
  ScriptedMediaDevice device;
  TSignInForm* signIn = nullptr;
  TMusicSetForm* setForm = nullptr;
};

TempDir* SubscriptionWindows::serversHome_ = nullptr;
LibraryServers* SubscriptionWindows::servers_ = nullptr;

TEST_F(SubscriptionWindows, SignInWindowTakesEnterOnlyWithBothFieldsAndCancelEmptiesThem) {
  EXPECT_TRUE(signIn->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(signIn->windowFlags() & Qt::WindowStaysOnTopHint);
  auto* login = In<QLineEdit>(signIn, "logEdit");
  auto* password = In<QLineEdit>(signIn, "passEdit");
  auto* button = In<QPushButton>(signIn, "SignInBut");

  bool closedEarly = true;
  bool enabledWithOne = true, enabledWithBoth = false;
  QLineEdit::EchoMode before = QLineEdit::Normal, after = QLineEdit::Password;
  QTimer::singleShot(0, signIn, [&] {
    enabledWithOne = button->isEnabled();
    QTest::keyClick(password, Qt::Key_Return);  // one field: Enter does nothing
    QTest::keyClicks(password, "secret");
    enabledWithBoth = button->isEnabled();
    QTest::keyClick(login, Qt::Key_Return);  // Enter belongs to passEdit alone
    closedEarly = !signIn->isVisible();
    before = password->echoMode();
    In<QToolButton>(signIn, "PassViewBtn")->click();
    after = password->echoMode();
    QTest::keyClick(password, Qt::Key_Return);
    if (signIn->isVisible()) signIn->reject();
  });
  const std::optional<Credentials> entered = signIn->AskCredentials({"anna", ""});
  EXPECT_FALSE(closedEarly);
  EXPECT_FALSE(enabledWithOne);
  EXPECT_TRUE(enabledWithBoth);
  EXPECT_EQ(before, QLineEdit::Password);
  EXPECT_EQ(after, QLineEdit::Normal);
  ASSERT_TRUE(entered.has_value());
  EXPECT_EQ(entered->login + "/" + entered->password, "anna/secret");

  // Cancel: nothing entered, both fields emptied; the next time the password is masked again.
  AnswerSignIn(std::nullopt);
  EXPECT_FALSE(signIn->AskCredentials({"anna", "secret"}).has_value());
  EXPECT_EQ(login->text() + password->text(), "");
  EXPECT_EQ(password->echoMode(), QLineEdit::Password);
}

TEST_F(SubscriptionWindows, PanelFollowsSignInLeaveAndSwitchAndARefusedLoginKeepsTheFields) {
  // Signed out: one track's download asks for an account first, then warns.
  app().browser().GoToPlace(std::string(kAllCdsPath));
  main->Refresh();
  emit Control<QMenu>("TrPopupMenu")->aboutToShow();
  AnswerSignIn(std::nullopt);
  main->Item("downitem")->trigger();
  EXPECT_THAT(dialogs.Texts(), ElementsAre(Said(Msg::PleaseSignIn)));

  const char* accountControls[] = {"logEdit", "passEdit", "ftpbut", "ftplabel", "PodStatusLbl"};
  OpenSetWindow();
  EXPECT_TRUE(Shown("SetupPodBtn"));
  for (const char* name : accountControls) EXPECT_FALSE(Shown(name)) << name;

  // A new account: message 102 with the quota, the panel switches, the caption names it.
  dialogs.shown.clear();
  AnswerSignIn(Credentials{"una", "pw"});
  In<QPushButton>(setForm, "SetupPodBtn")->click();
  EXPECT_THAT(dialogs.Texts(), ElementsAre(Said(Msg::NewSubscription) + "una\r" + Said(Msg::TracksLeft) + "25"));
  EXPECT_FALSE(Shown("SetupPodBtn"));
  for (const char* name : accountControls) EXPECT_TRUE(Shown(name)) << name;
  EXPECT_EQ(PanelText("logEdit"), "una");
  EXPECT_EQ(PanelText("PodStatusLbl"), Q(Said(Msg::TracksLeft) + "25"));
  EXPECT_THAT(S(main->windowTitle()), HasSubstr("| Subscription una (tracks left: 25) "));
  setForm->close();

  // Leave with No: signed out, the file kept, so the account list offers it again.
  dialogs.answers = {MessageAnswer::No};
  OpenPodMenu();
  main->Item("MMquitpodpiska")->trigger();
  EXPECT_EQ(dialogs.shown.back().text, "Exiting Subscription una\rDelete all data?");
  EXPECT_TRUE(Shown("SetupPodBtn"));
  EXPECT_FALSE(Shown("logEdit"));
  EXPECT_THAT(S(main->windowTitle()), Not(HasSubstr("Subscription")));
  OpenPodMenu();
  EXPECT_FALSE(main->Item("quitpodpiska")->isEnabled());
  auto* list = main->findChild<QMenu*>("ShowPodListMenu");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->actions().size(), 1);
  EXPECT_EQ(list->actions()[0]->text(), "1. una");
  list->actions()[0]->trigger();
  EXPECT_EQ(dialogs.shown.back().text, "Subscription: una\r" + Said(Msg::TracksLeft) + "25");
  EXPECT_EQ(PanelText("logEdit"), "una");

  // A refused login: the error box, and what was typed stays in place, quota unknown.
  dialogs.shown.clear();
  AnswerSignIn(Credentials{"ron", "pw"});
  main->Item("PodQuotaItem")->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_THAT(dialogs.shown[0].text, StartsWith("Subscription: ron\r" + Said(Msg::ConnectionFailed) + "\r"));
  EXPECT_EQ(PanelText("logEdit"), "ron");
  EXPECT_THAT(S(PanelText("PodStatusLbl")), Not(HasSubstr(Said(Msg::TracksLeft))));
  EXPECT_THAT(S(main->windowTitle()), HasSubstr("| Subscription ron (not entered) "));
  Credentials shown;
  AnswerSignIn(std::nullopt, &shown);
  main->Item("PodQuotaItem")->trigger();
  EXPECT_EQ(shown.login + "/" + shown.password, "ron/pw");
  EXPECT_EQ(PanelText("logEdit"), "ron");  // Cancel changed nothing
}

TEST_F(SubscriptionWindows, SetDownloadFromTheSetWindowUnpacksMarksAndCounts) {
  SignInAs("vic");
  const std::vector<std::string> codes = {"KMLB_003_001", "KMLB_005_002"};
  ASSERT_EQ(app().musicSet().LoadSet(codes), 2u);
  OpenSetWindow();
  auto* ftpbut = In<QPushButton>(setForm, "ftpbut");
  ASSERT_TRUE(Shown("ftpbut"));
  ASSERT_TRUE(ftpbut->isEnabled());

  TempDir target;
  dialogs.folders = {target.path().string()};
  ftpbut->click();
  EXPECT_TRUE(dialogs.Texts().empty()) << dialogs.Texts()[0];
  const fs::path unpacked[] = {target.path() / "KMLB_003_001 Аплодисменты - 01.mp3",
                               target.path() / "KMLB_005_002 Команда мечты.mp3"};
  for (const fs::path& file : unpacked) EXPECT_TRUE(fs::is_regular_file(file)) << file;
  EXPECT_FALSE(fs::exists(target.path() / "KMLB_003_001.rar"));  // the archives went to the trash
  EXPECT_THAT(shell.revealed, ElementsAre(unpacked[1].string()));
  EXPECT_EQ(app().settings().lastDownloadFolder, target.path().string());

  // The window shows what the server counted; the track list marks the tracks.
  EXPECT_EQ(PanelText("PodStatusLbl"), Q(Said(Msg::TracksLeft) + "23"));
  EXPECT_THAT(S(main->windowTitle()), HasSubstr("| Subscription vic (tracks left: 23) "));
  auto* delegate = qobject_cast<FileBoxDelegate*>(FileBox()->itemDelegate());
  ASSERT_NE(delegate, nullptr);
  ASSERT_TRUE(delegate->marks.downloaded);
  for (const std::string& code : codes) EXPECT_TRUE(delegate->marks.downloaded(code)) << code;
  EXPECT_FALSE(delegate->marks.downloaded("KMLB_003_002"));
  EXPECT_EQ(ReadDownloadedTracks(home.path(), "vic"), codes);

  // The account's downloads as the track list's result.
  setForm->close();
  OpenPodMenu();
  main->Item("ShowPodItem")->trigger();
  EXPECT_EQ(FileBox()->model()->rowCount(), 2);
}

TEST_F(SubscriptionWindows, CancelInTheProgressWindowStopsADownloadStartedFromTheSetWindow) {
  // The server holds each transfer for 3 s after its first 8 KiB. Cancel is
  // clicked through the window system, so the click meets the set window's modality.
  const Language language = Language::English;
  TWaitForm wait(main.get(), language);
  main->setWaitForm(&wait);
  struct Detach {
    TMainForm* main;
    ~Detach() { main->setWaitForm(nullptr); }
  } detach{main.get()};
  SignInAs("sam");
  ASSERT_EQ(app().musicSet().LoadSet({"KMLB_003_001"}), 1u);
  OpenSetWindow();

  bool clicked = false;
  QTimer clicker;
  QObject::connect(&clicker, &QTimer::timeout, &wait, [&] {
    auto* cancel = wait.findChild<QPushButton*>("CancelBut");
    if (clicked || !wait.isVisible() || !cancel || !cancel->isVisible() ||
        !In<QLabel>(&wait, "Operation")->text().startsWith("Downloading"))
      return;
    clicked = true;
    const QPoint at = cancel->mapTo(&wait, cancel->rect().center());
    QTest::mouseClick(wait.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
  });
  clicker.start(100);
  TempDir target;
  dialogs.folders = {target.path().string()};
  In<QPushButton>(setForm, "ftpbut")->click();
  clicker.stop();

  EXPECT_TRUE(clicked);
  EXPECT_TRUE(dialogs.Texts().empty()) << dialogs.Texts()[0];
  EXPECT_FALSE(fs::exists(target.path() / "KMLB_003_001 Аплодисменты - 01.mp3"));
  EXPECT_TRUE(app().subscription()->account().downloadedTracks.empty());
  EXPECT_TRUE(shell.revealed.empty());
  // Afterwards both windows are as they were.
  EXPECT_EQ(wait.windowModality(), Qt::NonModal);
  EXPECT_TRUE(setForm->isEnabled());
}

}  // namespace
}  // namespace trakvella::testing
