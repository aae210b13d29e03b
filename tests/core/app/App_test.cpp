// The program-wide state behind the main window, driven through scripted ports and a
// recording view: the library start, the offline switch, the switches, the enabling
// table, the Top 100 list, a dragged demo track and the close.
#include "core/app/App.h"

#include <map>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/CurlFtpClient.h"
#include "adapters/FreedesktopTrash.h"
#include "adapters/LibarchiveReader.h"
#include "core/app/AppView.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/TrackCodes.h"
#include "core/enabling/CommandEnabling.h"
#include "core/lang/Locale.h"
#include "core/lang/MessageTable.h"
#include "core/musicset/MusicSet.h"
#include "core/net/Downloads.h"
#include "core/player/Player.h"
#include "core/settings/ServerConfig.h"
#include "core/settings/Settings.h"
#include "core/subscription/Subscription.h"
#include "core/subscription/SubscriptionAccount.h"
#include "core/text/Text.h"
#include "ports/Random.h"
#include "support/Fakes.h"
#include "support/FileSizeLimit.h"
#include "support/PageHttp.h"
#include "support/ScriptedMediaDevice.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

struct RecordingView : AppView {
  std::string caption;
  bool cover = false;
  bool timer = false;
  bool centred = false;
  int coversShown = 0;
  void ShowCover(bool shown) override {
    cover = shown;
    coversShown += shown;
  }
  void ShowCaption(const std::string& text) override { caption = text; }
  void RunPlayerTimer(bool running) override { timer = running; }
  void CentreWindow() override { centred = true; }
  std::function<void()> startWindow;
  void ShowStartWindow() override {
    if (startWindow) startWindow();
  }
};

struct AppTest : ::testing::Test {
  TempDir home;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeShell shell;
  StdRandom random{3};
  ScriptedMediaDevice device;
  PageHttp http;
  FakeProgress progressWindow;
  FakeClock clock;  // the player's pause and the closing second take no time
  RecordingView view;
  std::unique_ptr<App> app;

  void SetUp() override {
    AppOptions options;
    options.programFolder = home.path();
    options.today = [] { return YearMonth{2026, 12}; };
    AppPorts ports{&dialogs, &clipboard, &shell, &random, &device, &http};
    ports.clock = &clock;
    app = std::make_unique<App>(options, ports);
    app->Start();
    app->SetView(&view);
    app->SetProgressWindow(&progressWindow);
  }
  std::string Message(Msg message) const { return LangMessage(app->language(), message); }
  std::map<std::string, bool> Enabled(std::string_view menu) const {
    std::map<std::string, bool> out;
    for (const auto& c : app->enabling().Evaluate(menu)) out[c.command] = c.enabled;
    return out;
  }
  bool TopListAsked() const {
    const std::string url = TopListUrl(app->endpoints());
    return std::count(http.requests.begin(), http.requests.end(), url) > 0;
  }
};

// Building App reads and makes nothing; the start meets each problem in turn,
// shows it, goes on with what it has and says what it met.
TEST(AppStart, TheConstructorTouchesNothingAndTheStartReportsWhatItMet) {
  TempDir home;
  fs::create_directory(home.path() / "servers.ini");  // a folder where the server list should be
  WriteFile(home.path() / "audio", "x");              // a file where the audio folder should be
  const Language system = LanguageFromLocaleId(SystemLanguageId());
  const Language other = system == Language::English ? Language::Russian : Language::English;
  WriteFile(home.path() / "trakvella.ini", "Language=" + std::to_string(LanguageNumber(other)) + "\r\n");
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeShell shell;
  StdRandom random{3};
  ScriptedMediaDevice device;
  PageHttp http;
  AppOptions options;
  options.programFolder = home.path();
  options.catalogueFolder = home.path() / "no-such-catalogue";
  options.today = [] { return YearMonth{2026, 12}; };
  App app(options, AppPorts{&dialogs, &clipboard, &shell, &random, &device, &http});
  EXPECT_TRUE(dialogs.shown.empty());
  {
    TempDir fresh;
    AppOptions elsewhere = options;
    elsewhere.programFolder = fresh.path();
    App unstarted(elsewhere, AppPorts{&dialogs, &clipboard, &shell, &random, &device, &http});
    EXPECT_TRUE(fs::is_empty(fresh.path()));
  }
  EXPECT_EQ(app.language(), system);  // the settings are not read yet

  const AppStartReport started = app.Start();
  EXPECT_TRUE(started.serverListRefused);
  EXPECT_TRUE(started.audioFolderMissing);
  EXPECT_TRUE(started.catalogueFolderMissing);
  EXPECT_EQ(started.settingsFile, SettingsFileRead::Applied);
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_THAT(dialogs.shown[0].text, HasSubstr("servers.ini"));
  EXPECT_EQ(dialogs.shown[1].text, LangMessage(system, Msg::CannotCreateFolder));
  EXPECT_THAT(dialogs.shown[2].text, HasSubstr("no-such-catalogue"));
  EXPECT_EQ(app.endpoints(), Endpoints{});  // the built-in servers
  EXPECT_EQ(app.language(), other);
  // The embedded catalogue stands in for the missing folder.
  app.FirstActivation();
  EXPECT_GT(app.catalogue().CdCount(), 0);
}

