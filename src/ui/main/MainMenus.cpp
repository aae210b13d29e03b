#include "ui/main/MainMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "core/app/App.h"
#include "core/app/SettingsSwitches.h"
#include "core/enabling/CommandEnabling.h"
#include "core/lang/MessageTable.h"
#include "ui/QtText.h"
#include "ui/lang/LangCaptions.h"

namespace trakvella {

namespace {

// The caption a menu or item starts with: the caption table's.
QString Caption(const QString& name) { return TableCaption("TMainForm", name.toStdString()); }

// The main-menu twin of a pop-up item: "MM" + its name, with four old exceptions.
QString TwinName(const QString& name) {
  if (name == "TrackInfoItem") return "MMTrackInfoButton";
  if (name == "Autoplay1") return "MMAutoPlay1";
  if (name == "Initializelibrary1") return "MMInitializelibrary";
  if (name == "gotocdurl") return "MMGotoCDurl";
  return "MM" + name;
}

// A menu item. The items that show a key another item of their command holds
// are asked for it only while the menu bar has the keyboard (after Alt); the
// key then names two items of one command, and whichever Qt hands it runs it.
class MenuItem : public QAction {
 public:
  using QAction::QAction;

 protected:
  bool event(QEvent* e) override {
    if (e->type() != QEvent::Shortcut) return QAction::event(e);
    activate(Trigger);
    return true;
  }
};

}  // namespace

void MainMenus::ShowKey(QAction* item, const QKeySequence& key) {
  item->setShortcut(key);
  item->setShortcutContext(Qt::WidgetShortcut);
  item->setShortcutVisibleInContextMenu(true);
}

MainMenus::MainMenus(QMainWindow* window) : QObject(window), window_(window) {
  MakeTrackMenu();
  MakeCdMenu();

  // The favourites menu: two fixed items and a separator, then the favourites.
  favMenu_ = new QMenu(window);
  favMenu_->setObjectName("FavMenu");
  AddItem(favMenu_, "Addtofavorites", false, QKeySequence(Qt::CTRL | Qt::Key_D));
  AddItem(favMenu_, "OrgFavorites");
  favMenu_->addSeparator();

  // The small sort menu under the sort label.
  sortPopUpMenu_ = new QMenu(window);
  sortPopUpMenu_->setObjectName("SortPopUpMenu");
  for (const char* name : {"SortOrdItem2", "SortPopularItem2", "SortLenItem2", "SortTempoItem2", "ReverseSortItem2"})
    AddItem(sortPopUpMenu_, name, true);

  MakeMainMenu();
  Item("Lang0")->setIcon(FlagIcon(Language::English));
  Item("Lang1")->setIcon(FlagIcon(Language::Russian));
}

void MainMenus::MakeTrackMenu() {
  trPopupMenu_ = new QMenu(window_);
  trPopupMenu_->setObjectName("TrPopupMenu");
  QMenu* set = AddSubMenu(trPopupMenu_, "MSetItem");
  AddItem(set, "Copy1", false, QKeySequence(Qt::Key_F5));
  AddItem(set, "copyAll");
  AddItem(set, "MemoryOperations1", false, QKeySequence(Qt::Key_F10));
  QMenu* files = AddSubMenu(trPopupMenu_, "FilesItem");
  AddItem(files, "demodownitem");
  AddItem(files, "downitem");
  AddItem(files, "Gotofilefolder1", false, QKeySequence(Qt::Key_F7));
  AddItem(files, "CopyFName", false, QKeySequence(Qt::CTRL | Qt::Key_C));
  AddItem(files, "CopyNameItem");
  AddItem(files, "PassportItem");
  AddItem(files, "TrackInfoItem");
  QMenu* show = AddSubMenu(trPopupMenu_, "TrackShowItem");
  AddItem(show, "mTempKeyItem");
  AddItem(show, "mKeyItem");
  AddItem(show, "mTempItem");
  AddItem(show, "mHarmonicItem");
  AddItem(show, "SimilarTracksItem");
  AddItem(show, "SearchTitleItem", false, QKeySequence(Qt::CTRL | Qt::Key_F));
  AddItem(show, "Top100Item");
  AddItem(show, "luckyItem");
  QMenu* play = AddSubMenu(trPopupMenu_, "PlayOpItem");
  for (const char* name : {"Autoplay1", "NonStopPlaying", "BackGrItem", "extplayeritem"}) AddItem(play, name, true);
  AddItem(play, "userplayeritem");
  QMenu* view = AddSubMenu(trPopupMenu_, "VisTracksItem");
  for (const char* name : {"showtime", "showcode", "showname", "showcomposer", "showartist", "showstyle"})
    AddItem(view, name, true);
  view->addSeparator();
  for (const char* name : {"SortOrdItem", "SortPopularItem", "SortLenItem", "SortTempoItem", "ReverseSortItem"})
    AddItem(view, name, true);
  view->addSeparator();
  AddItem(view, "FontSetupItem");
  AddItem(view, "scaleup", false, QKeySequence(Qt::CTRL | Qt::Key_Plus));
  AddItem(view, "scaledown", false, QKeySequence(Qt::CTRL | Qt::Key_Minus));
  QMenu* podp = AddSubMenu(trPopupMenu_, "PodpItem");
  for (const char* name : {"PodQuotaItem", "ShowPodListItem", "ShowPodItem", "PodDocItem", "quitpodpiska"})
    AddItem(podp, name);
  QMenu* service = AddSubMenu(trPopupMenu_, "Service1");
  AddItem(service, "OfflineModeItem", true);
  AddItem(service, "Initializelibrary1");
  QMenu* lang = AddSubMenu(service, "Lang");
  AddItem(lang, "Lang0")->setProperty("Tag", LanguageNumber(Language::English));
  AddItem(lang, "Lang1")->setProperty("Tag", LanguageNumber(Language::Russian));
  QMenu* srv = AddSubMenu(service, "SrvItem");
  AddItem(srv, "SrvItem1", true);
  AddItem(srv, "SrvItem2", true);
  AddItem(service, "ShowLocalItem");
}

void MainMenus::MakeCdMenu() {
  similarCdMenu_ = new QMenu(window_);
  similarCdMenu_->setObjectName("SimilarCDMenu");
  AddItem(similarCdMenu_, "ShowAllCDsItem");
  AddItem(similarCdMenu_, "SortNewItem", true)->setChecked(true);
  AddItem(similarCdMenu_, "ShowAllSimCDItem");
  AddItem(similarCdMenu_, "InfoItem");
  AddItem(similarCdMenu_, "AlwaysInfo", true);
  AddItem(similarCdMenu_, "gotocdurl", false, QKeySequence(Qt::Key_F11));
  AddItem(similarCdMenu_, "GoRootItem");
}

// The main menu: "Выполнить", "Сборники", "Треки", "Подписка", "Сервис", and the
// hidden developer menu.
void MainMenus::MakeMainMenu() {
  window_->menuBar()->setObjectName("MainMenu");
  QMenu* run = AddBarMenu("MMComItem");
  AddItem(run, "MMGoRootItem");
  AddItem(run, "MMSearchItem", false, QKeySequence(Qt::Key_F3));  // presses the search button
  // F10 belongs to "Перейти к работе с набором..." of the set menu.
  ShowKey(AddItem(run, "MMmemItem"), QKeySequence(Qt::Key_F10));
  run->addSeparator();
  AddItem(run, "MMExitItem");
  QMenu* cds = AddBarMenu("MMCDItem");
  for (QAction* a : similarCdMenu_->actions()) {
    if (a->objectName() == "GoRootItem") continue;  // its twin stands in "Выполнить"
    QMenu holder;                                   // twins one at a time, keeping the main menu's own order
    holder.addAction(a);
    AddTwins(&holder, cds);
  }
  // "Выполнить" holds GoRootItem's twin: it runs the pop-up item and follows its state.
  connect(Item("MMGoRootItem"), &QAction::triggered, Item("GoRootItem"), &QAction::trigger);
  connect(Item("GoRootItem"), &QAction::changed, this,
          [this] { Item("MMGoRootItem")->setEnabled(Item("GoRootItem")->isEnabled()); });
  QMenu* tracks = AddBarMenu("MMTrackItem");
  for (const char* sub : {"MSetItem", "FilesItem", "TrackShowItem", "PlayOpItem", "VisTracksItem"}) {
    QMenu holder;
    holder.addMenu(SubMenu(sub));
    AddTwins(&holder, tracks);
  }
  AddItem(tracks, "MMGotoTrackURLitem", false, QKeySequence(Qt::Key_F12));
  AddTwins(SubMenu("PodpItem"), AddBarMenu("MMPodItem"));
  AddTwins(SubMenu("Service1"), AddBarMenu("MMServItem"));

  devMenu_ = AddBarMenu("DevMenu");
  devMenu_->setTitle(QString::fromUtf8("Меню разработчика"));
  devMenu_->menuAction()->setVisible(false);
  QAction* allowOpen = AddItem(devMenu_, "AllowOpenCD", true, {}, QStringLiteral("Allow Open CD"));
  allowOpen->setChecked(true);
  allowOpen->setEnabled(true);
  auto* showMe = new QAction(QString::fromUtf8("Показать меню разработчика"), window_);
  showMe->setObjectName("ShowMe1");
  showMe->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
  window_->addAction(showMe);
  connect(showMe, &QAction::triggered, devMenu_, [this] { devMenu_->menuAction()->setVisible(true); });
}

QAction* MainMenus::AddItem(QMenu* menu, const QString& name, bool checkable, const QKeySequence& shortcut,
                            const QString& caption) {
  auto* a = new MenuItem(caption.isEmpty() ? Caption(name) : caption, menu);
  a->setObjectName(name);
  a->setCheckable(checkable);
  if (!shortcut.isEmpty()) {
    // The window holds the command too, so its key works while the menu is
    // closed; the pop-up menus show it as the main menu does.
    a->setShortcut(shortcut);
    a->setShortcutVisibleInContextMenu(true);
    window_->addAction(a);
  }
  a->setEnabled(false);
  menu->addAction(a);
  items_[name] = a;
  return a;
}

QMenu* MainMenus::AddSubMenu(QMenu* parentMenu, const QString& name) {
  auto* m = new QMenu(Caption(name), parentMenu);
  m->setObjectName(name);
  parentMenu->addMenu(m);
  subMenus_[name] = m;
  return m;
}

QMenu* MainMenus::AddBarMenu(const char* name) {
  QMenuBar* bar = window_->menuBar();
  auto* m = new QMenu(Caption(name), bar);
  m->setObjectName(name);
  bar->addMenu(m);
  subMenus_[name] = m;
  return m;
}

// Copies a pop-up menu's items into a main menu as their twins. The pop-up item is
// the master: the twin runs it and follows its check mark and enabled state.
void MainMenus::AddTwins(QMenu* from, QMenu* to) {
  for (QAction* a : from->actions()) {
    if (a->isSeparator()) {
      to->addSeparator();
      continue;
    }
    if (QMenu* sub = a->menu()) {
      QMenu* twin = AddSubMenu(to, TwinName(sub->objectName()));
      AddTwins(sub, twin);
      continue;
    }
    QAction* twin = AddItem(to, TwinName(a->objectName()), a->isCheckable());
    if (!a->shortcut().isEmpty()) ShowKey(twin, a->shortcut());
    twin->setChecked(a->isChecked());
    twin->setEnabled(a->isEnabled());
    twin->setIcon(a->icon());
    connect(twin, &QAction::triggered, a, [a] { a->trigger(); });
    connect(a, &QAction::changed, twin, [a, twin] {
      twin->setChecked(a->isChecked());
      twin->setEnabled(a->isEnabled());
      twin->setIcon(a->icon());
    });
  }
}

QAction* MainMenus::Item(const QString& name) const {
  auto it = items_.find(name);
  return it == items_.end() ? nullptr : it->second;
}

QMenu* MainMenus::SubMenu(const QString& name) const {
  auto it = subMenus_.find(name);
  return it == subMenus_.end() ? nullptr : it->second;
}

void MainMenus::ApplyEnabling(const CommandEnabling& enabling, std::string_view menu) {
  for (const CommandEnabled& c : enabling.Evaluate(menu)) {
    const QString name = Q(c.command);
    if (QAction* item = Item(name))
      item->setEnabled(c.enabled);
    else if (QMenu* sub = SubMenu(name))
      sub->setEnabled(c.enabled);
  }
}

void MainMenus::ShowSwitches(const App& app) {
  for (const SettingsSwitch& s : kSettingsSwitches)
    if (QAction* item = Item(Q(s.item))) item->setChecked(app.Switch(s.item));
  // The demo servers: a custom base hides their menus, the chosen server is checked.
  for (const char* menu : {"SrvItem", "MMSrvItem"})
    if (QMenu* m = SubMenu(menu)) m->menuAction()->setVisible(app.serverMenusShown());
  Item("SrvItem1")->setChecked(app.checkedServer() == 1);
  Item("SrvItem2")->setChecked(app.checkedServer() == 2);
}

void MainMenus::ShowLanguage(Language language) {
  const QIcon flag = FlagIcon(language);
  for (const char* menu : {"Lang", "MMLang"})
    if (QMenu* m = SubMenu(menu)) m->setIcon(flag);
}

void MainMenus::SyncTwins() {
  for (auto& [name, item] : items_)
    if (name.startsWith("MM") && Item(name.mid(2))) item->setEnabled(Item(name.mid(2))->isEnabled());
}

void MainMenus::OpenOnMouseUp(QToolButton* button, QMenu* menu) {
  mouseUpMenus_[button] = menu;
  button->installEventFilter(this);
}

bool MainMenus::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    auto found = mouseUpMenus_.find(watched);
    auto* button = qobject_cast<QToolButton*>(watched);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (found != mouseUpMenus_.end() && button && button->isEnabled() && mouse->button() == Qt::LeftButton &&
        button->rect().contains(mouse->position().toPoint())) {
      button->setDown(false);
      found->second->popup(button->mapToGlobal(mouse->position().toPoint()));
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

QIcon MainMenus::FlagIcon(Language language) {
  QPixmap flag(16, 11);
  QPainter p(&flag);
  if (language == Language::Russian) {
    p.fillRect(0, 0, 16, 4, Qt::white);
    p.fillRect(0, 4, 16, 4, QColor(0, 57, 166));
    p.fillRect(0, 8, 16, 3, QColor(213, 43, 30));
  } else {
    p.fillRect(0, 0, 16, 11, QColor(1, 33, 105));
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(0, 0, 16, 11);
    p.drawLine(0, 11, 16, 0);
    p.fillRect(6, 0, 4, 11, Qt::white);
    p.fillRect(0, 4, 16, 3, Qt::white);
    p.fillRect(7, 0, 2, 11, QColor(200, 16, 46));
    p.fillRect(0, 5, 16, 1, QColor(200, 16, 46));
  }
  return QIcon(flag);
}

}  // namespace trakvella
