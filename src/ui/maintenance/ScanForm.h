#pragma once
// TScanForm: the folder scan window — finds the library tracks a tree of audio-editor projects uses and
// adds them to the music set. Made once by the main window, its owner; the scan state is core's FolderScan.
#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "core/lang/Language.h"
#include "core/maintenance/FolderScan.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace trakvella {

class Dialogs;
class Inflater;
class MusicSet;

// Opened modally by the music set window's "Сбор данных" button. While a scan
// runs the window keeps drawing, its buttons are disabled and it cannot be closed.
class TScanForm : public QDialog, private ScanView {
  Q_OBJECT

 public:
  // The scan adds to the set; inflater (optional) decodes gzip-compressed project files;
  // setChanged: the main window shows the music set's new size after a scan.
  TScanForm(MusicSet& set, Dialogs& dialogs, Inflater* inflater, const Language& language,
            std::function<void()> setChanged, QWidget* parent = nullptr);
  ~TScanForm() override;

  // The window cleared for a new scan, shown modally.
  void Open();
  const FolderScan& scan() const { return scan_; }

 public slots:
  // Clears the project, count and result texts and both gauges.
  void FormActivate();
  // The whole scan: the controls' state to FolderScan, the tracks found into the music set.
  void SButClick();
  // The folder dialog; the folder chosen goes into spath.
  void SelDirButClick();
  void ExitButClick();

 protected:
  // Shown within the screen's room, whatever its size and scale.
  void setVisible(bool visible) override;
  // The window closes only while no scan runs (Escape and the title bar's close alike).
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  class EventPump;
  // The group boxes: the project types with their counts, the scan's options, the folder, the progress.
  QGroupBox* MakeTypes();
  QGroupBox* MakeOptions();
  QGroupBox* MakePlace();
  QGroupBox* MakeProgress();
  ScanSettings CollectScanSettings() const;
  // What the scan shows, copied into the controls.
  void ShowScan(const ScanDisplay& display) override;
  void ShowSearching(int type);

  MusicSet& set_;
  Dialogs& dialogs_;
  const Language& language_;
  std::function<void()> setChanged_;
  std::unique_ptr<EventPump> pump_;
  FolderScan scan_;

  std::array<QCheckBox*, kProjectTypeCount> checkBoxes_{};
  std::array<QLabel*, kProjectTypeCount> countLabels_{};
  QGridLayout* typeGrid_ = nullptr;
  QProgressBar* animate1_ = nullptr;
  QLineEdit* otherExt_ = nullptr;
  QLineEdit* excludeNames_ = nullptr;
  QCheckBox* wavCheck_ = nullptr;
  QLineEdit* spath_ = nullptr;
  QToolButton* selDirBut_ = nullptr;
  QProgressBar* gauge1_ = nullptr;
  QProgressBar* overAll_ = nullptr;
  QLabel* proNum_ = nullptr;
  QLabel* proF_ = nullptr;
  QLabel* mPro_ = nullptr;
  QLabel* reslabel_ = nullptr;
  QPushButton* sBut_ = nullptr;
  QPushButton* exitBut_ = nullptr;
  int searchingShown_ = -1;  // the type whose caption is bold, with the animation beside it
};

}  // namespace trakvella
