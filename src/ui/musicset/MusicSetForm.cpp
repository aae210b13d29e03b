#include "ui/musicset/MusicSetForm.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "core/musicset/MusicSetView.h"
#include "core/musicset/SetListFile.h"
#include "core/player/Player.h"
#include "ui/QtText.h"
#include "ui/lang/LangCaptions.h"
#include "ui/musicset/MemListBoxDelegate.h"
#include "ui/musicset/MemListModel.h"
#include "ui/musicset/SetSubscriptionPanel.h"
#include "ui/musicset/SetWindowBusy.h"

namespace trakvella {

namespace {

constexpr const char* kWindowClass = "TMusicSetForm";

QString Caption(const char* name, CaptionProperty property = CaptionProperty::Caption) {
  return TableCaption(kWindowClass, name, property);
}

// A button captioned and hinted from the caption table, or with its own caption
// when the table has no row for it.
QPushButton* Button(QWidget* parent, const char* name, const char* ownCaption = "") {
  const QString caption = Caption(name);
  auto* b = new QPushButton(caption.isEmpty() ? QString::fromUtf8(ownCaption) : caption, parent);
  b->setObjectName(name);
  b->setToolTip(Caption(name, CaptionProperty::Hint));
  b->setAutoDefault(false);
  return b;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text = {}) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

// The local files among dropped URLs.
std::vector<std::string> LocalPaths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(S(url.toLocalFile()));
  return paths;
}

}  // namespace

TMusicSetForm::TMusicSetForm(MusicSetWindowParts parts, MusicSetFormHooks hooks, QWidget* parent)
    : QDialog(parent), parts_(std::move(parts)), hooks_(std::move(hooks)) {
  setObjectName("MusicSetForm");
  setWindowTitle(TableCaption(kWindowClass, "", CaptionProperty::WindowCaption));
  resize(780, 560);

  MakeListArea();
  MakeTabs();
  podPanel_ = new SetSubscriptionPanel(this);
  QPushButton* memClose = Button(this, "memClose");

  auto* left = new QVBoxLayout;
  left->addWidget(memListBox_, 1);
  left->addWidget(findChild<QLabel*>("StaticText1"));
  auto* path = new QHBoxLayout;
  path->addWidget(findChild<QLabel*>("Label4"));
  path->addWidget(memInfo_, 1);
  left->addLayout(path);
  auto* play = new QHBoxLayout;
  play->addWidget(timeLabel_, 1);
  for (const char* name : {"PlayInMemBut", "memDelBtn", "DelBtn"}) play->addWidget(findChild<QPushButton*>(name));
  left->addLayout(play);
  left->addWidget(pages_);

  auto* top = new QHBoxLayout;
  top->addLayout(left, 1);
  podPanel_->setFixedWidth(230);
  top->addWidget(podPanel_);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(memClose);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(bottom);

  MakePopupMenu();
  ConnectCommands();
  connect(memClose, &QPushButton::clicked, this, &QDialog::close);
  RegisterCaptionWindow(kWindowClass, this);
}

// The parts may be gone by now (the main window's children go after its members).
TMusicSetForm::~TMusicSetForm() { UnregisterCaptionWindow(this); }

void TMusicSetForm::MakeListArea() {
  MusicSet& set = parts_.set;
  memListBox_ = new QListView(this);
  memListBox_->setObjectName("MemListBox");
  PrepareOwnerDrawnList(memListBox_);
  model_ = new MemListModel(set, this);
  delegate_ = new MemListBoxDelegate(set, parts_.browser, parts_.language, this);
  memListBox_->setModel(model_);
  memListBox_->setItemDelegate(delegate_);
  memListBox_->setContextMenuPolicy(Qt::CustomContextMenu);
  // The list takes dropped files and folders.
  memListBox_->setDragDropMode(QAbstractItemView::NoDragDrop);
  memListBox_->viewport()->setAcceptDrops(true);
  memListBox_->viewport()->installEventFilter(this);

  auto* hint = Label(this, "StaticText1", Caption("StaticText1"));
  hint->setWordWrap(true);
  Label(this, "Label4", Caption("Label4"));
  memInfo_ = Label(this, "memInfo");
  memInfo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  timeLabel_ = Label(this, "TimeLabel");
  Button(this, "PlayInMemBut");
  Button(this, "memDelBtn");
  Button(this, "DelBtn");
}

