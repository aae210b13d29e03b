// The main window's two lists: the category/CD box and the track list drawn
// from the Browser, their menus (display options, sort orders, favourites, the
// category pop-up) and the track commands that copy or reveal a track.
#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "core/lang/MessageTable.h"
#include "ui/main/MainForm.h"
#include "ui/browse/TrackLists.h"
#include "core/catalogue/TrackCodes.h"
#include "ui/maintenance/InfoForm.h"
#include "ui/maintenance/OrgForm.h"
#include "core/player/Player.h"
#include "core/search/Search.h"
#include "ui/search/SearchPanel.h"

namespace trakvella {

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }

const std::pair<const char*, SortKind> kSortItems[] = {{"SortOrdItem", SortKind::Order},
                                                       {"SortPopularItem", SortKind::Popular},
                                                       {"SortLenItem", SortKind::Length},
                                                       {"SortTempoItem", SortKind::Tempo}};
}  // namespace

void TMainForm::CreateLists() {
  PrepareOwnerDrawnList(CDCatBox);
  PrepareOwnerDrawnList(FileBox);
  auto language = [this] { return language_; };
  categoryModel_ = new CategoryListModel(*browser_, catalogue_, language, this);
  trackModel_ = new TrackListModel(*browser_, catalogue_, this);
  categoryDelegate_ = new CDCatBoxDelegate(*browser_, catalogue_, language, this);
  fileDelegate_ = new FileBoxDelegate(*browser_, catalogue_, language, this);
  // The music set, the subscription's downloads and the comments mark rows once they exist.
  CDCatBox->setModel(categoryModel_);
  CDCatBox->setItemDelegate(categoryDelegate_);
  FileBox->setModel(trackModel_);
  FileBox->setItemDelegate(fileDelegate_);
  CDCatBox->viewport()->installEventFilter(this);
  FileBox->viewport()->installEventFilter(this);
  SetItemHeight(itemHeight_);

  SortButDn->setPixmap(SortArrowPixmap(false));
  SortButUp->setPixmap(SortArrowPixmap(true));
  SortButDn->installEventFilter(this);
  SortButUp->installEventFilter(this);
  SortInfoLbl->installEventFilter(this);

  orgForm_ = new TOrgForm(this);
  infoForm_ = new TInfoForm(this);
  infoForm_->onKey = [this](QKeyEvent* key) { QApplication::sendEvent(this, key); };

  CreateSearchPanel();
  browser_->hooks.showCdInfo = [this](int row) { ShowCdInfo(row); };
  browser_->hooks.searchPanelVisible = [this] { return SearchPanel->isVisible(); };
}

