#include "ui/main/DocumentCommands.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QItemSelectionModel>
#include <QListView>
#include <QMenu>
#include <QToolButton>
#include <optional>
#include <utility>

#include "core/app/App.h"
#include "core/browse/Browser.h"
#include "core/documents/LicenceDocuments.h"
#include "core/enabling/CommandEnabling.h"
#include "core/subscription/Subscription.h"
#include "ui/documents/DocForm.h"
#include "ui/main/MainFrame.h"
#include "ui/main/MainMenus.h"

namespace trakvella {

DocumentCommands::DocumentCommands(QWidget* window, App& app, MainMenus& menus, const MainControls& controls)
    : QObject(window), app_(app), menus_(menus), c_(controls) {
  docForm_ = new TDocForm(
      {app.resources(), app.catalogue(), app.musicSet(), app.dialogs(), app.subscription(), app.language()}, window);

  connect(menus_.Item("PodDocItem"), &QAction::triggered, this, &DocumentCommands::PodDocItemClick);
  // The subscription menus enable the documents while an account is signed in.
  for (const char* name : {"PodpItem", "MMPodItem"})
    if (QMenu* menu = menus_.SubMenu(name))
      connect(menu, &QMenu::aboutToShow, this, [this] { menus_.ApplyEnabling(app_.enabling(), kSubscriptionMenu); });
  menus_.ApplyEnabling(app_.enabling(), kSubscriptionMenu);

  connect(menus_.Item("PassportItem"), &QAction::triggered, this, &DocumentCommands::PassportItemClick);
  connect(c_.TrPassportBut, &QToolButton::clicked, this, &DocumentCommands::PassportItemClick);
  // The passport button follows the selected row of the track list.
  connect(c_.FileBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &DocumentCommands::ShowTrackRowButtons);
  connect(c_.FileBox->model(), &QAbstractItemModel::modelReset, this, &DocumentCommands::ShowTrackRowButtons);
  ShowTrackRowButtons();
}

void DocumentCommands::ShowTrackRowButtons() {
  for (const CommandEnabled& c : app_.enabling().Evaluate(kTrackRowButtons))
    if (c.command == "TrPassportBut") c_.TrPassportBut->setEnabled(c.enabled);
}

void DocumentCommands::PodDocItemClick() {
  // Signing in first needs the sign-in window; without one only a signed-in account opens the window.
  Subscription* subscription = app_.subscription();
  const bool signedIn = subscription ? subscription->SignedInForDocuments()
                                     : MayOpenDocuments(false, {}, app_.dialogs(), app_.language());
  if (signedIn) docForm_->exec();
}

void DocumentCommands::PassportItemClick() {
  const Browser& browser = app_.browser();
  std::optional<TrackRef> selected;
  const int row = browser.selectedRow();
  if (row >= 0 && row < static_cast<int>(browser.rows().size())) selected = browser.rows()[row];
  SaveTrackPassport(selected, docForm_->Context(), app_.shell());
}

}  // namespace trakvella
