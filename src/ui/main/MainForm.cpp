#include "ui/main/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>
#include <system_error>

#include "ui/lang/LangCaptions.h"
#include "core/lang/Locale.h"
#include "core/lang/MessageTable.h"
#include "ui/wait/WaitForm.h"
#include "ui/search/SearchPanel.h"
#include "core/player/Player.h"
#include "ports/HttpClient.h"
#include "ports/MediaDevice.h"
#include "core/net/Downloads.h"

namespace trakvella {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr int kMinWidth = 940;
constexpr int kMinHeight = 768;

YearMonth SystemToday() {
  QDate d = QDate::currentDate();
  return {d.year(), d.month()};
}

}  // namespace

namespace {
// The long operations of the lists report to the progress window once the
// program start has made it; before that, nowhere.
class WaitFormRelay : public Progress {
 public:
  explicit WaitFormRelay(const TMainForm& form) : form_(form) {}
  void ShowProgress(const std::string& text, ProgressMode mode, bool tall) override {
    if (Target()) Target()->ShowProgress(text, mode, tall);
  }
  void SetStatus(const std::string& text) override {
    if (Target()) Target()->SetStatus(text);
  }
  void SetPerMille(int value) override {
    if (Target()) Target()->SetPerMille(value);
  }
  bool Cancelled() const override { return Target() && Target()->Cancelled(); }
  void ClearCancel() override {
    if (Target()) Target()->ClearCancel();
  }
  void pump() override {
    if (Target()) Target()->pump();
  }

 private:
  Progress* Target() const;
  const TMainForm& form_;
};
}  // namespace

TMainForm::TMainForm(const MainFormOptions& options, const MainFormPorts& ports, QWidget* parent)
    : QMainWindow(parent),
      options_(options),
      dialogs_(ports.dialogs),
      clipboard_(ports.clipboard),
      shell_(ports.shell),
      random_(ports.random),
      mediaDevice_(ports.mediaDevice),
      http_(ports.http),
      networkHolder_(std::make_unique<NetworkState>()),
      network_(*networkHolder_) {
  setObjectName("MainForm");
  progress_ = std::make_unique<WaitFormRelay>(*this);
  browser_ = std::make_unique<Browser>(catalogue_, *dialogs_, *progress_, *random_, [this] { return language_; });

  // The endpoints and the demo server 1 as the demo base.
  endpoints_ = ReadServerConfig(options_.programFolder);
  demoBaseUrl_ = endpoints_.demoServer1;

  // The local audio folder.
  std::error_code ec;
  std::filesystem::create_directories(options_.programFolder / "audio", ec);
  if (!std::filesystem::is_directory(options_.programFolder / "audio", ec))
    dialogs_->Message(LangMessage(language_, Msg::CannotCreateFolder), MessageKind::Error, MessageButtons::Ok);

  CreateControls();
  CreateMenus();
  CreateLists();
  ConnectListCommands();
  CreatePlayer();
  ConnectCollectionCommands();
  setMinimumSize(kMinWidth, kMinHeight);
  resize(kMinWidth, kMinHeight);

  // The catalogue tables; a catalogue folder given that does not exist is reported
  // and the embedded catalogue is used.
  std::string error;
  resources_ = OpenCatalogueResources(options_.catalogueFolder, options_.programFolder, error);
  if (!resources_) {
    dialogs_->Message(error, MessageKind::Error, MessageButtons::Ok);
    resources_ = std::make_unique<EmbeddedResourceStore>();
  }
  catalogue_.ReadCatalogueTables(*resources_, *dialogs_);

  // The switches' design defaults (a settings file, when there is one, replaces them).
  ApplySwitches(settings_);
  Item("SrvItem1")->setChecked(true);  // demo server 1 until the settings say otherwise

  // The language of the system; the settings file, when there is one, overrides it.
  SetLanguage(LanguageFromLocaleId(SystemLanguageId()));
  RegisterCaptionWindow("TMainForm", this);
  // The window sees keys before its controls.
  qApp->installEventFilter(this);
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(this);
  UnregisterCaptionWindow(this);
}

Progress* WaitFormRelay::Target() const { return form_.waitForm(); }

// --- Controls ----------------------------------------------------------------------

