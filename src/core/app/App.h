#pragma once
// App: the program-wide state behind the main window and its decisions — start, library (re)initialisation,
// offline switch, switches, enabling. Owns catalogue, browser, player and settings; borrows ports and view.
// The program start makes one, starts it, and hands it to the main window.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/PreviewPeaks.h"
#include "core/lang/Language.h"

namespace trakvella {

class AppView;
class ArchiveReader;
class Browser;
class Catalogue;
class Clipboard;
class Clock;
class CommandEnabling;
class Dialogs;
class Downloader;
class FtpClient;
class HttpClient;
class Inflater;
class LikenessIndex;
class MediaDevice;
class MusicSet;
class MusicSetView;
class MusicSetViewRelay;
class Player;
class Progress;
class ProgressRelay;
class Random;
class ResourceStore;
class Shell;
class Subscription;
class SubscriptionView;
class SubscriptionViewRelay;
class TrackComments;
class Trash;
struct Endpoints;
struct NetworkState;
struct PlayerHooks;
struct Settings;
struct YearMonth;
enum class SettingsFileRead;

// What the program start hands App.
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
  // The waits: the subscription's between download steps, the player's after opening a track and
  // the closing second; the system's clock without one.
  Clock* clock = nullptr;
  // Reads the previews' waveforms for the position bar; without one the bar stays plain.
  AudioPeakDecoder* peaks = nullptr;
};

// What Start() found. Each problem was also shown to the user, as it was met, and the start went on.
struct AppStartReport {
  bool serverListRefused = false;       // servers.ini could not be read: the built-in servers are used
  bool audioFolderMissing = false;      // the "audio" folder could not be made
  bool catalogueFolderMissing = false;  // the catalogue folder given does not exist: the embedded catalogue is used
  // The settings file: Absent (the main window goes to the middle of the desktop), Unreadable
  // (everything stays as it was) or Applied (the window takes its place and list font from it).
  SettingsFileRead settingsFile{};
};

class App {
 public:
  // Builds the parts over the ports, in the language of the system; reads nothing.
  App(const AppOptions& options, const AppPorts& ports);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // The start, once, before the windows are made: reads the server list, makes the "audio" folder,
  // opens the catalogue and reads its tables, reads and applies the settings file (with the set and
  // the account it names). The library itself loads at the main window's first activation.
  AppStartReport Start();

  // The window that shows this state, once it exists (nullptr: none).
  void SetView(AppView* view);
  // The window's part of what the subscription tells (its status line, the sign-in window, the
  // track marks), once it exists (nullptr: none); App shows the caption itself.
  void SetSubscriptionView(SubscriptionView* view);
  // The window's part of what the set tells (its changes, the developer menu), once it exists
  // (nullptr: none); App stops the player itself.
  void SetMusicSetView(MusicSetView* view);
  // The progress window, once it exists; until then long operations show nothing.
  void SetProgressWindow(Progress* progressWindow);

  // --- What the program holds -------------------------------------------------------
  Catalogue& catalogue() { return *catalogue_; }
  // The catalogue resources in use (the embedded ones or a catalogue folder), the templates among
  // them; there are none before Start().
  const ResourceStore& resources() const { return *resources_; }
  Browser& browser() { return *browser_; }
  MusicSet& musicSet() { return *musicSet_; }
  TrackComments& comments() { return *comments_; }
  // Whether the music set window is visible: the player then plays its selected entry.
  bool musicSetShown() const { return musicSetShown_; }
  void SetMusicSetShown(bool shown) { musicSetShown_ = shown; }
  // The subscription account and its downloads; nullptr when App was given no FTP ports.
  Subscription* subscription() { return subscription_.get(); }
  Settings& settings() { return *settings_; }
  NetworkState& network() { return *network_; }
  Downloader& downloader() { return *downloader_; }
  Player& player() { return *player_; }
  // "Похожие треки" over the catalogue; App forgets what it read at every catalogue load.
  LikenessIndex& likeness() { return *likeness_; }
  Progress& progress();
  Dialogs& dialogs() { return *ports_.dialogs; }
  Clipboard& clipboard() { return *ports_.clipboard; }
  Shell& shell() { return *ports_.shell; }
  Random& random() { return *ports_.random; }
  Inflater* inflater() { return ports_.inflater; }
  // Where the position bar's worker reads a preview's peaks from (see LoadPreviewPeaks).
  PreviewPeaksSource previewPeaks() const { return {ports_.peaks, ports_.http, options_.programFolder}; }
  // The servers of servers.ini, as Start() read them (the built-in ones until then).
  const Endpoints& endpoints() const { return *endpoints_; }
  const std::filesystem::path& programFolder() const { return options_.programFolder; }
  const std::string& demoBaseUrl() const { return demoBaseUrl_; }
  int networkState() const;
  // The user's current choice; parts that follow it keep this reference.
  const Language& language() const { return language_; }
  bool libraryInitialised() const { return tag_ == 1; }
  // "-local" as the first parameter, or the offline switch: every rule asks this one test.
  bool IsOffline() const;
  // The start window's tag: whether the next initialisation shows the start window first.
  bool startWindowRequested() const { return startWindowRequested_; }

