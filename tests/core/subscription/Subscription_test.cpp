// Subscription against the real local FTP server (tools/library_servers.py):
// sign-in, quota, downloads with their unpacking through libarchive, cancel,
// the questions and the servers that misbehave; files go to a trash of the
// test's own.
#include "core/subscription/Subscription.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "adapters/CurlFtpClient.h"
#include "adapters/CurlHttpClient.h"
#include "adapters/FreedesktopTrash.h"
#include "adapters/LibarchiveReader.h"
#include "core/lang/MessageTable.h"
#include "core/net/OpenPage.h"
#include "core/settings/Settings.h"
#include "core/subscription/DemoDownload.h"
#include "support/Fakes.h"
#include "support/LibraryServers.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeProgress;
using testing::FakeShell;
using testing::LibraryServers;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr const char* kAccounts =
    " --ftp-account alice:pw:25 --ftp-account nina:pw:25 --ftp-account bob:pw:25 --ftp-account carol:pw:25"
    " --ftp-account dave:pw:25 --ftp-account eve:pw:5:traversal --ftp-account frank:pw:5:drop"
    " --ftp-account gina:pw:5:notrar --ftp-account hank:pw:5:empty --ftp-account ivy:pw:5:many"
    " --ftp-account jack:pw:5:nocredit --ftp-account kim:pw:5:badcredit --ftp-account lou:pw:1"
    " --ftp-account ron:pw:5:refuse --ftp-account mia:pw:5:normal:KMLB_003_004,KMLB_005_001"
    " --ftp-account zoe:pw:0 --ftp-account lena:pw:5:link --ftp-account a/b:pw:25 --ftp-account ab:pw:25";

// The subscription's account with the test's change made to it.
template <typename Change>
void ChangeAccount(Subscription& sub, Change change) {
  AccountState account = sub.account();
  change(account);
  sub.SetAccount(std::move(account));
}

// The program's ports on real adapters, with scripted dialogs and progress.
struct Rig {
  TempDir home, trashHome, target;
  FakeDialogs dialogs;
  FakeProgress progress;
  FakeClock clock;
  FakeShell shell;
  CurlFtpClient ftp;
  LibarchiveReader archives;
  FreedesktopTrash trash{trashHome.path() / "Trash"};
  CurlHttpClient http;
  NetworkState network;
  // The windows as the subscription sees them: the captions asked for and the sign-in window's answer.
  struct Windows : SubscriptionView {
    int captions = 0;
    std::function<std::optional<Credentials>(const Credentials&)> signIn;
    void CaptionChanged() override { ++captions; }
    std::optional<Credentials> AskCredentials(const Credentials& current) override {
      return signIn ? signIn(current) : std::nullopt;
    }
  } windows;
  Language language = Language::English;
  Endpoints endpoints;
  Subscription sub;

  explicit Rig(const fs::path& serversHome)
      : endpoints(ReadServerConfig(serversHome)),
        sub(SubscriptionPorts{&ftp, &archives, &trash, &dialogs, &progress, &shell, &http, &clock}, home.path(),
            endpoints, language, network) {
    sub.SetView(&windows);
  }
  void Login(const std::string& login) {
    ChangeAccount(sub, [&](AccountState& a) {
      a.login = a.activeAccount = login;
      a.password = "pw";
    });
  }
  std::vector<std::string> Trashed() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(trashHome.path() / "Trash" / "files", ec))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class SubscriptionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folders_ = new TempDir;
    servers_ = new LibraryServers(folders_->path(), kAccounts);
  }
  static void TearDownTestSuite() {
    delete servers_;
    delete folders_;
  }
  // The tone the server packed for a track.
  static std::string ServerAudio(const std::string& code) {
    return ReadFile(folders_->path() / ".demo-cache" / code.substr(0, 8) / (code + ".full.cache"));
  }
  static const fs::path& serversHome() { return folders_->path(); }

  static TempDir* folders_;
  static LibraryServers* servers_;
};

TempDir* SubscriptionTest::folders_ = nullptr;
LibraryServers* SubscriptionTest::servers_ = nullptr;

// --- Plain rules --------------------------------------------------------------------------

TEST(QuotaFromStatReply, TakesTheNumberAfterCreditUpToTheFirstComma) {
  EXPECT_EQ(QuotaFromStatReply({"211-Status", " Account: x credit 25, ratio none", "211 End"}), 25);
  // A comma before "credit": the line is not a quota line.
  EXPECT_EQ(QuotaFromStatReply({" Session: 0 files, no credit for uploads"}), -1);
  EXPECT_EQ(QuotaFromStatReply({" credit 7, a", " Session: 1, credit 9"}), 7);
  // A later quota line overrides an earlier one, a broken one included.
  EXPECT_EQ(QuotaFromStatReply({" credit 7, a", " credit 3, b"}), 3);
  EXPECT_EQ(QuotaFromStatReply({" credit 7, a", " credit abc, b"}), -1);
  EXPECT_EQ(QuotaFromStatReply({" credit 12 , x"}), -1);  // a blank before the comma is not a number
  EXPECT_EQ(QuotaFromStatReply({"credit,", "credit 5"}), -1);
  EXPECT_EQ(QuotaFromStatReply({" credit 99999999999, x"}), -1);
  EXPECT_EQ(QuotaFromStatReply({}), -1);
}

