#pragma once
// TStartForm: the start window — version line, the "checking" dots, the update check and "Continue" —
// a view of the StartSequence it owns, with the update information window. The program start owns it.
#include <QDialog>
#include <functional>

#include "core/lang/Language.h"
#include "core/net/Downloads.h"
#include "core/startup/StartSequence.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace trakvella {

class ArchiveReader;
class HttpClient;
class NetworkInterfaces;
class Shell;
class TUpdateInfoForm;

// What the start window reaches the world through; all borrowed, outliving the window.
struct StartFormPorts {
  Dialogs& dialogs;
  Progress& progress;      // unpacking the update
  Downloader& downloader;  // the update page and archive
  ArchiveReader& archives;
  ProcessLauncher& launcher;      // starts the restart script
  NetworkInterfaces& interfaces;  // the connection test ...
  HttpClient& http;               // ... and, when no interface will do, whether the web site answers
  Shell& shell;                   // links of the update information page
};

// A borderless window that stays on top. At program start it ticks seven times
// (250 ms each), tests the connection and checks the web site; at a library
// re-initialisation it only offers "Continue".
class TStartForm : public QDialog, private StartView {
  Q_OBJECT

 public:
  // language: the current interface language, read at each use. network: the
  // main window's network state, which the check sets.
  TStartForm(const StartFormPorts& ports, const Language& language, NetworkState& network, StartSetup setup,
             QWidget* parent = nullptr);
  ~TStartForm() override;

  // Program start: shows the window modally, centred on the desktop, with the
  // check; true when the main window follows, false when the program ends.
  bool ShowAtStart();
  // A library re-initialisation: modally, centred on the main window, until "Continue".
  void ShowAtReinitialisation();
  // The program is ending (the desktop session ends): boxes opened above the
  // window are answered "no", the check stops and the window closes.
  void EndProgram();

  StartSequence& sequence() { return sequence_; }

 protected:
  void showEvent(QShowEvent* event) override;
  // Escape (and a window manager's close) act as "Continue" once it shows.
  void reject() override;

 private:
  bool IsOnline() override;
  void CloseWindow() override;
  void StateChanged() override { ShowState(); }
  void ShowState();
  void CentreOn(const QRect& area);
  UpdateInfoAnswer ShowUpdateInfo(const UpdateInfoShowing& showing) override;

  StartSequence sequence_;
  Shell& shell_;
  NetworkInterfaces& interfaces_;
  HttpClient& http_;
  std::string updatePageUrl_;
  TUpdateInfoForm* updateInfoForm_ = nullptr;  // made at the first showing of the information
  QLabel* label7_;
  QLabel* label3_;
  QLabel* label4_;
  QProgressBar* progressBar_;
  QPushButton* nextBut_;
  QTimer* timer1_;
};

}  // namespace trakvella
