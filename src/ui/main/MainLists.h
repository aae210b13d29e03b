#pragma once
// MainLists: the main window's two lists — the category/CD box and the track list drawn from the Browser,
// their navigation, sort and favourites commands, the tag box, the CD pop-up and the list font. TMainForm owns it.
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

#include "core/settings/Settings.h"
#include "ui/main/MainFrame.h"

class QAction;
class QMainWindow;

namespace trakvella {

class App;
class MainMenus;
class TrackListModel;
class CategoryListModel;
class FileBoxDelegate;
class CDCatBoxDelegate;
class TOrgForm;
class TInfoForm;

class MainLists : public QObject {
  Q_OBJECT

 public:
  MainLists(QMainWindow* window, App& app, const MainControls& controls, MainMenus& menus);

  // Lays the search panel out when the lists show the browser's state.
  std::function<void()> layoutSearchPanel;

  // Shows the browser's state: both lists, the caption, the status bar, the
  // history buttons, the tag box and the sort controls.
  void Refresh();
  // Status bar fields 1-4 as the browser holds them for the selected track.
  void ShowTrackStatus();
  // The track list's selection after the program moved it.
  void SelectTrackRowInView();
  // The sort items' check marks and the sort label, as the browser sorts.
  void ShowSortOrder();
  void RebuildFavouritesMenu();
  // The CD information pop-up near the lower right of the box.
  void ShowCdInfo(int boxRow);
  // A display switch changed: the track rows are drawn again.
  void RedrawTracks();

  void CDCatBoxClick(int row);
  void CDCatBoxDblClick(int row);
  void OrgFavoritesClick();

  // The list font, shared by both lists.
  void ApplyListFont(const FontSpec& font);
  void SetItemHeight(int height);
  void StoreListFont(Settings& settings) const;

 private:
  void ConnectCommands();
  // The two lists: clicks, the keyboard's cursor, their selections and their pop-up menus.
  void ConnectListBoxes();
  void ConnectSortCommands();
  void ConnectFavourites();
  void ConnectTrackCommands();
  void ConnectTrackMarks();
  void ConnectTrackFilter();
  // The track list again after the filter changed its rows (the rest stays as it is).
  void ShowFilteredTracks();
  void SortOrdItemClick(const QString& name);
  void FileBoxItemIndexChange();
  void ScaleFont(int delta);
  // Where the CD information pop-up of a size stands, in screen coordinates.
  QPoint CdInfoPosition(QSize size) const;
  void FontSetupItemClick();
  bool eventFilter(QObject* watched, QEvent* event) override;

  QMainWindow* window_;
  App& app_;
  const MainControls& c_;
  MainMenus& menus_;
  TrackListModel* trackModel_ = nullptr;
  CategoryListModel* categoryModel_ = nullptr;
  FileBoxDelegate* fileDelegate_ = nullptr;
  CDCatBoxDelegate* categoryDelegate_ = nullptr;
  TOrgForm* orgForm_ = nullptr;
  TInfoForm* infoForm_ = nullptr;
  std::vector<QAction*> favouriteItems_;
  bool refreshing_ = false;
  bool boxKeyDown_ = false;  // a key is down on the category/CD box
  int itemHeight_ = 19;
  int listFontColor_ = -16777208;
};

}  // namespace trakvella
