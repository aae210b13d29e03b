#pragma once
// MainSearch: the search panel in the main window — opened in place of the category list by the
// search button, F3 or the menu, and its search listed. TMainForm owns it; the panel is the window's for life.
#include <QObject>
#include <functional>

#include "ports/Clock.h"
#include "ui/main/MainFrame.h"

class QMainWindow;
class QScrollArea;

namespace trakvella {

class App;
class MainMenus;
class TSearchPanel;

class MainSearch : public QObject {
  Q_OBJECT

 public:
  MainSearch(QMainWindow* window, App& app, const MainControls& controls, MainMenus& menus,
             std::function<void()> refresh);

  // The search button: opens the panel, or closes it keeping the results.
  void Search1Click();
  void EnterSearchMode();
  void SButClick();
  // The panel centred over the category list but never above its top; the frame
  // covers the list when the panel is shorter, the dotted line shows when more
  // than 50 pixels of the list stay free.
  void LayOut();
  // The panel's lists in the new language, the panel shown again when it was.
  void LanguageChanged();

 private:
  App& app_;
  const MainControls& c_;
  std::function<void()> refresh_;
  SteadyClock clock_;
  QScrollArea* scroller_ = nullptr;
  TSearchPanel* panel_ = nullptr;
};

}  // namespace trakvella
