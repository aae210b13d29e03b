#pragma once
// TWaitForm: the one shared progress window of the long operations and the program's Progress port.
// A tool window owned by the main window (deleted with it); without a main window its creator owns it.
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "core/lang/MessageTable.h"
#include "core/lang/ProgressText.h"
#include "ports/Progress.h"

class QLabel;
class QPushButton;
class QTimer;

namespace trakvella {

// It shows the operation text, a small status line, a percentage and two
// moving squares, holds the program-wide cancel flag, and while it is shown
// keeps the main window's controls disabled.
//
// The main window's controls are its direct child widgets that are not
// windows of their own; for a QMainWindow the central widget stands for the
// window's client area, so its direct children are disabled instead of it,
// together with the menu bar, tool bars, status bar and dock widgets. The main
// window itself stays enabled, so it goes on repainting. Hiding enables every
// one of those controls again, whatever its state before.
class TWaitForm : public QWidget, public Progress {
  Q_OBJECT

 public:
  // mainWindow: the window whose controls the progress window disables (may
  // be null). language: the current interface language, read at each use.
  TWaitForm(QWidget* mainWindow, const Language& language);

  // Mode 0 hides, 1 shows the animation with an operation text, 2 changes the
  // operation text only (also while hidden), 3 shows the text as a message
  // instead of the animation; a click on the window then dismisses it. Modes 1
  // and 3 start with an empty status line.
  // tall (modes 1 and 3) makes room for CancelBut.
  void ShowProgress(const std::string& text, ProgressMode mode, bool tall = false) override;
  void SetStatus(const std::string& text) override;
  void SetPerMille(int value) override;
  bool Cancelled() const override { return cancelled_; }
  void ClearCancel() override { cancelled_ = false; }
  // Window events, at most every 15 ms, so a pump per item stays cheap.
  void pump() override;

  // While a dialog is up (dialogShown true) the window steps aside, so that it
  // never covers the dialog's question; once the last dialog has closed it comes
  // back where it was, as long as an operation still holds it. Calls nest.
  void StepAside(bool dialogShown);

  // For the owner and tests: the squares and whether they are moving.
  const ProgressAnimation& Animation() const { return animation_; }
  bool Animating() const;

  static constexpr int kWidth = 292;
  static constexpr int kTallHeight = 100;
  static constexpr int kShortHeight = 65;
  static constexpr int kTrackWidth = 276;
  static constexpr int kSquareWidth = 12;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private slots:
  void CancelButClick();
  void AnimationTimerTimer();

 private:
  class TrackBar;

  // Shows the window and raises it, unless it stands aside for a dialog (it
  // then comes back with the dialog's end).
  void Appear();
  void SetMainControlsEnabled(bool enabled);
  void SetTall(bool tall);
  void CentreOnMainWindow();
  QString Message(Msg message) const;

  QPointer<QWidget> mainWindow_;
  const Language& language_;

  QLabel* operation_;
  QLabel* cLabel_;
  QLabel* statusLbl_;
  QLabel* prLbl_;
  TrackBar* trackBar_;
  QPushButton* cancelBut_;
  QTimer* animationTimer_;

  ProgressAnimation animation_;
  int perMille_ = -1;
  bool cancelled_ = false;
  bool holding_ = false;    // shown by mode 1 or 3 and not yet hidden by mode 0
  int dialogsUp_ = 0;       // dialogs shown above the window now
  bool comesBack_ = false;  // shown when the last of those dialogs closes
  bool returning_ = false;  // being shown again after a dialog: nothing about it is new
  QElapsedTimer sincePump_;
};

}  // namespace trakvella
