#pragma once
// TMusicSetForm: the music set window — the set's list, its file, play and editing commands, the
// editing tools' pop-up menu and the drop target. The main window owns it; the set and the player are borrowed.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/lang/Language.h"
#include "core/musicset/SetTools.h"

class QAction;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QTabWidget;

namespace trakvella {

class Browser;
class Clipboard;
class Dialogs;
class MemListModel;
class MemListBoxDelegate;
class MusicSet;
class Player;
class Progress;
class SetSubscriptionPanel;

// The parts of the program the window works with; all outlive it.
struct MusicSetWindowParts {
  MusicSet& set;
  Player& player;
  Browser& browser;  // the path captions of the entries
  Dialogs& dialogs;
  Clipboard& clipboard;
  Progress& progress;
  const Language& language;
  std::function<std::string()> demoBaseUrl;  // the playlist's demo addresses
  std::function<void(bool)> setShown;        // the player plays the set's entry while it is shown
};

// What the window asks of the program around it. A button whose function is
// empty stays disabled (its window is not part of the program yet).
struct MusicSetFormHooks {
  std::function<bool()> developerMenuShown;                    // the staff's items show with it
  std::function<void(const std::string& code)> showTrackInfo;  // InfButton
  std::function<void()> addByCode;                             // CodeBtn, getcodeitem
  std::function<void()> collect;                               // CollectBut: the project folder scan
  std::function<void()> report;                                // RepButton: the usage report
  std::function<std::vector<std::string>()> categoryBuffer;    // BInfoBut's "_SysRes" lines
};

class TMusicSetForm : public QDialog {
  Q_OBJECT

 public:
  TMusicSetForm(MusicSetWindowParts parts, MusicSetFormHooks hooks, QWidget* parent = nullptr);
  ~TMusicSetForm() override;

  // MemOperBut: stops playback, recomputes the total time and shows the window
  // modally (the call returns at once; the window blocks the others while open).
  void ShowModal();
  // The set changed: the list and the total time again, and the activation step.
  void SetChanged();
  // The line height of the main window's lists.
  void SetItemHeight(int height);

  // Activation: the path line cleared, the buttons enabled as the set says,
  // the remembered entry selected and its path shown.
  void FormActivate();

  // The handlers, as the controls call them.
  void MemListBoxClick(int row);
  void PlayInMemButClick();
  void memDelBtnClick();
  void DelBtnClick();
  void SaveBtnClick();
  void LoadBtnClick();
  void memCopyBtnPlClick();
  void InfButtonClick();
  void BInfoButClick();
  void optitemClick();
  void getfromclpbrditemClick();
  void RaznItemClick();
  void RaznItemSetClick();
  void FileNamesFromSetClick();
  // The dropped files and folders (local paths) go into the set.
  void DropFiles(const std::vector<std::string>& paths);

  // BInfoBut's category paths: the developer's buffer the main window keeps.
  void SetCategoryBuffer(std::function<std::vector<std::string>()> buffer) {
    hooks_.categoryBuffer = std::move(buffer);
  }
  QListView* MemListBox() const { return memListBox_; }
  QMenu* MemPopupMenu() const { return memPopupMenu_; }
  SetSubscriptionPanel* subscriptionPanel() const { return podPanel_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MakeListArea();
  void MakeTabs();
  void MakePopupMenu();
  void ConnectCommands();
  void ShowDeveloperItems();
  void PlaySelected();
  Language language() const;
  int Selected() const;

  MusicSetWindowParts parts_;
  MusicSetFormHooks hooks_;
  MemListModel* model_ = nullptr;
  MemListBoxDelegate* delegate_ = nullptr;
  QListView* memListBox_ = nullptr;
  QLabel* memInfo_ = nullptr;
  QLabel* timeLabel_ = nullptr;
  QTabWidget* pages_ = nullptr;
  QMenu* memPopupMenu_ = nullptr;
  SetSubscriptionPanel* podPanel_ = nullptr;
  CdInfoInputs cdInfo_;      // the block writer's last answers, for this program run
  bool refreshing_ = false;  // the list is being filled: its selection signals are the program's own
  bool playedHere_ = false;  // the player was started from this window while it was visible
};

}  // namespace trakvella