TEST_F(AppTest, FirstActivationInitialisesTheLibraryOnceWithTheTopList) {
  http.pages[TopListUrl(app->endpoints())] = "KMLB_003_002\r\n\r\n KMLB_005_001 \r\n";
  app->FirstActivation();
  EXPECT_TRUE(app->libraryInitialised());
  EXPECT_GE(app->catalogue().CdCount(), 12);
  EXPECT_THAT(view.caption, HasSubstr("ТРАКВЕЛЛА 1.0.0.0 - CDs: "));
  EXPECT_FALSE(view.cover);
  EXPECT_TRUE(view.timer);
  EXPECT_EQ(app->browser().currentPath(), "");
  EXPECT_FALSE(app->browser().boxRows().empty());
  EXPECT_THAT(app->browser().topList(), ElementsAre("KMLB_003_002", "KMLB_005_001"));
  EXPECT_FALSE(fs::exists(home.path() / "audio" / "top.txt"));
  ASSERT_FALSE(progressWindow.calls.empty());
  EXPECT_EQ(progressWindow.calls.back().mode, 0);
  EXPECT_TRUE(std::any_of(progressWindow.calls.begin(), progressWindow.calls.end(),
                          [&](const auto& c) { return c.text == Message(Msg::EnteringAccount); }));
  EXPECT_TRUE(dialogs.shown.empty());

  const size_t requests = http.requests.size();
  app->FirstActivation();  // later activations do nothing
  EXPECT_EQ(http.requests.size(), requests);
  EXPECT_EQ(view.coversShown, 2);  // the first activation's and the initialisation's
}

TEST_F(AppTest, TheTopListIsAskedOnlyWhileTheNetworkHasWorkedAndOnline) {
  app->FirstActivation();
  EXPECT_TRUE(TopListAsked());  // not there: the list stays empty, and that is no network failure
  EXPECT_TRUE(app->browser().topList().empty());
  EXPECT_EQ(app->networkState(), kNetworkWorking);

  // A demo the server does not have is no network failure: the next
  // initialisation asks for the list again.
  app->browser().GoToPlace(std::string(kAllCdsPath));
  dialogs.folders = {home.path().string(), home.path().string()};
  app->DownloadDemo();
  EXPECT_EQ(app->networkState(), kNetworkWorking);
  http.requests.clear();
  app->ReinitialiseLibrary(false);
  EXPECT_TRUE(TopListAsked());

  // A transfer that breaks is: the next initialisation asks nothing.
  app->browser().GoToPlace(std::string(kAllCdsPath));
  const TrackRecord* track = app->browser().SelectedTrack();
  ASSERT_NE(track, nullptr);
  http.unreachable.insert(TrackPathOrUrl(track->location, app->demoBaseUrl()));
  app->DownloadDemo();
  EXPECT_EQ(app->networkState(), kNetworkDownloadFailed);
  http.requests.clear();
  app->ReinitialiseLibrary(false);
  EXPECT_FALSE(TopListAsked());
  EXPECT_EQ(app->CollectSettings().lastDownloadFolder, home.path().string());
}

