#include "ui/main/MusicSetCommands.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QToolButton>

#include "core/app/App.h"
#include "core/enabling/CommandEnabling.h"
#include "core/musicset/MusicSetView.h"
#include "ui/QtText.h"
#include "ui/browse/FileBoxDelegate.h"
#include "ui/main/MainFrame.h"
#include "ui/main/MainMenus.h"
#include "ui/maintenance/RepForm.h"
#include "ui/maintenance/ScanForm.h"
#include "ui/musicset/CodeForm.h"
#include "ui/musicset/MusicSetForm.h"
#include "ui/musicset/TrackInfoForm.h"

namespace trakvella {

MusicSetCommands::MusicSetCommands(QMainWindow* window, App& app, const MainControls& controls, MainMenus& menus)
    : QObject(window), app_(app), c_(controls), menus_(menus) {
  MusicSet& set = app_.musicSet();
  // The windows belong to the main window, not to one another, so each keeps its own names.
  const Language& language = app_.language();
  trackInfoForm_ = new TTrackInfoForm(
      {app_.catalogue(), set, app_.comments(), app_.clipboard(), app_.subscription(), language}, window);
  codeForm_ = new TCodeForm(app_.catalogue(), set, app_.dialogs(), language, window);
  MusicSetFormHooks hooks;
  hooks.developerMenuShown = [this] { return DeveloperMenuShown(); };
  hooks.showTrackInfo = [this](const std::string& code) { trackInfoForm_->ShowFor(code); };
  hooks.addByCode = [this] { codeForm_->ShowModal(); };
  // The project folder scan and the usage report: windows of the main window's own.
  hooks.collect = [window] {
    if (auto* scan = window->findChild<TScanForm*>()) scan->Open();
  };
  hooks.report = [window] {
    if (auto* report = window->findChild<TRepForm*>()) report->Open();
  };
  MusicSetWindowParts parts{set,
                            app_.player(),
                            app_.browser(),
                            app_.dialogs(),
                            app_.clipboard(),
                            app_.progress(),
                            language,
                            [&app = app_] { return app.demoBaseUrl(); },
                            [&app = app_](bool shown) { app.SetMusicSetShown(shown); }};
  musicSetForm_ = new TMusicSetForm(std::move(parts), std::move(hooks), window);
  trackInfoForm_->commentsChanged = [this] { c_.FileBox->viewport()->update(); };

  app_.SetMusicSetView(this);
  // Tracks of the set carry its mark in the track list.
  if (auto* delegate = qobject_cast<FileBoxDelegate*>(c_.FileBox->itemDelegate()))
    delegate->marks.inMusicSet = [&set, &catalogue = app_.catalogue()](int cd, int track) {
      return set.Contains(catalogue.Track(cd, track).code);
    };

  // The commands; the track menu's rows in the enabling table decide which are enabled.
  connect(menus_.Item("Copy1"), &QAction::triggered, this, &MusicSetCommands::MemCopyButClick);
  connect(menus_.Item("copyAll"), &QAction::triggered, this, &MusicSetCommands::copyAllClick);
  connect(menus_.Item("TrackInfoItem"), &QAction::triggered, this, &MusicSetCommands::TrInfoButClick);
  connect(c_.MemCopyBut, &QToolButton::clicked, this, &MusicSetCommands::MemCopyButClick);
  connect(c_.TrInfoBut, &QToolButton::clicked, this, &MusicSetCommands::TrInfoButClick);
  for (QAction* item : {menus_.Item("MemoryOperations1"), menus_.Item("MMmemItem")}) {
    item->setEnabled(true);
    connect(item, &QAction::triggered, this, &MusicSetCommands::MemOperButClick);
  }
  c_.MemOperBut->setEnabled(true);
  connect(c_.MemOperBut, &QToolButton::clicked, this, &MusicSetCommands::MemOperButClick);
  menus_.SyncTwins();

  // MemCopyBut and TrInfoBut follow the track list's selection.
  connect(c_.FileBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &MusicSetCommands::ApplyToolButtons);
  connect(c_.FileBox->model(), &QAbstractItemModel::modelReset, this, &MusicSetCommands::ApplyToolButtons);
  ApplyToolButtons();
  SetChanged();
}

MusicSetCommands::~MusicSetCommands() { app_.SetMusicSetView(nullptr); }

bool MusicSetCommands::DeveloperMenuShown() const {
  QMenu* developer = menus_.developerMenu();
  return developer && developer->menuAction()->isVisible();
}

void MusicSetCommands::ApplyToolButtons() {
  for (const CommandEnabled& c : app_.enabling().Evaluate(kTrackRowButtons)) {
    if (c.command == "MemCopyBut") c_.MemCopyBut->setEnabled(c.enabled);
    if (c.command == "TrInfoBut") c_.TrInfoBut->setEnabled(c.enabled);
  }
}

void MusicSetCommands::SetChanged() {
  c_.memCountLbl->setText(Q(MemCountText(app_.musicSet())));
  c_.FileBox->viewport()->update();
  musicSetForm_->SetChanged();
}

void MusicSetCommands::MemCopyButClick() {
  const Browser& browser = app_.browser();
  app_.musicSet().AddFromMainList(browser.rows(), browser.selectedRow(), browser.currentPath());
}

void MusicSetCommands::copyAllClick() {
  const Browser& browser = app_.browser();
  app_.musicSet().AddAll(browser.rows(), browser.currentPath(), app_.progress());
}

void MusicSetCommands::MemOperButClick() {
  if (auto* delegate = qobject_cast<FileBoxDelegate*>(c_.FileBox->itemDelegate()))
    musicSetForm_->SetItemHeight(delegate->itemHeight());
  musicSetForm_->ShowModal();
}

void MusicSetCommands::TrInfoButClick() {
  if (const TrackRecord* track = app_.browser().SelectedTrack()) trackInfoForm_->ShowFor(track->code);
}

}  // namespace trakvella