void TMainForm::CreateSearchPanel() {
  searchPanel_ = new TSearchPanel(SearchPanel, catalogue_, [this] { return language_; }, clock_);
  auto* layout = new QVBoxLayout(SearchPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(searchPanel_);
  connect(searchPanel_, &TSearchPanel::searchRequested, this, &TMainForm::SButClick);
  SearchBut->setEnabled(true);
  connect(SearchBut, &QToolButton::clicked, this, &TMainForm::Search1Click);
  Item("MMSearchItem")->setEnabled(true);
  connect(Item("MMSearchItem"), &QAction::triggered, SearchBut, &QToolButton::click);
  auto* f3 = new QAction(this);
  f3->setObjectName("SearchKey");
  f3->setShortcut(QKeySequence(Qt::Key_F3));
  addAction(f3);
  connect(f3, &QAction::triggered, SearchBut, &QToolButton::click);
  PanelShape->setFrameShape(QFrame::Box);
  DotShape->setFrameShape(QFrame::HLine);
}

void TMainForm::Search1Click() {
  if (browser_->resultMode() && browser_->searchPanelShown) {
    browser_->LeaveResultMode();
    if (browser_->rowCount() == 0) browser_->Home();
    Refresh();
    return;
  }
  if (browser_->hooks.stopPlayback) browser_->hooks.stopPlayback();
  EnterSearchMode();
}

void TMainForm::EnterSearchMode() {
  browser_->EnterSearchMode();
  searchPanel_->InitSearchPanel();
  Refresh();
}

void TMainForm::SButClick() {
  SearchCriteria criteria = searchPanel_->Criteria();
  FileBox->setUpdatesEnabled(false);
  RunSearch(*browser_, catalogue_, criteria, *progress_, language_);
  FileBox->setUpdatesEnabled(true);
  searchPanel_->SetCriteria(criteria);  // the BPM bounds as corrected by the search
  Refresh();
}

// The panel is centred over the category list but never above its top; the frame
// covers the list when the panel is shorter, and the dotted line shows when more
// than 50 pixels of the list stay free.
void TMainForm::LayoutSearchPanel() {
  const QRect list = CDCatBox->geometry();
  const int height = std::min(searchPanel_->sizeHint().height(), list.height());
  const int top = std::max(list.top(), list.top() + (list.height() - height) / 2);
  SearchPanel->setGeometry(list.left(), top, list.width(), height);
  PanelShape->setGeometry(list);
  const bool shown = browser_->searchPanelShown;
  SearchPanel->setVisible(shown);
  PanelShape->setVisible(shown && height < list.height());
  DotShape->setGeometry(list.left() + 8, top + height + 25, list.width() - 16, 2);
  DotShape->setVisible(shown && list.height() - height > 50);
  if (shown) {
    PanelShape->lower();
    SearchPanel->raise();
  }
}

void TMainForm::SetItemHeight(int height) {
  itemHeight_ = height;
  if (fileDelegate_) fileDelegate_->setItemHeight(height);
  if (categoryDelegate_) categoryDelegate_->setItemHeight(height);
  CDCatBox->doItemsLayout();
  FileBox->doItemsLayout();
}

void TMainForm::ConnectListCommands() {
  // The category/CD box: a click opens CD rows, a double click any row.
  connect(CDCatBox, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) { CDCatBoxClick(i.row()); });
  connect(CDCatBox, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& i) { CDCatBoxDblClick(i.row()); });
  connect(CDCatBox, &QAbstractItemView::activated, this, [this](const QModelIndex& i) {
    if (QApplication::keyboardModifiers() == Qt::NoModifier && CDCatBox->hasFocus() &&
        QApplication::mouseButtons() == Qt::NoButton)
      CDCatBoxDblClick(i.row());
  });
  connect(CDCatBox, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { SimilarCDMenu->popup(CDCatBox->viewport()->mapToGlobal(at)); });
  connect(FileBox, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { TrPopupMenu->popup(FileBox->viewport()->mapToGlobal(at)); });
  connect(FileBox->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& i) {
    if (refreshing_) return;
    browser_->SelectRow(i.isValid() ? i.row() : -1);
    FileBoxItemIndexChange();
    ShowTrackStatus();
  });

  // Navigation buttons and the tag box.
  for (QToolButton* b : {HomeBtn, BackBtn, ForwardBtn, KeyBut}) b->setEnabled(true);
  KeyBox->setEnabled(true);
  auto home = [this] {
    browser_->Home();
    Refresh();
  };
  connect(HomeBtn, &QToolButton::clicked, this, home);
  connect(BackBtn, &QToolButton::clicked, this, [this] {
    browser_->Back();
    Refresh();
  });
  connect(ForwardBtn, &QToolButton::clicked, this, [this] {
    browser_->Forward();
    Refresh();
  });
  Item("GoRootItem")->setEnabled(true);
  connect(Item("GoRootItem"), &QAction::triggered, this, home);
  auto keyBut = [this] {
    browser_->tagText = KeyBox->currentText().toStdString();
    browser_->KeyButClick();
    Refresh();
  };
  connect(KeyBut, &QToolButton::clicked, this, keyBut);
  connect(KeyBox->lineEdit(), &QLineEdit::returnPressed, this, keyBut);

  // Display options: the pop-up item is the master, its twin follows.
  const std::pair<const char*, bool DisplayOptions::*> options[] = {
      {"showtime", &DisplayOptions::showTime},         {"showcomposer", &DisplayOptions::showComposer},
      {"showartist", &DisplayOptions::showArtist},     {"showstyle", &DisplayOptions::showStyle}};
  for (auto [name, field] : options) {
    QAction* item = Item(name);
    item->setEnabled(true);
    connect(item, &QAction::triggered, this, [this, item, field = field] {
      browser_->options.*field = item->isChecked();
      FileBox->viewport()->update();
    });
  }
  for (const char* name : {"showname", "showcode"}) {
    QAction* item = Item(name);
    item->setEnabled(true);
    connect(item, &QAction::triggered, this, [this, name = QString(name), item] {
      if (name == "showname")
        browser_->SetShowName(item->isChecked());
      else
        browser_->SetShowCode(item->isChecked());
      Item("showname")->setChecked(browser_->options.showName);
      Item("showcode")->setChecked(browser_->options.showCode);
      FileBox->viewport()->update();
    });
  }

  // Sort orders: the track menu is the master, the main menu and the small sort
  // menu mirror it.
  for (auto [name, kind] : kSortItems) {
    QAction* item = Item(name);
    item->setEnabled(true);
    connect(item, &QAction::triggered, this, [this, item] { SortOrdItemClick(item); });
    QAction* small = Item(QString(name) + "2");
    small->setEnabled(true);
    connect(small, &QAction::triggered, this, [this, item] { SortOrdItemClick(item); });
  }
  Item("ReverseSortItem")->setEnabled(true);
  connect(Item("ReverseSortItem"), &QAction::triggered, this, [this] {
    Item("ReverseSortItem")->setChecked(!Item("ReverseSortItem")->isChecked());  // flipped once, below
    SortOrdItemClick(Item("ReverseSortItem"));
  });
  Item("ReverseSortItem2")->setEnabled(true);
  connect(Item("ReverseSortItem2"), &QAction::triggered, this, [this] { SortOrdItemClick(Item("ReverseSortItem")); });
  connect(SortPopUpMenu, &QMenu::aboutToShow, this, [this] {
    for (const char* name : {"SortOrdItem", "SortPopularItem", "SortLenItem", "SortTempoItem", "ReverseSortItem"})
      Item(QString(name) + "2")->setChecked(Item(name)->isChecked());
  });

  // The category pop-up.
  Item("SortNewItem")->setEnabled(true);
  connect(Item("SortNewItem"), &QAction::triggered, this,
          [this] { browser_->newFirst = Item("SortNewItem")->isChecked(); });
  Item("AlwaysInfo")->setEnabled(true);
  connect(Item("AlwaysInfo"), &QAction::triggered, this,
          [this] { browser_->alwaysInfo = Item("AlwaysInfo")->isChecked(); });
  Item("InfoItem")->setEnabled(true);
  connect(Item("InfoItem"), &QAction::triggered, this, [this] { ShowCdInfo(browser_->selectedBoxRow()); });
  connect(Item("AllowOpenCD"), &QAction::triggered, this,
          [this] { browser_->allowOpenCd = Item("AllowOpenCD")->isChecked(); });

  // Favourites.
  Item("Addtofavorites")->setEnabled(true);
  connect(Item("Addtofavorites"), &QAction::triggered, this, [this] {
    browser_->AddtofavoritesClick();
    RebuildFavouritesMenu();
  });
  connect(Item("OrgFavorites"), &QAction::triggered, this, &TMainForm::OrgFavoritesClick);
  connect(FavMenu, &QMenu::aboutToShow, this, [this] {
    Item("Addtofavorites")->setEnabled(browser_->addFavouriteEnabled());
    Item("OrgFavorites")->setEnabled(browser_->organiseFavouritesEnabled());
  });
  FAvBut->setEnabled(true);

  // Track commands.
  connect(Item("CopyNameItem"), &QAction::triggered, this,
          [this] { BufferToClipboard(*clipboard_, browser_->ComposeTrackName()); });
  connect(Item("CopyFName"), &QAction::triggered, this, [this] {
    if (const TrackRecord* t = browser_->SelectedTrack())
      BufferToClipboard(*clipboard_, TrackPathOrUrl(t->location, demoBaseUrl_));
  });
  connect(Item("Gotofilefolder1"), &QAction::triggered, this, [this] {
    const TrackRecord* t = browser_->SelectedTrack();
    if (browser_->rowCount() == 0 || !t) return;
    if (IsDemoName(t->location))
      shell_->OpenUrl(CdPageUrl(endpoints_, t->code));
    else
      shell_->RevealFile(t->location);
  });
  for (QMenu* menu : {TrPopupMenu, SubMenu("MMTrackItem"), SubMenu("MMServItem")})
    connect(menu, &QMenu::aboutToShow, this, &TMainForm::UpdateTrackMenus);
  UpdateTrackMenus();
}

