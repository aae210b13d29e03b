#include "ui/main/CollectionCommands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QToolButton>

#include "core/app/App.h"
#include "core/browse/Collections.h"
#include "core/enabling/CommandEnabling.h"
#include "core/lang/MessageTable.h"
#include "core/likeness/Likeness.h"
#include "core/settings/ServerConfig.h"
#include "ports/Shell.h"
#include "ui/QtText.h"
#include "ui/main/MainMenus.h"

namespace trakvella {

CollectionCommands::CollectionCommands(QMainWindow* window, App& app, const MainControls& controls, MainMenus& menus,
                                       std::function<void()> refresh, std::function<void()> searchButton)
    : QObject(window),
      app_(app),
      c_(controls),
      menus_(menus),
      refresh_(std::move(refresh)),
      searchButton_(std::move(searchButton)) {
  ConnectTrackCollections();
  ConnectCdCollections();
}

void CollectionCommands::ConnectTrackCollections() {
  auto related = [this](Relation relation) {
    if (ListRelatedTracks(app_.browser(), app_.catalogue(), relation, app_.progress(), app_.language())) refresh_();
  };
  connect(menus_.Item("mTempItem"), &QAction::triggered, this, [related] { related(Relation::Tempo); });
  connect(menus_.Item("mKeyItem"), &QAction::triggered, this, [related] { related(Relation::Key); });
  connect(menus_.Item("mTempKeyItem"), &QAction::triggered, this, [related] { related(Relation::TempoAndKey); });
  connect(menus_.Item("mHarmonicItem"), &QAction::triggered, this, [related] { related(Relation::Harmonic); });
  connect(menus_.Item("SimilarTracksItem"), &QAction::triggered, this, [this] {
    if (ListSimilarTracks(app_.browser(), app_.catalogue(), app_.likeness(), app_.progress(), app_.language()))
      refresh_();
  });
  // Opening the submenu shows the selected track's tempo and key in the captions.
  for (const char* menu : {"TrackShowItem", "MMTrackShowItem"})
    connect(menus_.SubMenu(menu), &QMenu::aboutToShow, this, [this] {
      if (!menus_.Item("mTempItem")->isEnabled()) return;
      const TrackRecord* track = app_.browser().SelectedTrack();
      const QString tempo = Q(TempoItemCaption(S(menus_.Item("mTempItem")->text()), track));
      const QString key = Q(KeyItemCaption(S(menus_.Item("mKeyItem")->text()), track));
      const QString harmonic = Q(HarmonicItemCaption(S(menus_.Item("mHarmonicItem")->text()), track));
      for (const char* name : {"mTempItem", "MMmTempItem"}) menus_.Item(name)->setText(tempo);
      for (const char* name : {"mKeyItem", "MMmKeyItem"}) menus_.Item(name)->setText(key);
      for (const char* name : {"mHarmonicItem", "MMmHarmonicItem"}) menus_.Item(name)->setText(harmonic);
    });

  auto titleSearch = [this] {
    auto word = app_.dialogs().Input(LangMessage(app_.language(), Msg::Searching),
                                     LangMessage(app_.language(), Msg::EnterSearchWord), "");
    if (word && SearchTitles(app_.browser(), app_.catalogue(), *word, app_.progress(), app_.language())) refresh_();
  };
  menus_.Item("SearchTitleItem")->setEnabled(true);
  connect(menus_.Item("SearchTitleItem"), &QAction::triggered, this, titleSearch);
  c_.SearchNameBut->setEnabled(true);
  connect(c_.SearchNameBut, &QToolButton::clicked, this, titleSearch);

  menus_.Item("ShowLocalItem")->setEnabled(true);
  connect(menus_.Item("ShowLocalItem"), &QAction::triggered, this, [this] {
    ShowLocalTracks(app_.browser(), app_.catalogue(), app_.progress(), app_.language());
    refresh_();
  });
  menus_.Item("luckyItem")->setEnabled(true);
  connect(menus_.Item("luckyItem"), &QAction::triggered, this, [this] {
    LuckyPick(app_.browser(), app_.catalogue(), app_.random(), app_.progress(), app_.language());
    refresh_();
  });
  connect(menus_.Item("Top100Item"), &QAction::triggered, this, [this] {
    ShowTop100(app_.browser());
    refresh_();
  });
  connect(menus_.Item("MMGotoTrackURLitem"), &QAction::triggered, this, [this] {
    // A page the browser cannot open is the desktop's to report.
    if (const TrackRecord* t = app_.browser().SelectedTrack())
      (void)app_.shell().OpenUrl(CdPageUrl(app_.endpoints(), t->code));
  });
}

void CollectionCommands::ConnectCdCollections() {
  connect(menus_.Item("ShowAllSimCDItem"), &QAction::triggered, this, [this] {
    if (ShowSimilarCds(app_.browser(), app_.catalogue())) refresh_();
  });
  menus_.Item("ShowAllCDsItem")->setEnabled(true);
  connect(menus_.Item("ShowAllCDsItem"), &QAction::triggered, this, [this] {
    // In result mode the search button's action comes first.
    if (app_.browser().resultMode()) searchButton_();
    ShowAllCds(app_.browser());
    refresh_();
  });
  connect(menus_.Item("gotocdurl"), &QAction::triggered, this, [this] {
    const Browser& browser = app_.browser();
    const int row = browser.selectedBoxRow();
    const auto& rows = browser.boxRows();
    if (row >= 0 && row < static_cast<int>(rows.size()) && rows[row].isCd)
      (void)app_.shell().OpenUrl(CdPageUrl(app_.endpoints(), app_.catalogue().Cd(rows[row].cdPosition).cdCode));
  });
  // The CD menus: similar CDs and the information only for a selected CD row,
  // its web page only online as well.
  for (QMenu* menu : {menus_.cdMenu(), menus_.SubMenu("MMCDItem")})
    connect(menu, &QMenu::aboutToShow, this, [this] { menus_.ApplyEnabling(app_.enabling(), kCdMenus); });
  menus_.ApplyEnabling(app_.enabling(), kCdMenus);
}

}  // namespace trakvella