TEST_F(AppTest, OfflineSwitchAsksFirstOffersTheDemoPageAndReinitialises) {
  app->FirstActivation();
  const int cds = app->catalogue().CdCount();
  // No changes nothing and loads nothing again.
  dialogs.answers = {MessageAnswer::No};
  app->ToggleOfflineMode();
  EXPECT_FALSE(app->IsOffline());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, Message(Msg::EnableOfflineMode));
  EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(view.coversShown, 2);

  // Yes: offline (no local files here, so no CDs); Yes to the demo page opens it.
  http.requests.clear();
  dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  app->ToggleOfflineMode();
  EXPECT_TRUE(app->IsOffline());
  EXPECT_TRUE(app->Switch("OfflineModeItem"));
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[2].text, Message(Msg::StartBrowserForDemo));
  EXPECT_EQ(dialogs.shown[2].kind, MessageKind::Warning);
  EXPECT_THAT(shell.urls, ElementsAre(DemoDownloadPageUrl(app->endpoints())));
  EXPECT_EQ(app->catalogue().CdCount(), 0);
  EXPECT_THAT(view.caption, HasSubstr("-offline"));
  EXPECT_FALSE(TopListAsked());
  EXPECT_FALSE(app->startWindowRequested());

  // Back online, asked with the other message.
  dialogs.answers = {MessageAnswer::Yes};
  app->ToggleOfflineMode();
  EXPECT_EQ(dialogs.shown.back().text, Message(Msg::EnableOnlineMode));
  EXPECT_FALSE(app->IsOffline());
  EXPECT_EQ(app->catalogue().CdCount(), cds);
}

TEST_F(AppTest, TheLocalSwitchKeepsTheProgramOfflineWhateverTheMenuSays) {
  AppOptions options;
  options.programFolder = home.path();
  options.today = [] { return YearMonth{2026, 12}; };
  options.localSwitch = true;
  App local(options, AppPorts{&dialogs, &clipboard, &shell, &random, &device, &http});
  local.Start();
  local.FirstActivation();
  EXPECT_TRUE(local.IsOffline());
  EXPECT_FALSE(local.Switch("OfflineModeItem"));
  EXPECT_EQ(local.catalogue().CdCount(), 0);
  EXPECT_TRUE(http.requests.empty());
}

TEST_F(AppTest, ShiftReinitialisationAsksForACustomDemoServerUntilOneIsGiven) {
  app->FirstActivation();
  // Cancelled: server 1, and the menus check it even when server 2 was chosen.
  app->SelectDemoServer(2);
  app->ReinitialiseFromDemoServer(true);
  EXPECT_EQ(app->demoBaseUrl(), app->endpoints().demoServer1);
  EXPECT_EQ(app->demoServerMenuChoice(), 1);
  EXPECT_EQ(app->CollectSettings().webSrv, "1");
  EXPECT_TRUE(app->startWindowRequested());
  // Empty answers are asked again; the first text is taken, kept in the
  // settings as it is, and no server of the menus claims it.
  dialogs.inputs = {std::string(), std::string("http://127.0.0.1:9/audio/")};
  app->ReinitialiseFromDemoServer(true);
  EXPECT_EQ(app->demoBaseUrl(), "http://127.0.0.1:9/audio/");
  EXPECT_TRUE(dialogs.inputs.empty());
  EXPECT_GT(app->catalogue().CdCount(), 0);
  EXPECT_FALSE(app->serverMenusShown());
  EXPECT_FALSE(app->CloseQuery());
  EXPECT_THAT(Cp1251ToUtf8(ReadFile(home.path() / "trakvella.ini")), HasSubstr("WEBSRV=http://127.0.0.1:9/audio/\r\n"));
  // Without Shift: server 1 again, shown in the menus, and no box.
  app->ReinitialiseFromDemoServer(false);
  EXPECT_EQ(app->demoBaseUrl(), app->endpoints().demoServer1);
  EXPECT_EQ(app->demoServerMenuChoice(), 1);
}

TEST_F(AppTest, AnEmptyOrUnreadableSettingsFileLeavesEverythingAsItWas) {
  app->SetLanguage(Language::Russian);  // what the locale chose
  app->SelectDemoServer(2);
  for (bool folder : {false, true}) {
    fs::remove_all(home.path() / "trakvella.ini");
    if (folder)
      fs::create_directory(home.path() / "trakvella.ini");
    else
      WriteFile(home.path() / "trakvella.ini", "");
    EXPECT_EQ(app->ReadAndApplySettings(), SettingsFileRead::Unreadable);
    EXPECT_FALSE(view.centred);
    EXPECT_EQ(app->language(), Language::Russian);
    EXPECT_TRUE(app->serverMenusShown());
    EXPECT_EQ(app->demoBaseUrl(), app->endpoints().demoServer2);
    EXPECT_TRUE(app->Switch("extplayeritem"));
  }
}