TEST(FolderMap, KeysAreCdCodesFoundInListingLinesFirstWinsCaseIgnored) {
  const FolderMap map({"drwxr-xr-x 2 u g 4096 Dec 09 11:34 KMLB_003 Promo", "-rw-r--r-- 1 u g 31 Welcome.txt",
                       "drwxr-xr-x 2 u g 4096 Dec 09 11:34 KMLB_003 Promo (old)",
                       "drwxr-xr-x 2 u g 4096 Dec 09 11:34 Архив KMLB_005 Стиль"});
  EXPECT_EQ(map.size(), 3u);
  EXPECT_EQ(map.Find("KMLB_003"), "KMLB_003 Promo");
  EXPECT_EQ(map.Find("kmlb_005"), "KMLB_005 Стиль");
  EXPECT_EQ(map.Find("KMLB_012"), std::nullopt);
}

TEST(TrackCodeOfItem, ReducesPathsAddressesAndDriveLetters) {
  EXPECT_EQ(TrackCodeOfItem("KMLB_003_012"), "KMLB_003_012");
  EXPECT_EQ(TrackCodeOfItem("/home/me/audio/KMLB_003_012.wav"), "KMLB_003_012");
  EXPECT_EQ(TrackCodeOfItem("http://demo:8080/audio/KMLB_003/KMLB_003_012.mp3"), "KMLB_003_012");
  EXPECT_EQ(TrackCodeOfItem("C:KMLB_003_012.x.mp3"), "KMLB_003_012.x");
  EXPECT_EQ(TrackCodeOfItem("D:\\Music\\KMLB_005_001.wav"), "KMLB_005_001");
}

// --- The account file ------------------------------------------------------------------------

TEST(AccountFile, RoundTripsAndReadsAroundGarbageLines) {
  TempDir home;
  AccountState state;
  state.login = "анна";
  state.password = "p=w;1";
  state.downloadedTracks = {"KMLB_003_001", "KMLB_005_002"};
  ASSERT_TRUE(WriteAccountFile(home.path(), state.login, state));
  const fs::path file = home.path() / "анна.kmlb";
  EXPECT_EQ(ReadFile(file),
            "Login=\xE0\xED\xED\xE0\r\nPassword=p=w;1\r\ndownload0=KMLB_003_001\r\n"
            "download1=KMLB_005_002\r\n");  // code page 1251, CR LF
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(Names(home.path()), std::vector<std::string>{"анна.kmlb"});  // no temporary left
  const AccountFile read = ReadAccountFile(file);
  EXPECT_EQ(read.login, state.login);
  EXPECT_EQ(read.password, state.password);
  EXPECT_EQ(read.downloadedTracks, state.downloadedTracks);

  // Garbage lines are counted and skipped; names ignore case, the first wins;
  // the list ends at the first missing number.
  WriteFile(file,
            "garbage\r\n=x\r\nLOGIN=anna\r\nLogin=other\r\nPassword=secret\r\ndownload0=KMLB_003_001,2009-01-01\r\n"
            "download00=KMLB_009_009\r\ndownload2=KMLB_005_001\r\ndownload0=KMLB_007_007\r\n\r\n");
  const AccountFile garbage = ReadAccountFile(file);
  EXPECT_EQ(garbage.lineCount, 10u);
  EXPECT_EQ(garbage.login, "anna");
  EXPECT_EQ(garbage.password, "secret");
  EXPECT_EQ(garbage.downloadedTracks, std::vector<std::string>{"KMLB_003_001"});
  EXPECT_EQ(ReadDownloadedTracks(home.path(), "анна"), std::vector<std::string>{"KMLB_003_001"});

  // A name that would leave the program folder names a file inside it; no name, no file.
  EXPECT_EQ(AccountFilePath(home.path(), "../evil"), home.path() / "..%2Fevil.kmlb");
  EXPECT_TRUE(AccountFilePath(home.path(), "").empty());
  EXPECT_FALSE(WriteAccountFile(home.path(), "", state));
}

