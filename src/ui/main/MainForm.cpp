#include "ui/main/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/app/App.h"
#include "core/app/SettingsSwitches.h"
#include "core/catalogue/Catalogue.h"
#include "core/lang/MessageTable.h"
#include "core/player/Player.h"
#include "ui/QtText.h"
#include "ui/lang/LangCaptions.h"
#include "ui/main/CollectionCommands.h"
#include "ui/main/DocumentCommands.h"
#include "ui/main/ExportCommands.h"
#include "ui/main/MainFrame.h"
#include "ui/main/MainLists.h"
#include "ui/main/MainMenus.h"
#include "ui/main/MainSearch.h"
#include "ui/main/MusicSetCommands.h"
#include "ui/main/PlayerControls.h"
#include "ui/main/SubscriptionCommands.h"
#include "ui/maintenance/RepForm.h"
#include "ui/maintenance/ScanForm.h"
#include "ui/startup/StartForm.h"
#include "ui/wait/WaitForm.h"

namespace trakvella {

namespace {

bool OwnedBy(const QObject* object, const QObject* owner) {
  for (; object; object = object->parent())
    if (object == owner) return true;
  return false;
}

}  // namespace

TMainForm::TMainForm(App& app, const AppStartReport& started, QWidget* parent) : QMainWindow(parent), app_(app) {
  setObjectName("MainForm");
  frame_ = std::make_unique<MainFrame>(this);
  menus_ = new MainMenus(this);
  const MainControls& c = frame_->controls();
  lists_ = new MainLists(this, app_, c, *menus_);
  search_ = new MainSearch(this, app_, c, *menus_, [this] { Refresh(); });
  lists_->layoutSearchPanel = [this] { search_->LayOut(); };
  player_ = new PlayerControls(this, app_, c, *menus_, [this] { return ProgressShown(); });
  collections_ = new CollectionCommands(
      this, app_, c, *menus_, [this] { Refresh(); }, [this] { search_->Search1Click(); });
  // The program's other windows, in their order, each with the commands that open it
  // (one line each; a window owns its own wiring).
  const Language& language = app_.language();
  new TRepForm(
      {app_.musicSet(), app_.catalogue(), app_.settings(), app_.random(), app_.clipboard(), app_.dialogs(), language},
      this);
  new MusicSetCommands(this, app_, c, *menus_);
  new TScanForm(
      app_.musicSet(), app_.dialogs(), app_.inflater(), language, [this] { Refresh(); }, this);
  new DocumentCommands(this, app_, *menus_, c);
  new ExportCommands(this, app_, *menus_, [this] { Refresh(); });
  new SubscriptionCommands(this, app_, c, *menus_, [this] { Refresh(); });
  ConnectProgramCommands();
  FitToScreen();
  resize(minimumSize());

  // From now on the program's state shows here: the window's place and list
  // font from the settings file (the middle of the desktop without one), the
  // switches, the language and the favourites as the start left them.
  app_.SetView(this);
  lists_->SetItemHeight(ListItemHeight(Settings{}, logicalDpiY()));
  if (started.settingsFile == SettingsFileRead::Applied)
    ApplyWindowSettings(app_.settings());
  else if (started.settingsFile == SettingsFileRead::Absent)
    CentreWindow();
  ShowSwitches();
  ShowLanguage();
  ShowFavourites();
  RegisterCaptionWindow("TMainForm", this);
  // The window sees keys before its controls.
  qApp->installEventFilter(this);
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(this);
  UnregisterCaptionWindow(this);
  app_.SetView(nullptr);
}

void TMainForm::setWaitForm(TWaitForm* waitForm) {
  waitForm_ = waitForm;
  app_.SetProgressWindow(waitForm);
}

const Language& TMainForm::language() const { return app_.language(); }
void TMainForm::FirstActivation() { app_.FirstActivation(); }

bool TMainForm::ProgressShown() const { return waitForm_ && waitForm_->isVisible(); }

QAction* TMainForm::Item(const QString& name) const { return menus_->Item(name); }
QMenu* TMainForm::SubMenu(const QString& name) const { return menus_->SubMenu(name); }
void TMainForm::Refresh() { lists_->Refresh(); }
void TMainForm::CDCatBoxClick(int row) { lists_->CDCatBoxClick(row); }
void TMainForm::PlayerTick() { player_->PlayerTick(); }

// --- The program's own commands --------------------------------------------------------

void TMainForm::ConnectProgramCommands() {
  for (const char* name : {"Lang0", "Lang1"}) {
    QAction* a = Item(name);
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, [this, a] {
      if (const std::optional<Language> language = LanguageFromNumber(a->property("Tag").toInt())) LangClick(*language);
    });
  }
  // The switches the settings keep: the menus show the model, a click changes it.
  for (const SettingsSwitch& s : kSettingsSwitches) {
    QAction* item = Item(Q(s.item));
    item->setEnabled(true);
    if (s.item == "OfflineModeItem") continue;
    connect(item, &QAction::triggered, this,
            [this, name = std::string(s.item)](bool checked) { app_.SetSwitch(name, checked); });
  }
  // The offline switch changes only when the user says Yes.
  connect(Item("OfflineModeItem"), &QAction::triggered, this, [this] {
    ShowSwitches();
    app_.ToggleOfflineMode();
  });
  Item("Initializelibrary1")->setEnabled(true);
  connect(Item("Initializelibrary1"), &QAction::triggered, this,
          [this] { app_.ReinitialiseFromDemoServer(QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier); });
  Item("MMExitItem")->setEnabled(true);
  connect(Item("MMExitItem"), &QAction::triggered, this, &QWidget::close);
  menus_->OpenOnMouseUp(frame_->controls().OptionBut, menus_->trackMenu());
  menus_->SyncTwins();
}