TEST_F(AppTest, ASettingsLanguageNumberThatNamesNoLanguageIsKeptOnlyInTheFile) {
  app->SetLanguage(Language::Russian);  // what the locale chose
  WriteFile(home.path() / "trakvella.ini", "Language=7\r\n");
  EXPECT_EQ(app->ReadAndApplySettings(), SettingsFileRead::Applied);
  EXPECT_EQ(app->language(), Language::Russian);
  EXPECT_EQ(app->CollectSettings().language, 7);
  app->ChangeLanguage(Language::English);
  EXPECT_EQ(app->CollectSettings().language, 0);
}

TEST_F(AppTest, OnlyTheLibraryCommandShowsTheStartWindowAndItsFindingCountsForThatLoad) {
  int showings = 0;
  view.startWindow = [&] {
    ++showings;
    EXPECT_TRUE(view.cover);
    app->network().networkState = kNetworkOffline;  // the start window found no network
  };
  app->FirstActivation();
  dialogs.answers = {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Yes};
  app->ToggleOfflineMode();  // offline
  app->ToggleOfflineMode();  // online again
  EXPECT_EQ(showings, 0);
  EXPECT_TRUE(TopListAsked());

  http.requests.clear();
  app->ReinitialiseFromDemoServer(false);
  EXPECT_EQ(showings, 1);
  // Shown before the load: the load already knows there is no network.
  EXPECT_FALSE(TopListAsked());
  EXPECT_GT(app->catalogue().CdCount(), 0);
  EXPECT_FALSE(view.cover);
}

TEST_F(AppTest, EnablingTableFollowsTheRowsTheNetworkAndTheTopList) {
  http.pages[TopListUrl(app->endpoints())] = "KMLB_003_002\r\n";
  app->FirstActivation();
  // The root: no track rows, a category row selected, nowhere to add.
  auto tracks = Enabled(kTrackMenus);
  EXPECT_FALSE(tracks["CopyFName"]);
  EXPECT_FALSE(tracks["mTempKeyItem"]);
  EXPECT_FALSE(tracks["demodownitem"]);
  EXPECT_TRUE(tracks["Top100Item"]);
  EXPECT_TRUE(tracks["SrvItem"]);
  EXPECT_FALSE(tracks.count("FontSetupItem"));  // a command nothing enables stays as it is
  EXPECT_THAT(Enabled(kCdMenus), ::testing::Each(::testing::Pair(::testing::_, false)));
  EXPECT_FALSE(Enabled(kFavouritesMenu)["Addtofavorites"]);

  // A CD open: its tracks listed and its row selected.
  app->browser().GoToPlace(std::string(kAllCdsPath));
  tracks = Enabled(kTrackMenus);
  EXPECT_TRUE(tracks["CopyFName"]);
  EXPECT_TRUE(tracks["MMGotoTrackURLitem"]);
  EXPECT_TRUE(tracks["demodownitem"]);
  EXPECT_THAT(Enabled(kCdMenus), ::testing::Each(::testing::Pair(::testing::_, true)));
  EXPECT_TRUE(Enabled(kFavouritesMenu)["Addtofavorites"]);
  EXPECT_FALSE(Enabled(kFavouritesMenu)["OrgFavorites"]);

  // Offline: what needs the network goes, the rest stays.
  app->SetSwitch("OfflineModeItem", true);
  tracks = Enabled(kTrackMenus);
  EXPECT_FALSE(tracks["Top100Item"]);
  EXPECT_FALSE(tracks["demodownitem"]);
  EXPECT_FALSE(tracks["SrvItem"]);
  EXPECT_FALSE(tracks["MMSrvItem"]);
  EXPECT_TRUE(tracks["CopyFName"]);
  EXPECT_FALSE(Enabled(kCdMenus)["gotocdurl"]);
  EXPECT_TRUE(Enabled(kCdMenus)["InfoItem"]);

  // Another subsystem adds a state and a row of its own.
  bool signedIn = false;
  app->enabling().DefineState("SignedIn", [&] { return signedIn; });
  app->enabling().Require(kTrackMenus, "downitem", {kStateTrackRows, "SignedIn"});
  EXPECT_FALSE(app->enabling().Enabled("downitem"));
  signedIn = true;
  EXPECT_TRUE(Enabled(kTrackMenus)["downitem"]);
  app->enabling().Require(kTrackMenus, "NoSuchItem", {"NeverDefined"});
  EXPECT_FALSE(app->enabling().Enabled("NoSuchItem"));
}