void TMainForm::CreateControls() {
  auto* central = new QWidget(this);
  central->setObjectName("ClientArea");
  setCentralWidget(central);

  auto button = [&](QWidget* parent, const char* name, const char* hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(QString::fromUtf8(hint));
    b->setAutoRaise(true);
    b->setEnabled(false);
    return b;
  };

  InstrPanel = new QFrame(central);
  InstrPanel->setObjectName("InstrPanel");
  InstrPanel->setFrameShape(QFrame::StyledPanel);
  HomeBtn = button(InstrPanel, "HomeBtn", "В начало");
  BackBtn = button(InstrPanel, "BackBtn", "Назад");
  ForwardBtn = button(InstrPanel, "ForwardBtn", "Вперед");
  FAvBut = button(InstrPanel, "FAvBut", "Избранное");
  SearchBut = button(InstrPanel, "SearchBut", "Панель поиска музыки");
  SearchBut->setCheckable(true);
  SearchNameBut = button(InstrPanel, "SearchNameBut", "Поиск треков по имени");
  MemCopyBut = button(InstrPanel, "MemCopyBut", "Скопировать трек в текущий набор");
  MemOperBut = button(InstrPanel, "MemOperBut", "Перейти к работе с набором...");
  TrInfoBut = button(InstrPanel, "TrInfoBut", "Информация о треке");
  TrPassportBut = button(InstrPanel, "TrPassportBut", "Паспорт ролика");
  OptionBut = button(InstrPanel, "OptionBut", "Открыть меню опций");
  OptionBut->setEnabled(true);
  const std::pair<QToolButton*, const char*> glyphs[] = {
      {HomeBtn, "⌂"}, {BackBtn, "◀"}, {ForwardBtn, "▶"}, {FAvBut, "★"}, {SearchBut, "🔍"}, {SearchNameBut, "Aa"},
      {MemCopyBut, "+"}, {MemOperBut, "☰"}, {TrInfoBut, "i"}, {TrPassportBut, "P"}, {OptionBut, "⚙"}};
  int x = 4;
  for (auto [b, glyph] : glyphs) {
    b->setText(QString::fromUtf8(glyph));
    b->setGeometry(x, 3, 28, 26);
    x += 30;
  }
  memCountLbl = new QLabel(InstrPanel);
  memCountLbl->setObjectName("memCountLbl");
  memCountLbl->setGeometry(x + 4, 3, 60, 26);
  SortInfoLbl = new QLabel(InstrPanel);
  SortInfoLbl->setObjectName("SortInfoLbl");
  SortInfoLbl->setToolTip(QString::fromUtf8("Режим сортировки треков"));
  SortInfoLbl->hide();
  SortButDn = new QLabel(QString::fromUtf8("▼"), InstrPanel);
  SortButDn->setObjectName("SortButDn");
  SortButDn->setToolTip(QString::fromUtf8("Обратный порядок"));
  SortButDn->hide();
  SortButUp = new QLabel(QString::fromUtf8("▲"), InstrPanel);
  SortButUp->setObjectName("SortButUp");
  SortButUp->setToolTip(QString::fromUtf8("Обратный порядок"));
  SortButUp->hide();

  TxTPanel = new QFrame(central);
  TxTPanel->setObjectName("TxTPanel");
  CDCatInfo = new QLabel(TxTPanel);
  CDCatInfo->setObjectName("CDCatInfo");
  auto* txtLayout = new QVBoxLayout(TxTPanel);
  txtLayout->setContentsMargins(2, 0, 2, 0);
  txtLayout->addWidget(CDCatInfo);

  // The two lists: views over models the browsing code provides (no item per row).
  CDCatBox = new QListView(central);
  CDCatBox->setObjectName("CDCatBox");
  CDCatBox->setUniformItemSizes(true);
  CDCatBox->setContextMenuPolicy(Qt::CustomContextMenu);
  FileBox = new QListView(central);
  FileBox->setObjectName("FileBox");
  FileBox->setUniformItemSizes(true);
  FileBox->setContextMenuPolicy(Qt::CustomContextMenu);

  KeyBox = new QComboBox(central);
  KeyBox->setObjectName("KeyBox");
  KeyBox->setEditable(true);
  KeyBox->setToolTip(QString::fromUtf8("Список тэгов сборников"));
  KeyBox->setMaxVisibleItems(34);
  KeyBox->setEnabled(false);
  KeyBut = button(central, "KeyBut", "Показать сборники по тэгу");
  KeyBut->setText(QString::fromUtf8("»"));

  Gb = new QLabel(QStringLiteral("00:00"), central);
  Gb->setObjectName("Gb");
  Gb->setToolTip(QString::fromUtf8("Время"));
  PlayBar = new QProgressBar(central);
  PlayBar->setObjectName("PlayBar");
  PlayBar->setToolTip(QString::fromUtf8("Позиция в треке"));
  PlayBar->setTextVisible(false);
  PlayBar->setRange(0, 1000);
  PlayBar->setValue(0);
  Playbut = button(central, "Playbut", "Играть (Пробел)");
  Playbut->setText(QString::fromUtf8("▶"));
  PauseBut = button(central, "PauseBut", "Пауза");
  PauseBut->setText(QString::fromUtf8("‖"));
  StopBut = button(central, "StopBut", "Стоп (Пробел)");
  StopBut->setText(QString::fromUtf8("■"));

  SearchPanel = new QFrame(central);
  SearchPanel->setObjectName("SearchPanel");
  SearchPanel->hide();
  PanelShape = new QFrame(central);
  PanelShape->setObjectName("PanelShape");
  PanelShape->hide();
  DotShape = new QFrame(central);
  DotShape->setObjectName("DotShape");
  DotShape->hide();

  // The cover panel shown while the library initialises.
  offPanel = new QFrame(central);
  offPanel->setObjectName("offPanel");
  offPanel->setAutoFillBackground(true);
  offPanel->setFrameShape(QFrame::StyledPanel);
  RegInfoLbl = new QLabel(offPanel);
  RegInfoLbl->setObjectName("RegInfoLbl");
  RegInfoLbl->setAlignment(Qt::AlignCenter);
  RegInfoLbl->setWordWrap(true);
  auto* coverLayout = new QVBoxLayout(offPanel);
  coverLayout->addWidget(RegInfoLbl);
  offPanel->hide();

  StatusBar = new QStatusBar(this);
  StatusBar->setObjectName("StatusBar");
  StatusBar->setSizeGripEnabled(false);
  setStatusBar(StatusBar);
  for (int i = 0; i < 5; ++i) {
    statusFields_[i] = new QLabel(StatusBar);
    statusFields_[i]->setObjectName(QStringLiteral("StatusField%1").arg(i));
    statusFields_[i]->setFrameShape(QFrame::Panel);
    statusFields_[i]->setFrameShadow(QFrame::Sunken);
    StatusBar->addWidget(statusFields_[i]);
  }
}