void TMainForm::LangClick(Language language) {
  app_.ChangeLanguage(language);
  search_->LanguageChanged();
  Refresh();
}

void TMainForm::ApplyCaptions() {
  frame_->controls().RegInfoLbl->setText(Q(LangMessage(app_.language(), Msg::Copyright)));
  const Catalogue& catalogue = app_.catalogue();
  SetLangCaptions(app_.language(), [&catalogue](std::string_view english) -> std::optional<std::string> {
    auto t = catalogue.Translation(english);
    if (!t) return std::nullopt;
    return std::string(*t);
  });
}

// --- What App asks of the window ----------------------------------------------------------

void TMainForm::ShowCover(bool shown) { frame_->ShowCover(shown, Q(LangMessage(app_.language(), Msg::Copyright))); }

void TMainForm::ShowCaption(const std::string& caption) { setWindowTitle(Q(caption)); }
void TMainForm::ShowTrackStatus() { lists_->ShowTrackStatus(); }
void TMainForm::ShowSelectedRow() { lists_->SelectTrackRowInView(); }
void TMainForm::ShowSortOrder() { lists_->ShowSortOrder(); }
void TMainForm::ShowFavourites() { lists_->RebuildFavouritesMenu(); }
void TMainForm::ShowLanguage() { menus_->ShowLanguage(app_.language()); }
void TMainForm::ShowCdInfo(int boxRow) { lists_->ShowCdInfo(boxRow); }
bool TMainForm::SearchPanelVisible() const { return frame_->controls().SearchPanel->isVisible(); }
void TMainForm::ShowStartWindow() {
  if (startForm_) startForm_->ShowAtReinitialisation();
}
// Once the initialisation has finished, as the "Music set" item would open it.
void TMainForm::ShowOpenedSetLists() {
  QTimer::singleShot(0, this, [this] {
    if (QAction* item = Item("MemoryOperations1")) item->trigger();
  });
}
void TMainForm::RunPlayerTimer(bool running) { player_->RunTimer(running); }

void TMainForm::ShowSwitches() {
  menus_->ShowSwitches(app_);
  lists_->RedrawTracks();
}

void TMainForm::ProcessEvents() { QCoreApplication::processEvents(); }

void TMainForm::ApplyWindowSettings(const Settings& s) {
  if (s.windowState == WindowState::Maximized) {
    setWindowState(windowState() | Qt::WindowMaximized);
  } else {
    resize(std::max(s.width, minimumWidth()), std::max(s.height, minimumHeight()));
    if (s.top && s.left) move(*s.left, *s.top);
    FitToScreen();
  }
  // The list font: the font, when given, wins over ItemHeight.
  if (s.font) lists_->ApplyListFont(*s.font);
  lists_->SetItemHeight(ListItemHeight(s, logicalDpiY()));
}

