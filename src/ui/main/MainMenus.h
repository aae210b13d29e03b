#pragma once
// MainMenus: the main window's pop-up menus and main menu with the twins that mirror their pop-up
// items, captioned from the caption table. TMainForm owns it; the menus and items belong to the window.
#include <QIcon>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <map>
#include <string_view>

#include "core/lang/Language.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolButton;

namespace trakvella {

class App;
class CommandEnabling;

class MainMenus : public QObject {
  Q_OBJECT

 public:
  // Makes every menu and item, all disabled until the part that builds a command enables it.
  explicit MainMenus(QMainWindow* window);

  // An item or a submenu by its name (nullptr when there is none).
  QAction* Item(const QString& name) const;
  QMenu* SubMenu(const QString& name) const;

  QMenu* trackMenu() const { return trPopupMenu_; }   // TrPopupMenu, also opened by OptionBut
  QMenu* cdMenu() const { return similarCdMenu_; }    // SimilarCDMenu, the category list's
  QMenu* favouritesMenu() const { return favMenu_; }  // FavMenu, opened by FAvBut
  QMenu* sortMenu() const { return sortPopUpMenu_; }  // SortPopUpMenu, under the sort label
  QMenu* developerMenu() const { return devMenu_; }   // DevMenu, hidden until Ctrl+Alt+D

  // Enables or disables the items and submenus a menu's rows name, as the table says now.
  void ApplyEnabling(const CommandEnabling& enabling, std::string_view menu);
  // The switches' check marks and the demo server menus, as App holds them.
  void ShowSwitches(const App& app);
  // The language menus show the flag of the current language.
  void ShowLanguage(Language language);
  // Twins whose pop-up item changed before they followed it take its state.
  void SyncTwins();
  // The button opens the menu where the mouse lets go of it.
  void OpenOnMouseUp(QToolButton* button, QMenu* menu);

  static QIcon FlagIcon(Language language);
  // An item shows a key that another item of the same command holds (a
  // main-menu twin, or "Поиск" for the search button's F3).
  static void ShowKey(QAction* item, const QKeySequence& key);

 private:
  QAction* AddItem(QMenu* menu, const QString& name, bool checkable = false, const QKeySequence& shortcut = {},
                   const QString& caption = {});
  QMenu* AddSubMenu(QMenu* parentMenu, const QString& name);
  QMenu* AddBarMenu(const char* name);
  void AddTwins(QMenu* from, QMenu* to);
  void MakeTrackMenu();
  void MakeCdMenu();
  void MakeMainMenu();
  bool eventFilter(QObject* watched, QEvent* event) override;

  QMainWindow* window_;
  QMenu* trPopupMenu_ = nullptr;
  QMenu* similarCdMenu_ = nullptr;
  QMenu* favMenu_ = nullptr;
  QMenu* sortPopUpMenu_ = nullptr;
  QMenu* devMenu_ = nullptr;
  std::map<QString, QAction*> items_;
  std::map<QString, QMenu*> subMenus_;
  std::map<QObject*, QMenu*> mouseUpMenus_;  // button -> the menu it opens
};

}  // namespace trakvella
