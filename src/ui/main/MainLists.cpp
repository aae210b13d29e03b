#include "ui/main/MainLists.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

#include "core/app/App.h"
#include "core/catalogue/TrackCodes.h"
#include "core/enabling/CommandEnabling.h"
#include "core/musicset/TrackInfo.h"
#include "core/subscription/Subscription.h"
#include "core/text/Text.h"
#include "ui/QtText.h"
#include "ui/browse/CDCatBoxDelegate.h"
#include "ui/browse/CategoryListModel.h"
#include "ui/browse/FileBoxDelegate.h"
#include "ui/browse/RowPictures.h"
#include "ui/browse/TrackListModel.h"
#include "ui/main/MainMenus.h"
#include "ui/maintenance/InfoForm.h"
#include "ui/maintenance/OrgForm.h"

namespace trakvella {

namespace {
const std::pair<const char*, SortKind> kSortItems[] = {{"SortOrdItem", SortKind::Order},
                                                       {"SortPopularItem", SortKind::Popular},
                                                       {"SortLenItem", SortKind::Length},
                                                       {"SortTempoItem", SortKind::Tempo}};
}  // namespace

MainLists::MainLists(QMainWindow* window, App& app, const MainControls& controls, MainMenus& menus)
    : QObject(window), window_(window), app_(app), c_(controls), menus_(menus) {
  PrepareOwnerDrawnList(c_.CDCatBox);
  PrepareOwnerDrawnList(c_.FileBox);
  const Language& language = app.language();
  Browser& browser = app_.browser();
  categoryModel_ = new CategoryListModel(browser, app_.catalogue(), language, window);
  trackModel_ = new TrackListModel(browser, app_.catalogue(), window);
  categoryDelegate_ = new CDCatBoxDelegate(browser, app_.catalogue(), language, window);
  fileDelegate_ = new FileBoxDelegate(browser, app_.catalogue(), language, window);
  fileDelegate_->setObjectName("FileBoxDelegate");  // its marks are extended by other windows
  c_.CDCatBox->setModel(categoryModel_);
  c_.CDCatBox->setItemDelegate(categoryDelegate_);
  c_.FileBox->setModel(trackModel_);
  c_.FileBox->setItemDelegate(fileDelegate_);
  c_.CDCatBox->viewport()->installEventFilter(this);
  c_.CDCatBox->installEventFilter(this);
  ConnectTrackMarks();
  SetItemHeight(itemHeight_);

  c_.SortButDn->setPixmap(SortArrowPixmap(false));
  c_.SortButUp->setPixmap(SortArrowPixmap(true));
  for (QLabel* l : {c_.SortButDn, c_.SortButUp, c_.SortInfoLbl}) l->installEventFilter(this);

  orgForm_ = new TOrgForm(window);
  infoForm_ = new TInfoForm(window);
  infoForm_->onKey = [window](QKeyEvent* key) { QApplication::sendEvent(window, key); };
  // The pop-up keeps its place beside the box as the main window moves or resizes.
  window->installEventFilter(this);

  ConnectCommands();
  ConnectSortCommands();
  ConnectFavourites();
  ConnectTrackCommands();
  ConnectTrackFilter();
}

// --- Walking the lists --------------------------------------------------------------------

void MainLists::ConnectListBoxes() {
  Browser& browser = app_.browser();
  // The category/CD box: a click opens CD rows, a double click any row.
  connect(c_.CDCatBox, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) { CDCatBoxClick(i.row()); });
  connect(c_.CDCatBox, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& i) { CDCatBoxDblClick(i.row()); });
  connect(c_.CDCatBox, &QAbstractItemView::activated, this, [this](const QModelIndex& i) {
    if (QApplication::keyboardModifiers() == Qt::NoModifier && c_.CDCatBox->hasFocus() &&
        QApplication::mouseButtons() == Qt::NoButton)
      CDCatBoxDblClick(i.row());
  });
  // One selection: the row the box highlights is the row the CD commands act
  // on. The mouse opens on its click; keys follow the click rule.
  connect(c_.CDCatBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this, &browser](const QModelIndex& i) {
            if (refreshing_) return;
            const int row = i.isValid() ? i.row() : -1;
            browser.SelectBoxRow(row);
            if (!boxKeyDown_ || row < 0) return;
            // After the view has finished moving its cursor.
            QMetaObject::invokeMethod(
                this,
                [this, row] {
                  if (app_.browser().selectedBoxRow() == row) CDCatBoxClick(row);
                },
                Qt::QueuedConnection);
          });
  connect(c_.CDCatBox, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    infoForm_->hide();
    menus_.cdMenu()->popup(c_.CDCatBox->viewport()->mapToGlobal(at));
  });
  connect(c_.FileBox, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { menus_.trackMenu()->popup(c_.FileBox->viewport()->mapToGlobal(at)); });
  connect(c_.FileBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this, &browser](const QModelIndex& i) {
            if (refreshing_) return;
            browser.SelectRow(i.isValid() ? i.row() : -1);
            FileBoxItemIndexChange();
            app_.ShowTrackStatus();
          });
}