void TMainForm::StoreWindowSettings(Settings& s) const {
  s.windowState = isMinimized() ? WindowState::Minimized : isMaximized() ? WindowState::Maximized : WindowState::Normal;
  const QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
  // Top and Left are where the frame stands, as move() places it; measured at
  // the client area they would carry the window down by its title bar each start.
  const QPoint frame = geometry().topLeft() - pos();
  s.top = g.top() - frame.y();
  s.left = g.left() - frame.x();
  s.width = g.width();
  s.height = g.height();
  lists_->StoreListFont(s);
}

void TMainForm::CentreWindow() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    // A window as large as the screen starts at its corner, never a pixel off it.
    const QRect r = screen->availableGeometry();
    QRect placed(QPoint(0, 0), frameGeometry().size());
    placed.moveCenter(r.center());
    move(std::max(placed.left(), r.left()), std::max(placed.top(), r.top()));
  }
}

// --- Layout and lifecycle --------------------------------------------------------------------

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  frame_->LayOut();
  search_->LayOut();
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (windowHandle() && !screenWatched_) {
    screenWatched_ = true;
    connect(windowHandle(), &QWindow::screenChanged, this, [this] { FitToScreen(); });
  }
  FitToScreen();
  frame_->LayOut();
  search_->LayOut();
}

void TMainForm::FitToScreen() {
  QScreen* screen = this->screen();
  if (!screen) return;
  const QSize available = screen->availableGeometry().size();
  // The frame is known once the window manager has put one round the window.
  const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
  setMinimumSize(MainFrame::MinimumSize(available, frame));
  if (isVisible() && !isMaximized() && !isFullScreen()) {
    const QSize fits(std::min(width(), available.width() - frame.width()),
                     std::min(height(), available.height() - frame.height()));
    if (fits != size()) resize(fits.expandedTo(minimumSize()));
  }
}

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // The first activation initialises the library.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !app_.libraryInitialised())
    app_.FirstActivation();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  closing_ = true;
  if (app_.CloseQuery()) {
    // The settings could not be kept, or the player hangs: end at once, as the program always did.
    std::fflush(nullptr);
    std::_Exit(0);
  }
  event->accept();
}

// --- Keyboard --------------------------------------------------------------------------------------

bool TMainForm::HandleKey(QKeyEvent* key) {
  // Nothing while the progress window holds the program.
  if (ProgressShown()) return false;
  const MainControls& c = frame_->controls();
  switch (key->key()) {
    case Qt::Key_Space:
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
      if (key->key() == Qt::Key_Space && qobject_cast<QLineEdit*>(QApplication::focusWidget())) return false;
      player_->PlayOrStop();
      return true;
    case Qt::Key_MediaNext:
      app_.StepTrackKey(+1);
      return true;
    case Qt::Key_MediaPrevious:
      app_.StepTrackKey(-1);
      return true;
    case Qt::Key_Back:
      if (c.BackBtn->isEnabled()) c.BackBtn->click();
      return true;
    case Qt::Key_Forward:
      if (c.ForwardBtn->isEnabled()) c.ForwardBtn->click();
      return true;
    case Qt::Key_HomePage:
      c.HomeBtn->click();
      return true;
    default:
      return false;
  }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // While the progress window holds the program none of its commands starts:
  // their shortcuts live on this window, which stays enabled so that it
  // repaints. (A message box's own keys still work.)
  if (type == QEvent::Shortcut && ProgressShown() && qobject_cast<QAction*>(watched) && OwnedBy(watched, this))
    return true;
  if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType()) {
    auto* key = static_cast<QKeyEvent*>(event);
    // Left and Right seek the preview, for the whole application.
    if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) {
      Player& player = app_.player();
      if (type == QEvent::KeyRelease)
        player.ArrowKeyUp();
      else if (key->key() == Qt::Key_Left)
        player.LeftKeyDown();
      else
        player.RightKeyDown();
      return true;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (type == QEvent::KeyPress && isActiveWindow() && widget->window() == this && HandleKey(key)) return true;
  }
  if (type == QEvent::ApplicationStateChange && watched == qApp) {
    if (QGuiApplication::applicationState() == Qt::ApplicationActive)
      app_.player().Activated();
    else
      app_.player().Deactivated();
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace trakvella
