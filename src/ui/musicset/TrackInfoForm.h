#pragma once
// TTrackInfoForm: the track information window — one track's registration data, where it stands for
// this user, and the user's comment on it. The main window owns it; comments and set are borrowed.
#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "core/lang/Language.h"
#include "core/musicset/TrackInfo.h"

class QLabel;
class QLineEdit;

namespace trakvella {

class Catalogue;
class Clipboard;
class MusicSet;
class Subscription;
class TrackComments;

// The parts of the program the window reads; all outlive it.
struct TrackInfoWindowParts {
  Catalogue& catalogue;
  MusicSet& set;
  TrackComments& comments;
  Clipboard& clipboard;
  const Subscription* subscription;  // nullptr without one: no account to show
  const Language& language;
};

class TTrackInfoForm : public QDialog {
  Q_OBJECT

 public:
  explicit TTrackInfoForm(TrackInfoWindowParts parts, QWidget* parent = nullptr);
  ~TTrackInfoForm() override;

  // Called after the comment of a track was stored (the track list marks commented tracks).
  std::function<void()> commentsChanged;

  // Puts the code into LabeledEdit1 and shows the window modally (the call returns at once).
  void ShowFor(const std::string& code);

  // Fills the fields, the comment and the status for the code in LabeledEdit1.
  void FormActivate();
  void CopyButtonClick();
  void TimeDataButClick();
  void ExitButtonClick();

  // The date and time as the desktop writes them: its short date, then its long time.
  static QString NowText();

 protected:
  void showEvent(QShowEvent* event) override;
  // However the window closes, the comment field's text is stored for the code.
  void done(int result) override;

 private:
  TrackInfoWindowParts parts_;
  std::array<QLineEdit*, 6> edits_{};
  std::array<QLabel*, 6> labels_{};
  QLineEdit* comment_ = nullptr;
  QLabel* commentLabel_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* database_ = nullptr;
  TrackInfoView view_;
};

}  // namespace trakvella