TEST(AccountFile, EveryLoginHasAFileOfItsOwnThatNamesItBack) {
  TempDir home;
  // Ordinary logins keep their files; the others no longer share one, and the list names them back.
  const std::vector<std::string> logins = {"анна", "50%off", "a/b", "ab", "a%2Fb", "a%2fb", "%", "q\r\n?*"};
  AccountState state;
  for (const std::string& login : logins) ASSERT_TRUE(WriteAccountFile(home.path(), login, state)) << login;
  EXPECT_EQ(Names(home.path()), (std::vector<std::string>{"%.kmlb", "50%off.kmlb", "a%252Fb.kmlb", "a%252fb.kmlb",
                                                          "a%2Fb.kmlb", "ab.kmlb", "q%0D%0A%3F%2A.kmlb", "анна.kmlb"}));
  std::vector<std::string> listed;
  for (const AccountListEntry& entry : FindAccountFiles(home.path())) listed.push_back(entry.hint);
  EXPECT_THAT(listed, ::testing::UnorderedElementsAreArray(logins));

  const size_t longest = kAccountFileNameMax - kAccountFileExtension.size();  // room left for the temporary name
  EXPECT_FALSE(AccountFilePath(home.path(), std::string(longest, 'x')).empty());
  EXPECT_TRUE(AccountFilePath(home.path(), std::string(longest + 1, 'x')).empty());

  // The library copies' folders are named alike, never the folder itself or the one above.
  EXPECT_EQ(LibraryCopyFolder(home.path(), ".."), home.path() / "audio" / "%2E%2E");
}

TEST(AccountFile, LegacySettingsAccountIsMergedAtStartAndStoredAtEnd) {
  TempDir home;
  testing::FakeDialogs dialogs;
  testing::FakeProgress progress;
  testing::FakeShell shell;
  CurlFtpClient ftp;
  LibarchiveReader archives;
  FreedesktopTrash trash(home.path() / "Trash");
  CurlHttpClient http;
  NetworkState network{kNetworkOffline};
  Endpoints closed;  // a port nothing listens on: a switch fails at once
  closed.ftpHost = "127.0.0.1";
  closed.ftpPort = 1;
  const Language english = Language::English;
  Subscription sub({&ftp, &archives, &trash, &dialogs, &progress, &shell, &http}, home.path(), closed, english,
                   network);
  AccountState own;
  own.login = "old";
  own.password = "filepw";
  own.downloadedTracks = {"KMLB_003_001"};
  ASSERT_TRUE(WriteAccountFile(home.path(), "old", own));

  Settings settings;
  ApplySettingsLines({"Login=old", "Password=legacypw", "download0=KMLB_005_001,x", "download1=KMLB_003_001"},
                     settings);
  sub.LoadFromSettings(settings);
  sub.SignInAtStart();  // no network: the file is read, the server not asked
  EXPECT_EQ(sub.account().downloadedTracks, (std::vector<std::string>{"KMLB_003_001", "KMLB_005_001"}));
  EXPECT_EQ(sub.account().password, "filepw");
  EXPECT_TRUE(dialogs.shown.empty());

  Settings end;
  sub.StoreAtProgramEnd(end);
  EXPECT_EQ(ReadDownloadedTracks(home.path(), "old"), (std::vector<std::string>{"KMLB_003_001", "KMLB_005_001"}));
  const std::vector<std::string> lines = SettingsLines(end);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "ActivePodpiska=old"), lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "Login=old"), lines.end());

  // Leaving: Cancel keeps all, No keeps the file, Yes deletes it.
  dialogs.answers = {MessageAnswer::Cancel, MessageAnswer::No};
  sub.LeaveAccount();
  EXPECT_TRUE(sub.account().SignedIn());
  sub.LeaveAccount();
  EXPECT_FALSE(sub.account().SignedIn());
  EXPECT_TRUE(sub.account().downloadedTracks.empty());
  EXPECT_EQ(dialogs.shown.back().text, "Exiting Subscription old\rDelete all data?");
  EXPECT_EQ(DefaultAnswer(dialogs.shown.back().buttons), MessageAnswer::No);  // Enter never deletes
  EXPECT_EQ(FindAccountFiles(home.path()).size(), 1u);
  sub.SwitchAccount("old");
  EXPECT_TRUE(sub.account().SignedIn());
  dialogs.answers = {MessageAnswer::Yes};
  sub.LeaveAccount();
  EXPECT_TRUE(FindAccountFiles(home.path()).empty());
}

