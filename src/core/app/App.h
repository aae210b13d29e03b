#pragma once
// App: the program-wide state behind the main window and its decisions — start, library (re)initialisation,
// offline switch, switches, enabling. Owns catalogue, browser, player and settings; borrows ports and view.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/AppView.h"
#include "core/app/ProgressRelay.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Resources.h"
#include "core/enabling/CommandEnabling.h"
#include "core/musicset/MusicSet.h"
#include "core/musicset/TrackInfo.h"
#include "core/net/Downloads.h"
#include "core/player/Player.h"
#include "core/settings/ServerConfig.h"
#include "core/settings/Settings.h"
#include "core/subscription/Subscription.h"
#include "ports/ArchiveReader.h"
#include "ports/Clipboard.h"
#include "ports/Dialogs.h"
#include "ports/FtpClient.h"
#include "ports/HttpClient.h"
#include "ports/Inflater.h"
#include "ports/MediaDevice.h"
#include "ports/Random.h"
#include "ports/Shell.h"
#include "ports/Trash.h"

namespace trakvella {

// What the program start hands the main window.
struct AppOptions {
  std::filesystem::path programFolder;
  std::optional<std::filesystem::path> catalogueFolder;  // --catalogue
  bool localSwitch = false;                              // "-local" as the first parameter
  std::function<YearMonth()> today;                      // the date that decides which CDs are new (required)
  // Set list files the program was started with (a set list file opened from the
  // desktop): the first initialisation appends them to the set the settings kept,
  // as "Загрузить список" appends a file.
  std::vector<std::filesystem::path> setListFiles;
};

// The ports the program start builds once; all are required and outlive App.
struct AppPorts {
  Dialogs* dialogs = nullptr;
  Clipboard* clipboard = nullptr;
  Shell* shell = nullptr;
  Random* random = nullptr;
  MediaDevice* mediaDevice = nullptr;
  HttpClient* http = nullptr;
  // The subscription's download server, its archives and the files it discards;
  // without all three there is no subscription (tests that need none).
  FtpClient* ftp = nullptr;
  ArchiveReader* archives = nullptr;
  Trash* trash = nullptr;
  // Decodes gzip-compressed project files for the folder scan; without one they are read as they are.
  Inflater* inflater = nullptr;
};

class App {
 public:
  // Reads the endpoints and the catalogue tables, makes the "audio" folder and
  // takes the language of the system; a failure is shown and the start goes on.
  App(const AppOptions& options, const AppPorts& ports);
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // The window that shows this state, once it exists (nullptr: none).
  void SetView(AppView* view);
  // The progress window, once it exists; until then long operations show nothing.
  void SetProgressWindow(Progress* progressWindow) { progress_.SetTarget(progressWindow); }

  // --- What the program holds -------------------------------------------------------
  Catalogue& catalogue() { return catalogue_; }
  // The catalogue resources in use (the embedded ones or a catalogue folder), the templates among them.
  const ResourceStore& resources() const { return *resources_; }
  Browser& browser() { return browser_; }
  MusicSet& musicSet() { return musicSet_; }
  TrackComments& comments() { return comments_; }
  // Whether the music set window is visible: the player then plays its selected entry.
  bool musicSetShown() const { return musicSetShown_; }
  void SetMusicSetShown(bool shown) { musicSetShown_ = shown; }
  // The subscription account and its downloads; nullptr when App was given no FTP ports.
  Subscription* subscription() { return subscription_.get(); }
  Settings& settings() { return settings_; }
  NetworkState& network() { return network_; }
  Downloader& downloader() { return downloader_; }
  Player& player() { return *player_; }
  Progress& progress() { return progress_; }
  Dialogs& dialogs() { return *ports_.dialogs; }
  Clipboard& clipboard() { return *ports_.clipboard; }
  Shell& shell() { return *ports_.shell; }
  Random& random() { return *ports_.random; }
  Inflater* inflater() { return ports_.inflater; }
  const Endpoints& endpoints() const { return endpoints_; }
  const std::filesystem::path& programFolder() const { return options_.programFolder; }
  const std::string& demoBaseUrl() const { return demoBaseUrl_; }
  int networkState() const { return network_.networkState; }
  int language() const { return language_; }
  bool libraryInitialised() const { return tag_ == 1; }
  // "-local" as the first parameter, or the offline switch: every rule asks this one test.
  bool IsOffline() const { return options_.localSwitch || settings_.offlineMode; }
  // The start window's tag: whether the next initialisation shows the start window first.
  bool startWindowRequested() const { return startWindowRequested_; }