TEST_F(AppTest, SwitchesAreOneModelReadFromAndWrittenToTheSettings) {
  EXPECT_EQ(app->ReadAndApplySettings(), SettingsFileRead::Absent);
  EXPECT_TRUE(view.centred);

  Settings s;
  s.display.showCode = false;
  s.autoplay = true;
  s.extPlayer = false;
  s.language = 1;
  s.webSrv = "2";
  s.favourites = {"DRAMA >> SUSPENSE", "* ALL LIBRARY >> … NEW CDS"};
  s.musicSetLines = {"KMLB_003_001,ctx,folder,project,0,0"};
  s.commentLines = {"KMLB_003_001=Нравится режиссёру"};
  s.userPlayer = "/usr/bin/vlc";
  ASSERT_TRUE(WriteSettings(home.path(), s));
  EXPECT_EQ(app->ReadAndApplySettings(), SettingsFileRead::Applied);
  EXPECT_FALSE(app->Switch("showcode"));
  EXPECT_FALSE(app->browser().options().showCode);
  EXPECT_TRUE(app->player().Switches().autoplay);
  EXPECT_FALSE(app->player().Switches().builtIn);
  EXPECT_EQ(app->language(), Language::Russian);
  EXPECT_EQ(app->checkedServer(), 2);
  EXPECT_EQ(app->demoBaseUrl(), app->endpoints().demoServer2);
  EXPECT_EQ(app->browser().favourites(), s.favourites);

  // Title off brings the code back: a row always shows one of them.
  app->SetSwitch("showname", false);
  EXPECT_TRUE(app->Switch("showcode"));
  EXPECT_FALSE(app->browser().options().showName);
  EXPECT_TRUE(app->browser().options().showCode);
  app->SetSwitch("BackGrItem", true);
  EXPECT_TRUE(app->player().Switches().backgroundPlay);

  Settings back = app->CollectSettings();
  EXPECT_FALSE(back.display.showName);
  EXPECT_TRUE(back.display.showCode);
  EXPECT_TRUE(back.autoplay);
  EXPECT_TRUE(back.bkgPlay);
  EXPECT_EQ(back.language, 1);
  EXPECT_EQ(back.webSrv, "2");
  // Values nothing here edits are kept unchanged.
  EXPECT_EQ(back.favourites, s.favourites);
  EXPECT_EQ(back.musicSetLines, s.musicSetLines);
  EXPECT_EQ(back.commentLines, s.commentLines);
  EXPECT_EQ(back.userPlayer, s.userPlayer);

  // A custom demo base hides the server menus and is written back as it is.
  s.webSrv = "http://127.0.0.1:8000/audio/";
  app->ApplySettings(s);
  EXPECT_FALSE(app->serverMenusShown());
  EXPECT_EQ(app->demoBaseUrl(), "http://127.0.0.1:8000/audio/");
  EXPECT_EQ(app->CollectSettings().webSrv, "http://127.0.0.1:8000/audio/");
}

TEST_F(AppTest, ADraggedDemoTrackIsFetchedIntoTheAudioFolderFirst) {
  app->FirstActivation();
  app->browser().GoToPlace(std::string(kAllCdsPath));
  ASSERT_GT(app->browser().rowCount(), 1);
  const TrackRecord* track = app->browser().SelectedTrack();
  ASSERT_NE(track, nullptr);
  ASSERT_TRUE(IsDemoName(track->location));
  http.pages[TrackPathOrUrl(track->location, app->demoBaseUrl())] = std::string(20000, 'x');

  const auto file = app->DragFile();
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(*file, (home.path() / "audio" / DemoFileName(track->code, track->title)).string());
  EXPECT_EQ(FileSizeOf(*file), 20000);
  EXPECT_EQ(track->location, *file);  // later plays use the file
  EXPECT_THAT(app->browser().statusFields()[1], ::testing::StartsWith(Message(Msg::HardDisk)));

  // The next track is not on the server: no file, nothing changes.
  app->browser().SelectRow(1);
  const std::string before = app->browser().SelectedTrack()->location;
  EXPECT_FALSE(app->DragFile().has_value());
  EXPECT_EQ(app->browser().SelectedTrack()->location, before);
}