// --- Menus ------------------------------------------------------------------------

QAction* TMainForm::AddItem(QMenu* menu, const QString& name, const QString& caption, bool checkable,
                            const QKeySequence& shortcut) {
  auto* a = new QAction(caption, menu);
  a->setObjectName(name);
  a->setCheckable(checkable);
  if (!shortcut.isEmpty()) {
    // The window holds the command too, so its key works while the menu is closed.
    a->setShortcut(shortcut);
    addAction(a);
  }
  a->setEnabled(false);  // enabled by the subsystem that builds the command
  menu->addAction(a);
  items_[name] = a;
  return a;
}

QMenu* TMainForm::AddSubMenu(QMenu* parentMenu, const QString& name, const QString& caption) {
  auto* m = new QMenu(caption, parentMenu);
  m->setObjectName(name);
  parentMenu->addMenu(m);
  subMenus_[name] = m;
  return m;
}

QAction* TMainForm::Item(const QString& name) const {
  auto it = items_.find(name);
  return it == items_.end() ? nullptr : it->second;
}

QMenu* TMainForm::SubMenu(const QString& name) const {
  auto it = subMenus_.find(name);
  return it == subMenus_.end() ? nullptr : it->second;
}

namespace {
// The main-menu twin of a pop-up item: "MM" + its name, with four old exceptions.
QString TwinName(const QString& name) {
  if (name == "TrackInfoItem") return "MMTrackInfoButton";
  if (name == "Autoplay1") return "MMAutoPlay1";
  if (name == "Initializelibrary1") return "MMInitializelibrary";
  if (name == "gotocdurl") return "MMGotoCDurl";
  return "MM" + name;
}
}  // namespace

