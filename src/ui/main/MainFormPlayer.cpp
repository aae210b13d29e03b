// The main window's preview player: the device and its 30 ms timer, the three
// buttons and the position bar, the playback switches, the demo servers, one demo
// download, dragging a track out as a file, and the track list's mouse.
#include <QApplication>
#include <QDrag>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

#include "core/lang/MessageTable.h"
#include "ui/main/MainForm.h"
#include "ui/wait/WaitForm.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"
#include "core/catalogue/TrackCodes.h"
#include "core/player/Player.h"
#include "core/net/Downloads.h"

namespace trakvella {

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

void TMainForm::CreatePlayer() {
  downloader_ = std::make_unique<Downloader>(*http_, *progress_, *dialogs_, [this] { return language_; }, network_);

  PlayerHooks hooks;
  hooks.currentAddress = [this] {
    const TrackRecord* t = browser_->SelectedTrack();
    return t ? TrackPathOrUrl(t->location, demoBaseUrl_) : std::string();
  };
  hooks.selectedRow = [this] { return browser_->selectedRow(); };
  hooks.rowCount = [this] { return browser_->rowCount(); };
  hooks.selectNextRow = [this] {
    browser_->SelectRow(browser_->selectedRow() + 1);
    SelectTrackRowInView();
  };
  hooks.musicSetVisible = [] { return false; };  // the music set window comes later
  hooks.showTrackStatus = [this] { ShowTrackStatus(); };
  hooks.wait = [](int ms) {
    // The device works while we wait: window events go on.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  };
  player_ = std::make_unique<Player>(*mediaDevice_, *shell_, hooks);
  browser_->hooks.stopPlayback = [this] { player_->StopButClick(); };
  browser_->hooks.playCurrent = [this](bool fromButton) { player_->PlayCurrent(fromButton); };

  mpTimer = new QTimer(this);
  mpTimer->setObjectName("mpTimer");
  mpTimer->setInterval(30);
  connect(mpTimer, &QTimer::timeout, this, &TMainForm::PlayerTick);

  for (QToolButton* b : {Playbut, PauseBut, StopBut}) b->setEnabled(true);
  connect(Playbut, &QToolButton::clicked, this, [this] { player_->PlaybutClick(); });
  connect(PauseBut, &QToolButton::clicked, this, [this] { player_->PauseButClick(); });
  connect(StopBut, &QToolButton::clicked, this, [this] { player_->StopButClick(); });
  PlayBar->installEventFilter(this);

  // The switches: each pop-up item is the master, its twin follows.
  const std::pair<const char*, bool PlayerSwitches::*> switches[] = {{"Autoplay1", &PlayerSwitches::autoplay},
                                                                    {"NonStopPlaying", &PlayerSwitches::nonStop},
                                                                    {"BackGrItem", &PlayerSwitches::backgroundPlay},
                                                                    {"extplayeritem", &PlayerSwitches::builtIn}};
  for (auto [name, field] : switches) {
    QAction* item = Item(name);
    item->setEnabled(true);
    connect(item, &QAction::toggled, this, [this, field = field](bool on) { player_->Switches().*field = on; });
    player_->Switches().*field = item->isChecked();
  }
  Item("userplayeritem")->setEnabled(true);
  connect(Item("userplayeritem"), &QAction::triggered, this, [this] {
    const QString program = QFileDialog::getOpenFileName(this, Item("userplayeritem")->text(), QString(),
                                                         QStringLiteral("*"));
    if (program.isEmpty()) return;
    player_->ChooseUserPlayer(program.toStdString());
    Item("extplayeritem")->setChecked(false);
  });

  // Demo servers 1 and 2.
  for (const char* name : {"SrvItem1", "SrvItem2"}) {
    QAction* item = Item(name);
    item->setEnabled(true);
    connect(item, &QAction::triggered, this, [this, item] { SelectDemoServer(item == Item("SrvItem1") ? 1 : 2); });
  }
  connect(Item("demodownitem"), &QAction::triggered, this, &TMainForm::DownloadDemo);

  // The track list's mouse: a press, a double click, a drag.
  FileBox->setDragEnabled(false);  // the drag is started by hand, with the file
  connect(FileBox, &QAbstractItemView::doubleClicked, this, [this] { trackDoubleClicked_ = true; });
}

void TMainForm::SelectTrackRowInView() {
  refreshing_ = true;
  const int row = browser_->selectedRow();
  FileBox->setCurrentIndex(row >= 0 ? FileBox->model()->index(row, 0) : QModelIndex());
  refreshing_ = false;
  FileBoxItemIndexChange();
}

void TMainForm::PlayerTick() {
  player_->PlayerTick();
  Gb->setText(Q(player_->TimeLabel()));
  QPalette palette = Gb->palette();
  palette.setColor(QPalette::WindowText, player_->TimeLabelYellow() ? QColor(Qt::yellow) : QColor(Qt::black));
  Gb->setAutoFillBackground(player_->TimeLabelYellow());
  if (player_->TimeLabelYellow()) palette.setColor(QPalette::Window, Qt::darkGray);
  Gb->setPalette(palette);
  const int64_t max = player_->BarMax();
  PlayBar->setRange(0, static_cast<int>(std::clamp<int64_t>(max, 0, INT32_MAX)));
  PlayBar->setValue(static_cast<int>(std::clamp<int64_t>(player_->BarPosition(), 0, INT32_MAX)));
}

void TMainForm::SelectDemoServer(int server) {
  Item("SrvItem1")->setChecked(server == 1);
  Item("SrvItem2")->setChecked(server == 2);
  demoBaseUrl_ = server == 1 ? endpoints_.demoServer1 : endpoints_.demoServer2;
  if (browser_->rowCount() > 0) {
    player_->StopButClick();
    player_->PlayCurrent(false);
  }
}

void TMainForm::DownloadDemo() {
  const TrackRecord* t = browser_->SelectedTrack();
  if (!t) return;
  const std::string folder = dialogs_->SelectFolder(LangMessage(language_, Msg::SpecifyFolder), settings_.lastDownloadFolder);
  std::error_code ec;
  if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return;
  settings_.lastDownloadFolder = folder;
  downloader_->DownloadFile(TrackPathOrUrl(t->location, demoBaseUrl_), DemoFileName(t->code, t->title), 40, folder);
}

void TMainForm::StartTrackDrag() {
  if (dragRunning_ || (waitForm_ && waitForm_->isVisible())) return;
  const int row = browser_->selectedRow();
  if (row < 0) return;
  const auto [cd, trackIndex] = browser_->rows()[row];
  TrackRecord& track = catalogue_.cds[cd].tracks[trackIndex];
  std::string file = track.location;
  if (IsDemoName(track.location)) {
    // A demo track is fetched into "audio/" first; later plays use the file.
    const std::filesystem::path audio = options_.programFolder / "audio";
    const std::string name = DemoFileName(track.code, track.title);
    std::error_code ec;
    if (!std::filesystem::exists(audio / name, ec))
      downloader_->DownloadFile(TrackPathOrUrl(track.location, demoBaseUrl_), name, 40, audio.string());
    if (!std::filesystem::exists(audio / name, ec)) return;
    file = (audio / name).string();
    track.location = file;
    ShowTrackStatus();
  }
  auto* mime = new QMimeData;
  mime->setUrls({QUrl::fromLocalFile(Q(file))});
  auto* drag = new QDrag(FileBox);
  drag->setMimeData(mime);
  dragRunning_ = true;
  player_->StopButClick();
  drag->exec(Qt::CopyAction);
  player_->StopButClick();
  dragRunning_ = false;
}

// The track list's mouse (left button): a press that does not become a drag plays
// only with Autoplay on; a double click plays with Autoplay off.
bool TMainForm::FileBoxMouse(QMouseEvent* mouse) {
  switch (mouse->type()) {
    case QEvent::MouseButtonPress:
      if (mouse->button() == Qt::LeftButton) {
        pressPoint_ = mouse->position().toPoint();
        pressed_ = true;
      }
      return false;
    case QEvent::MouseMove:
      if (pressed_ && (mouse->buttons() & Qt::LeftButton) &&
          (mouse->position().toPoint() - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
        pressed_ = false;
        StartTrackDrag();
        return true;
      }
      return false;
    case QEvent::MouseButtonRelease:
      if (mouse->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        // Let the view select the row first.
        QTimer::singleShot(0, this, [this] {
          if (browser_->selectedRow() < 0) return;
          if (trackDoubleClicked_) {
            trackDoubleClicked_ = false;
            if (!player_->Switches().autoplay) player_->PlayCurrent(true);
          } else {
            player_->PlayCurrent(false);
          }
        });
      }
      return false;
    default:
      return false;
  }
}

}  // namespace trakvella

namespace trakvella {

int TMainForm::networkState() const { return network_.networkState; }

// The popularity list: "top.txt" of the web site, fetched into "audio/", read and
// removed. Any failure leaves the list empty and says nothing.
void TMainForm::LoadTopList() {
  browser_->topList.clear();
  const std::filesystem::path audio = options_.programFolder / "audio";
  NetworkState untouched;  // a missing list is no network failure
  Downloader quiet(*http_, *progress_, *dialogs_, [this] { return language_; }, untouched);
  quiet.connectTimeoutMs = 3000;
  quiet.readTimeoutMs = 5000;
  if (!quiet.DownloadFile(TopListUrl(endpoints_), "top.txt", 0, audio.string())) return;
  std::string bytes;
  if (ReadWholeFile(audio / "top.txt", bytes))
    for (const auto& line : SplitLines(Cp1251ToUtf8(bytes)))
      if (!Trim(line).empty()) browser_->topList.push_back(Trim(line));
  std::error_code ec;
  std::filesystem::remove(audio / "top.txt", ec);
}

}  // namespace trakvella