// "Перейти к месту хранения трека..." on a desktop that starts neither a file
// manager nor a browser names the local file or the demo track's page.
TEST_F(AppTest, GoingToATracksPlaceSaysSoWhenTheDesktopStartsNothing) {
  const fs::path file = home.path() / "audio" / "KMLB_003_001 Local.wav";
  WriteFile(file, "x");
  app->FirstActivation();
  shell.starts = false;
  for (const char* code : {"KMLB_003_001", "KMLB_005_002"}) {
    app->browser().ListTracks({code}, std::nullopt, true, "");
    app->browser().SelectRow(0);
    app->GotoFileFolder();
  }
  EXPECT_EQ(shell.revealed, std::vector<std::string>{file.string()});
  EXPECT_EQ(dialogs.Texts(),
            (std::vector<std::string>{Message(Msg::NoFileManager) + file.string(),
                                      Message(Msg::NoBrowser) + CdPageUrl(app->endpoints(), "KMLB_005_002")}));
}

TEST_F(AppTest, TheCloseWritesTheSettingsAndEndsAtOnceWhenItCannot) {
  app->FirstActivation();
  app->SetSwitch("showstyle", false);
  EXPECT_FALSE(app->CloseQuery());
  const std::string text = Cp1251ToUtf8(ReadFile(home.path() / "trakvella.ini"));
  EXPECT_THAT(text, HasSubstr("ShowStyle=0\r\n"));
  EXPECT_THAT(text, HasSubstr("WEBSRV=1\r\n"));
  EXPECT_EQ(progressWindow.calls.back().mode, 0);

  {
    FileSizeLimit full(16);  // the settings cannot be written
    EXPECT_TRUE(app->CloseQuery());
  }
  EXPECT_TRUE(app->closeWritesFailed());
}

TEST_F(AppTest, TheMusicSetComesFromTheSettingsSurvivesAReinitialisationAndIsWrittenAtTheClose) {
  Settings kept;
  kept.musicSetLines = {"KMLB_003_001=Promo,/work/a,Promo", "KMLB_999_999=x,-,-", "KMLB_005_002=Sale,-,-"};
  app->ApplySettings(kept);
  app->FirstActivation();
  // Unknown codes are left out; the others are the set, in their order.
  EXPECT_THAT(app->musicSet().Codes(), ElementsAre("KMLB_003_001", "KMLB_005_002"));

  app->musicSet().RemoveAt(0);
  app->ReinitialiseLibrary(false);
  EXPECT_THAT(app->musicSet().Codes(), ElementsAre("KMLB_005_002"));

  EXPECT_FALSE(app->CloseQuery());
  const std::string text = Cp1251ToUtf8(ReadFile(home.path() / "trakvella.ini"));
  EXPECT_THAT(text, HasSubstr("*** Music Set ***\r\nmusicset/KMLB_005_002=Sale,-,-\r\n"));
  EXPECT_THAT(text, Not(HasSubstr("KMLB_003_001")));
}