void TMusicSetForm::MakeTabs() {
  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl1");
  auto* files = new QWidget;
  files->setObjectName("TabSheet1");
  auto* filesRow = new QHBoxLayout(files);
  for (const char* name : {"LoadBtn", "SaveBtn", "memCopyBtnPl"}) filesRow->addWidget(Button(files, name));
  filesRow->addStretch();
  pages_->addTab(files, Caption("TabSheet1"));

  auto* reports = new QWidget;
  reports->setObjectName("TabSheet3");
  auto* reportsRow = new QHBoxLayout(reports);
  for (const char* name : {"CodeBtn", "CollectBut", "RepButton", "InfButton"})
    reportsRow->addWidget(Button(reports, name));
  reportsRow->addWidget(Button(reports, "BInfoBut", "Build info"));
  reportsRow->addStretch();
  pages_->addTab(reports, Caption("TabSheet3"));
}

void TMusicSetForm::MakePopupMenu() {
  memPopupMenu_ = new QMenu(this);
  memPopupMenu_->setObjectName("MemPopupMenu");
  auto add = [this](const char* name) {
    auto* a = new QAction(Caption(name), memPopupMenu_);
    a->setObjectName(name);
    memPopupMenu_->addAction(a);
    return a;
  };
  add("optitem");
  add("getcodeitem");
  add("getfromclpbrditem");
  QAction* separator = memPopupMenu_->addSeparator();
  separator->setObjectName("N1");
  add("RaznItem");
  add("RaznItemSet");
  // The catalogue conversions for outside services: enabled by the commands that
  // run them (the main window's exports).
  add("musictagitem")->setEnabled(false);
  add("MSTOCK1")->setEnabled(false);
  add("SourceAudio1")->setEnabled(false);
  add("OpenCartImport1")->setEnabled(false);
  add("FileNamesFromSet");
}

void TMusicSetForm::ConnectCommands() {
  connect(memListBox_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& i) {
    if (!refreshing_ && i.isValid()) MemListBoxClick(i.row());
  });
  connect(memListBox_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
    MemListBoxClick(i.row());
    PlaySelected();
  });
  connect(memListBox_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { memPopupMenu_->popup(memListBox_->viewport()->mapToGlobal(at)); });
  connect(memPopupMenu_, &QMenu::aboutToShow, this, [this] {
    findChild<QAction*>("optitem")->setEnabled(OptimiseEnabled(parts_.set));
    ShowDeveloperItems();
  });
  // Space anywhere in the window plays or stops.
  auto* space = new QShortcut(QKeySequence(Qt::Key_Space), this);
  connect(space, &QShortcut::activated, this, &TMusicSetForm::PlayInMemButClick);

  const std::pair<const char*, void (TMusicSetForm::*)()> buttons[] = {
      {"PlayInMemBut", &TMusicSetForm::PlayInMemButClick},
      {"memDelBtn", &TMusicSetForm::memDelBtnClick},
      {"DelBtn", &TMusicSetForm::DelBtnClick},
      {"SaveBtn", &TMusicSetForm::SaveBtnClick},
      {"LoadBtn", &TMusicSetForm::LoadBtnClick},
      {"memCopyBtnPl", &TMusicSetForm::memCopyBtnPlClick},
      {"InfButton", &TMusicSetForm::InfButtonClick},
      {"BInfoBut", &TMusicSetForm::BInfoButClick}};
  for (const auto& [name, handler] : buttons)
    connect(findChild<QPushButton*>(name), &QPushButton::clicked, this, handler);
  const std::pair<const char*, void (TMusicSetForm::*)()> items[] = {
      {"optitem", &TMusicSetForm::optitemClick},
      {"getfromclpbrditem", &TMusicSetForm::getfromclpbrditemClick},
      {"RaznItem", &TMusicSetForm::RaznItemClick},
      {"RaznItemSet", &TMusicSetForm::RaznItemSetClick},
      {"FileNamesFromSet", &TMusicSetForm::FileNamesFromSetClick}};
  for (const auto& [name, handler] : items) connect(findChild<QAction*>(name), &QAction::triggered, this, handler);

  // The commands that open other windows: disabled until those windows exist.
  auto other = [this](QObject* control, const std::function<void()>& open) {
    if (auto* b = qobject_cast<QPushButton*>(control)) {
      b->setEnabled(static_cast<bool>(open));
      connect(b, &QPushButton::clicked, this, [open] { open(); });
    } else if (auto* a = qobject_cast<QAction*>(control)) {
      a->setEnabled(static_cast<bool>(open));
      connect(a, &QAction::triggered, this, [open] { open(); });
    }
  };
  other(findChild<QPushButton*>("CodeBtn"), hooks_.addByCode);
  other(findChild<QAction*>("getcodeitem"), hooks_.addByCode);
  other(findChild<QPushButton*>("CollectBut"), hooks_.collect);
  // The report reads the set: FormActivate enables it only for a set with entries.
  connect(findChild<QPushButton*>("RepButton"), &QPushButton::clicked, this, [this] {
    if (hooks_.report) hooks_.report();
  });
}