// The track commands built so far need rows in the track list.
void TMainForm::UpdateTrackMenus() {
  const bool rows = browser_->rowCount() > 0;
  for (const char* name : {"Gotofilefolder1", "CopyNameItem", "CopyFName", "mTempItem", "mKeyItem", "mTempKeyItem",
                           "MMGotoTrackURLitem"})
    Item(name)->setEnabled(rows);
  Item("Top100Item")->setEnabled(!browser_->topList.empty() && !IsOffline());
  // The demo servers and demo downloads mean nothing offline.
  for (const char* name : {"SrvItem", "MMSrvItem"}) SubMenu(name)->setEnabled(!IsOffline());
  Item("demodownitem")->setEnabled(rows && !IsOffline());
}

void TMainForm::Refresh() {
  refreshing_ = true;
  categoryModel_->Reset();
  trackModel_->Reset();
  const int box = browser_->selectedBoxRow();
  CDCatBox->setCurrentIndex(box >= 0 ? categoryModel_->index(box) : QModelIndex());
  CDCatBox->setEnabled(browser_->boxEnabled);
  CDCatBox->setVisible(browser_->boxVisible);
  LayoutSearchPanel();
  const int row = browser_->selectedRow();
  FileBox->setCurrentIndex(row >= 0 ? trackModel_->index(row) : QModelIndex());
  if (row >= 0) FileBox->scrollTo(trackModel_->index(row));
  // The caption label shows "&&" as "&".
  CDCatInfo->setText(Q(browser_->caption()).replace("&&", "&"));
  BackBtn->setEnabled(browser_->backEnabled());
  ForwardBtn->setEnabled(browser_->forwardEnabled());
  SearchBut->setChecked(browser_->searchButtonDown);
  // The tag box.
  QStringList tags;
  for (const auto& t : browser_->tagItems()) tags << Q(t);
  if (KeyBox->count() != tags.size() || (tags.size() && KeyBox->itemText(0) != tags.front())) {
    KeyBox->clear();
    KeyBox->addItems(tags);
  }
  KeyBox->setEditText(Q(browser_->tagText));
  refreshing_ = false;
  FileBoxItemIndexChange();
  ShowTrackStatus();
  for (int i = 0; i < 5; ++i) SetStatusField(i, Q(browser_->statusFields()[i]));
  UpdateTrackMenus();
}

