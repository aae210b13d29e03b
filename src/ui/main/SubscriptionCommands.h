#pragma once
// SubscriptionCommands: the main window's subscription commands (sign-in, account list and switch, leave,
// downloaded tracks, one track's download), the music set window's subscription controls and the sign-in
// window. Made with one line by the main window, which owns it and the sign-in window it makes.
#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "core/subscription/Subscription.h"

class QMainWindow;
class QMenu;
class QWidget;

namespace trakvella {

class App;
class MainMenus;
class SetSubscriptionPanel;
class Subscription;
class TMusicSetForm;
class TSignInForm;
struct MainControls;

class SubscriptionCommands : public QObject, private SubscriptionView {
  Q_OBJECT

 public:
  // refresh shows the main window's lists again.
  SubscriptionCommands(QMainWindow* window, App& app, const MainControls& controls, MainMenus& menus,
                       std::function<void()> refresh);
  ~SubscriptionCommands() override;

  TSignInForm* signInForm() const { return signInForm_; }

  // The "Подписка" menu.
  void PodQuotaItemClick();
  void SwitchAccountClick(const std::string& name);
  void quitpodpiskaClick();
  void ShowPodItemClick();
  // The track menus' download of the current track.
  void downitemClick();

  // The music set window's subscription controls.
  void SetupPodBtnClick();
  void ftpbutClick();
  void FileDownButClick();
  void BuyBtnClick();
  void PassViewBtnClick();
  // The controls as the account stands: account and download controls while
  // signed in, the set-up button otherwise; run at each activation of the set window.
  void PodPanelUpdate();

 private:
  void ConnectMenus();
  void ConnectPanel();
  // The menu's enabling and its account list, as they are now: as the menu opens. The list means a
  // walk of the program folder's whole tree (the audio files too), so it waits until it is seen.
  void ShowPodMenu();
  void EnablePodMenu();
  // After the account or its downloads changed: the track list's marks, the panel, the menu.
  // The track marks changed: the list repaints, the set window's panel and the menu follow.
  void TracksChanged() override;
  void PodStatusChanged(const std::string& text) override;
  std::optional<Credentials> AskCredentials(const Credentials& current) override;

  QMainWindow* window_;
  App& app_;
  const MainControls& c_;
  MainMenus& menus_;
  std::function<void()> refresh_;
  Subscription* subscription_ = nullptr;
  TSignInForm* signInForm_ = nullptr;
  TMusicSetForm* setForm_ = nullptr;
  SetSubscriptionPanel* panel_ = nullptr;
  QMenu* accountList_ = nullptr;    // under ShowPodListItem
  QMenu* mmAccountList_ = nullptr;  // under its main-menu twin
};

}  // namespace trakvella