// --- Showing the set -------------------------------------------------------------------------

void TMusicSetForm::ShowModal() {
  parts_.player.Stop();
  timeLabel_->setText(Q(parts_.set.TotalTimeText()));
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
}

void TMusicSetForm::SetChanged() {
  refreshing_ = true;
  model_->Reset();
  refreshing_ = false;
  timeLabel_->setText(Q(parts_.set.TotalTimeText()));
  FormActivate();
}

void TMusicSetForm::SetItemHeight(int height) {
  delegate_->setItemHeight(height);
  memListBox_->doItemsLayout();
}

void TMusicSetForm::FormActivate() {
  MusicSet& set = parts_.set;
  memInfo_->clear();
  const MemActivation state = SetWindowActivation(set);
  for (std::string_view name : kSetButtons) {
    QWidget* control = findChild<QWidget*>(Q(name));
    // The subscription's controls follow the subscription's own rules.
    if (!control || podPanel_->isAncestorOf(control)) continue;
    bool enabled = state.setButtonsEnabled;
    if (name == "RepButton") enabled = enabled && hooks_.report;
    control->setEnabled(enabled);
  }
  refreshing_ = true;
  if (state.selection >= 0) {
    const QModelIndex index = model_->index(state.selection);
    memListBox_->setCurrentIndex(index);
    memListBox_->scrollTo(index);
  } else {
    memListBox_->setCurrentIndex(QModelIndex());
  }
  refreshing_ = false;
  if (state.selection >= 0) MemListBoxClick(state.selection);
  ShowDeveloperItems();
  podPanel_->Activate();
}

void TMusicSetForm::ShowDeveloperItems() {
  const bool shown = hooks_.developerMenuShown && hooks_.developerMenuShown();
  for (const char* name : {"N1", "RaznItem", "RaznItemSet", "musictagitem", "MSTOCK1", "SourceAudio1",
                           "OpenCartImport1", "FileNamesFromSet"})
    if (auto* a = findChild<QAction*>(name)) a->setVisible(shown);
  findChild<QPushButton*>("BInfoBut")->setVisible(shown);
}

void TMusicSetForm::MemListBoxClick(int row) {
  MusicSet& set = parts_.set;
  if (row < 0 || static_cast<size_t>(row) >= set.size()) return;
  // The label shows "&&" as "&".
  memInfo_->setText(Q(parts_.browser.FormatPathCaption(set[static_cast<size_t>(row)].context)).replace("&&", "&"));
  set.SetSelection(row);
}

Language TMusicSetForm::language() const { return parts_.language; }