void TMainForm::ShowTrackStatus() {
  if (browser_->selectedRow() < 0) return;
  std::string folder = options_.programFolder.string();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  browser_->ShowTrackStatus(demoBaseUrl_, folder);
  for (int i = 1; i < 5; ++i) SetStatusField(i, Q(browser_->statusFields()[i]));
}

void TMainForm::CDCatBoxClick(int row) {
  browser_->SelectBoxRow(row);
  // A click on a category row only selects it (categories open on a double click).
  const auto& rows = browser_->boxRows();
  if (row < 0 || row >= static_cast<int>(rows.size()) || !rows[row].isCd) return;
  browser_->CDCatBoxClick();
  Refresh();
}

void TMainForm::CDCatBoxDblClick(int row) {
  browser_->SelectBoxRow(row);
  browser_->CDCatBoxDblClick();
  Refresh();
}

void TMainForm::FileBoxItemIndexChange() {
  // The track information, passport and music set buttons wait for their windows.
  const bool selected = browser_->selectedRow() >= 0;
  SortInfoLbl->setVisible(selected);
  SortButDn->setVisible(selected && !browser_->reversed());
  SortButUp->setVisible(selected && browser_->reversed());
}

void TMainForm::SortOrdItemClick(QAction* sender) {
  const QString name = sender->objectName();
  if (name.contains("ReverseSortItem")) {
    QAction* reverse = Item("ReverseSortItem");
    reverse->setChecked(!reverse->isChecked());
    SortButDn->setVisible(!reverse->isChecked() && SortInfoLbl->isVisible());
    SortButUp->setVisible(reverse->isChecked() && SortInfoLbl->isVisible());
    if (reverse->isChecked() != browser_->reversed()) browser_->ToggleReverse();
  } else {
    for (auto [itemName, kind] : kSortItems) {
      if (!name.contains(itemName)) continue;
      for (auto [other, otherKind] : kSortItems) Item(other)->setChecked(other == std::string_view(itemName));
      SortInfoLbl->setText(" " + sender->text());
      browser_->SetSortKind(kind);
      break;
    }
  }
  Refresh();
}

