#include "ui/main/PlayerControls.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "core/app/App.h"
#include "core/app/PreviewPeaks.h"
#include "core/browse/Browser.h"
#include "core/player/Player.h"
#include "ui/QtText.h"
#include "ui/main/MainMenus.h"
#include "ui/main/WaveformBar.h"

namespace trakvella {

PlayerControls::PlayerControls(QMainWindow* window, App& app, const MainControls& controls, MainMenus& menus,
                               std::function<bool()> progressShown)
    : QObject(window), window_(window), app_(app), c_(controls), progressShown_(std::move(progressShown)) {
  mpTimer_ = new QTimer(window);
  mpTimer_->setObjectName("mpTimer");
  mpTimer_->setInterval(30);
  connect(mpTimer_, &QTimer::timeout, this, &PlayerControls::PlayerTick);

  Player& player = app_.player();
  for (QToolButton* b : {c_.Playbut, c_.PauseBut, c_.StopBut}) b->setEnabled(true);
  connect(c_.Playbut, &QToolButton::clicked, this, [&player] { player.Play(); });
  connect(c_.PauseBut, &QToolButton::clicked, this, [&player] { player.TogglePause(); });
  connect(c_.StopBut, &QToolButton::clicked, this, [&player] { player.Stop(); });
  c_.PlayBar->installEventFilter(this);

  QAction* userPlayer = menus.Item("userplayeritem");
  userPlayer->setEnabled(true);
  connect(userPlayer, &QAction::triggered, this, [this, userPlayer] {
    const QString program = QFileDialog::getOpenFileName(window_, userPlayer->text(), QString(), QStringLiteral("*"));
    if (!program.isEmpty()) app_.ChooseUserPlayer(S(program));
  });

  // Demo servers 1 and 2, and one demo download.
  for (int server : {1, 2}) {
    QAction* item = menus.Item(QStringLiteral("SrvItem%1").arg(server));
    item->setEnabled(true);
    connect(item, &QAction::triggered, this, [this, server] { app_.SelectDemoServer(server); });
  }
  connect(menus.Item("demodownitem"), &QAction::triggered, this, [this] { app_.DownloadDemo(); });

  // The track list's mouse: a press, a double click, a drag.
  c_.FileBox->setDragEnabled(false);  // the drag is started by hand, with the file
  c_.FileBox->viewport()->installEventFilter(this);
  connect(c_.FileBox, &QAbstractItemView::doubleClicked, this, [this] { trackDoubleClicked_ = true; });
}

void PlayerControls::RunTimer(bool running) {
  if (running)
    mpTimer_->start();
  else
    mpTimer_->stop();
}

void PlayerControls::PlayerTick() {
  Player& player = app_.player();
  player.Tick();
  c_.Gb->setText(Q(player.TimeLabel()));
  QPalette palette = c_.Gb->palette();
  palette.setColor(QPalette::WindowText, player.TimeLabelYellow() ? QColor(Qt::yellow) : QColor(Qt::black));
  c_.Gb->setAutoFillBackground(player.TimeLabelYellow());
  if (player.TimeLabelYellow()) palette.setColor(QPalette::Window, Qt::darkGray);
  c_.Gb->setPalette(palette);
  // A bar without a length would draw Qt's moving "busy" stripes: with nothing
  // playing it is an empty bar.
  const int max = static_cast<int>(std::clamp<int64_t>(player.BarMax(), 0, INT32_MAX));
  c_.PlayBar->setRange(0, std::max(max, 1));
  c_.PlayBar->setValue(max > 0 ? static_cast<int>(std::clamp<int64_t>(player.BarPosition(), 0, max)) : 0);
  ShowPreviewPeaks();
}

// A preview the player opened gets its waveform in the position bar, read on the bar's worker.
void PlayerControls::ShowPreviewPeaks() {
  const std::string& address = app_.player().Address();
  if (address.empty()) {
    c_.PlayBar->ClearPreview();
    return;
  }
  PreviewPeaksSource source = app_.previewPeaks();
  if (app_.IsOffline()) source.http = nullptr;  // offline, a demo is not fetched for its waveform
  c_.PlayBar->ShowPreview(Q(address), [source, address](std::size_t points, std::stop_token stop) {
    return LoadPreviewPeaks(source, address, points, std::move(stop));
  });
}

void PlayerControls::PlayOrStop() {
  if (c_.PlayBar->value() <= 0)
    app_.player().Play();
  else
    app_.player().Stop();
}

void PlayerControls::StartTrackDrag() {
  if (dragRunning_ || progressShown_()) return;
  const std::optional<std::string> file = app_.DragFile();
  if (!file) return;
  auto* mime = new QMimeData;
  mime->setUrls({QUrl::fromLocalFile(Q(*file))});
  auto* drag = new QDrag(c_.FileBox);
  drag->setMimeData(mime);
  dragRunning_ = true;
  app_.player().Stop();
  drag->exec(Qt::CopyAction);
  app_.player().Stop();
  dragRunning_ = false;
}

// The track list's mouse (left button): a press that does not become a drag plays
// only with Autoplay on; a double click plays with Autoplay off. A widget is
// handed the second press of a double click as a double-click event, never as
// a press, so that event starts the press whose release plays; and each click
// starts without the mark of an earlier double click.
bool PlayerControls::FileBoxMouse(QMouseEvent* mouse) {
  switch (mouse->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (mouse->button() == Qt::LeftButton) {
        if (mouse->type() == QEvent::MouseButtonPress) trackDoubleClicked_ = false;
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
        // Which release this is counts now: the first release of a double click
        // must not take the mark its second press sets before the first is handled.
        const bool doubleClick = std::exchange(trackDoubleClicked_, false);
        // Let the view select the row first.
        QTimer::singleShot(0, this, [this, doubleClick] {
          Player& player = app_.player();
          if (app_.browser().selectedRow() < 0) return;
          if (doubleClick) {
            if (!player.Switches().autoplay) player.PlayCurrent(true);
          } else {
            player.PlayCurrent(false);
          }
        });
      }
      return false;
    default:
      return false;
  }
}

bool PlayerControls::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == c_.FileBox->viewport() && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
                                            type == QEvent::MouseMove || type == QEvent::MouseButtonRelease)) {
    if (FileBoxMouse(static_cast<QMouseEvent*>(event))) return true;
  }
  // A click on the position bar, or a drag along it, seeks there.
  if (watched == c_.PlayBar && (type == QEvent::MouseButtonPress || type == QEvent::MouseMove)) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseMove && !(mouse->buttons() & Qt::LeftButton)) return false;
    const int x = std::clamp(mouse->position().toPoint().x(), 0, std::max(0, c_.PlayBar->width() - 1));
    app_.player().SeekToBar(x, c_.PlayBar->width());
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace trakvella
