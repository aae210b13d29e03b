#include "core/startup/StartSequence.h"

#include "core/lang/MessageTable.h"
#include "core/startup/UpdateScript.h"
#include "core/startup/UpdateUnpack.h"
#include "core/text/Text.h"

namespace trakvella {

namespace fs = std::filesystem;

std::string VersionLine(int language, const std::string& version) {
  return LangMessage(language, Msg::Version) + version;
}

std::string CheckingText(int language, int tick) {
  return LangMessage(language, Msg::CheckingUpdate) + std::string(static_cast<size_t>(tick % 3 + 1), '.');
}

std::string DownloadPercentText(int language, int64_t total, int64_t downloaded) {
  if (total == 0) return {};
  const int64_t percent = (downloaded * 200 + total) / (2 * total);  // half rounds up
  return LangMessage(language, Msg::UpdatesDownloaded) + std::to_string(percent) + "%";
}

StartSequence::StartSequence(StartPorts ports, std::function<int()> language, NetworkState& network, StartSetup setup)
    : WebUpdate(ports.downloader),
      ports_(ports),
      language_(std::move(language)),
      network_(network),
      setup_(std::move(setup)) {
  WebUpdate.SetEvents(this);
}

std::string StartSequence::Message(unsigned index) const {
  return LangMessage(language_ ? language_() : kEnglish, index);
}

void StartSequence::Close() {
  closeRequested_ = true;
  view_->CloseWindow();
}

void StartSequence::Changed() { view_->StateChanged(); }

void StartSequence::PrepareShowing(int kind) {
  Tag = kind;
  closeRequested_ = false;
  checking_ = false;
  continuedDuringCheck_ = false;
  state.Label3 = VersionLine(language_ ? language_() : kEnglish, setup_.programVersion);
  state.Label4.clear();
  state.Label4Visible = false;
  state.ProgressBarVisible = false;
  state.Timer1Enabled = false;
}

void StartSequence::EndProgram() {
  ended_ = true;
  state.Timer1Enabled = false;
  WebUpdate.AbortTransfer();
  Close();
}

void StartSequence::FormActivate() {
  if (Tag != 0) {
    state.NextButVisible = true;
    Changed();
    return;
  }
  Tag = 1;
  state.Label3 = VersionLine(language_ ? language_() : kEnglish, setup_.programVersion);
  state.NextButVisible = false;
  state.ProgressBarVisible = false;
  state.shown = true;
  state.Timer1Tag = 0;
  state.Label4Visible = true;
  state.Timer1Enabled = true;
  Changed();
}

void StartSequence::Timer1Timer() {
  if (!state.Timer1Enabled || ended_) return;
  state.Label4 = CheckingText(language_ ? language_() : kEnglish, state.Timer1Tag);
  state.Timer1Tag += 1;
  Changed();
  if (state.Timer1Tag != kTicksBeforeCheck) return;
  if (view_->IsOnline()) {
    DoUpdate();
    return;
  }
  ports_.dialogs.Message(Message(static_cast<unsigned>(Msg::NetworkFailure)), MessageKind::Error, MessageButtons::Ok);
  network_.networkState = kNetworkOffline;
  state.Timer1Enabled = false;
  Tag = 0;
  Close();
}

void StartSequence::DoUpdate() {
  WebUpdate.ProductInfo.Version = setup_.programVersion;
  WebUpdate.Tag = 0;
  std::string url = setup_.updatePageUrl;
  if (!StartsWithLowerCase(url, "http://") && !StartsWithLowerCase(url, "https://")) url = "http://" + url;
  WebUpdate.ProductInfo.URL = url;
  WebUpdate.TargetFolder = (setup_.programFolder / kUpdateArchiveFolderName).string();
  WebUpdate.InfoCaption.CancelButton = Message(static_cast<unsigned>(Msg::UpdateInfoCaption));
  // A slow site never holds the program: "Continue" is offered while the
  // page is read, and stops the reading.
  checking_ = true;
  state.NextButVisible = true;
  Changed();
  // Every end of the check reaches this sequence through the update's handlers (no update, a failed
  // read or download, an update to install), so its result adds nothing here.
  (void)WebUpdate.CheckUpdate();
  checking_ = false;
}

void StartSequence::NextButClick() {
  if (checking_) {
    // The check stops where it is: no question, no message, and the network
    // counts as working (nothing failed; the user went on).
    continuedDuringCheck_ = true;
    checking_ = false;
    WebUpdate.AbortTransfer();
  }
  DeactivateLabel();
  Tag = 0;
  Close();
}

void StartSequence::DeactivateLabel() {
  state.Label4Visible = false;
  state.Timer1Enabled = false;
  Changed();
}

void StartSequence::WebUpdateNoUpdateFound() {
  checking_ = false;
  if (continuedDuringCheck_) return;
  state.ProgressBarVisible = false;
  state.NextButVisible = true;
  DeactivateLabel();
  WebUpdate.Tag = -1;
  NextButClick();
}

void StartSequence::WebUpdateUpdateAvailable(bool& canUpdate) {
  checking_ = false;
  DeactivateLabel();
  if (ended_ || continuedDuringCheck_) {
    canUpdate = false;
    return;
  }
  if (setup_.installed) {
    // The package manager owns the program's files: the user learns of the
    // version and how to get it, and the program goes on.
    canUpdate = false;
    ports_.dialogs.Message(Message(static_cast<unsigned>(Msg::NewerVersionAvailable)) + WebUpdate.values().version +
                               "\r\r" + Message(static_cast<unsigned>(Msg::UpdateThroughPackage)),
                           MessageKind::Information, MessageButtons::Ok);
    NextButClick();
    return;
  }
  canUpdate = ports_.dialogs.Message(Message(static_cast<unsigned>(Msg::UpdateNow)), MessageKind::Warning,
                                     MessageButtons::YesNo) == MessageAnswer::Yes;
  state.ProgressBarVisible = canUpdate;
  state.NextButVisible = !canUpdate;
  Changed();
}

void StartSequence::WebUpdateBeforeShowInfo(bool& showInfo) { showInfo = true; }

void StartSequence::WebUpdateDownload(int64_t total, int64_t downloaded) {
  state.ProgressBarMax = total;
  state.ProgressBarPosition = downloaded;
  state.Label4Visible = true;
  if (total != 0) state.Label4 = DownloadPercentText(language_ ? language_() : kEnglish, total, downloaded);
  Changed();
}

void StartSequence::WebUpdateDownloadError() {
  // "Continue" shown only because the check ran is no answer to it yet.
  const bool continueOffered = state.NextButVisible && !checking_;
  checking_ = false;
  if (continuedDuringCheck_) return;
  state.ProgressBarVisible = false;
  DeactivateLabel();
  if (!continueOffered && state.shown && !ended_)
    ports_.dialogs.Message(Message(static_cast<unsigned>(Msg::UpdateFailed)), MessageKind::Error, MessageButtons::Ok);
  WebUpdate.Tag = -1;
  network_.networkState = kNetworkUpdateFailed;
  state.NextButVisible = true;
  Changed();
}

void StartSequence::UpdateNotInstalled(const fs::path& archive, const fs::path& script) {
  std::error_code ec;
  fs::remove_all(setup_.programFolder / kUpdateFolderName, ec);
  RemoveArchive(archive);
  if (!script.empty()) fs::remove(script, ec);
  state.ProgressBarVisible = false;
  DeactivateLabel();
  if (!state.NextButVisible)
    ports_.dialogs.Message(Message(static_cast<unsigned>(Msg::UpdateFailed)), MessageKind::Error, MessageButtons::Ok);
  WebUpdate.Tag = -1;
  state.NextButVisible = true;
  Changed();
}

void StartSequence::RemoveArchive(const fs::path& archive) {
  // Only the archive this check downloaded, in its own folder, which goes
  // too once it is empty.
  std::error_code ec;
  fs::remove(archive, ec);
  if (archive.parent_path() == setup_.programFolder / kUpdateArchiveFolderName) fs::remove(archive.parent_path(), ec);
}

void StartSequence::WebUpdateAfterDownload(const std::string& archiveName) {
  const fs::path archive = archiveName;
  if (ended_) {
    // The program is ending: the archive is not put in place now (the next
    // check downloads it afresh).
    WebUpdate.Tag = -1;
    return;
  }
  if (FileSizeOf(archive) < kMinUpdateArchiveSize) {
    // A cut-short transfer leaves no file (nor, then, an empty folder for it);
    // a small one is no update. Either way the program stays as it is and the
    // user may go on.
    if (FileSizeOf(archive) < 0) RemoveArchive(archive);
    WebUpdate.Tag = -1;
    state.ProgressBarVisible = false;
    DeactivateLabel();
    if (!state.NextButVisible && state.shown)
      ports_.dialogs.Message(Message(static_cast<unsigned>(Msg::UpdateFailed)), MessageKind::Error, MessageButtons::Ok);
    state.NextButVisible = true;
    Changed();
    return;
  }

  ports_.progress.ShowProgress(Message(static_cast<unsigned>(Msg::Unpacking)) + " " + archive.filename().string(),
                               ProgressMode::Show);
  const UnpackResult unpacked = UnpackUpdate(ports_.archives, archive, setup_.programFolder, ports_.progress);
  if (unpacked.outcome != UnpackOutcome::Unpacked) {
    RemoveArchive(archive);
    ports_.progress.ShowProgress("", ProgressMode::Hide);
    const Msg message = unpacked.outcome == UnpackOutcome::CannotOpen ? Msg::ArchiveOpenError : Msg::ArchiveUnpackError;
    ports_.dialogs.Message(Message(static_cast<unsigned>(message)) + ":\r" + archive.string(), MessageKind::Error,
                           MessageButtons::Ok);
  } else {
    ports_.progress.ShowProgress("", ProgressMode::Hide);
    UpdateScript script{setup_.programFolder,      archive,       setup_.programFile, setup_.restartArguments,
                        setup_.scriptPauseSeconds, unpacked.files};
    const fs::path scriptFile = WriteUpdateScript(script);
    if (scriptFile.empty()) {
      UpdateNotInstalled(archive, scriptFile);
      return;
    }
    ports_.dialogs.Message(Message(static_cast<unsigned>(Msg::UpdateDownloaded)), MessageKind::Information,
                           MessageButtons::Ok);
    if (!StartUpdateScript(ports_.launcher, scriptFile, setup_.programFolder)) {
      UpdateNotInstalled(archive, scriptFile);
      return;
    }
  }
  // The program ends here; after a successful unpacking the script starts it again.
  Tag = 1;
  Close();
}

}  // namespace trakvella