int TMusicSetForm::Selected() const {
  const MusicSet& set = parts_.set;
  const int selected = set.selection();
  return selected >= 0 && static_cast<size_t>(selected) < set.size() ? selected : -1;
}

// --- Playing -------------------------------------------------------------------------------------

void TMusicSetForm::PlaySelected() {
  if (!isVisible() || Selected() < 0) return;
  playedHere_ = true;
  parts_.player.PlayCurrent(true);
}

void TMusicSetForm::PlayInMemButClick() {
  if (parts_.player.BarPosition() == 0)
    PlaySelected();
  else
    parts_.player.Stop();
}

void TMusicSetForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  parts_.setShown(true);
  SetChanged();
}

void TMusicSetForm::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (event->spontaneous()) return;
  // A track this window started stops with it.
  if (playedHere_ || parts_.player.PlayingFrom() == PlaySource::MusicSet) parts_.player.Stop();
  playedHere_ = false;
  parts_.setShown(false);
}

// --- The set's commands ----------------------------------------------------------------------------

void TMusicSetForm::memDelBtnClick() {
  if (const int selected = Selected(); selected >= 0) parts_.set.RemoveAt(static_cast<size_t>(selected));
}

void TMusicSetForm::DelBtnClick() { parts_.set.AskAndClear(); }

void TMusicSetForm::SaveBtnClick() { SaveSetAs(parts_.set, parts_.dialogs, language()); }

void TMusicSetForm::LoadBtnClick() { LoadSetFrom(parts_.set, parts_.dialogs, language()); }

void TMusicSetForm::memCopyBtnPlClick() {
  SavePlaylistAs(parts_.set, parts_.dialogs, language(), parts_.demoBaseUrl());
}

void TMusicSetForm::InfButtonClick() {
  const int selected = Selected();
  if (selected < 0 || !hooks_.showTrackInfo) return;
  hooks_.showTrackInfo(parts_.set.TrackOf(static_cast<size_t>(selected)).code);
}

void TMusicSetForm::BInfoButClick() {
  const std::vector<std::string> buffer = hooks_.categoryBuffer ? hooks_.categoryBuffer() : std::vector<std::string>{};
  WriteCdInfoBlock(parts_.set, cdInfo_, buffer, parts_.dialogs, language());
}

void TMusicSetForm::optitemClick() { OptimiseSet(parts_.set, parts_.dialogs, language()); }

void TMusicSetForm::getfromclpbrditemClick() {
  SetWindowBusy busy(this);
  PasteCodesFromClipboard(parts_.set, parts_.clipboard, parts_.progress, parts_.dialogs, language());
}

void TMusicSetForm::RaznItemClick() {
  SetWindowBusy busy(this);
  AddCatalogueMissingFromClipboard(parts_.set, parts_.clipboard, parts_.progress, parts_.dialogs, language());
}

void TMusicSetForm::RaznItemSetClick() {
  SetWindowBusy busy(this);
  CopySetCodesMissingFromClipboard(parts_.set, parts_.clipboard, parts_.progress, parts_.dialogs, language());
}

void TMusicSetForm::FileNamesFromSetClick() {
  SetWindowBusy busy(this);
  CopySetFileNames(parts_.set, parts_.clipboard, parts_.progress, parts_.dialogs, language());
}

void TMusicSetForm::DropFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  SetWindowBusy busy(this);
  trakvella::DropFiles(parts_.set, paths, parts_.progress, language());
}

// --- Files dropped on the list ----------------------------------------------------------------------

bool TMusicSetForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched != memListBox_->viewport()) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (LocalPaths(drag->mimeData()).empty()) {
        drag->ignore();
      } else {
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      std::vector<std::string> paths = LocalPaths(drop->mimeData());
      if (paths.empty()) return true;
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      // The scan runs once the drag has finished, so the program the files came
      // from is not held while folders are walked.
      QTimer::singleShot(0, this, [this, paths = std::move(paths)] { DropFiles(paths); });
      return true;
    }
    default:
      return QDialog::eventFilter(watched, event);
  }
}

}  // namespace trakvella