// Copies a pop-up menu's items into a main menu as their twins. The pop-up item is
// the master: the twin runs it and follows its check mark and enabled state.
void TMainForm::AddTwins(QMenu* from, QMenu* to) {
  for (QAction* a : from->actions()) {
    if (a->isSeparator()) {
      to->addSeparator();
      continue;
    }
    if (QMenu* sub = a->menu()) {
      QMenu* twin = AddSubMenu(to, TwinName(sub->objectName()), sub->title());
      AddTwins(sub, twin);
      continue;
    }
    QAction* twin = AddItem(to, TwinName(a->objectName()), a->text(), a->isCheckable(), a->shortcut());
    twin->setShortcut({});  // one shortcut per command: the pop-up item holds it
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

void TMainForm::CreateMenus() {
  auto text = [](const char* s) { return QString::fromUtf8(s); };

  // The track pop-up menu (also opened by OptionBut).
  TrPopupMenu = new QMenu(this);
  TrPopupMenu->setObjectName("TrPopupMenu");
  QMenu* set = AddSubMenu(TrPopupMenu, "MSetItem", text("Набор"));
  AddItem(set, "Copy1", text("Скопировать трек в текущий набор"), false, QKeySequence(Qt::Key_F5));
  AddItem(set, "copyAll", text("Скопировать все треки в набор ..."));
  AddItem(set, "MemoryOperations1", text("Перейти к работе с набором..."), false, QKeySequence(Qt::Key_F10));
  QMenu* files = AddSubMenu(TrPopupMenu, "FilesItem", text("Файлы"));
  AddItem(files, "demodownitem", text("Скачать демо трека"));
  AddItem(files, "downitem", text("Скачать трек по Подписке"));
  AddItem(files, "Gotofilefolder1", text("Перейти к месту хранения трека..."), false, QKeySequence(Qt::Key_F7));
  AddItem(files, "CopyFName", text("Скопировать полное имя файла"), false, QKeySequence(Qt::CTRL | Qt::Key_C));
  AddItem(files, "CopyNameItem", text("Скопировать название трека в буфер"));
  AddItem(files, "PassportItem", text("Паспорт ролика"));
  AddItem(files, "TrackInfoItem", text("Информация ..."));
  QMenu* show = AddSubMenu(TrPopupMenu, "TrackShowItem", text("Показать треки..."));
  AddItem(show, "mTempKeyItem", text("В той же тональности и темпе"));
  AddItem(show, "mKeyItem", text("В той же тональности"));
  AddItem(show, "mTempItem", text("В близком темпе"));
  AddItem(show, "SearchTitleItem", text("Поиск по названию"), false, QKeySequence(Qt::CTRL | Qt::Key_F));
  AddItem(show, "Top100Item", text("Топ 100"));
  AddItem(show, "luckyItem", text("Мне повезет!"));
  QMenu* play = AddSubMenu(TrPopupMenu, "PlayOpItem", text("Воспроизведение"));
  AddItem(play, "Autoplay1", text("Автовоспроизведение"), true);
  AddItem(play, "NonStopPlaying", text("Играть треки подряд, не прекращая"), true);
  AddItem(play, "BackGrItem", text("Играть фоном, когда приложение неактивно"), true);
  AddItem(play, "extplayeritem", text("Использовать встроенный плеер программы RQ2"), true);
  AddItem(play, "userplayeritem", text("Назначить свой плеер"));
  QMenu* view = AddSubMenu(TrPopupMenu, "VisTracksItem", text("Отображение треков"));
  AddItem(view, "showtime", text("Показывать время"), true);
  AddItem(view, "showcode", text("Показывать код"), true);
  AddItem(view, "showname", text("Показывать название"), true);
  AddItem(view, "showcomposer", text("Показать автора (а)"), true);
  AddItem(view, "showartist", text("Показать исполнителя (и)"), true);
  AddItem(view, "showstyle", text("Показать стили"), true);
  view->addSeparator();
  AddItem(view, "SortOrdItem", text("Сортировать по порядку"), true)->setChecked(true);
  AddItem(view, "SortPopularItem", text("Сортировать по популярности"), true);
  AddItem(view, "SortLenItem", text("Сортировать по длительности"), true);
  AddItem(view, "SortTempoItem", text("Сортировать темпу"), true);
  AddItem(view, "ReverseSortItem", text("Обратный порядок"), true);
  view->addSeparator();
  AddItem(view, "FontSetupItem", text("Настройка шрифта..."));
  AddItem(view, "scaleup", text("Размер шрифта +"), false, QKeySequence(Qt::CTRL | Qt::Key_Plus));
  AddItem(view, "scaledown", text("Размер шрифта -"), false, QKeySequence(Qt::CTRL | Qt::Key_Minus));
  QMenu* podp = AddSubMenu(TrPopupMenu, "PodpItem", text("Подписка"));
  AddItem(podp, "PodQuotaItem", text("Войти в аккаунт Подписки"));
  AddItem(podp, "ShowPodListItem", text("Список Подписок"));
  AddItem(podp, "ShowPodItem", text("Показать скачанные по Подписке"));
  AddItem(podp, "PodDocItem", text("Документы Подписки"));
  AddItem(podp, "quitpodpiska", text("Выйти из Подписки"));
  QMenu* service = AddSubMenu(TrPopupMenu, "Service1", text("Сервис"));
  AddItem(service, "OfflineModeItem", text("Автономный режим"), true);
  AddItem(service, "Initializelibrary1", text("Инициализировать библиотеку"));
  QMenu* lang = AddSubMenu(service, "Lang", text("Язык программы"));
  AddItem(lang, "Lang0", text("Английский"))->setProperty("Tag", 0);
  AddItem(lang, "Lang1", text("Русский"))->setProperty("Tag", 1);
  QMenu* srv = AddSubMenu(service, "SrvItem", text("Сервер демо"));
  AddItem(srv, "SrvItem1", text("Сервер 1"), true);
  AddItem(srv, "SrvItem2", text("Сервер 2"), true);
  AddItem(service, "ShowLocalItem", text("Показать локальные треки"));

  // The category pop-up menu.
  SimilarCDMenu = new QMenu(this);
  SimilarCDMenu->setObjectName("SimilarCDMenu");
  AddItem(SimilarCDMenu, "ShowAllCDsItem", text("Показать все сборники"));
  AddItem(SimilarCDMenu, "SortNewItem", text("Показывать сначала новые"), true)->setChecked(true);
  AddItem(SimilarCDMenu, "ShowAllSimCDItem", text("Показать все похожие сборники"));
  AddItem(SimilarCDMenu, "InfoItem", text("Показать информацию о сборнике"));
  AddItem(SimilarCDMenu, "AlwaysInfo", text("Всегда показывать информацию"), true);
  AddItem(SimilarCDMenu, "gotocdurl", text("Перейти на страницу сборника"), false, QKeySequence(Qt::Key_F11));
  AddItem(SimilarCDMenu, "GoRootItem", text("Перейти в начало каталога"));

  // The favourites menu: two fixed items and a separator, then the favourites.
  FavMenu = new QMenu(this);
  FavMenu->setObjectName("FavMenu");
  AddItem(FavMenu, "Addtofavorites", text("Добавить текущее место"), false, QKeySequence(Qt::CTRL | Qt::Key_D));
  AddItem(FavMenu, "OrgFavorites", text("Редактировать Избранное..."));
  FavMenu->addSeparator();

  // The small sort menu under the sort label.
  SortPopUpMenu = new QMenu(this);
  SortPopUpMenu->setObjectName("SortPopUpMenu");
  for (const char* name : {"SortOrdItem2", "SortPopularItem2", "SortLenItem2", "SortTempoItem2", "ReverseSortItem2"})
    AddItem(SortPopUpMenu, name, Item(QString(name).chopped(1))->text(), true);

  // The main menu: "Выполнить", "Сборники", "Треки", "Подписка", "Сервис".
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu");
  auto barMenu = [&](const char* name, const char* caption) {
    auto* m = new QMenu(text(caption), bar);
    m->setObjectName(name);
    bar->addMenu(m);
    subMenus_[name] = m;
    return m;
  };
  QMenu* run = barMenu("MMComItem", "Выполнить");
  AddItem(run, "MMGoRootItem", text("Перейти в начало каталога"));
  AddItem(run, "MMSearchItem", text("Поиск"));
  AddItem(run, "MMmemItem", text("Набор треков"));
  run->addSeparator();
  QAction* exitItem = AddItem(run, "MMExitItem", text("Выход"));
  exitItem->setEnabled(true);
  connect(exitItem, &QAction::triggered, this, &QWidget::close);
  QMenu* cds = barMenu("MMCDItem", "Сборники");
  for (QAction* a : SimilarCDMenu->actions()) {
    if (a->objectName() == "GoRootItem") continue;  // its twin stands in "Выполнить"
    QMenu holder;  // twins one at a time, keeping the main menu's own order
    holder.addAction(a);
    AddTwins(&holder, cds);
  }
  connect(Item("GoRootItem"), &QAction::changed, this,
          [this] { Item("MMGoRootItem")->setEnabled(Item("GoRootItem")->isEnabled()); });
  QMenu* tracks = barMenu("MMTrackItem", "Треки");
  for (const char* sub : {"MSetItem", "FilesItem", "TrackShowItem", "PlayOpItem", "VisTracksItem"}) {
    QMenu holder;
    holder.addMenu(SubMenu(sub));
    AddTwins(&holder, tracks);
  }
  AddItem(tracks, "MMGotoTrackURLitem", text("Перейти на страницу трека"), false, QKeySequence(Qt::Key_F12));
  AddTwins(podp, barMenu("MMPodItem", "Подписка"));
  AddTwins(service, barMenu("MMServItem", "Сервис"));

  // The developer menu, hidden until Ctrl+Alt+D.
  QMenu* dev = barMenu("DevMenu", "Меню разработчика");
  dev->menuAction()->setVisible(false);
  QAction* allowOpen = AddItem(dev, "AllowOpenCD", QStringLiteral("Allow Open CD"), true);
  allowOpen->setChecked(true);
  allowOpen->setEnabled(true);
  auto* showMe = new QAction(text("Показать меню разработчика"), this);
  showMe->setObjectName("ShowMe1");
  showMe->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
  addAction(showMe);
  connect(showMe, &QAction::triggered, dev, [dev] { dev->menuAction()->setVisible(true); });

  // What this build already does.
  for (const char* name : {"Lang0", "Lang1"}) {
    QAction* a = Item(name);
    a->setEnabled(true);
    a->setIcon(FlagIcon(a->property("Tag").toInt()));
    connect(a, &QAction::triggered, this, [this, a] { LangClick(a); });
  }
  for (const char* name : {"FontSetupItem", "scaleup", "scaledown"}) Item(name)->setEnabled(true);
  Item("OfflineModeItem")->setEnabled(true);
  connect(Item("OfflineModeItem"), &QAction::triggered, this, [this] {
    // The check mark changes only when the user says Yes.
    QAction* item = Item("OfflineModeItem");
    item->setChecked(!item->isChecked());
    OfflineModeItemClick();
  });
  Item("Initializelibrary1")->setEnabled(true);
  connect(Item("Initializelibrary1"), &QAction::triggered, this,
          [this] { InitializelibraryClick(QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier); });
  connect(Item("scaleup"), &QAction::triggered, this, [this] { ScaleFont(+1); });
  connect(Item("scaledown"), &QAction::triggered, this, [this] { ScaleFont(-1); });
  connect(Item("FontSetupItem"), &QAction::triggered, this, [this] { FontSetupItemClick(); });
  OptionBut->setMenu(TrPopupMenu);
  OptionBut->setPopupMode(QToolButton::InstantPopup);
  FAvBut->setMenu(FavMenu);
  FAvBut->setPopupMode(QToolButton::InstantPopup);
  // Twins made before these changes follow them through QAction::changed.
  for (auto& [name, item] : items_)
    if (name.startsWith("MM") && Item(name.mid(2))) item->setEnabled(Item(name.mid(2))->isEnabled());
}

// --- Language --------------------------------------------------------------------------

QIcon TMainForm::FlagIcon(int language) const {
  QPixmap flag(16, 11);
  QPainter p(&flag);
  if (language == kRussian) {
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

int TMainForm::Language() const { return language_; }

void TMainForm::SetLanguage(int language) {
  language_ = language;
  // The language menus show the chosen language's flag.
  QIcon flag = (language == kEnglish || language == kRussian) ? FlagIcon(language) : QIcon();
  if (QMenu* m = SubMenu("Lang")) m->setIcon(flag);
  if (QMenu* m = SubMenu("MMLang")) m->setIcon(flag);
}

bool TMainForm::IsOffline() const {
  return options_.localSwitch || (Item("OfflineModeItem") && Item("OfflineModeItem")->isChecked());
}

void TMainForm::LangClick(QAction* sender) {
  // 1. The language and the flags of both language menus.
  const int previous = language_;
  SetLanguage(sender->property("Tag").toInt());
  // 2. The tag box in the new language, keeping the chosen tag.
  browser_->RebuildTagList(previous);
  // 3. The current level again, so category names show in the new language.
  browser_->ShowCurrentLevel();
  // 4. The caption.
  if (libraryInitialised()) UpdateCaption();
  // 5. Every caption of every window.
  ApplyCaptions();
  // 6. The sort order becomes "by order" (the label in the new language).
  SortOrdItemClick(Item("SortOrdItem"));
  // 7. The search panel's lists in the new language.
  searchPanel_->LanguageChanged();
  if (browser_->searchPanelShown) EnterSearchMode();
  Refresh();
  emit languageChanged(language_);
}

void TMainForm::ApplyCaptions() {
  RegInfoLbl->setText(Q(LangMessage(language_, Msg::Copyright)));
  SetLangCaptions(language_, [this](std::string_view english) -> std::optional<std::string> {
    auto t = catalogue_.Translation(english);
    if (!t) return std::nullopt;
    return std::string(*t);
  });
}

void TMainForm::UpdateCaption() { setWindowTitle(Q(catalogue_.UpdateCaption(language_))); }

// --- Settings ----------------------------------------------------------------------------

bool TMainForm::ReadAndApplySettings() {
  Settings s;
  const bool existed = ReadSettings(options_.programFolder, s);
  if (existed) {
    ApplySettings(s);
  } else {
    // No settings: the design defaults stay and the window is centred on the desktop.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect r = screen->availableGeometry();
      move(r.center() - QPoint(width() / 2, height() / 2));
    }
  }
  return existed;
}

void TMainForm::ApplySettings(const Settings& s) {
  settings_ = s;
  // Placement.
  if (s.windowState == WindowState::Maximized) {
    setWindowState(windowState() | Qt::WindowMaximized);
  } else {
    resize(std::max(s.width, kMinWidth), std::max(s.height, kMinHeight));
    if (s.top && s.left) move(*s.left, *s.top);
  }
  ApplySwitches(s);
  // The stored favourites, into the menu and the organiser.
  browser_->SetFavourites(s.favourites);
  RebuildFavouritesMenu();
  // Demo server: "1" or "2" check the server items; anything else is a custom base
  // and hides the server menus. WEBROOTURL overrides the base.
  const int server = s.DemoServerNumber();
  for (const char* menu : {"SrvItem", "MMSrvItem"})
    if (QMenu* m = SubMenu(menu)) m->menuAction()->setVisible(server != 0);
  if (server != 0) {
    Item("SrvItem1")->setChecked(server == 1);
    Item("SrvItem2")->setChecked(server == 2);
  }
  demoBaseUrl_ = DemoBaseUrl(s, endpoints_);
}

void TMainForm::ApplySwitches(const Settings& s) {
  // List font: the font, when given, wins over ItemHeight.
  if (s.font) ApplyListFont(*s.font);
  SetItemHeight(ListItemHeight(s, logicalDpiY()));
  // Switches.
  Item("OfflineModeItem")->setChecked(s.offlineMode);
  Item("Autoplay1")->setChecked(s.autoplay);
  Item("NonStopPlaying")->setChecked(s.nonStop);
  Item("BackGrItem")->setChecked(s.bkgPlay);
  Item("showname")->setChecked(s.showName);
  Item("showcode")->setChecked(s.showCode);
  Item("showcomposer")->setChecked(s.showComposer);
  Item("showartist")->setChecked(s.showArtist);
  Item("showstyle")->setChecked(s.showStyle);
  Item("showtime")->setChecked(s.showTime);
  Item("extplayeritem")->setChecked(s.extPlayer);
  Item("AlwaysInfo")->setChecked(s.alwaysInfo);
  browser_->options = {s.showTime, s.showCode, s.showName, s.showComposer, s.showArtist, s.showStyle};
  browser_->alwaysInfo = s.alwaysInfo;
  if (player_) player_->SetUserPlayer(s.userPlayer);
  SetLanguage(s.language);
}

Settings TMainForm::CollectSettings() const {
  Settings s = settings_;
  s.windowState = isMinimized() ? WindowState::Minimized
                  : isMaximized() ? WindowState::Maximized
                                  : WindowState::Normal;
  const QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
  s.top = g.top();
  s.left = g.left();
  s.width = g.width();
  s.height = g.height();
  const QFont f = CDCatBox->font();
  FontSpec font;
  font.color = listFontColor_;
  font.size = f.pointSize() > 0 ? f.pointSize() : 9;
  font.height = -MulDiv(font.size, logicalDpiY(), 72);
  font.name = f.family().toStdString();
  font.pitch = f.fixedPitch() ? 2 : 0;
  font.bold = f.bold();
  font.italic = f.italic();
  font.underline = f.underline();
  font.strikeOut = f.strikeOut();
  s.font = font;
  s.offlineMode = Item("OfflineModeItem")->isChecked();
  s.autoplay = Item("Autoplay1")->isChecked();
  s.nonStop = Item("NonStopPlaying")->isChecked();
  s.bkgPlay = Item("BackGrItem")->isChecked();
  s.showName = Item("showname")->isChecked();
  s.showCode = Item("showcode")->isChecked();
  s.showComposer = Item("showcomposer")->isChecked();
  s.showArtist = Item("showartist")->isChecked();
  s.showStyle = Item("showstyle")->isChecked();
  s.showTime = Item("showtime")->isChecked();
  s.extPlayer = Item("extplayeritem")->isChecked();
  s.alwaysInfo = Item("AlwaysInfo")->isChecked();
  s.userPlayer = player_->UserPlayer();
  s.favourites = browser_->favourites();
  s.language = language_;
  // The demo server: the menu's choice while the server menus show, else the custom base.
  if (SubMenu("SrvItem")->menuAction()->isVisible())
    s.webSrv = Item("SrvItem2")->isChecked() ? "2" : "1";
  else
    s.webSrv = demoBaseUrl_;
  return s;
}

// --- List font -------------------------------------------------------------------------

void TMainForm::ApplyListFont(const FontSpec& font) {
  QFont f = CDCatBox->font();
  f.setFamily(Q(font.name));
  if (font.size > 0) f.setPointSize(font.size);
  f.setFixedPitch(font.pitch == 2);
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikeOut);
  listFontColor_ = font.color;
  CDCatBox->setFont(f);
  FileBox->setFont(f);
  SetItemHeight(ItemHeightForFont(logicalDpiY(), f.pointSize()));
}

void TMainForm::ScaleFont(int delta) {
  QFont f = CDCatBox->font();
  const int size = f.pointSize();
  if ((delta > 0 && size >= 20) || (delta < 0 && size < 7)) return;
  f.setPointSize(size + delta);
  CDCatBox->setFont(f);
  FileBox->setFont(f);
  SetItemHeight(itemHeight_ + 3 * delta);
}

void TMainForm::FontSetupItemClick() {
  bool ok = false;
  QFont f = QFontDialog::getFont(&ok, CDCatBox->font(), this);
  if (!ok) return;
  if (f.pointSize() < 6) f.setPointSize(6);
  CDCatBox->setFont(f);
  FileBox->setFont(f);
  SetItemHeight(ItemHeightForFont(logicalDpiY(), f.pointSize()));
}

// --- Status bar ------------------------------------------------------------------------

void TMainForm::SetStatusField(int index, const QString& text) {
  if (index >= 0 && index < 5) statusFields_[index]->setText(text);
}

QString TMainForm::StatusField(int index) const {
  return index >= 0 && index < 5 ? statusFields_[index]->text() : QString();
}

// --- Layout ---------------------------------------------------------------------------------

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutControls();
}

void TMainForm::LayoutControls() {
  const QWidget* client = centralWidget();
  const int w = client->width(), h = client->height();
  const int panelWidth = w - 32;
  InstrPanel->setGeometry(16, 2, panelWidth, 32);
  TxTPanel->setGeometry(16, 36, panelWidth, 22);
  const int listWidth = panelWidth / 2 - 4;
  const int listHeight = h - 106;
  const int top = 62;
  CDCatBox->setGeometry(16, top, listWidth, listHeight);
  FileBox->setGeometry(16 + listWidth + 8, top, listWidth, listHeight);
  offPanel->setGeometry(16, top, panelWidth, h - 106);
  // Sort controls at the right of the tool panel.
  SortInfoLbl->setGeometry(panelWidth - 220, 3, 190, 26);
  SortButDn->setGeometry(panelWidth - 24, 3, 20, 26);
  SortButUp->setGeometry(panelWidth - 24, 3, 20, 26);

  // Under the lists.
  const int below = top + listHeight + 6;
  KeyBox->setGeometry(16, below, listWidth - 27, 24);
  KeyBox->setMaxVisibleItems(std::max(1, listHeight / 14));
  KeyBut->setGeometry(16 + listWidth - 25, below, 25, 24);
  const int fileLeft = FileBox->x(), fileRight = FileBox->x() + FileBox->width();
  Gb->setGeometry(fileLeft, below, 56, 24);
  PlayBar->setGeometry(fileLeft + 58, below + 6, listWidth - 104, 12);
  Playbut->setGeometry(fileRight - 44, below, 14, 24);
  PauseBut->setGeometry(fileRight - 29, below, 14, 24);
  StopBut->setGeometry(fileRight - 14, below, 14, 24);
  if (searchPanel_) LayoutSearchPanel();

  // Status bar: field 1 takes all but 240 pixels.
  const int fixed[5] = {50, 0, 60, 50, 80};
  for (int i = 0; i < 5; ++i)
    statusFields_[i]->setFixedWidth(i == 1 ? std::max(0, StatusBar->width() - 240) : fixed[i]);
}

// --- Lifecycle ---------------------------------------------------------------------------

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  LayoutControls();
}

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // The first activation initialises the library.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && tag_ == 0) FirstActivation();
}

