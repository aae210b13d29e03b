#pragma once
// CollectionCommands: the menu commands of the track collections (related tracks, title search, local
// tracks, lucky pick, Top 100, similar and all CDs, CD and track pages). TMainForm owns it; it owns no widgets.
#include <QObject>
#include <functional>

#include "ui/main/MainFrame.h"

class QMainWindow;

namespace trakvella {

class App;
class MainMenus;

class CollectionCommands : public QObject {
  Q_OBJECT

 public:
  // refresh shows the lists again; searchButton acts as the search button does.
  CollectionCommands(QMainWindow* window, App& app, const MainControls& controls, MainMenus& menus,
                     std::function<void()> refresh, std::function<void()> searchButton);

 private:
  void ConnectTrackCollections();
  void ConnectCdCollections();

  App& app_;
  const MainControls& c_;
  MainMenus& menus_;
  std::function<void()> refresh_;
  std::function<void()> searchButton_;
};

}  // namespace trakvella
