#pragma once
// PlayerControls: the preview player's controls in the main window — timer, buttons, position bar, time
// label, playback and demo server items, the track list's mouse and drag. TMainForm owns it; App the player.
#include <QObject>
#include <QPoint>
#include <functional>

#include "ui/main/MainFrame.h"

class QMainWindow;
class QMouseEvent;
class QTimer;

namespace trakvella {

class App;
class MainMenus;

class PlayerControls : public QObject {
  Q_OBJECT

 public:
  // progressShown: whether the progress window holds the program (no drag starts then).
  PlayerControls(QMainWindow* window, App& app, const MainControls& controls, MainMenus& menus,
                 std::function<bool()> progressShown);

  // The timer's tick: the player, then the time label and the position bar.
  void PlayerTick();
  void RunTimer(bool running);
  // Space and the play/pause key: Play while the position bar stands at 0, else Stop.
  void PlayOrStop();
  void StartTrackDrag();

 private:
  bool FileBoxMouse(QMouseEvent* mouse);
  void ShowPreviewPeaks();
  bool eventFilter(QObject* watched, QEvent* event) override;

  QMainWindow* window_;
  App& app_;
  const MainControls& c_;
  std::function<bool()> progressShown_;
  QTimer* mpTimer_ = nullptr;
  bool dragRunning_ = false;
  bool trackDoubleClicked_ = false;
  bool pressed_ = false;
  QPoint pressPoint_;
};

}  // namespace trakvella