// Offline, the set shows the entries whose tracks have local files and keeps
// the others in their places, through a removal: the close writes them all,
// and back online they are all shown again.
TEST_F(AppTest, AnOfflineLoadKeepsTheSetEntriesItLacks) {
  WriteFile(home.path() / "audio" / "KMLB_003_001 Local.wav", "x");
  WriteFile(home.path() / "audio" / "KMLB_003_002 Local.wav", "x");
  Settings kept;
  kept.offlineMode = true;
  kept.musicSetLines = {"KMLB_005_002=Sale,-,-", "KMLB_003_001=Promo,/a,P", "KMLB_005_001=Spot,-,-",
                        "KMLB_003_002=M,-,-"};
  app->ApplySettings(kept);
  app->FirstActivation();
  EXPECT_THAT(app->musicSet().Codes(), ElementsAre("KMLB_003_001", "KMLB_003_002"));
  app->musicSet().RemoveAt(0);
  EXPECT_FALSE(app->CloseQuery());
  EXPECT_THAT(Cp1251ToUtf8(ReadFile(home.path() / "trakvella.ini")),
              HasSubstr("*** Music Set ***\r\nmusicset/KMLB_005_002=Sale,-,-\r\nmusicset/KMLB_005_001=Spot,-,-\r\n"
                        "musicset/KMLB_003_002=M,-,-\r\n*** Comments"));
  dialogs.answers = {MessageAnswer::Yes};
  app->ToggleOfflineMode();  // online again
  EXPECT_THAT(app->musicSet().Codes(), ElementsAre("KMLB_005_002", "KMLB_005_001", "KMLB_003_002"));
}

// The account the settings file names, or the one an older file kept in its
// own lines, outlives every start and close: read back, closed before the
// library was loaded, with the download server out of reach or its file
// missing; only leaving it ends it.
TEST_F(AppTest, TheSettingsAccountLinesAreNeverLost) {
  WriteFile(home.path() / "servers.ini", "FtpHost=127.0.0.1\r\nFtpPort=1\r\n");  // nothing answers
  CurlFtpClient ftp;
  LibarchiveReader archives;
  FreedesktopTrash trash(home.path() / "Trash");
  AppOptions options;
  options.programFolder = home.path();
  options.today = [] { return YearMonth{2026, 12}; };
  const AppPorts ports{&dialogs, &clipboard, &shell, &random, &device, &http, &ftp, &archives, &trash};
  auto settingsText = [&] { return Cp1251ToUtf8(ReadFile(home.path() / "trakvella.ini")); };
  auto startAndClose = [&](bool activate) {
    App program(options, ports);
    ASSERT_NE(program.subscription(), nullptr);
    program.Start();
    if (activate) program.FirstActivation();
    EXPECT_FALSE(program.CloseQuery());
  };

  // An older file's account: written to its account file, named by ActivePodpiska from then on.
  WriteFile(home.path() / "trakvella.ini", "Login=olga\r\nPassword=pw\r\ndownload0=KMLB_005_001,2011-05-01\r\n");
  startAndClose(true);
  EXPECT_THAT(settingsText(), HasSubstr("ActivePodpiska=olga\r\n"));
  EXPECT_THAT(settingsText(), Not(HasSubstr("Login=")));
  EXPECT_THAT(ReadDownloadedTracks(home.path(), "olga"), ElementsAre("KMLB_005_001"));

  // The named account stays named, whether the library was loaded or not.
  for (bool activate : {true, false, true}) {
    startAndClose(activate);
    EXPECT_THAT(settingsText(), HasSubstr("ActivePodpiska=olga\r\n")) << activate;
    EXPECT_THAT(ReadDownloadedTracks(home.path(), "olga"), ElementsAre("KMLB_005_001")) << activate;
  }

  // Without its file this time (a disk not mounted) too, as the keys the program never writes.
  fs::rename(home.path() / "olga.kmlb", home.path() / "away");
  WriteFile(home.path() / "trakvella.ini", "ActivePodpiska=olga\r\nWEBROOTURL=http://127.0.0.1:9/a/\r\nNewerKey=1\r\n");
  startAndClose(true);
  for (const char* line : {"ActivePodpiska=olga\r\n", "WEBROOTURL=http://127.0.0.1:9/a/\r\n", "NewerKey=1\r\n"})
    EXPECT_THAT(settingsText(), HasSubstr(line));

  // Leaving (No keeps the file) ends it: a library initialisation signs nobody in again.
  fs::rename(home.path() / "away", home.path() / "olga.kmlb");
  App program(options, ports);
  program.Start();
  program.FirstActivation();
  ASSERT_TRUE(program.subscription()->account().SignedIn());
  dialogs.answers = {MessageAnswer::No};
  program.subscription()->LeaveAccount();
  program.ReinitialiseLibrary(false);
  EXPECT_FALSE(program.subscription()->account().SignedIn());
  EXPECT_FALSE(program.CloseQuery());
  EXPECT_THAT(settingsText(), Not(HasSubstr("ActivePodpiska")));
}

}  // namespace
}  // namespace trakvella::testing