TEST(EntryPoints, DownitemAndDemoDownloadRefuseWithoutAccountOrWhenOffline) {
  TempDir home;
  testing::FakeDialogs dialogs;
  testing::FakeProgress progress;
  testing::FakeShell shell;
  CurlFtpClient ftp;
  LibarchiveReader archives;
  FreedesktopTrash trash(home.path() / "Trash");
  CurlHttpClient http;
  NetworkState network;
  const Endpoints builtIn;
  const Language russian = Language::Russian;
  Subscription sub({&ftp, &archives, &trash, &dialogs, &progress, &shell, &http}, home.path(), builtIn, russian,
                   network);
  struct Cancelled : SubscriptionView {
    int asked = 0;
    std::optional<Credentials> AskCredentials(const Credentials&) override {
      ++asked;
      return std::nullopt;
    }
  } signIn;
  sub.SetView(&signIn);
  std::string last = "/music";
  EXPECT_FALSE(sub.DownloadItem("KMLB_003_001", last));
  EXPECT_EQ(signIn.asked, 1);  // the sign-in window first
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Пожалуйста, войдите в аккаунт Подписки!"});
  EXPECT_FALSE(sub.SignedInForDocuments());
  EXPECT_EQ(last, "/music");

  const Language english = Language::English;
  Downloader downloader(http, progress, dialogs, english, network);
  Catalogue catalogue;
  dialogs.shown.clear();
  EXPECT_TRUE(DownloadSetDemos(downloader, dialogs, catalogue, {"KMLB_003_001"}, "http://127.0.0.1:9/audio/", true,
                               last, Language::English)
                  .empty());
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Downloading disabled (Service -> Offline mode)!"});
  EXPECT_TRUE(DownloadSetDemos(downloader, dialogs, catalogue, {"KMLB_003_001"}, "http://127.0.0.1:9/audio/", false,
                               last,
                               Language::English)
                  .empty());  // the folder dialog cancelled
  EXPECT_EQ(last, "/music");
}

// --- Sign-in and quota -----------------------------------------------------------------------

TEST_F(SubscriptionTest, SignInNewKnownAndRefusedAccounts) {
  Rig rig(serversHome());
  std::optional<Credentials> entered = Credentials{"alice", "pw"};
  rig.windows.signIn = [&](const Credentials&) { return entered; };
  rig.sub.SignIn();
  EXPECT_EQ(rig.dialogs.Texts(), std::vector<std::string>{"New subscription plugged: alice\rTracks(s) left: 25"});
  EXPECT_EQ(rig.sub.account().activeAccount, "alice");
  EXPECT_EQ(rig.sub.podStatus(), "Tracks(s) left: 25");
  // The quota line follows a language switch.
  rig.language = Language::Russian;
  EXPECT_EQ(rig.sub.podStatus(), "Осталось по Подписке: 25");
  rig.language = Language::English;
  EXPECT_EQ(ReadAccountFile(rig.home.path() / "alice.kmlb").login, "alice");
  EXPECT_GT(rig.windows.captions, 0);

  // A known account signed in with a new password stores that password.
  AccountState stored;
  stored.login = "nina";
  stored.password = "old";
  stored.downloadedTracks = {"KMLB_003_001"};
  ASSERT_TRUE(WriteAccountFile(rig.home.path(), "nina", stored));
  entered = Credentials{"nina", "pw"};
  rig.dialogs.shown.clear();
  rig.sub.SignIn();
  EXPECT_EQ(rig.dialogs.Texts(), std::vector<std::string>{"Subscription: nina\rTracks(s) left: 25"});
  const AccountFile nina = ReadAccountFile(rig.home.path() / "nina.kmlb");
  EXPECT_EQ(nina.password, "pw");
  EXPECT_EQ(nina.downloadedTracks, stored.downloadedTracks);

  // Refused: the error box, the network marked down, the credentials kept.
  entered = Credentials{"ron", "pw"};
  rig.dialogs.shown.clear();
  rig.sub.SignIn();
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_TRUE(rig.dialogs.shown[0].text.starts_with("Subscription: ron\rConnection failed!\r"));
  EXPECT_NE(rig.dialogs.shown[0].text.find("530"), std::string::npos);
  EXPECT_EQ(rig.network.networkState, kNetworkOffline);
  EXPECT_TRUE(rig.sub.account().SignedIn());
  EXPECT_EQ(rig.sub.account().quota, kQuotaUnknown);
  EXPECT_TRUE(rig.sub.account().downloadedTracks.empty());

  // Cancel in the sign-in window changes nothing.
  entered = std::nullopt;
  rig.sub.SignIn();
  EXPECT_EQ(rig.sub.account().login, "ron");
}

// Nothing of a refused sign-in reaches the account file, not even at the close
// or when the next sign-in writes the current account first; a known account
// whose quota is used up is warned about; a login too long for a file name is
// refused before the server is asked; a file that cannot be written is reported.
TEST_F(SubscriptionTest, TheAccountFileChangesOnlyWithCredentialsTheServerTook) {
  Rig rig(serversHome());
  AccountState stored;
  stored.login = "nina";
  stored.password = "pw";
  stored.downloadedTracks = {"KMLB_003_001"};
  ASSERT_TRUE(WriteAccountFile(rig.home.path(), "nina", stored));
  ASSERT_TRUE(WriteAccountFile(rig.home.path(), "zoe", stored));
  const std::string nina = ReadFile(rig.home.path() / "nina.kmlb");

  std::optional<Credentials> entered = Credentials{"nina", "typo"};
  rig.windows.signIn = [&](const Credentials&) { return entered; };
  rig.sub.SignIn();
  ASSERT_EQ(rig.network.networkState, kNetworkOffline);  // refused
  Settings end;
  rig.sub.StoreAtProgramEnd(end);
  entered = Credentials{"zoe", "pw"};
  rig.dialogs.shown.clear();
  rig.sub.SignIn();
  EXPECT_EQ(ReadFile(rig.home.path() / "nina.kmlb"), nina);
  EXPECT_EQ(rig.dialogs.Texts(), std::vector<std::string>{"Subscription: zoe\rYour subscription's quota is over!"});

  entered = Credentials{std::string(300, 'x'), "pw"};
  rig.dialogs.shown.clear();
  rig.sub.SignIn();
  EXPECT_EQ(rig.dialogs.Texts(), std::vector<std::string>{LangMessage(Language::English, Msg::LoginTooLong)});
  EXPECT_EQ(rig.sub.account().login, "zoe");

  WriteFile(rig.home.path() / "dave.kmlb" / "in the way", "");
  entered = Credentials{"dave", "pw"};
  rig.sub.SignIn();
  EXPECT_THAT(rig.dialogs.Texts(), ::testing::Contains("Could not save the subscription account file:\r" +
                                                       (rig.home.path() / "dave.kmlb").string()));
}