  // --- Settings: the one model the menus mirror ------------------------------------------
  // Reads the settings file and applies it; false when there was none (the window is centred).
  bool ReadAndApplySettings();
  void ApplySettings(const Settings& settings);
  // The settings as they stand, the window's placement and font included.
  Settings CollectSettings() const;
  // A switch by its menu item's name (see kSettingsSwitches).
  bool Switch(std::string_view item) const;
  // The user set a switch; showname and showcode are never both off.
  void SetSwitch(std::string_view item, bool on);
  // The user chose their own player program: built-in playback goes off.
  void ChooseUserPlayer(const std::string& program);

  // --- Language --------------------------------------------------------------------------------
  void SetLanguage(int language);
  // The language switch: tag box, level and caption in the new language, the
  // captions of every window, the sort order back to "by order".
  void ChangeLanguage(int language);

  // --- The library -------------------------------------------------------------------------------
  // The first activation of the main window initialises the library, once.
  void FirstActivation();
  void InitialiseLibrary();
  // The library initialisation again (the start window first when asked).
  void ReinitialiseLibrary(bool showStartWindow);
  // "Автономный режим": asks first; Yes switches, offers the demo download page
  // when now offline, and initialises the library again.
  void OfflineModeItemClick();
  // "Инициализировать библиотеку": demo server 1 again, or with Shift held a
  // custom demo server asked until one is entered or the box is cancelled.
  void InitializelibraryClick(bool shiftHeld);
  // The popularity list "top.txt" of the web site, fetched into "audio", read
  // and removed; any failure leaves the list empty and says nothing.
  void LoadTopList();
  // Writes the settings as the main window closes; true when the program must
  // end at once (the settings could not be written, or the player has failed).
  bool CloseQuery();
  bool closeWritesFailed() const { return closeError_; }
  // Called once, after the first initialisation added the entries of the set
  // list files the program was started with (the program start shows the set).
  std::function<void()> setListFilesAdded;

  // --- Tracks and demo servers ---------------------------------------------------------------
  // 1 or 2 while a demo server is chosen from the menus, 0 for a custom base
  // (the server menus are hidden then).
  int demoServerMenuChoice() const { return serverMenusShown_ ? checkedServer_ : 0; }
  bool serverMenusShown() const { return serverMenusShown_; }
  int checkedServer() const { return checkedServer_; }
  void SelectDemoServer(int server);
  // "Скачать демо трека": the selected track's demo into a folder the user chooses.
  void DownloadDemo();
  // The file a drag of the selected track carries: a demo track is fetched into
  // "audio" first and plays from there afterwards. Nothing when there is no file.
  std::optional<std::string> DragFile();
  // "Перейти к месту хранения трека...": the selected track's page on the web site
  // for a demo track, its file shown in the file manager for a local one; a
  // message names the address or the file when the desktop opens neither.
  void GotoFileFolder();
  // Fills the status fields of the selected track and shows them.
  void ShowTrackStatus();
  // The next or previous track key: the neighbouring row starts as a click would.
  void StepTrackKey(int direction);

  // --- Which commands are enabled --------------------------------------------------------------
  CommandEnabling& enabling() { return enabling_; }
  const CommandEnabling& enabling() const { return enabling_; }

 private:
  void DefineEnabling();
  void ApplySwitchesToParts();
  AppView& view() const { return *view_; }

  AppOptions options_;
  AppPorts ports_;
  AppView noView_;
  AppView* view_ = &noView_;
  ProgressRelay progress_;
  NetworkState network_;
  Endpoints endpoints_;
  std::string demoBaseUrl_;
  bool serverMenusShown_ = true;
  int checkedServer_ = 1;
  std::unique_ptr<ResourceStore> resources_;
  Catalogue catalogue_;
  Browser browser_;
  MusicSet musicSet_;
  TrackComments comments_;
  Downloader downloader_;
  std::unique_ptr<Subscription> subscription_;
  std::unique_ptr<Player> player_;
  Settings settings_;  // values no part of the window edits are kept and written back unchanged
  CommandEnabling enabling_;
  int language_ = 0;
  int tag_ = 0;  // 0 until the first activation
  bool musicSetShown_ = false;
  bool libraryLoaded_ = false;  // the catalogue has been loaded once (the set then holds its entries)
  bool setListFilesRead_ = false;
  bool startWindowRequested_ = false;
  bool closeError_ = false;
};

}  // namespace trakvella