void TMainForm::ShowCdInfo(int boxRow) {
  const auto& rows = browser_->boxRows();
  if (boxRow < 0 || boxRow >= static_cast<int>(rows.size()) || !rows[boxRow].isCd) return;
  const CdRecord& cd = catalogue_.cds[rows[boxRow].cdPosition];
  const int number = static_cast<int>(IntOr(MidChars(cd.cdCode, 5, 3), 0));
  // Near the lower right of the box, measured with the track list's client size.
  const QPoint origin = CDCatBox->viewport()->mapToGlobal(QPoint(0, 0));
  const QSize lists = FileBox->viewport()->size();
  infoForm_->ShowCd(cd.description, number, [origin, lists](QSize size) {
    return origin + QPoint(lists.width() - size.width() - 30, lists.height() - size.height() - 20);
  });
}

void TMainForm::OrgFavoritesClick() {
  orgForm_->SetPlaces(browser_->favourites());
  orgForm_->exec();
  browser_->SetFavourites(orgForm_->Places());
  RebuildFavouritesMenu();
}

void TMainForm::RebuildFavouritesMenu() {
  for (QAction* a : favouriteItems_) {
    FavMenu->removeAction(a);
    a->deleteLater();
  }
  favouriteItems_.clear();
  const auto captions = browser_->FavouriteCaptions();
  for (size_t i = 0; i < captions.size(); ++i) {
    auto* item = new QAction(Q(captions[i]), FavMenu);
    item->setObjectName(QStringLiteral("favitem%1").arg(i));
    connect(item, &QAction::triggered, this, [this, i] {
      browser_->FavItemClick(static_cast<int>(i));
      Refresh();
    });
    FavMenu->addAction(item);
    favouriteItems_.push_back(item);
  }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType()) {
    auto* key = static_cast<QKeyEvent*>(event);
    // Left and Right seek the preview, for the whole application.
    if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) {
      if (type == QEvent::KeyRelease)
        player_->ArrowKeyUp();
      else if (key->key() == Qt::Key_Left)
        player_->LeftKeyDown();
      else
        player_->RightKeyDown();
      return true;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (type == QEvent::KeyPress && isActiveWindow() && widget->window() == this && HandleKey(key)) return true;
  }
  if (type == QEvent::ApplicationStateChange && watched == qApp) {
    if (QGuiApplication::applicationState() == Qt::ApplicationActive)
      player_->Activated();
    else
      player_->Deactivated();
  }
  if (watched == FileBox->viewport() && (type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                                         type == QEvent::MouseButtonRelease)) {
    if (FileBoxMouse(static_cast<QMouseEvent*>(event))) return true;
  }
  if (watched == PlayBar && type == QEvent::MouseButtonPress) {
    player_->SeekToClick(static_cast<QMouseEvent*>(event)->position().toPoint().x(), PlayBar->width());
    return true;
  }
  if (watched == CDCatBox->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::MiddleButton) {
        const QModelIndex i = CDCatBox->indexAt(mouse->position().toPoint());
        if (i.isValid()) ShowCdInfo(i.row());
        return true;
      }
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
      infoForm_->hide();
    }
  } else if ((watched == SortButDn || watched == SortButUp) && event->type() == QEvent::MouseButtonRelease) {
    SortOrdItemClick(Item("ReverseSortItem"));
    return true;
  } else if (watched == SortInfoLbl && event->type() == QEvent::MouseButtonRelease) {
    SortPopUpMenu->popup(QCursor::pos());
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace trakvella
