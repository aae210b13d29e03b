#include "adapters/qt/QtMediaDevice.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace trakvella {
namespace {

QUrl SourceOf(const std::string& address) {
  const QString text = QString::fromStdString(address);
  const QUrl url(text);
  const QString scheme = url.scheme().toLower();
  if (scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "file") return url;
  return QUrl::fromLocalFile(text);
}

bool StillLoading(QMediaPlayer::MediaStatus status) {
  return status == QMediaPlayer::NoMedia || status == QMediaPlayer::LoadingMedia;
}

}  // namespace

QtMediaDevice::QtMediaDevice(QObject* parent, int openTimeoutMs)
    : QObject(parent), output_(new QAudioOutput(this)), openTimeoutMs_(openTimeoutMs) {
  NewPlayer();
}

void QtMediaDevice::NewPlayer() {
  if (player_) {
    // The pipeline of a failed source may still report errors (a refused
    // connection is retried); they must not reach the next source's Open.
    player_->disconnect(this);
    player_->stop();
    player_->deleteLater();
  }
  player_ = new QMediaPlayer(this);
  player_->setAudioOutput(output_);
  // QMediaPlayer::error keeps the last error across sources, so Open watches
  // the signal instead.
  connect(player_, &QMediaPlayer::errorOccurred, this, [this] { failed_ = true; });
}

QtMediaDevice::~QtMediaDevice() { player_->stop(); }

bool QtMediaDevice::Open(const std::string& address) {
  // Open runs the event loop; a second Open from inside it would pull the
  // source from under the first.
  if (opening_) return false;
  Close();
  if (address.empty()) return false;
  const QUrl source = SourceOf(address);
  if (source.isLocalFile() && !QFileInfo(source.toLocalFile()).isFile()) return false;

  opening_ = true;
  failed_ = false;
  QPointer<QtMediaDevice> alive(this);
  player_->setSource(source);
  if (StillLoading(player_->mediaStatus()) && !failed_) {
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(player_, &QMediaPlayer::mediaStatusChanged, &loop, [&loop](QMediaPlayer::MediaStatus status) {
      if (!StillLoading(status)) loop.quit();
    });
    connect(player_, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    timeout.start(openTimeoutMs_);
    loop.exec();
  }
  if (!alive) return false;
  opening_ = false;

  const auto status = player_->mediaStatus();
  if (failed_ || StillLoading(status) || status == QMediaPlayer::InvalidMedia) {
    NewPlayer();
    return false;
  }
  open_ = true;
  stopped_ = false;
  return true;
}

bool QtMediaDevice::Play() {
  if (!open_) return false;
  stopped_ = false;
  player_->play();
  return true;
}

bool QtMediaDevice::Pause() {
  if (!open_ || player_->playbackState() != QMediaPlayer::PlayingState) return false;
  stopped_ = false;
  player_->pause();
  return true;
}

bool QtMediaDevice::Resume() {
  if (!open_ || player_->playbackState() != QMediaPlayer::PausedState) return false;
  stopped_ = false;
  player_->play();
  return true;
}

bool QtMediaDevice::Stop() {
  if (!open_) return false;
  // Stopping keeps the position, so a seek can stop, move and play again;
  // QMediaPlayer::stop would rewind to the start.
  if (player_->playbackState() != QMediaPlayer::StoppedState) {
    player_->pause();
    stopped_ = true;
  }
  return true;
}

bool QtMediaDevice::Close() {
  const bool wasOpen = open_;
  open_ = false;
  stopped_ = false;
  player_->stop();
  player_->setSource(QUrl());
  return wasOpen;
}

bool QtMediaDevice::Seek(int64_t positionMs) {
  if (!open_ || positionMs < 0) return false;
  player_->setPosition(positionMs);
  return true;
}

MediaMode QtMediaDevice::Mode() const {
  if (!open_) return MediaMode::NotReady;
  // The playback state first: a stream that hiccups (a refused seek) reads as
  // invalid media for a moment while it goes on playing.
  switch (player_->playbackState()) {
    case QMediaPlayer::PlayingState:
      return MediaMode::Playing;
    case QMediaPlayer::PausedState:
      return stopped_ ? MediaMode::Stopped : MediaMode::Paused;
    case QMediaPlayer::StoppedState:
      break;
  }
  switch (player_->mediaStatus()) {
    case QMediaPlayer::EndOfMedia:
      return MediaMode::Stopped;
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
    case QMediaPlayer::StalledMedia:
      return stopped_ ? MediaMode::Stopped : MediaMode::Open;
    default:
      return MediaMode::NotReady;
  }
}

int64_t QtMediaDevice::LengthMs() const { return open_ ? player_->duration() : 0; }

int64_t QtMediaDevice::PositionMs() const { return open_ ? player_->position() : 0; }

bool QtMediaDevice::IsOpen() const { return open_; }

}  // namespace trakvella