void MainLists::ConnectCommands() {
  ConnectListBoxes();
  Browser& browser = app_.browser();

  // Navigation buttons and the tag box.
  for (QToolButton* b : {c_.HomeBtn, c_.BackBtn, c_.ForwardBtn, c_.KeyBut}) b->setEnabled(true);
  c_.KeyBox->setEnabled(true);
  auto home = [this, &browser] {
    browser.Home();
    Refresh();
  };
  connect(c_.HomeBtn, &QToolButton::clicked, this, home);
  connect(c_.BackBtn, &QToolButton::clicked, this, [this, &browser] {
    browser.Back();
    Refresh();
  });
  connect(c_.ForwardBtn, &QToolButton::clicked, this, [this, &browser] {
    browser.Forward();
    Refresh();
  });
  menus_.Item("GoRootItem")->setEnabled(true);
  connect(menus_.Item("GoRootItem"), &QAction::triggered, this, home);
  auto keyBut = [this, &browser] {
    browser.SetTagText(S(c_.KeyBox->currentText()));
    browser.ListCdsOfTagText();
    Refresh();
  };
  connect(c_.KeyBut, &QToolButton::clicked, this, keyBut);
  connect(c_.KeyBox->lineEdit(), &QLineEdit::returnPressed, this, keyBut);
  // What the user types is the box's text: a refresh shows it again, not an older one.
  connect(c_.KeyBox, &QComboBox::editTextChanged, this, [this, &browser](const QString& text) {
    if (!refreshing_) browser.SetTagText(S(text));
  });

  // The category pop-up's own switches and the CD information.
  QAction* sortNew = menus_.Item("SortNewItem");
  sortNew->setEnabled(true);
  connect(sortNew, &QAction::triggered, this, [&browser, sortNew] { browser.SetNewFirst(sortNew->isChecked()); });
  QAction* allowOpen = menus_.Item("AllowOpenCD");
  connect(allowOpen, &QAction::triggered, this,
          [&browser, allowOpen] { browser.SetAllowOpenCd(allowOpen->isChecked()); });
  menus_.Item("InfoItem")->setEnabled(true);
  connect(menus_.Item("InfoItem"), &QAction::triggered, this,
          [this, &browser] { ShowCdInfo(browser.selectedBoxRow()); });

  // The list font.
  for (const char* name : {"FontSetupItem", "scaleup", "scaledown"}) menus_.Item(name)->setEnabled(true);
  connect(menus_.Item("scaleup"), &QAction::triggered, this, [this] { ScaleFont(+1); });
  connect(menus_.Item("scaledown"), &QAction::triggered, this, [this] { ScaleFont(-1); });
  connect(menus_.Item("FontSetupItem"), &QAction::triggered, this, [this] { FontSetupItemClick(); });
}

