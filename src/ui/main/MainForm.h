#pragma once
// TMainForm: the main window. Owns the catalogue and the settings; its controls
// and menu items carry the design names (also their objectName). Commands whose
// subsystem is not built yet are present and disabled.
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "core/settings/Settings.h"
#include "core/browse/Browser.h"
#include "ports/Clipboard.h"
#include "ports/Clock.h"
#include "ports/Random.h"
#include "ports/Shell.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Resources.h"
#include "core/settings/ServerConfig.h"

namespace trakvella {

class TWaitForm;
class TOrgForm;
class TInfoForm;
class TrackListModel;
class CategoryListModel;
class FileBoxDelegate;
class CDCatBoxDelegate;
class TSearchPanel;
class Player;
class MediaDevice;
class HttpClient;
class Downloader;
struct NetworkState;

// The ports the program start builds once and hands the main window; all are
// required and outlive the window.
struct MainFormPorts {
  Dialogs* dialogs = nullptr;
  Clipboard* clipboard = nullptr;
  Shell* shell = nullptr;
  Random* random = nullptr;
  MediaDevice* mediaDevice = nullptr;
  HttpClient* http = nullptr;
};

// What the program start hands the main window.
struct MainFormOptions {
  std::filesystem::path programFolder;
  std::optional<std::filesystem::path> catalogueFolder;  // --catalogue
  bool localSwitch = false;                              // "-local" as the first parameter
  std::function<YearMonth()> today;                      // the clock; the system date when empty
};

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  TMainForm(const MainFormOptions& options, const MainFormPorts& ports, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The progress window the long operations show; created by the program start.
  void setWaitForm(TWaitForm* waitForm) { waitForm_ = waitForm; }
  TWaitForm* waitForm() const { return waitForm_; }

  // The current interface language: the tag of the language menu.
  int Language() const;
  void SetLanguage(int language);
  bool IsOffline() const;

  // Settings: applied once after the windows are created; collected at close.
  bool ReadAndApplySettings();  // false when there was no settings file
  void ApplySettings(const Settings& settings);
  void ApplySwitches(const Settings& settings);  // menus, font, demo server, language
  Settings CollectSettings() const;
  const Settings& settings() const { return settings_; }

  // The language switch (all four language items run it).
  void LangClick(QAction* sender);
  // Applies the caption table of every existing window for the current language.
  void ApplyCaptions();

  // The first activation: the cover panel and the library initialisation, once.
  void FirstActivation();
  void InitialiseLibrary();
  // Library initialisation again (the start window shown first when asked).
  void ReinitialiseLibrary(bool showStartWindow);
  void OfflineModeItemClick();
  // "Инициализировать библиотеку"; with Shift held, a custom demo server is asked for.
  void InitializelibraryClick(bool shiftHeld);
  // The keyboard table; true when the key was handled.
  bool HandleKey(QKeyEvent* key);
  void UpdateCaption();

  // Status bar fields 0-4.
  void SetStatusField(int index, const QString& text);
  QString StatusField(int index) const;

  Catalogue& catalogue() { return catalogue_; }
  const Endpoints& endpoints() const { return endpoints_; }
  const std::string& demoBaseUrl() const { return demoBaseUrl_; }
  bool libraryInitialised() const { return tag_ == 1; }
  bool closeWritesFailed() const { return closeError_; }

  // Item heights of the two lists (the browsing lists draw their rows with them).
  int itemHeight() const { return itemHeight_; }

  // --- The two lists (MainListsUnit.cpp) ---------------------------------------
  Browser& browser() { return *browser_; }
  TOrgForm* orgForm() const { return orgForm_; }
  TInfoForm* infoForm() const { return infoForm_; }
  // Shows the browser's state: both lists, the caption, the status bar, the
  // history buttons, the tag box and the sort controls.
  void Refresh();
  void CDCatBoxClick(int row);
  void CDCatBoxDblClick(int row);
  void FileBoxItemIndexChange();
  void SortOrdItemClick(QAction* sender);
  void ShowCdInfo(int boxRow);
  void OrgFavoritesClick();
  void RebuildFavouritesMenu();
  void SetItemHeight(int height);

  // --- Search (MainListsUnit.cpp) -------------------------------------------------
  TSearchPanel* searchPanel() const { return searchPanel_; }
  // The search button: opens the panel, or closes it keeping the results.
  void Search1Click();
  void EnterSearchMode();
  void SButClick();

  // --- Player (MainPlayerUnit.cpp) -------------------------------------------------
  Player& player() { return *player_; }
  QTimer* mpTimer = nullptr;
  void PlayerTick();
  void SelectDemoServer(int server);
  void DownloadDemo();
  void StartTrackDrag();
  int networkState() const;

  // --- Controls (design names) ---------------------------------------------------
  QFrame* InstrPanel;
  QFrame* TxTPanel;
  QLabel* CDCatInfo;
  QListView* CDCatBox;
  QListView* FileBox;
  QComboBox* KeyBox;
  QToolButton* KeyBut;
  QLabel* Gb;
  QProgressBar* PlayBar;
  QToolButton *Playbut, *PauseBut, *StopBut;
  QToolButton *HomeBtn, *BackBtn, *ForwardBtn, *FAvBut, *MemOperBut, *MemCopyBut, *SearchBut, *SearchNameBut,
      *OptionBut, *TrInfoBut, *TrPassportBut;
  QLabel *SortButDn, *SortButUp, *SortInfoLbl, *memCountLbl;
  QFrame* SearchPanel;
  QFrame* PanelShape;
  QFrame* DotShape;
  QFrame* offPanel;
  QLabel* RegInfoLbl;
  QStatusBar* StatusBar;

  QMenu *TrPopupMenu, *SimilarCDMenu, *FavMenu, *SortPopUpMenu;

  // A menu item or submenu by its design name (nullptr when there is none).
  QAction* Item(const QString& name) const;
  QMenu* SubMenu(const QString& name) const;

 signals:
  void languageChanged(int language);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CreateControls();
  void CreateLists();
  void CreateSearchPanel();
  void CreatePlayer();
  void ConnectCollectionCommands();
  void SimilarCDMenuPopup();
  void SelectTrackRowInView();
  bool FileBoxMouse(QMouseEvent* mouse);
  void LoadTopList();
  void LayoutSearchPanel();
  void ConnectListCommands();
  void UpdateTrackMenus();
  void UpdateServiceMenus();
  void ShowTrackStatus();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void CreateMenus();
  QAction* AddItem(QMenu* menu, const QString& name, const QString& caption, bool checkable = false,
                   const QKeySequence& shortcut = {});
  QMenu* AddSubMenu(QMenu* parentMenu, const QString& name, const QString& caption);
  void AddTwins(QMenu* from, QMenu* to);
  void MirrorCheck(QAction* popupItem);
  void LayoutControls();
  bool CloseQuery();
  void ApplyListFont(const FontSpec& font);
  void ScaleFont(int delta);
  void FontSetupItemClick();
  QIcon FlagIcon(int language) const;

  MainFormOptions options_;
  Dialogs* dialogs_;
  Clipboard* clipboard_;
  Shell* shell_;
  Random* random_;
  std::unique_ptr<Progress> progress_;  // the progress window, once there is one
  std::unique_ptr<Browser> browser_;
  TrackListModel* trackModel_ = nullptr;
  CategoryListModel* categoryModel_ = nullptr;
  FileBoxDelegate* fileDelegate_ = nullptr;
  CDCatBoxDelegate* categoryDelegate_ = nullptr;
  TOrgForm* orgForm_ = nullptr;
  TSearchPanel* searchPanel_ = nullptr;
  MediaDevice* mediaDevice_ = nullptr;
  HttpClient* http_ = nullptr;
  std::unique_ptr<NetworkState> networkHolder_;
  NetworkState& network_;
  std::unique_ptr<Downloader> downloader_;
  std::unique_ptr<Player> player_;
  bool dragRunning_ = false;
  bool trackDoubleClicked_ = false;
  bool pressed_ = false;
  QPoint pressPoint_;
  SteadyClock clock_;
  TInfoForm* infoForm_ = nullptr;
  std::vector<QAction*> favouriteItems_;
  bool refreshing_ = false;
  TWaitForm* waitForm_ = nullptr;
  Endpoints endpoints_;
  std::string demoBaseUrl_;
  std::unique_ptr<ResourceStore> resources_;
  Catalogue catalogue_;
  Settings settings_;  // values of later subsystems are kept here and written back unchanged
  std::map<QString, QAction*> items_;
  std::map<QString, QMenu*> subMenus_;
  std::array<QLabel*, 5> statusFields_{};
  int tag_ = 0;  // 0 until the first activation
  int language_ = 0;
  int itemHeight_ = 19;
  int listFontColor_ = -16777208;
  bool closing_ = false;
  bool closeError_ = false;
};

}  // namespace trakvella
