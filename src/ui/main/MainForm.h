#pragma once
// TMainForm: the main window — a view of App, which the program start makes and hands it, with the parts
// that show it (frame, menus, lists, search, player controls, collections, the *Commands that wire the
// other windows to its menus). Controls and items carry their own names, also as objectName.
#include <QMainWindow>
#include <memory>

#include "core/app/AppView.h"
#include "core/lang/Language.h"

class QAction;
class QKeyEvent;
class QMenu;

namespace trakvella {

class App;
class TWaitForm;
struct AppStartReport;
class TStartForm;
class MainFrame;
class MainMenus;
class MainLists;
class MainSearch;
class PlayerControls;
class CollectionCommands;

class TMainForm : public QMainWindow, public AppView {
  Q_OBJECT

 public:
  // Shows app, started, from now on; app outlives the window.
  TMainForm(App& app, const AppStartReport& started, QWidget* parent = nullptr);
  ~TMainForm() override;

  App& app() { return app_; }
  const Language& language() const;

  // The progress window the long operations show; created by the program start.
  void setWaitForm(TWaitForm* waitForm);
  TWaitForm* waitForm() const { return waitForm_; }
  // The start window a library re-initialisation shows first; made by the program start (none: not shown).
  void setStartForm(TStartForm* startForm) { startForm_ = startForm; }

  // Applies the caption table of every existing window for the current language.
  void ApplyCaptions() override;
  // The first activation: the cover panel and the library initialisation, once.
  void FirstActivation();

  // A menu item or submenu by its name (nullptr when there is none).
  QAction* Item(const QString& name) const;
  QMenu* SubMenu(const QString& name) const;

  // Shows the browser's state in both lists, the caption, the status bar and the buttons.
  void Refresh();
  // A click on row `row` of the category/CD box.
  void CDCatBoxClick(int row);
  // The player timer's tick.
  void PlayerTick();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What App asks of the window.
  void ShowCover(bool shown) override;
  void ShowCaption(const std::string& caption) override;
  void ShowLists() override { Refresh(); }
  void ShowTrackStatus() override;
  void ShowSelectedRow() override;
  void ShowSortOrder() override;
  void ShowSwitches() override;
  void ShowFavourites() override;
  void ShowLanguage() override;
  void ShowCdInfo(int boxRow) override;
  bool SearchPanelVisible() const override;
  void ShowStartWindow() override;
  void ShowOpenedSetLists() override;
  void RunPlayerTimer(bool running) override;
  void ProcessEvents() override;
  void ApplyWindowSettings(const Settings& settings) override;
  void StoreWindowSettings(Settings& settings) const override;
  void CentreWindow() override;

  void ConnectProgramCommands();
  // The smallest size the screen allows (at most the design's), and a window
  // no larger than the screen's free area.
  void FitToScreen();
  void LangClick(Language language);
  // The keyboard table; true when the key was handled.
  bool HandleKey(QKeyEvent* key);
  bool ProgressShown() const;

  App& app_;
  std::unique_ptr<MainFrame> frame_;
  MainMenus* menus_ = nullptr;
  MainLists* lists_ = nullptr;
  MainSearch* search_ = nullptr;
  PlayerControls* player_ = nullptr;
  CollectionCommands* collections_ = nullptr;
  TWaitForm* waitForm_ = nullptr;
  TStartForm* startForm_ = nullptr;
  bool closing_ = false;
  bool screenWatched_ = false;
};

}  // namespace trakvella