void MainLists::Refresh() {
  // A new listing is filtered by what the field holds (the same rows again change nothing).
  if (!c_.TrackFilterEdit->text().isEmpty()) app_.browser().FilterRows(S(c_.TrackFilterEdit->text()));
  const Browser& browser = app_.browser();
  refreshing_ = true;
  categoryModel_->Reset();
  trackModel_->Reset();
  const int box = browser.selectedBoxRow();
  c_.CDCatBox->setCurrentIndex(box >= 0 ? categoryModel_->index(box) : QModelIndex());
  c_.CDCatBox->setEnabled(browser.boxEnabled());
  c_.CDCatBox->setVisible(browser.boxVisible());
  if (layoutSearchPanel) layoutSearchPanel();
  const int row = browser.selectedRow();
  c_.FileBox->setCurrentIndex(row >= 0 ? trackModel_->index(row) : QModelIndex());
  if (row >= 0) c_.FileBox->scrollTo(trackModel_->index(row));
  // The caption label shows "&&" as "&".
  c_.CDCatInfo->setText(Q(browser.caption()).replace("&&", "&"));
  c_.BackBtn->setEnabled(browser.backEnabled());
  c_.ForwardBtn->setEnabled(browser.forwardEnabled());
  c_.SearchBut->setChecked(browser.searchButtonDown());
  // The tag box.
  QStringList tags;
  for (const auto& t : browser.tagItems()) tags << Q(t);
  if (c_.KeyBox->count() != tags.size() || (tags.size() && c_.KeyBox->itemText(0) != tags.front())) {
    c_.KeyBox->clear();
    c_.KeyBox->addItems(tags);
  }
  c_.KeyBox->setEditText(Q(browser.tagText()));
  refreshing_ = false;
  FileBoxItemIndexChange();
  app_.ShowTrackStatus();
  for (int i = 0; i < 5; ++i) MainFrame::SetStatusText(c_.statusFields[i], Q(browser.statusFields()[i]));
  menus_.ApplyEnabling(app_.enabling(), kTrackMenus);
}

// --- Filter as you type -----------------------------------------------------------

void MainLists::ConnectTrackFilter() {
  QLineEdit* field = c_.TrackFilterEdit;
  connect(field, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (app_.browser().FilterRows(S(text))) ShowFilteredTracks();
  });
  auto* focus = new QAction(window_);
  focus->setObjectName("TrackFilterFocus");
  focus->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  window_->addAction(focus);
  connect(focus, &QAction::triggered, this, [field] {
    field->setFocus(Qt::ShortcutFocusReason);
    field->selectAll();
  });
  field->installEventFilter(this);  // Esc empties it; the focus prepares the filter
}

void MainLists::ShowFilteredTracks() {
  const Browser& browser = app_.browser();
  refreshing_ = true;
  trackModel_->Reset();
  const int row = browser.selectedRow();
  c_.FileBox->setCurrentIndex(row >= 0 ? trackModel_->index(row) : QModelIndex());
  if (row >= 0) c_.FileBox->scrollTo(trackModel_->index(row));
  refreshing_ = false;
  FileBoxItemIndexChange();
  app_.ShowTrackStatus();
  MainFrame::SetStatusText(c_.statusFields[4], Q(browser.statusFields()[4]));
  menus_.ApplyEnabling(app_.enabling(), kTrackMenus);
}

void MainLists::ShowTrackStatus() {
  for (int i = 1; i < 5; ++i) MainFrame::SetStatusText(c_.statusFields[i], Q(app_.browser().statusFields()[i]));
}

void MainLists::SelectTrackRowInView() {
  refreshing_ = true;
  const int row = app_.browser().selectedRow();
  c_.FileBox->setCurrentIndex(row >= 0 ? c_.FileBox->model()->index(row, 0) : QModelIndex());
  refreshing_ = false;
  FileBoxItemIndexChange();
}

void MainLists::RedrawTracks() { c_.FileBox->viewport()->update(); }