void TMainForm::FirstActivation() {
  if (tag_ != 0) return;
  tag_ = 1;
  offPanel->show();
  offPanel->raise();
  InitialiseLibrary();
}

void TMainForm::InitialiseLibrary() {
  player_->CloseDevice();
  RegInfoLbl->setText(Q(LangMessage(language_, Msg::Copyright)));
  offPanel->show();
  offPanel->raise();
  // Both lists and the navigation start afresh, sorted by order.
  browser_->Reset();
  Refresh();
  SortOrdItemClick(Item("SortOrdItem"));
  Progress* progress = waitForm_ ? static_cast<Progress*>(waitForm_) : nullptr;
  SilentProgress silent;
  LoadOptions options;
  options.offline = IsOffline();
  options.programFolder = options_.programFolder;
  options.today = options_.today ? options_.today() : SystemToday();
  options.language = language_;
  options.setCaption = [this](const std::string& caption) { setWindowTitle(Q(caption)); };
  catalogue_.LoadCatalogue(*resources_, options, *dialogs_, progress ? *progress : silent);
  // The root of the category tree, and the tag box.
  browser_->FillTagList();
  browser_->Home();
  Refresh();
  if (progress) progress->ShowProgress(LangMessage(language_, Msg::EnteringAccount), ProgressMode::Show);
  // The subscription account comes with its window; the Top 100 list only while
  // the network has worked.
  if (network_.networkState == kNetworkWorking && !IsOffline()) LoadTopList();
  if (progress) progress->ShowProgress("", ProgressMode::Hide);
  offPanel->hide();
  UpdateCaption();
  mpTimer->start();
}

