#pragma once
// SetSubscriptionPanel: the music set window's subscription controls (account, sign-in, downloads and
// their status line), kept together in one frame of the set window, which owns it.
#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace trakvella {

// The controls exist with their names and captions but stay disabled until
// the subscription's window code connects them (PodPanelUpdate, the downloads
// and the sign-in); the set window's own enabling leaves everything in this
// frame alone and only tells it of each activation.
class SetSubscriptionPanel : public QFrame {
  Q_OBJECT

 public:
  explicit SetSubscriptionPanel(QWidget* parent);

  // The set window was activated (or its set changed): the panel is shown anew.
  void Activate() { emit activated(); }

  QLabel* Label3 = nullptr;       // the panel's title
  QLineEdit* logEdit = nullptr;   // login
  QLineEdit* passEdit = nullptr;  // password
  QToolButton* PassViewBtn = nullptr;
  QPushButton* SetupPodBtn = nullptr;
  QPushButton* BuyBtn = nullptr;
  QPushButton* ftpbut = nullptr;       // download the set by FTP
  QPushButton* FileDownBut = nullptr;  // download the set's demo files
  QLabel* ftplabel = nullptr;          // the download server
  QLabel* PodStatusLbl = nullptr;      // the connection's status and the quota

 signals:
  void activated();
};

}  // namespace trakvella