void MainLists::CDCatBoxClick(int row) {
  Browser& browser = app_.browser();
  browser.SelectBoxRow(row);
  // A click on a category row only selects it (categories open on a double click).
  const auto& rows = browser.boxRows();
  if (row < 0 || row >= static_cast<int>(rows.size()) || !rows[row].isCd) return;
  browser.OpenSelectedCd();
  Refresh();
}

void MainLists::CDCatBoxDblClick(int row) {
  app_.browser().SelectBoxRow(row);
  app_.browser().OpenSelectedRow();
  Refresh();
}

// The sort label and its arrows show while a track is selected.
void MainLists::FileBoxItemIndexChange() {
  const bool selected = app_.browser().selectedRow() >= 0;
  c_.SortInfoLbl->setVisible(selected);
  c_.SortButDn->setVisible(selected && !app_.browser().reversed());
  c_.SortButUp->setVisible(selected && app_.browser().reversed());
}

// --- Sort orders ---------------------------------------------------------------------------

// The track menu's items are the masters; the main menu and the small sort menu mirror them.
void MainLists::ConnectSortCommands() {
  for (auto [name, kind] : kSortItems) {
    const QString item = name;
    menus_.Item(item)->setEnabled(true);
    connect(menus_.Item(item), &QAction::triggered, this, [this, item] { SortOrdItemClick(item); });
    menus_.Item(item + "2")->setEnabled(true);
    connect(menus_.Item(item + "2"), &QAction::triggered, this, [this, item] { SortOrdItemClick(item); });
  }
  for (const char* name : {"ReverseSortItem", "ReverseSortItem2"}) {
    menus_.Item(name)->setEnabled(true);
    connect(menus_.Item(name), &QAction::triggered, this, [this] { SortOrdItemClick("ReverseSortItem"); });
  }
  connect(menus_.sortMenu(), &QMenu::aboutToShow, this, [this] {
    for (const char* name : {"SortOrdItem", "SortPopularItem", "SortLenItem", "SortTempoItem", "ReverseSortItem"})
      menus_.Item(QString(name) + "2")->setChecked(menus_.Item(name)->isChecked());
  });
}

void MainLists::SortOrdItemClick(const QString& name) {
  Browser& browser = app_.browser();
  if (name == "ReverseSortItem") {
    browser.ToggleReverse();
  } else {
    for (auto [itemName, kind] : kSortItems)
      if (name == itemName) browser.SetSortKind(kind);
  }
  ShowSortOrder();
  Refresh();
}

void MainLists::ShowSortOrder() {
  const Browser& browser = app_.browser();
  for (auto [name, kind] : kSortItems) {
    menus_.Item(name)->setChecked(kind == browser.sortKind());
    if (kind == browser.sortKind()) c_.SortInfoLbl->setText(" " + menus_.Item(name)->text());
  }
  menus_.Item("ReverseSortItem")->setChecked(browser.reversed());
}

// --- Favourites and the CD information -------------------------------------------------------

void MainLists::ConnectFavourites() {
  Browser& browser = app_.browser();
  menus_.Item("Addtofavorites")->setEnabled(true);
  connect(menus_.Item("Addtofavorites"), &QAction::triggered, this, [this, &browser] {
    browser.AddCurrentPlaceToFavourites();
    RebuildFavouritesMenu();
  });
  connect(menus_.Item("OrgFavorites"), &QAction::triggered, this, &MainLists::OrgFavoritesClick);
  connect(menus_.favouritesMenu(), &QMenu::aboutToShow, this,
          [this] { menus_.ApplyEnabling(app_.enabling(), kFavouritesMenu); });
  menus_.OpenOnMouseUp(c_.FAvBut, menus_.favouritesMenu());
  c_.FAvBut->setEnabled(true);
}

void MainLists::OrgFavoritesClick() {
  orgForm_->SetPlaces(app_.browser().favourites());
  orgForm_->exec();
  app_.browser().SetFavourites(orgForm_->Places());
  RebuildFavouritesMenu();
}

