// The main window's track collections: related tracks, title search, local
// tracks, the lucky pick, Top 100, similar and all CDs, and the CD and track
// pages on the web site, with the enabling of their menus.
#include <QApplication>

#include "core/lang/MessageTable.h"
#include "ui/main/MainForm.h"
#include "core/browse/Collections.h"
#include "ui/search/SearchPanel.h"

namespace trakvella {

void TMainForm::ConnectCollectionCommands() {
  auto after = [this] { Refresh(); };
  auto related = [this, after](Relation relation) {
    if (ListRelatedTracks(*browser_, catalogue_, relation, *progress_, language_)) after();
  };
  connect(Item("mTempItem"), &QAction::triggered, this, [related] { related(Relation::Tempo); });
  connect(Item("mKeyItem"), &QAction::triggered, this, [related] { related(Relation::Key); });
  connect(Item("mTempKeyItem"), &QAction::triggered, this, [related] { related(Relation::TempoAndKey); });
  // Opening the submenu shows the selected track's tempo and key in the captions.
  for (const char* menu : {"TrackShowItem", "MMTrackShowItem"})
    connect(SubMenu(menu), &QMenu::aboutToShow, this, [this] {
      if (!Item("mTempItem")->isEnabled()) return;
      const TrackRecord* track = browser_->SelectedTrack();
      const QString tempo = QString::fromStdString(TempoItemCaption(Item("mTempItem")->text().toStdString(), track));
      const QString key = QString::fromStdString(KeyItemCaption(Item("mKeyItem")->text().toStdString(), track));
      for (const char* name : {"mTempItem", "MMmTempItem"}) Item(name)->setText(tempo);
      for (const char* name : {"mKeyItem", "MMmKeyItem"}) Item(name)->setText(key);
    });

  auto titleSearch = [this, after] {
    auto word = dialogs_->Input(LangMessage(language_, Msg::Searching), LangMessage(language_, Msg::EnterSearchWord), "");
    if (word && SearchTitles(*browser_, catalogue_, *word, *progress_, language_)) after();
  };
  Item("SearchTitleItem")->setEnabled(true);
  connect(Item("SearchTitleItem"), &QAction::triggered, this, titleSearch);
  SearchNameBut->setEnabled(true);
  connect(SearchNameBut, &QToolButton::clicked, this, titleSearch);

  Item("ShowLocalItem")->setEnabled(true);
  connect(Item("ShowLocalItem"), &QAction::triggered, this, [this, after] {
    ShowLocalTracks(*browser_, catalogue_, *progress_, language_);
    after();
  });
  Item("luckyItem")->setEnabled(true);
  connect(Item("luckyItem"), &QAction::triggered, this, [this, after] {
    LuckyPick(*browser_, catalogue_, *random_, *progress_, language_);
    after();
  });
  connect(Item("Top100Item"), &QAction::triggered, this, [this, after] {
    ShowTop100(*browser_, *progress_, language_);
    after();
  });
  connect(Item("ShowAllSimCDItem"), &QAction::triggered, this, [this, after] {
    if (ShowSimilarCds(*browser_, catalogue_)) after();
  });
  Item("ShowAllCDsItem")->setEnabled(true);
  connect(Item("ShowAllCDsItem"), &QAction::triggered, this, [this, after] {
    // In result mode the search button's action comes first.
    if (browser_->resultMode()) Search1Click();
    ShowAllCds(*browser_);
    after();
  });
  connect(Item("gotocdurl"), &QAction::triggered, this, [this] {
    const int row = browser_->selectedBoxRow();
    const auto& rows = browser_->boxRows();
    if (row >= 0 && row < static_cast<int>(rows.size()) && rows[row].isCd)
      shell_->OpenUrl(CdPageUrl(endpoints_, catalogue_.cds[rows[row].cdPosition].cdCode));
  });
  connect(Item("MMGotoTrackURLitem"), &QAction::triggered, this, [this] {
    if (const TrackRecord* t = browser_->SelectedTrack()) shell_->OpenUrl(CdPageUrl(endpoints_, t->code));
  });
  for (QMenu* menu : {SimilarCDMenu, SubMenu("MMCDItem")})
    connect(menu, &QMenu::aboutToShow, this, &TMainForm::SimilarCDMenuPopup);
  SimilarCDMenuPopup();
}

// The CD menus: similar CDs and the information only for a selected CD row, its
// web page only online as well.
void TMainForm::SimilarCDMenuPopup() {
  const int row = browser_->selectedBoxRow();
  const auto& rows = browser_->boxRows();
  const bool cd = row >= 0 && row < static_cast<int>(rows.size()) && rows[row].isCd && CDCatBox->isVisible();
  Item("ShowAllSimCDItem")->setEnabled(cd);
  Item("InfoItem")->setEnabled(cd);
  Item("gotocdurl")->setEnabled(cd && !IsOffline());
}

}  // namespace trakvella
