#include "ui/main/MainSearch.h"

#include <QAction>
#include <QFrame>
#include <QListView>
#include <QMainWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/app/App.h"
#include "core/browse/Browser.h"
#include "core/search/Search.h"
#include "ui/main/MainMenus.h"
#include "ui/search/SearchPanel.h"

namespace trakvella {

MainSearch::MainSearch(QMainWindow* window, App& app, const MainControls& controls, MainMenus& menus,
                       std::function<void()> refresh)
    : QObject(window), app_(app), c_(controls), refresh_(std::move(refresh)) {
  // The panel scrolls rather than squeeze its controls when the list leaves it
  // less room than it needs (a large desktop font, say).
  scroller_ = new QScrollArea(c_.SearchPanel);
  scroller_->setObjectName("SearchPanelScroller");
  scroller_->setFrameShape(QFrame::NoFrame);
  scroller_->setWidgetResizable(true);
  // Sideways too, where the list is narrower than the panel (twice the scale).
  scroller_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  panel_ = new TSearchPanel(scroller_, app_.catalogue(), app.language(), clock_);
  scroller_->setWidget(panel_);
  auto* layout = new QVBoxLayout(c_.SearchPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroller_);
  connect(panel_, &TSearchPanel::searchRequested, this, &MainSearch::SButClick);
  c_.SearchBut->setEnabled(true);
  connect(c_.SearchBut, &QToolButton::clicked, this, &MainSearch::Search1Click);
  QAction* item = menus.Item("MMSearchItem");
  item->setEnabled(true);
  connect(item, &QAction::triggered, c_.SearchBut, &QToolButton::click);  // and F3, the item's key
  c_.PanelShape->setFrameShape(QFrame::Box);
  c_.DotShape->setFrameShape(QFrame::HLine);
}

void MainSearch::Search1Click() {
  Browser& browser = app_.browser();
  if (browser.resultMode() && browser.searchPanelShown()) {
    browser.LeaveResultMode();
    if (browser.rowCount() == 0) browser.Home();
    refresh_();
    return;
  }
  if (browser.hooks.stopPlayback) browser.hooks.stopPlayback();
  EnterSearchMode();
}

void MainSearch::EnterSearchMode() {
  app_.browser().EnterSearchMode();
  panel_->InitSearchPanel();
  refresh_();
}

void MainSearch::SButClick() {
  SearchCriteria criteria = panel_->Criteria();
  // The lists empty as the search begins; while it runs the track list stands
  // in the button-face colour and is not redrawn, then it is drawn once in its
  // own colour with the result.
  app_.browser().EnterResultMode();
  refresh_();
  QWidget* rows = c_.FileBox->viewport();
  rows->setBackgroundRole(QPalette::Button);
  rows->repaint();
  c_.FileBox->setUpdatesEnabled(false);
  RunSearch(app_.browser(), app_.catalogue(), criteria, app_.progress(), app_.language());
  c_.FileBox->setUpdatesEnabled(true);
  rows->setBackgroundRole(QPalette::Base);
  panel_->SetCriteria(criteria);  // the BPM bounds as corrected by the search
  refresh_();
}

void MainSearch::LayOut() {
  const QRect list = c_.CDCatBox->geometry();
  const QSize needs = panel_->minimumSizeHint();
  const int sideways = needs.width() > list.width() ? scroller_->horizontalScrollBar()->sizeHint().height() : 0;
  const int height = std::min(needs.height() + sideways, list.height());
  const int top = std::max(list.top(), list.top() + (list.height() - height) / 2);
  c_.SearchPanel->setGeometry(list.left(), top, list.width(), height);
  c_.PanelShape->setGeometry(list);
  const bool shown = app_.browser().searchPanelShown();
  c_.SearchPanel->setVisible(shown);
  c_.PanelShape->setVisible(shown && height < list.height());
  c_.DotShape->setGeometry(list.left() + 8, top + height + 25, list.width() - 16, 2);
  c_.DotShape->setVisible(shown && list.height() - height > 50);
  if (shown) {
    c_.PanelShape->lower();
    c_.SearchPanel->raise();
  }
}

void MainSearch::LanguageChanged() {
  panel_->LanguageChanged();
  if (app_.browser().searchPanelShown()) EnterSearchMode();
}

}  // namespace trakvella