// An account file that is a pipe is named as every file read refused for what it
// is, and changes nothing: not at start, not when switched to, not at a sign-in
// (which cannot save the account either, and says so); the pipe stays a pipe.
TEST_F(SubscriptionTest, AnAccountFileThatIsAPipeIsNamedAndChangesNothing) {
  Rig rig(serversHome());
  const fs::path pipe = rig.home.path() / "carol.kmlb";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string named = LangMessage(Language::English, Msg::FileNotRegular) + "\r" + pipe.string();

  Settings settings;
  settings.activeAccount = "carol";
  rig.sub.LoadFromSettings(settings);
  rig.sub.SignInAtStart();
  EXPECT_EQ(rig.sub.account().activeAccount, "carol");  // still named at the close
  EXPECT_FALSE(rig.sub.account().SignedIn());

  rig.Login("dave");
  rig.sub.SwitchAccount("carol");
  EXPECT_EQ(rig.sub.account().login, "dave");

  rig.windows.signIn = [](const Credentials&) { return Credentials{"carol", "pw"}; };
  rig.sub.SignIn();
  // Named at the start, the switch and the sign-in; no "new subscription" announced.
  EXPECT_EQ(rig.dialogs.Texts(),
            (std::vector<std::string>{named, named, named,
                                      "Could not save the subscription account file:\r" + pipe.string()}));
  EXPECT_EQ(rig.sub.account().activeAccount, "carol");  // the server took the credentials
  EXPECT_TRUE(fs::is_fifo(pipe));
}

TEST_F(SubscriptionTest, QuotaRepliesWithoutANumberLeaveItUnknownAndZeroWarns) {
  for (const char* login : {"jack", "kim"}) {
    Rig rig(serversHome());
    rig.Login(login);
    ChangeAccount(rig.sub, [](AccountState& a) { a.quota = 4; });
    ASSERT_TRUE(rig.sub.RunSubscriptionSession("", {}, SessionSwitches::All()));
    EXPECT_EQ(rig.sub.account().quota, kQuotaUnknown) << login;
    EXPECT_EQ(rig.sub.podStatus(), "") << login;
    EXPECT_TRUE(rig.dialogs.shown.empty()) << login;
  }
  Rig rig(serversHome());
  rig.Login("lou");
  rig.dialogs.folders = {rig.target.path().string()};
  std::string last;
  ASSERT_TRUE(rig.sub.DownloadSet({"KMLB_003_003"}, last));
  EXPECT_EQ(rig.sub.account().quota, 0);
  EXPECT_EQ(rig.dialogs.Texts(), std::vector<std::string>{"Subscription: lou\rYour subscription's quota is over!"});
}

// --- Downloads ---------------------------------------------------------------------------

