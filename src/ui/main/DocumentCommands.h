#pragma once
// DocumentCommands: the main window's document commands — the subscription documents window
// (PodDocItem) and the phonogram passport of the selected track (PassportItem, TrPassportBut) — with
// their enabling. Made with one line by the main window, which owns it and the documents window it makes.
#include <QObject>

class QWidget;

namespace trakvella {

class App;
class MainMenus;
class TDocForm;
struct MainControls;

class DocumentCommands : public QObject {
  Q_OBJECT

 public:
  DocumentCommands(QWidget* window, App& app, MainMenus& menus, const MainControls& controls);

  TDocForm* docForm() const { return docForm_; }

  // Opens the documents window modally once an account is signed in;
  // otherwise the "please sign in" warning.
  void PodDocItemClick();
  // The passport of the track selected in the track list.
  void PassportItemClick();

 private:
  void ShowTrackRowButtons();

  App& app_;
  MainMenus& menus_;
  const MainControls& c_;
  TDocForm* docForm_ = nullptr;
};

}  // namespace trakvella
