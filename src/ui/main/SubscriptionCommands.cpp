#include "ui/main/SubscriptionCommands.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <utility>

#include "core/app/App.h"
#include "core/enabling/CommandEnabling.h"
#include "core/net/OpenPage.h"
#include "core/subscription/DemoDownload.h"
#include "core/subscription/SubscriptionView.h"
#include "ui/QtText.h"
#include "ui/browse/FileBoxDelegate.h"
#include "ui/main/MainFrame.h"
#include "ui/main/MainMenus.h"
#include "ui/musicset/MusicSetForm.h"
#include "ui/musicset/SetSubscriptionPanel.h"
#include "ui/musicset/SetWindowBusy.h"
#include "ui/subscription/SignInForm.h"

namespace trakvella {

SubscriptionCommands::SubscriptionCommands(QMainWindow* window, App& app, const MainControls& controls,
                                           MainMenus& menus, std::function<void()> refresh)
    : QObject(window),
      window_(window),
      app_(app),
      c_(controls),
      menus_(menus),
      refresh_(std::move(refresh)),
      subscription_(app.subscription()) {
  signInForm_ = new TSignInForm(window);
  setForm_ = window->findChild<TMusicSetForm*>("MusicSetForm");
  if (setForm_) panel_ = setForm_->subscriptionPanel();
  if (subscription_) {
    app_.SetSubscriptionView(this);
    // Downloaded tracks carry their mark in the track list, unless the list marks them already.
    auto* delegate = qobject_cast<FileBoxDelegate*>(c_.FileBox->itemDelegate());
    if (delegate && !delegate->marks.downloaded)
      delegate->marks.downloaded = [sub = subscription_](const std::string& code) {
        return sub->account().HasDownloaded(code);
      };
  }
  ConnectMenus();
  ConnectPanel();
  EnablePodMenu();
  PodPanelUpdate();
}

// --- The "Подписка" menu ---------------------------------------------------------------------

void SubscriptionCommands::ConnectMenus() {
  // The account list opens beside its item, in both menus.
  const std::pair<const char*, QMenu**> lists[] = {{"ShowPodListItem", &accountList_},
                                                   {"MMShowPodListItem", &mmAccountList_}};
  for (const auto& [name, list] : lists) {
    QAction* item = menus_.Item(name);
    if (!item) continue;
    *list = new QMenu(window_);
    (*list)->setObjectName(QString(name).replace("Item", "Menu"));
    item->setMenu(*list);
  }
  for (const char* name : {"PodpItem", "MMPodItem"})
    if (QMenu* menu = menus_.SubMenu(name))
      connect(menu, &QMenu::aboutToShow, this, &SubscriptionCommands::ShowPodMenu);
  if (!subscription_) return;
  connect(menus_.Item("PodQuotaItem"), &QAction::triggered, this, &SubscriptionCommands::PodQuotaItemClick);
  connect(menus_.Item("ShowPodItem"), &QAction::triggered, this, &SubscriptionCommands::ShowPodItemClick);
  connect(menus_.Item("quitpodpiska"), &QAction::triggered, this, &SubscriptionCommands::quitpodpiskaClick);
  connect(menus_.Item("downitem"), &QAction::triggered, this, &SubscriptionCommands::downitemClick);
}

void SubscriptionCommands::EnablePodMenu() { menus_.ApplyEnabling(app_.enabling(), kSubscriptionMenu); }

void SubscriptionCommands::ShowPodMenu() {
  EnablePodMenu();
  PodpMenu state;
  if (subscription_) state = PodpMenuState(subscription_->account(), app_.programFolder());
  const std::pair<const char*, QMenu*> lists[] = {{"ShowPodListItem", accountList_},
                                                  {"MMShowPodListItem", mmAccountList_}};
  for (const auto& [name, list] : lists) {
    if (QAction* item = menus_.Item(name)) item->setVisible(state.accountListVisible);
    if (!list) continue;
    list->clear();
    for (const AccountListEntry& entry : state.accounts) {
      QAction* a = list->addAction(Q(entry.caption));
      a->setToolTip(Q(entry.hint));
      a->setData(Q(entry.hint));
      connect(a, &QAction::triggered, this, [this, name = entry.hint] { SwitchAccountClick(name); });
    }
  }
}

void SubscriptionCommands::PodQuotaItemClick() {
  subscription_->SignIn();
  TracksChanged();
}

void SubscriptionCommands::SwitchAccountClick(const std::string& name) {
  subscription_->SwitchAccount(name);
  TracksChanged();
}

void SubscriptionCommands::quitpodpiskaClick() {
  subscription_->LeaveAccount();
  TracksChanged();
}

void SubscriptionCommands::ShowPodItemClick() {
  ShowDownloadedTracks(*subscription_, app_.browser(), app_.progress(), app_.language());
  refresh_();
}

void SubscriptionCommands::downitemClick() {
  const std::string item =
      DownloadItemAddress(app_.musicSetShown(), app_.musicSet(), app_.browser(), app_.demoBaseUrl());
  if (item.empty()) return;
  subscription_->DownloadItem(item, app_.settings().lastDownloadFolder);
  TracksChanged();
}

SubscriptionCommands::~SubscriptionCommands() { app_.SetSubscriptionView(nullptr); }

void SubscriptionCommands::PodStatusChanged(const std::string& text) {
  if (panel_) panel_->PodStatusLbl->setText(Q(text));
}

std::optional<Credentials> SubscriptionCommands::AskCredentials(const Credentials& current) {
  return signInForm_->AskCredentials(current);
}

void SubscriptionCommands::TracksChanged() {
  c_.FileBox->viewport()->update();
  PodPanelUpdate();
  EnablePodMenu();
}

// --- The music set window's controls ---------------------------------------------------------

void SubscriptionCommands::ConnectPanel() {
  if (!panel_) return;
  connect(panel_, &SetSubscriptionPanel::activated, this, &SubscriptionCommands::PodPanelUpdate);
  // The account is shown there, not edited: the sign-in window edits it.
  for (QLineEdit* edit : {panel_->logEdit, panel_->passEdit}) {
    edit->setReadOnly(true);
    edit->setEnabled(true);
  }
  connect(panel_->PassViewBtn, &QToolButton::clicked, this, &SubscriptionCommands::PassViewBtnClick);
  if (!subscription_) return;
  connect(panel_->SetupPodBtn, &QPushButton::clicked, this, &SubscriptionCommands::SetupPodBtnClick);
  connect(panel_->ftpbut, &QPushButton::clicked, this, &SubscriptionCommands::ftpbutClick);
  connect(panel_->FileDownBut, &QPushButton::clicked, this, &SubscriptionCommands::FileDownButClick);
  connect(panel_->BuyBtn, &QPushButton::clicked, this, &SubscriptionCommands::BuyBtnClick);
}

void SubscriptionCommands::PodPanelUpdate() {
  if (!panel_) return;
  const SubscriptionPanelState state =
      subscription_
          ? SubscriptionPanelOf(subscription_->account(), subscription_->endpoints(), subscription_->podStatus())
          : SubscriptionPanelState{};
  SetSubscriptionPanel& p = *panel_;
  for (QWidget* w :
       std::initializer_list<QWidget*>{p.logEdit, p.passEdit, p.PassViewBtn, p.ftpbut, p.ftplabel, p.PodStatusLbl,
                                       p.findChild<QWidget*>("logEditLabel"), p.findChild<QWidget*>("passEditLabel")})
    if (w) w->setVisible(state.accountControlsVisible);
  p.SetupPodBtn->setVisible(state.setupButtonVisible);
  p.logEdit->setText(Q(state.loginText));
  p.passEdit->setText(Q(state.passwordText));
  p.ftplabel->setText(Q(state.ftpLabel));
  p.PodStatusLbl->setText(Q(state.statusText));
  for (const CommandEnabled& c : app_.enabling().Evaluate(kPodPanel))
    if (QWidget* control = p.findChild<QWidget*>(Q(c.command))) control->setEnabled(c.enabled);
}

void SubscriptionCommands::SetupPodBtnClick() {
  {
    SetWindowBusy busy(setForm_);
    subscription_->SignIn();
  }
  TracksChanged();
}

void SubscriptionCommands::ftpbutClick() {
  const std::vector<std::string> codes = app_.musicSet().Codes();
  if (codes.empty()) return;
  {
    SetWindowBusy busy(setForm_);
    subscription_->DownloadSet(codes, app_.settings().lastDownloadFolder);
  }
  TracksChanged();
}

void SubscriptionCommands::FileDownButClick() {
  const std::vector<std::string> codes = app_.musicSet().Codes();
  if (codes.empty()) return;
  SetWindowBusy busy(setForm_);
  DownloadSetDemos(app_.downloader(), app_.dialogs(), app_.catalogue(), codes, app_.demoBaseUrl(), app_.IsOffline(),
                   app_.settings().lastDownloadFolder, app_.language());
}

void SubscriptionCommands::BuyBtnClick() {
  OpenWebPage(app_.shell(), app_.dialogs(), BuySubscriptionPageUrl(app_.endpoints()), app_.language());
}

void SubscriptionCommands::PassViewBtnClick() {
  QLineEdit* edit = panel_->passEdit;
  edit->setEchoMode(edit->echoMode() == QLineEdit::Normal ? QLineEdit::Password : QLineEdit::Normal);
}

}  // namespace trakvella