TEST_F(SubscriptionTest, SetDownloadUnpacksCopiesRevealsAndCounts) {
  Rig rig(serversHome());
  rig.Login("bob");
  rig.dialogs.folders = {rig.target.path().string()};
  std::string lastFolder = "/nowhere";
  DownloadReport report;
  ASSERT_TRUE(rig.sub.DownloadSet(
      {"KMLB_003_001", "/music/KMLB_005_002.wav", "http://127.0.0.1:9/audio/KMLB_012/KMLB_012_003.mp3", "KMLB_999_001"},
      lastFolder, &report));
  EXPECT_EQ(lastFolder, rig.target.path().string());
  EXPECT_TRUE(rig.dialogs.Texts().empty()) << rig.dialogs.Texts()[0];

  const std::vector<std::string> unpacked = {"KMLB_003_001 Аплодисменты - 01.mp3", "KMLB_005_002 Команда мечты.mp3",
                                             "KMLB_012_003 Sol y Mar.mp3"};
  ASSERT_EQ(report.items.size(), 4u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(report.items[i].result, ItemResult::Unpacked) << i;
    EXPECT_EQ(report.items[i].file, rig.target.path() / unpacked[i]);
  }
  EXPECT_EQ(report.items[3].result, ItemResult::NotOnServer);
  EXPECT_EQ(ReadFile(rig.target.path() / unpacked[0]), ServerAudio("KMLB_003_001"));
  // The archives went to the trash; the library holds a copy of each track.
  EXPECT_EQ(Names(rig.target.path()), (std::vector<std::string>{unpacked[0], unpacked[1], unpacked[2]}));
  EXPECT_EQ(rig.Trashed(), (std::vector<std::string>{"KMLB_003_001.rar", "KMLB_005_002.rar", "KMLB_012_003.rar"}));
  EXPECT_EQ(Names(rig.home.path() / "audio" / "bob"), Names(rig.target.path()));
  EXPECT_EQ(rig.shell.revealed, std::vector<std::string>{(rig.target.path() / unpacked[2]).string()});

  const std::vector<std::string> codes = {"KMLB_003_001", "KMLB_005_002", "KMLB_012_003"};
  EXPECT_EQ(rig.sub.account().downloadedTracks, codes);
  EXPECT_EQ(ReadDownloadedTracks(rig.home.path(), "bob"), codes);
  EXPECT_EQ(rig.sub.account().quota, 22);
  EXPECT_EQ(rig.sub.podStatus(), "Tracks(s) left: 22");
  EXPECT_FALSE(rig.progress.visible);
  EXPECT_NE(std::find_if(rig.progress.calls.begin(), rig.progress.calls.end(),
                         [](const auto& c) { return c.text == "Downloading files (2 of 4)..."; }),
            rig.progress.calls.end());
  // The progress window's own line: cleared as the connection starts (no count an
  // earlier listing left), the archive on its way, cleared again at the end.
  ASSERT_FALSE(rig.progress.statuses.empty());
  EXPECT_EQ(rig.progress.statuses.front(), "");
  EXPECT_NE(std::find(rig.progress.statuses.begin(), rig.progress.statuses.end(), "KMLB_005_002.rar"),
            rig.progress.statuses.end());
  EXPECT_EQ(rig.progress.statuses.back(), "");
  // The pauses after each fetched item's retrieval and unpacking pass on the given clock.
  EXPECT_GE(rig.clock.slept, 3 * 2 * 100);
}

// Cancels once the progress window has shown the given text and been pumped twice.
class CancellingProgress : public FakeProgress {
 public:
  explicit CancellingProgress(std::string text) : text_(std::move(text)) {}
  void ShowProgress(const std::string& text, ProgressMode mode, bool tall) override {
    FakeProgress::ShowProgress(text, mode, tall);
    if (text == text_) armedAt_ = pumps;
  }
  void pump() override {
    FakeProgress::pump();
    if (armedAt_ >= 0 && pumps - armedAt_ >= 2) cancelled = true;
  }

 private:
  std::string text_;
  int armedAt_ = -1;
};

TEST_F(SubscriptionTest, CancelDuringTheThirdOfFiveItemsKeepsTheFirstTwo) {
  Rig rig(serversHome());
  CancellingProgress progress("Downloading files (3 of 5)...");
  const Endpoints endpoints = ReadServerConfig(serversHome());
  const Language english = Language::English;
  Subscription sub({&rig.ftp, &rig.archives, &rig.trash, &rig.dialogs, &progress, &rig.shell, &rig.http, &rig.clock},
                   rig.home.path(), endpoints, english, rig.network);
  ChangeAccount(sub, [](AccountState& a) {
    a.login = a.activeAccount = "carol";
    a.password = "pw";
  });
  DownloadReport report;
  ASSERT_TRUE(sub.DownloadInto(rig.target.path().string(),
                               {"KMLB_003_001", "KMLB_003_002", "KMLB_003_003", "KMLB_003_004", "KMLB_003_005"},
                               SessionSwitches::All(), &report));
  ASSERT_EQ(report.items.size(), 5u);
  EXPECT_EQ(report.items[0].result, ItemResult::Unpacked);
  EXPECT_EQ(report.items[1].result, ItemResult::Unpacked);
  for (size_t i = 2; i < 5; ++i) EXPECT_EQ(report.items[i].result, ItemResult::Cancelled) << i;
  EXPECT_TRUE(rig.dialogs.shown.empty());  // no error for the third
  EXPECT_EQ(sub.account().downloadedTracks, (std::vector<std::string>{"KMLB_003_001", "KMLB_003_002"}));
  EXPECT_EQ(Names(rig.target.path()).size(), 2u);  // two tracks, no archive
  EXPECT_TRUE(rig.shell.revealed.empty());
  EXPECT_GE(sub.account().quota, 22);  // the quota was still asked
}