void MainLists::RebuildFavouritesMenu() {
  QMenu* menu = menus_.favouritesMenu();
  for (QAction* a : favouriteItems_) {
    menu->removeAction(a);
    a->deleteLater();
  }
  favouriteItems_.clear();
  const auto captions = app_.browser().FavouriteCaptions();
  for (size_t i = 0; i < captions.size(); ++i) {
    auto* item = new QAction(Q(captions[i]), menu);
    item->setObjectName(QStringLiteral("favitem%1").arg(i));
    connect(item, &QAction::triggered, this, [this, i] {
      app_.browser().GoToFavourite(static_cast<int>(i));
      Refresh();
    });
    menu->addAction(item);
    favouriteItems_.push_back(item);
  }
}

void MainLists::ShowCdInfo(int boxRow) {
  const auto& rows = app_.browser().boxRows();
  if (boxRow < 0 || boxRow >= static_cast<int>(rows.size()) || !rows[boxRow].isCd) return;
  const CdRecord& cd = app_.catalogue().Cd(rows[boxRow].cdPosition);
  const int number = static_cast<int>(IntOr(MidChars(cd.cdCode, 5, 3), 0));
  infoForm_->ShowCd(cd.description, number, [this](QSize size) { return CdInfoPosition(size); });
}

// Near the lower right of the box, measured with the track list's client size;
// never past the screen's edges (lists narrower than the pop-up, at twice the scale).
QPoint MainLists::CdInfoPosition(QSize size) const {
  const QPoint origin = c_.CDCatBox->viewport()->mapToGlobal(QPoint(0, 0));
  const QSize lists = c_.FileBox->viewport()->size();
  QPoint at = origin + QPoint(lists.width() - size.width() - 30, lists.height() - size.height() - 20);
  if (const QScreen* screen = window_->screen()) {
    const QRect free = screen->availableGeometry();
    at.setX(std::clamp(at.x(), free.left(), std::max(free.left(), free.right() + 1 - size.width())));
    at.setY(std::clamp(at.y(), free.top(), std::max(free.top(), free.bottom() + 1 - size.height())));
  }
  return at;
}

// --- Track commands ---------------------------------------------------------------------------

// The marks a track row carries: a comment, a download of the account in use
// (the music set's mark is added by the music set window).
void MainLists::ConnectTrackMarks() {
  TrackMarks& marks = fileDelegate_->marks;
  marks.hasComment = [this](const std::string& code) { return !app_.comments().Get(code).empty(); };
  marks.downloaded = [this](const std::string& code) {
    const Subscription* subscription = app_.subscription();
    return subscription && subscription->account().HasDownloaded(code);
  };
}

void MainLists::ConnectTrackCommands() {
  Browser& browser = app_.browser();
  connect(menus_.Item("CopyNameItem"), &QAction::triggered, this,
          [this, &browser] { BufferToClipboard(app_.clipboard(), browser.ComposeTrackName()); });
  connect(menus_.Item("CopyFName"), &QAction::triggered, this, [this, &browser] {
    if (const TrackRecord* t = browser.SelectedTrack())
      BufferToClipboard(app_.clipboard(), TrackPathOrUrl(t->location, app_.demoBaseUrl()));
  });
  connect(menus_.Item("Gotofilefolder1"), &QAction::triggered, this, [this] { app_.GotoFileFolder(); });
  for (QMenu* menu : {menus_.trackMenu(), menus_.SubMenu("MMTrackItem"), menus_.SubMenu("MMServItem")})
    connect(menu, &QMenu::aboutToShow, this, [this] { menus_.ApplyEnabling(app_.enabling(), kTrackMenus); });
  menus_.ApplyEnabling(app_.enabling(), kTrackMenus);
}

// --- The list font -------------------------------------------------------------------------------