  // --- Settings: the one model the menus mirror ------------------------------------------
  // Reads the settings file and applies it (without one the window is centred).
  SettingsFileRead ReadAndApplySettings();
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
  void SetLanguage(Language language);
  // The language switch: tag box, level and caption in the new language, the
  // captions of every window, the sort order back to "by order".
  void ChangeLanguage(Language language);

  // --- The library -------------------------------------------------------------------------------
  // The first activation of the main window initialises the library, once.
  void FirstActivation();
  void InitialiseLibrary();
  // The library initialisation again (the start window first when asked).
  void ReinitialiseLibrary(bool showStartWindow);
  // "Автономный режим": asks first; Yes switches, offers the demo download page
  // when now offline, and initialises the library again.
  void ToggleOfflineMode();
  // "Инициализировать библиотеку": demo server 1 again, or with Shift held a
  // custom demo server asked until one is entered or the box is cancelled.
  void ReinitialiseFromDemoServer(bool shiftHeld);
  // The popularity list "top.txt" of the web site, fetched into "audio", read
  // and removed; any failure leaves the list empty and says nothing.
  void LoadTopList();
  // Writes the settings as the main window closes; true when the program must
  // end at once (the settings could not be written, or the player has failed).
  [[nodiscard]] bool CloseQuery();
  bool closeWritesFailed() const { return closeError_; }

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
  CommandEnabling& enabling() { return *enabling_; }
  const CommandEnabling& enabling() const { return *enabling_; }

 private:
  PlayerHooks MakePlayerHooks();
  std::unique_ptr<Subscription> MakeSubscription();
  void ConnectParts();
  void DefineEnabling();
  void ApplySwitchesToParts();
  AppView& view() const { return *view_; }

  // Constant after construction: what the program start handed in, and the parts App owns.
  const AppOptions options_;
  const AppPorts ports_;
  const std::unique_ptr<ProgressRelay> progress_;
  const std::unique_ptr<NetworkState> network_;
  const std::unique_ptr<Endpoints> endpoints_;  // filled by Start(); the subscription borrows them
  const std::unique_ptr<Settings> settings_;    // values no part of the window edits are kept and written back
  const std::unique_ptr<Catalogue> catalogue_;
  const std::unique_ptr<Browser> browser_;
  const std::unique_ptr<MusicSet> musicSet_;
  std::unique_ptr<MusicSetViewRelay> musicSetView_;  // the set's view, made as the parts are connected
  const std::unique_ptr<TrackComments> comments_;
  const std::unique_ptr<Downloader> downloader_;
  const std::unique_ptr<Player> player_;
  std::unique_ptr<SubscriptionViewRelay> subscriptionView_;  // the subscription's view, made with it
  const std::unique_ptr<Subscription> subscription_;         // null without the FTP ports
  const std::unique_ptr<CommandEnabling> enabling_;
  const std::unique_ptr<LikenessIndex> likeness_;

  // Set by Start().
  std::unique_ptr<ResourceStore> resources_;

  // The state the program's commands change.
  AppView* view_;
  std::string demoBaseUrl_;
  bool serverMenusShown_ = true;
  int checkedServer_ = 1;
  Language language_ = Language::English;
  // A number the settings file held that names no language, written back as read until a language is chosen.
  std::optional<int> unknownLanguageNumber_;
  int tag_ = 0;  // 0 until the first activation
  bool musicSetShown_ = false;
  bool libraryLoaded_ = false;  // the catalogue has been loaded once (the set then holds its entries)
  bool setListFilesRead_ = false;
  bool startWindowRequested_ = false;
  bool closeError_ = false;
};

}  // namespace trakvella