void TMainForm::ReinitialiseLibrary(bool showStartWindow) {
  (void)showStartWindow;  // the start window comes with the web update
  browser_->LeaveResultMode();
  player_->StopButClick();
  mpTimer->stop();
  ApplyCaptions();
  offPanel->show();
  offPanel->raise();
  InitialiseLibrary();
}

void TMainForm::OfflineModeItemClick() {
  QAction* item = Item("OfflineModeItem");
  const bool on = item->isChecked();
  const MessageAnswer answer = dialogs_->Message(LangMessage(language_, on ? Msg::EnableOnlineMode : Msg::EnableOfflineMode), MessageKind::Confirmation,
                                                 MessageButtons::YesNo);
  if (answer != MessageAnswer::Yes) return;
  item->setChecked(!on);
  if (!on) {
    // Offline now: offer the page where the demo files can be downloaded.
    if (dialogs_->Message(LangMessage(language_, Msg::StartBrowserForDemo), MessageKind::Warning, MessageButtons::YesNo) ==
        MessageAnswer::Yes)
      shell_->OpenUrl(DemoDownloadPageUrl(endpoints_));
  }
  ReinitialiseLibrary(false);
}

void TMainForm::InitializelibraryClick(bool shiftHeld) {
  demoBaseUrl_ = endpoints_.demoServer1;
  if (shiftHeld) {
    while (true) {
      auto url = dialogs_->Input(LangMessage(language_, Msg::CustomDemoServer), LangMessage(language_, Msg::EnterUrl), "");
      if (!url) break;
      if (!url->empty()) {
        demoBaseUrl_ = *url;
        break;
      }
    }
  }
  ReinitialiseLibrary(true);
}