TEST_F(SubscriptionTest, AlreadyDownloadedIsAskedAgainNoSkipsYesDownloads) {
  Rig rig(serversHome());
  rig.Login("dave");
  const std::string folder = rig.target.path().string();
  ASSERT_TRUE(rig.sub.DownloadInto(folder, {"KMLB_005_003"}, SessionSwitches{}));
  ASSERT_EQ(rig.sub.account().quota, 24);

  rig.dialogs.answers = {MessageAnswer::No};
  DownloadReport no;
  ASSERT_TRUE(rig.sub.DownloadInto(folder, {"KMLB_005_003"}, SessionSwitches{}, &no));
  EXPECT_EQ(rig.dialogs.Texts(),
            std::vector<std::string>{"KMLB_005_003\rYou have already downloaded this tracks, try again?"});
  EXPECT_EQ(no.items[0].result, ItemResult::Skipped);
  EXPECT_EQ(rig.sub.account().quota, 24);

  rig.dialogs.answers = {MessageAnswer::Yes};
  DownloadReport yes;
  ASSERT_TRUE(rig.sub.DownloadInto(folder, {"KMLB_005_003"}, SessionSwitches{}, &yes));
  EXPECT_EQ(yes.items[0].result, ItemResult::Unpacked);
  EXPECT_EQ(rig.sub.account().quota, 23);
  EXPECT_EQ(rig.sub.account().downloadedTracks, std::vector<std::string>{"KMLB_005_003"});
}

TEST_F(SubscriptionTest, EntriesThatTryToLeaveTheTargetFolderLandInsideIt) {
  Rig rig(serversHome());
  rig.Login("eve");
  const fs::path inner = rig.target.path() / "inner";  // made by the run
  const fs::path tmpEscape = "/tmp/KMLB_003_002 escape.txt";
  std::error_code ec;
  fs::remove(tmpEscape, ec);
  DownloadReport report;
  ASSERT_TRUE(rig.sub.DownloadInto(inner.string(), {"KMLB_003_002"}, SessionSwitches::All(), &report));
  EXPECT_EQ(report.items[0].result, ItemResult::Unpacked);
  EXPECT_EQ(Names(inner), (std::vector<std::string>{"KMLB_003_002 escape.txt", "KMLB_003_002.mp3"}));
  EXPECT_EQ(Names(rig.target.path()), std::vector<std::string>{"inner"});
  EXPECT_FALSE(fs::exists(tmpEscape));
  EXPECT_EQ(Names(rig.home.path() / "audio" / "eve"), std::vector<std::string>{"KMLB_003_002.mp3"});
  EXPECT_EQ(rig.shell.revealed, std::vector<std::string>{(inner / "KMLB_003_002.mp3").string()});
}

TEST_F(SubscriptionTest, ServersThatMisbehaveGiveTheirMessagesAndLoseNothing) {
  {  // The data connection closes mid-transfer: each item reported, no part of an archive left anywhere.
    Rig rig(serversHome());
    rig.Login("frank");
    ChangeAccount(rig.sub, [](AccountState& a) { a.downloadedTracks = {"KMLB_003_009"}; });
    DownloadReport report;
    ASSERT_TRUE(
        rig.sub.DownloadInto(rig.target.path().string(), {"KMLB_003_001", "KMLB_003_002"}, SessionSwitches{}, &report));
    EXPECT_EQ(rig.dialogs.Texts(), (std::vector<std::string>{"Track (1 of 2): KMLB_003_001\r\nCould not download!",
                                                             "Track (2 of 2): KMLB_003_002\r\nCould not download!"}));
    EXPECT_EQ(report.items[1].result, ItemResult::DownloadFailed);
    EXPECT_TRUE(Names(rig.target.path()).empty());
    EXPECT_TRUE(rig.Trashed().empty());
    EXPECT_EQ(rig.sub.account().downloadedTracks, std::vector<std::string>{"KMLB_003_009"});
  }
  {  // A link as the archive's last entry: the track is the last file and the link is never
     // made; a desktop without a file manager or browser says so instead of showing nothing.
    Rig rig(serversHome());
    struct NoDesktop : FakeShell {
      bool OpenUrl(const std::string&) override { return false; }
      bool RevealFile(const std::string&) override { return false; }
    } shell;
    const Endpoints endpoints = ReadServerConfig(serversHome());
    const Language english = Language::English;
    Subscription sub({&rig.ftp, &rig.archives, &rig.trash, &rig.dialogs, &rig.progress, &shell, &rig.http, &rig.clock},
                     rig.home.path(), endpoints, english, rig.network);
    ChangeAccount(sub, [](AccountState& a) {
      a.login = a.activeAccount = "lena";
      a.password = "pw";
    });
    DownloadReport report;
    ASSERT_TRUE(sub.DownloadInto(rig.target.path().string(), {"KMLB_003_001"}, SessionSwitches::All(), &report));
    const fs::path track = rig.target.path() / "KMLB_003_001 Аплодисменты - 01.mp3";
    EXPECT_EQ(report.items[0].file, track);
    EXPECT_EQ(Names(rig.target.path()), std::vector<std::string>{track.filename().string()});
    EXPECT_EQ(rig.dialogs.Texts(),
              std::vector<std::string>{"No file manager could be started to show " + track.string()});
    EXPECT_FALSE(OpenWebPage(shell, rig.dialogs, BuySubscriptionPageUrl(sub.endpoints()),
                             Language::English));  // "Купить Подписку"
    EXPECT_EQ(rig.dialogs.Texts().back(),
              "No web browser could be started to open " + BuySubscriptionPageUrl(sub.endpoints()));
  }
  {  // Not an archive: the archive stays, the track counts as downloaded.
    Rig rig(serversHome());
    rig.Login("gina");
    ASSERT_TRUE(rig.sub.DownloadInto(rig.target.path().string(), {"KMLB_003_001"}, SessionSwitches::All()));
    EXPECT_EQ(rig.dialogs.Texts(), std::vector<std::string>{"Error opening archive KMLB_003_001.rar"});
    EXPECT_EQ(Names(rig.target.path()), std::vector<std::string>{"KMLB_003_001.rar"});
    EXPECT_EQ(rig.sub.account().downloadedTracks, std::vector<std::string>{"KMLB_003_001"});
    EXPECT_TRUE(rig.shell.revealed.empty());
  }
  {  // No CD folders listed: nothing retrieved, nothing reported.
    Rig rig(serversHome());
    rig.Login("hank");
    DownloadReport report;
    ASSERT_TRUE(rig.sub.DownloadInto(rig.target.path().string(), {"KMLB_003_001"}, SessionSwitches::All(), &report));
    EXPECT_EQ(report.items[0].result, ItemResult::NotOnServer);
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.sub.account().quota, 5);
  }
  {  // 50 entries: all unpacked, the last one is the track.
    Rig rig(serversHome());
    rig.Login("ivy");
    ASSERT_TRUE(rig.sub.DownloadInto(rig.target.path().string(), {"KMLB_005_001"}, SessionSwitches::All()));
    EXPECT_EQ(Names(rig.target.path()).size(), 50u);
    EXPECT_EQ(rig.shell.revealed,
              std::vector<std::string>{(rig.target.path() / "KMLB_005_001 Новые горизонты.mp3").string()});
    EXPECT_EQ(Names(rig.home.path() / "audio" / "ivy").size(), 1u);
  }
}

