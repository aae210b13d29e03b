#include "core/app/App.h"

#include <system_error>
#include <utility>

#include "core/app/AppView.h"
#include "core/app/MainWindowCaption.h"
#include "core/app/ProgressRelay.h"
#include "core/app/SettingsSwitches.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Resources.h"
#include "core/catalogue/TrackCodes.h"
#include "core/documents/DocumentEnabling.h"
#include "core/exports/ExportEnabling.h"
#include "core/lang/FileMessages.h"
#include "core/lang/Locale.h"
#include "core/lang/MessageTable.h"
#include "core/likeness/Likeness.h"
#include "core/musicset/MusicSet.h"
#include "core/musicset/MusicSetEnabling.h"
#include "core/musicset/SetListFile.h"
#include "core/musicset/TrackInfo.h"
#include "core/net/Downloads.h"
#include "core/net/OpenPage.h"
#include "core/player/Player.h"
#include "core/settings/ServerConfig.h"
#include "core/settings/Settings.h"
#include "core/subscription/Subscription.h"
#include "core/subscription/SubscriptionEnabling.h"
#include "core/subscription/SubscriptionView.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"
#include "ports/Clock.h"
#include "ports/Dialogs.h"
#include "ports/Shell.h"

namespace trakvella {

namespace {

// The view of an App no window shows: every call does nothing.
AppView& NoView() {
  static AppView none;
  return none;
}

}  // namespace

App::App(const AppOptions& options, const AppPorts& ports)
    : options_(options),
      ports_(ports),
      progress_(std::make_unique<ProgressRelay>()),
      network_(std::make_unique<NetworkState>()),
      endpoints_(std::make_unique<Endpoints>()),
      settings_(std::make_unique<Settings>()),
      catalogue_(std::make_unique<Catalogue>()),
      browser_(std::make_unique<Browser>(*catalogue_, *ports.dialogs, *progress_, *ports.random, language_)),
      musicSet_(std::make_unique<MusicSet>(*catalogue_, *ports.dialogs, language_)),
      comments_(std::make_unique<TrackComments>()),
      downloader_(std::make_unique<Downloader>(*ports.http, *progress_, *ports.dialogs, language_, *network_)),
      player_(std::make_unique<Player>(*ports.mediaDevice, *ports.shell, MakePlayerHooks())),
      subscription_(MakeSubscription()),
      enabling_(std::make_unique<CommandEnabling>()),
      likeness_(std::make_unique<LikenessIndex>()),
      view_(&NoView()) {
  // The language of the system until the settings say otherwise, so what the
  // start reports is in it; demo server 1 of the built-in servers until Start() reads the list.
  language_ = LanguageFromLocaleId(SystemLanguageId());
  demoBaseUrl_ = endpoints_->demoServer1;
  ConnectParts();
  // The switches' defaults until a settings file says otherwise.
  ApplySwitchesToParts();
  DefineEnabling();
}

App::~App() = default;

PlayerHooks App::MakePlayerHooks() {
  PlayerHooks hooks;
  hooks.currentAddress = [this] {
    // While the set window is visible its selected entry is the current track.
    if (musicSetShown_) return SelectedEntryAddress(*musicSet_, demoBaseUrl_);
    const TrackRecord* t = browser_->SelectedTrack();
    return t ? TrackPathOrUrl(t->location, demoBaseUrl_) : std::string();
  };
  hooks.selectedRow = [this] { return browser_->selectedRow(); };
  hooks.rowCount = [this] { return browser_->rowCount(); };
  hooks.selectNextRow = [this] {
    browser_->SelectRow(browser_->selectedRow() + 1);
    view().ShowSelectedRow();
  };
  hooks.musicSetVisible = [this] { return musicSetShown_; };
  hooks.showTrackStatus = [this] { ShowTrackStatus(); };
  hooks.clock = ports_.clock ? ports_.clock : &SystemClock();
  hooks.progress = progress_.get();
  return hooks;
}

std::unique_ptr<Subscription> App::MakeSubscription() {
  if (!ports_.ftp || !ports_.archives || !ports_.trash) return nullptr;
  SubscriptionPorts sub;
  sub.ftp = ports_.ftp;
  sub.archives = ports_.archives;
  sub.trash = ports_.trash;
  sub.dialogs = ports_.dialogs;
  sub.progress = progress_.get();
  sub.shell = ports_.shell;
  sub.http = ports_.http;
  sub.clock = ports_.clock;
  return std::make_unique<Subscription>(sub, options_.programFolder, *endpoints_, language_, *network_);
}

// The parts call each other through App: the browser stops and starts the player and asks about
// the set window, the set stops the player, the subscription waits and changes the caption.
void App::ConnectParts() {
  browser_->hooks.stopPlayback = [this] { player_->Stop(); };
  browser_->hooks.playCurrent = [this](bool fromButton) { player_->PlayCurrent(fromButton); };
  browser_->hooks.showCdInfo = [this](int row) { view().ShowCdInfo(row); };
  browser_->hooks.searchPanelVisible = [this] { return view().SearchPanelVisible(); };
  browser_->hooks.musicSetSelection = [this]() -> std::optional<TrackRef> {
    const int selected = musicSet_->selection();
    if (!musicSetShown_ || selected < 0 || static_cast<size_t>(selected) >= musicSet_->size()) return std::nullopt;
    return TrackRef{(*musicSet_)[selected].cdIndex, (*musicSet_)[selected].trackIndex};
  };
  musicSetView_ = std::make_unique<MusicSetViewRelay>([this] { player_->Stop(); });
  musicSet_->SetView(musicSetView_.get());
  if (subscription_) {
    subscriptionView_ = std::make_unique<SubscriptionViewRelay>([this] {
      if (libraryLoaded_) view().ShowCaption(MainWindowCaption(*catalogue_, language_, subscription_.get()));
    });
    subscription_->SetView(subscriptionView_.get());
  }
}

AppStartReport App::Start() {
  AppStartReport report;
  // The endpoints, and demo server 1 as the demo base.
  Status serversProblem;
  *endpoints_ = ReadServerConfig(options_.programFolder, &serversProblem);
  if (IsRefusedFile(serversProblem)) {
    report.serverListRefused = true;
    dialogs().Message(FileReadMessage(language_, options_.programFolder / kServerConfigFileName, serversProblem,
                                      FileKind::ServerList),
                      MessageKind::Error, MessageButtons::Ok);
  }
  demoBaseUrl_ = endpoints_->demoServer1;

  // The local audio folder.
  std::error_code ec;
  std::filesystem::create_directories(options_.programFolder / "audio", ec);
  if (!std::filesystem::is_directory(options_.programFolder / "audio", ec)) {
    report.audioFolderMissing = true;
    dialogs().Message(LangMessage(language_, Msg::CannotCreateFolder), MessageKind::Error, MessageButtons::Ok);
  }

  // The catalogue tables; a catalogue folder given that does not exist is
  // reported and the embedded catalogue is used.
  std::string error;
  resources_ = OpenCatalogueResources(options_.catalogueFolder, options_.programFolder, error, language_);
  if (!resources_) {
    report.catalogueFolderMissing = true;
    dialogs().Message(error, MessageKind::Error, MessageButtons::Ok);
    resources_ = std::make_unique<EmbeddedResourceStore>();
  }
  catalogue_->ReadCatalogueTables(*resources_, dialogs());

  // The settings, with the set and the account they name.
  report.settingsFile = ReadAndApplySettings();
  return report;
}

void App::SetSubscriptionView(SubscriptionView* view) {
  if (subscriptionView_) subscriptionView_->SetTarget(view);
}

void App::SetMusicSetView(MusicSetView* view) { musicSetView_->SetTarget(view); }

void App::SetView(AppView* view) { view_ = view ? view : &NoView(); }

void App::SetProgressWindow(Progress* progressWindow) { progress_->SetTarget(progressWindow); }

Progress& App::progress() { return *progress_; }

int App::networkState() const { return network_->networkState; }

bool App::IsOffline() const { return options_.localSwitch || settings_->offlineMode; }

// --- Which commands are enabled ---------------------------------------------------------------

void App::DefineEnabling() {
  enabling_->DefineState(kStateTrackRows, [this] { return browser_->rowCount() > 0; });
  enabling_->DefineState(kStateOnline, [this] { return !IsOffline(); });
  enabling_->DefineState(kStateTopList, [this] { return !browser_->topList().empty(); });
  enabling_->DefineState(kStateCdRowSelected, [this] {
    const int row = browser_->selectedBoxRow();
    const auto& rows = browser_->boxRows();
    return row >= 0 && row < static_cast<int>(rows.size()) && rows[row].isCd && browser_->boxVisible();
  });
  enabling_->DefineState(kStateCurrentPlace, [this] { return browser_->addFavouriteEnabled(); });
  enabling_->DefineState(kStateFavourites, [this] { return browser_->organiseFavouritesEnabled(); });

  for (const char* command : {"Gotofilefolder1", "CopyNameItem", "CopyFName", "mTempItem", "mKeyItem", "mTempKeyItem",
                              "mHarmonicItem", "SimilarTracksItem", "MMGotoTrackURLitem"})
    enabling_->Require(kTrackMenus, command, {kStateTrackRows});
  enabling_->Require(kTrackMenus, "Top100Item", {kStateTopList, kStateOnline});
  // The demo servers and demo downloads mean nothing offline.
  enabling_->Require(kTrackMenus, "SrvItem", {kStateOnline});
  enabling_->Require(kTrackMenus, "MMSrvItem", {kStateOnline});
  enabling_->Require(kTrackMenus, "demodownitem", {kStateTrackRows, kStateOnline});

  enabling_->Require(kCdMenus, "ShowAllSimCDItem", {kStateCdRowSelected});
  enabling_->Require(kCdMenus, "InfoItem", {kStateCdRowSelected});
  enabling_->Require(kCdMenus, "gotocdurl", {kStateCdRowSelected, kStateOnline});

  enabling_->Require(kFavouritesMenu, "Addtofavorites", {kStateCurrentPlace});
  enabling_->Require(kFavouritesMenu, "OrgFavorites", {kStateFavourites});
  DefineDocumentEnabling(
      *enabling_, [this] { return subscription_ && subscription_->account().SignedIn(); },
      [this] { return browser_->SelectedTrack() != nullptr; });
  DefineMusicSetEnabling(*enabling_);
  DefineExportEnabling(*enabling_, *catalogue_, *browser_);
  DefineSubscriptionEnabling(
      *enabling_, [this] { return subscription_ != nullptr; }, [this] { return !musicSet_->empty(); });
}

// --- Settings -------------------------------------------------------------------------------------

SettingsFileRead App::ReadAndApplySettings() {
  Settings s;
  Status problem;
  const SettingsFileRead read = ReadSettingsFile(options_.programFolder, s, &problem);
  switch (read) {
    case SettingsFileRead::Absent:
      view().CentreWindow();
      break;
    case SettingsFileRead::Unreadable:
      // Nothing to go by: everything stays as the start made it. A pipe, a
      // device or an outsized file is named.
      if (IsRefusedFile(problem))
        dialogs().Message(
            FileReadMessage(language_, options_.programFolder / kSettingsFileName, problem, FileKind::Settings),
            MessageKind::Error, MessageButtons::Ok);
      break;
    case SettingsFileRead::Applied:
      ApplySettings(s);
      break;
  }
  return read;
}

void App::ApplySettings(const Settings& s) {
  *settings_ = s;
  RestoreComments(*comments_, s);
  if (subscription_) subscription_->LoadFromSettings(s);
  view().ApplyWindowSettings(s);
  ApplySwitchesToParts();
  player_->SetUserPlayer(s.userPlayer);
  // A number that names no language leaves the language as it is.
  if (const std::optional<Language> language = LanguageFromNumber(s.language)) {
    SetLanguage(*language);
  } else {
    unknownLanguageNumber_ = s.language;
    view().ShowLanguage();
  }
  browser_->SetFavourites(s.favourites);
  view().ShowFavourites();
  // Demo server: "1" or "2" choose a server from the menus; anything else is a
  // custom base and hides the server menus. WEBROOTURL overrides the base.
  const int server = s.DemoServerNumber();
  serverMenusShown_ = server != 0;
  if (server != 0) checkedServer_ = server;
  demoBaseUrl_ = DemoBaseUrl(s, *endpoints_);
  view().ShowSwitches();
}

Settings App::CollectSettings() const {
  Settings s = *settings_;
  view().StoreWindowSettings(s);
  s.userPlayer = player_->UserPlayer();
  s.favourites = browser_->favourites();
  s.language = unknownLanguageNumber_.value_or(LanguageNumber(language_));
  // The demo server: the menus' choice while they show, else the custom base.
  s.webSrv = serverMenusShown_ ? (checkedServer_ == 2 ? "2" : "1") : demoBaseUrl_;
  // The set and the comments as they stand; before the library is loaded the
  // set is still the one the settings file kept.
  if (libraryLoaded_) StoreMusicSet(*musicSet_, s);
  StoreComments(*comments_, s);
  return s;
}

bool App::Switch(std::string_view item) const {
  const SettingsSwitch* sw = FindSettingsSwitch(item);
  return sw && sw->In(*settings_);
}

void App::SetSwitch(std::string_view item, bool on) {
  const SettingsSwitch* sw = FindSettingsSwitch(item);
  if (!sw) return;
  sw->In(*settings_) = on;
  // A track row always shows its code or its title.
  if (item == "showname" && !on) settings_->display.showCode = true;
  if (item == "showcode" && !on) settings_->display.showName = true;
  ApplySwitchesToParts();
  view().ShowSwitches();
}

void App::ChooseUserPlayer(const std::string& program) {
  player_->ChooseUserPlayer(program);
  settings_->extPlayer = false;
  view().ShowSwitches();
}

// The parts that act on the switches get their values from the model.
void App::ApplySwitchesToParts() {
  browser_->SetOptions(settings_->display);
  browser_->SetAlwaysInfo(settings_->alwaysInfo);
  PlayerSwitches& p = player_->Switches();
  p.autoplay = settings_->autoplay;
  p.nonStop = settings_->nonStop;
  p.backgroundPlay = settings_->bkgPlay;
  p.builtIn = settings_->extPlayer;
}

// --- Language ---------------------------------------------------------------------------------------

void App::SetLanguage(Language language) {
  language_ = language;
  unknownLanguageNumber_.reset();
  view().ShowLanguage();
}

void App::ChangeLanguage(Language language) {
  SetLanguage(language);
  // The tag box in the new language, keeping the chosen tag, and the level again
  // so that category names show in it.
  browser_->RebuildTagList();
  browser_->ShowCurrentLevel();
  if (libraryInitialised()) view().ShowCaption(MainWindowCaption(*catalogue_, language_, subscription_.get()));
  view().ApplyCaptions();
  // The sort order becomes "by order", its label in the new language.
  browser_->SetSortKind(SortKind::Order);
  view().ShowSortOrder();
  view().ShowLists();
}

// --- The library --------------------------------------------------------------------------------------

void App::FirstActivation() {
  if (tag_ != 0) return;
  tag_ = 1;
  view().ShowCover(true);
  InitialiseLibrary();
}

void App::InitialiseLibrary() {
  player_->CloseDevice();
  view().ShowCover(true);
  // "Инициализировать библиотеку" shows the start window first; what it finds
  // about the network counts for this initialisation.
  if (startWindowRequested_) view().ShowStartWindow();
  // The set as it stands goes back in after the load (at the first
  // initialisation that is the set the settings file kept), so a
  // re-initialisation never loses what the user collected since the start.
  if (libraryLoaded_) StoreMusicSet(*musicSet_, *settings_);
  musicSet_->Clear();
  // Both lists and the navigation start afresh, sorted by order.
  browser_->Reset();
  view().ShowLists();
  browser_->SetSortKind(SortKind::Order);
  view().ShowSortOrder();
  view().ShowLists();
  LoadOptions load;
  load.offline = IsOffline();
  load.programFolder = options_.programFolder;
  load.today = options_.today();
  load.language = language_;
  load.setCaption = [this](const std::string& caption) { view().ShowCaption(caption); };
  catalogue_->LoadCatalogue(*resources_, load, dialogs(), *progress_);
  likeness_->Forget();
  view().ShowCaption(MainWindowCaption(*catalogue_, language_));
  libraryLoaded_ = true;
  RestoreMusicSet(*musicSet_, *settings_);
  size_t openedEntries = 0;
  if (!setListFilesRead_) {
    setListFilesRead_ = true;
    for (const auto& file : options_.setListFiles)
      openedEntries += LoadSetListFile(*musicSet_, file, dialogs(), language_);
  }
  // The root of the category tree, and the tag box.
  browser_->FillTagList();
  browser_->Home();
  view().ShowLists();
  progress_->ShowProgress(LangMessage(language_, Msg::EnteringAccount), ProgressMode::Show);
  // The active account's file; its quota only while the network has worked.
  if (subscription_) subscription_->SignInAtStart();
  // The online data only while the network has worked.
  if (network_->networkState == kNetworkWorking && !IsOffline()) LoadTopList();
  progress_->ShowProgress("", ProgressMode::Hide);
  view().ShowCover(false);
  view().ShowCaption(MainWindowCaption(*catalogue_, language_, subscription_.get()));
  view().RunPlayerTimer(true);
  if (openedEntries > 0) view().ShowOpenedSetLists();
}

void App::ReinitialiseLibrary(bool showStartWindow) {
  startWindowRequested_ = showStartWindow;
  browser_->LeaveResultMode();
  player_->Stop();
  view().RunPlayerTimer(false);
  view().ApplyCaptions();
  view().ShowCover(true);
  InitialiseLibrary();
}

void App::ToggleOfflineMode() {
  const bool on = settings_->offlineMode;
  const MessageAnswer answer =
      dialogs().Message(LangMessage(language_, on ? Msg::EnableOnlineMode : Msg::EnableOfflineMode),
                        MessageKind::Confirmation, MessageButtons::YesNo);
  if (answer != MessageAnswer::Yes) return;
  settings_->offlineMode = !on;
  view().ShowSwitches();
  if (!on) {
    // Offline now: offer the page where the demo files can be downloaded.
    if (dialogs().Message(LangMessage(language_, Msg::StartBrowserForDemo), MessageKind::Warning,
                          MessageButtons::YesNo) == MessageAnswer::Yes)
      (void)shell().OpenUrl(DemoDownloadPageUrl(*endpoints_));  // the desktop reports a browser that fails
  }
  ReinitialiseLibrary(false);
}

void App::ReinitialiseFromDemoServer(bool shiftHeld) {
  // Demo server 1, and the menus say so.
  demoBaseUrl_ = endpoints_->demoServer1;
  checkedServer_ = 1;
  serverMenusShown_ = true;
  if (shiftHeld) {
    while (true) {
      auto url =
          dialogs().Input(LangMessage(language_, Msg::CustomDemoServer), LangMessage(language_, Msg::EnterUrl), "");
      if (!url) break;
      if (!url->empty()) {
        // A custom server: no menu item names it, so the menus go, as after a
        // start with it, and the settings keep its address.
        demoBaseUrl_ = *url;
        serverMenusShown_ = false;
        break;
      }
    }
  }
  view().ShowSwitches();
  ReinitialiseLibrary(true);
}

void App::LoadTopList() {
  browser_->SetTopList({});
  const std::filesystem::path audio = options_.programFolder / "audio";
  NetworkState untouched;  // a missing list is no network failure
  Downloader quiet(*ports_.http, *progress_, dialogs(), language_, untouched);
  quiet.connectTimeoutMs = 3000;
  quiet.readTimeoutMs = 5000;
  quiet.fileTimeoutMs = 30000;  // a list, not a track: a trickling site never holds the start
  if (!quiet.DownloadFile(TopListUrl(*endpoints_), "top.txt", std::nullopt, audio.string())) return;
  std::string bytes;
  if (ReadWholeFile(audio / "top.txt", bytes, FileKind::TrackList).ok()) {
    std::vector<std::string> codes;
    for (const auto& line : SplitLines(Cp1251ToUtf8(bytes)))
      if (!Trim(line).empty()) codes.push_back(Trim(line));
    browser_->SetTopList(std::move(codes));
  }
  std::error_code ec;
  std::filesystem::remove(audio / "top.txt", ec);
}

bool App::CloseQuery() {
  // The account is read when the library is initialised; closed before that,
  // it is read now (without asking the server), so the account the settings
  // named is written back whole.
  if (subscription_ && !libraryLoaded_) subscription_->SignInAtStart(false);
  progress_->ShowProgress(LangMessage(language_, Msg::Closing), ProgressMode::Show);
  view().ProcessEvents();
  player_->Stop();
  player_->CloseDevice();
  // The second passes with the progress window pumped, so it is mapped and
  // painted while the program closes.
  WaitPumping(ports_.clock ? *ports_.clock : SystemClock(), *progress_, 1000);
  Settings out = CollectSettings();
  if (subscription_) subscription_->StoreAtProgramEnd(out);
  closeError_ = !WriteSettings(options_.programFolder, out);
  view().ProcessEvents();
  progress_->ShowProgress("", ProgressMode::Hide);
  return closeError_ || player_->InFailureState();
}

// --- Tracks and demo servers --------------------------------------------------------------------

void App::SelectDemoServer(int server) {
  checkedServer_ = server;
  demoBaseUrl_ = server == 1 ? endpoints_->demoServer1 : endpoints_->demoServer2;
  view().ShowSwitches();
  if (browser_->rowCount() > 0) {
    player_->Stop();
    player_->PlayCurrent(false);
  }
}

void App::DownloadDemo() {
  const TrackRecord* t = browser_->SelectedTrack();
  if (!t) return;
  const std::string folder =
      dialogs().SelectFolder(LangMessage(language_, Msg::SpecifyFolder), settings_->lastDownloadFolder);
  std::error_code ec;
  if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return;
  settings_->lastDownloadFolder = folder;
  // Nothing more is said of a failed transfer: it leaves no file behind, and a
  // broken connection is kept in the network state.
  (void)downloader_->DownloadFile(TrackPathOrUrl(t->location, demoBaseUrl_), DemoFileName(t->code, t->title),
                                  Msg::DownloadingFiles, folder);
}

void App::GotoFileFolder() {
  const TrackRecord* t = browser_->SelectedTrack();
  if (browser_->rowCount() == 0 || !t) return;
  if (IsDemoName(t->location))
    OpenWebPage(shell(), dialogs(), CdPageUrl(*endpoints_, t->code), language_);
  else
    RevealInFileManager(shell(), dialogs(), t->location, language_);
}

std::optional<std::string> App::DragFile() {
  const int row = browser_->selectedRow();
  if (row < 0) return std::nullopt;
  const auto [cd, trackIndex] = browser_->rows()[row];
  const TrackRecord& track = catalogue_->Track(cd, trackIndex);
  if (!IsDemoName(track.location)) return track.location;
  // A demo track is fetched into "audio" first; later plays use the file.
  const std::filesystem::path audio = options_.programFolder / "audio";
  const std::string name = DemoFileName(track.code, track.title);
  std::error_code ec;
  if (!std::filesystem::exists(audio / name, ec))  // whether it arrived is asked of the folder next
    (void)downloader_->DownloadFile(TrackPathOrUrl(track.location, demoBaseUrl_), name, Msg::DownloadingFiles,
                                    audio.string());
  if (!std::filesystem::exists(audio / name, ec)) return std::nullopt;
  catalogue_->SetTrackLocation({cd, trackIndex}, (audio / name).string());
  ShowTrackStatus();
  return track.location;
}

void App::ShowTrackStatus() {
  if (browser_->selectedRow() < 0) return;
  std::string folder = options_.programFolder.string();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  browser_->ShowTrackStatus(demoBaseUrl_, folder);
  view().ShowTrackStatus();
}

void App::StepTrackKey(int direction) {
  const int row = browser_->selectedRow();
  const int next = row + direction;
  if (row < 0 || next < 0 || next >= browser_->rowCount()) return;
  browser_->SelectRow(next);
  view().ShowSelectedRow();
  ShowTrackStatus();
  player_->PlayCurrent(false);
}

}  // namespace trakvella