void MainLists::ApplyListFont(const FontSpec& font) {
  QFont f = c_.CDCatBox->font();
  f.setFamily(Q(font.name));
  if (font.size > 0) f.setPointSize(font.size);
  f.setFixedPitch(font.pitch == 2);
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikeOut);
  listFontColor_ = font.color;
  c_.CDCatBox->setFont(f);
  c_.FileBox->setFont(f);
  SetItemHeight(ItemHeightForFont(window_->logicalDpiY(), f.pointSize()));
}

void MainLists::StoreListFont(Settings& s) const {
  const QFont f = c_.CDCatBox->font();
  FontSpec font;
  font.color = listFontColor_;
  font.size = f.pointSize() > 0 ? f.pointSize() : 9;
  font.height = -MulDiv(font.size, window_->logicalDpiY(), 72);
  font.name = S(f.family());
  font.pitch = f.fixedPitch() ? 2 : 0;
  font.bold = f.bold();
  font.italic = f.italic();
  font.underline = f.underline();
  font.strikeOut = f.strikeOut();
  s.font = font;
}

void MainLists::SetItemHeight(int height) {
  itemHeight_ = height;
  fileDelegate_->setItemHeight(height);
  categoryDelegate_->setItemHeight(height);
  c_.CDCatBox->doItemsLayout();
  c_.FileBox->doItemsLayout();
}

void MainLists::ScaleFont(int delta) {
  QFont f = c_.CDCatBox->font();
  const int size = f.pointSize();
  if ((delta > 0 && size >= 20) || (delta < 0 && size < 7)) return;
  f.setPointSize(size + delta);
  c_.CDCatBox->setFont(f);
  c_.FileBox->setFont(f);
  SetItemHeight(itemHeight_ + 3 * delta);
}

void MainLists::FontSetupItemClick() {
  bool ok = false;
  QFont f = QFontDialog::getFont(&ok, c_.CDCatBox->font(), window_);
  if (!ok) return;
  if (f.pointSize() < 6) f.setPointSize(6);
  c_.CDCatBox->setFont(f);
  c_.FileBox->setFont(f);
  SetItemHeight(ItemHeightForFont(window_->logicalDpiY(), f.pointSize()));
}

// --- Mouse on the box and the sort label --------------------------------------------------------

bool MainLists::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == c_.TrackFilterEdit && type == QEvent::FocusIn) app_.browser().PrepareRowFilter();
  if (watched == c_.TrackFilterEdit && type == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    c_.TrackFilterEdit->clear();
    return true;
  }
  if (watched == window_) {
    // After the window has laid its lists out for the new size.
    if ((type == QEvent::Move || type == QEvent::Resize) && infoForm_->isVisible())
      QMetaObject::invokeMethod(
          this,
          [this] {
            if (infoForm_->isVisible()) infoForm_->move(CdInfoPosition(infoForm_->size()));
          },
          Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
  }
  if (watched == c_.CDCatBox->viewport()) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    // The middle button shows a CD's information; the right one hides it as
    // it goes down (its menu takes the release) and leaves the selection alone.
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::MiddleButton) {
      const QModelIndex i = c_.CDCatBox->indexAt(mouse->position().toPoint());
      if (i.isValid()) ShowCdInfo(i.row());
      return true;
    }
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
      infoForm_->hide();
      return true;
    }
    if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::RightButton) infoForm_->hide();
    if (type == QEvent::MouseButtonPress) boxKeyDown_ = false;
  } else if (watched == c_.CDCatBox && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
    // A key moving the highlight (arrows, type-ahead) opens a CD as a click does.
    boxKeyDown_ = type == QEvent::KeyPress;
  } else if ((watched == c_.SortButDn || watched == c_.SortButUp) && type == QEvent::MouseButtonRelease) {
    SortOrdItemClick("ReverseSortItem");
    return true;
  } else if (watched == c_.SortInfoLbl && type == QEvent::MouseButtonRelease) {
    menus_.sortMenu()->popup(QCursor::pos());
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace trakvella