// Each account keeps its library copies in a folder of its own, named as its
// account file is ("a/b" and "ab" no longer share one); a copy that cannot be
// made is reported, leaves what stood there, and the track still counts.
TEST_F(SubscriptionTest, LibraryCopiesGoToTheirAccountsOwnFolderAndAFailedCopyIsReported) {
  Rig rig(serversHome());
  const std::string track = "KMLB_003_001 Аплодисменты - 01.mp3";
  auto download = [&](const std::string& login) {
    rig.Login(login);
    ChangeAccount(rig.sub, [](AccountState& a) { a.downloadedTracks.clear(); });
    DownloadReport report;
    EXPECT_TRUE(rig.sub.DownloadInto(rig.target.path().string(), {"KMLB_003_001"}, SessionSwitches::All(), &report));
    return report.items.at(0).result;
  };
  EXPECT_EQ(download("a/b"), ItemResult::Unpacked);
  EXPECT_EQ(download("ab"), ItemResult::Unpacked);
  const fs::path audio = rig.home.path() / "audio";
  EXPECT_EQ(Names(audio), (std::vector<std::string>{"a%2Fb", "ab"}));
  EXPECT_EQ(Names(audio / "a%2Fb"), std::vector<std::string>{track});
  EXPECT_TRUE(rig.dialogs.shown.empty());

  const fs::path copy = audio / "ab" / track;
  fs::remove(copy);
  fs::create_symlink(rig.home.path() / "nowhere", copy);
  EXPECT_EQ(download("ab"), ItemResult::Unpacked);
  EXPECT_EQ(rig.dialogs.Texts(), std::vector<std::string>{"An error occured while copying!\r" + copy.string()});
  EXPECT_TRUE(fs::is_symlink(copy));
  EXPECT_FALSE(fs::exists(rig.home.path() / "nowhere"));
}

TEST_F(SubscriptionTest, ServerLogAddsTheTracksTheAccountLacks) {
  Rig rig(serversHome());
  rig.Login("mia");
  ChangeAccount(rig.sub, [](AccountState& a) { a.downloadedTracks = {"KMLB_005_001"}; });
  EXPECT_EQ(rig.sub.MergeServerLog(), 1);
  EXPECT_EQ(rig.sub.account().downloadedTracks, (std::vector<std::string>{"KMLB_005_001", "KMLB_003_004"}));
  rig.Login("nobody");  // no log on the server: nothing changes, the network still counts as working
  EXPECT_EQ(rig.sub.MergeServerLog(), 0);
  EXPECT_EQ(rig.network.networkState, kNetworkWorking);
}

}  // namespace
}  // namespace trakvella
