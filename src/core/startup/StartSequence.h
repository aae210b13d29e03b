#pragma once
// StartSequence: what the start window decides — the version line, the 250 ms
// "checking" tick, the connection test, the update check with its answers,
// unpacking a downloaded update and starting the restart script, and whether
// the main window follows when the window closes. The window shows
// `state` and forwards its events; the ports are borrowed, the component owned.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/lang/Language.h"
#include "core/net/Downloads.h"
#include "core/startup/WebUpdate.h"
#include "ports/Dialogs.h"
#include "ports/ProcessLauncher.h"
#include "ports/Progress.h"

namespace trakvella {

class ArchiveReader;

// Updates smaller than this are not unpacked.
inline constexpr int64_t kMinUpdateArchiveSize = 1000000;
// Ticks of the 250 ms timer before the check starts.
inline constexpr int kTicksBeforeCheck = 7;

// The start window's line "Version 1.0.0.0".
std::string VersionLine(Language language, const std::string& version);
// The tick's text: "Checking update now" and 1, 2 or 3 dots for tick 0, 1, 2, 3 ...
std::string CheckingText(Language language, int tick);
// "Updates downloaded: 67%": the share rounded to the nearest whole percent;
// empty when total is 0 (the length is not known).
std::string DownloadPercentText(Language language, int64_t total, int64_t downloaded);

// What the start window shows; the names are its controls'.
struct StartWindowState {
  std::string versionLine;  // the version line
  std::string statusLine;   // progress and status
  bool statusLineVisible = false;
  bool continueVisible = false;
  bool progressVisible = false;
  int64_t progressMax = 100;
  int64_t progressPosition = 0;
  bool tickerEnabled = false;
  int ticks = 0;
  bool shown = false;  // the window has been shown (first activation)
};

struct StartPorts {
  Dialogs& dialogs;
  Progress& progress;
  Downloader& downloader;
  ArchiveReader& archives;
  ProcessLauncher& launcher;
};

struct StartSetup {
  std::string programVersion;           // FileVersion; empty when unknown
  std::string updatePageUrl;            // the web site's "update.html"
  std::filesystem::path programFolder;  // gets the archive, "update/" and the script
  std::filesystem::path programFile;    // started again by the script
  std::vector<std::string> restartArguments;
  int scriptPauseSeconds = 5;
  // The program was installed (from a package): a newer version is announced
  // with how the package is updated, never downloaded over the program's files.
  bool installed = false;
};

// What the start window does for the sequence: the one way the sequence reaches up to it. Each call
// has a default, the answer of a sequence without a window.
class StartView {
 public:
  virtual ~StartView() = default;
  // Whether the computer is online (a connected interface, or the web site answers).
  [[nodiscard]] virtual bool IsOnline() { return true; }
  // The window closes itself.
  virtual void CloseWindow() {}
  // The state changed while an operation runs (the window repaints).
  virtual void StateChanged() {}
  // The update's information window, shown modally; without a window the update is not taken.
  virtual UpdateInfoAnswer ShowUpdateInfo(const UpdateInfoShowing& showing) {
    (void)showing;
    return {};
  }
};

class StartSequence : private WebUpdateEvents {
 public:
  StartSequence(StartPorts ports, const Language& language, NetworkState& network, StartSetup setup);

  StartWindowState state;
  TWebUpdate updateCheck;

  // The window from now on (nullptr: none, the defaults of StartView); borrowed, it outlives its use here.
  void SetView(StartView* view) { view_ = view ? view : &noView_; }

  // Prepares a showing: kind 0 at program start, 1 at re-initialisation. The
  // status line and the progress bar are reset; the version line is written in
  // the current language (a re-initialisation may come without a first showing).
  void PrepareShowing(int kind);
  // After the window closed: whether the main window follows.
  bool ContinueToMainWindow() const { return !mainWindowHeld_ && !ended_; }
  bool closeRequested() const { return closeRequested_; }
  // The program is ending while the window is up (the desktop session ends):
  // the running transfer stops, nothing more is asked, downloaded or unpacked,
  // the window closes and the main window does not follow.
  void EndProgram();
  bool ended() const { return ended_; }

  void Activate();
  void Tick();
  // The update check; "Continue" shows while it runs.
  void DoUpdate();
  // "Continue": the window closes and the main window follows; during the
  // check it stops the check first.
  void Continue();
  void StopStatusTicker();

  void WebUpdateNoUpdateFound();
  void WebUpdateUpdateAvailable(bool& canUpdate);
  void WebUpdateBeforeShowInfo(bool& showInfo);
  void WebUpdateDownload(int64_t total, int64_t downloaded);
  void WebUpdateDownloadError();
  void WebUpdateAfterDownload(const std::string& archive);

 private:
  // The check's events, each to the step above that answers it.
  void OnNoUpdateFound() override { WebUpdateNoUpdateFound(); }
  void OnUpdateAvailable(const std::string&, const std::string&, bool& canUpdate) override {
    WebUpdateUpdateAvailable(canUpdate);
  }
  void OnBeforeShowInfo(bool& showInfo, bool&) override { WebUpdateBeforeShowInfo(showInfo); }
  UpdateInfoAnswer ShowInfoWindow(const UpdateInfoShowing& showing) override { return view_->ShowUpdateInfo(showing); }
  void OnDownload(int64_t total, int64_t downloaded) override { WebUpdateDownload(total, downloaded); }
  void OnDownloadError() override { WebUpdateDownloadError(); }
  void OnAfterDownload(const std::string& file) override { WebUpdateAfterDownload(file); }

  std::string Message(Msg message) const;
  void Close();
  void Changed();
  // An update that could not be put in place: reported, and the program goes on.
  void UpdateNotInstalled(const std::filesystem::path& archive, const std::filesystem::path& script);
  void RemoveArchive(const std::filesystem::path& archive);

  StartPorts ports_;
  StartView noView_;
  StartView* view_ = &noView_;
  const Language& language_;
  NetworkState& network_;
  StartSetup setup_;
  // Whether the main window waits: not before the first showing (its activation starts the check and
  // holds it), from the start of a showing at re-initialisation (which only offers "Continue"), and
  // after an update was put in place. "Continue" and a failed connection test let it follow; held when
  // the window closes, the program ends.
  bool mainWindowHeld_ = false;
  bool closeRequested_ = false;
  bool ended_ = false;
  // The update page is being read ("Continue" shown meanwhile), and whether
  // "Continue" was chosen then.
  bool checking_ = false;
  bool continuedDuringCheck_ = false;
};

}  // namespace trakvella