bool TMainForm::HandleKey(QKeyEvent* key) {
  // Nothing while the progress window holds the program.
  if (waitForm_ && waitForm_->isVisible()) return false;
  switch (key->key()) {
    case Qt::Key_Space:
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
      if (key->key() == Qt::Key_Space && qobject_cast<QLineEdit*>(QApplication::focusWidget())) return false;
      if (PlayBar->value() <= 0)
        player_->PlaybutClick();
      else
        player_->StopButClick();
      return true;
    case Qt::Key_MediaNext:
    case Qt::Key_MediaPrevious: {
      const int row = browser_->selectedRow();
      const int next = row + (key->key() == Qt::Key_MediaNext ? 1 : -1);
      if (row < 0 || next < 0 || next >= browser_->rowCount()) return true;
      browser_->SelectRow(next);
      SelectTrackRowInView();
      ShowTrackStatus();
      player_->PlayCurrent(false);
      return true;
    }
    case Qt::Key_Back:
      if (BackBtn->isEnabled()) BackBtn->click();
      return true;
    case Qt::Key_Forward:
      if (ForwardBtn->isEnabled()) ForwardBtn->click();
      return true;
    case Qt::Key_HomePage:
      HomeBtn->click();
      return true;
    default:
      return false;
  }
}

bool TMainForm::CloseQuery() {
  Progress* progress = waitForm_;
  if (progress) progress->ShowProgress(LangMessage(language_, Msg::Closing), ProgressMode::Show);
  QCoreApplication::processEvents();
  player_->StopButClick();
  player_->CloseDevice();
  QThread::msleep(1000);
  closeError_ = !WriteSettings(options_.programFolder, CollectSettings());
  QCoreApplication::processEvents();
  if (progress) progress->ShowProgress("", ProgressMode::Hide);
  return true;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  closing_ = true;
  CloseQuery();
  if (closeError_ || player_->InFailureState()) {
    // The settings could not be kept: end at once, as the program always did.
    std::fflush(nullptr);
    std::_Exit(0);
  }
  event->accept();
}

}  // namespace trakvella
