#include "core/startup/StartSequence.h"

#include "core/lang/MessageTable.h"
#include "core/startup/UpdateScript.h"
#include "core/startup/UpdateUnpack.h"
#include "core/text/Text.h"

namespace trakvella {

namespace fs = std::filesystem;

std::string VersionLine(Language language, const std::string& version) {
  return LangMessage(language, Msg::Version) + version;
}

std::string CheckingText(Language language, int tick) {
  return LangMessage(language, Msg::CheckingUpdate) + std::string(static_cast<size_t>(tick % 3 + 1), '.');
}

std::string DownloadPercentText(Language language, int64_t total, int64_t downloaded) {
  if (total == 0) return {};
  const int64_t percent = (downloaded * 200 + total) / (2 * total);  // half rounds up
  return LangMessage(language, Msg::UpdatesDownloaded) + std::to_string(percent) + "%";
}

StartSequence::StartSequence(StartPorts ports, const Language& language, NetworkState& network, StartSetup setup)
    : updateCheck(ports.downloader), ports_(ports), language_(language), network_(network), setup_(std::move(setup)) {
  updateCheck.SetEvents(this);
}

std::string StartSequence::Message(Msg message) const { return LangMessage(language_, message); }

void StartSequence::Close() {
  closeRequested_ = true;
  view_->CloseWindow();
}

void StartSequence::Changed() { view_->StateChanged(); }

void StartSequence::PrepareShowing(int kind) {
  mainWindowHeld_ = kind != 0;
  closeRequested_ = false;
  checking_ = false;
  continuedDuringCheck_ = false;
  state.versionLine = VersionLine(language_, setup_.programVersion);
  state.statusLine.clear();
  state.statusLineVisible = false;
  state.progressVisible = false;
  state.tickerEnabled = false;
}

void StartSequence::EndProgram() {
  ended_ = true;
  state.tickerEnabled = false;
  updateCheck.AbortTransfer();
  Close();
}

void StartSequence::Activate() {
  if (mainWindowHeld_) {
    state.continueVisible = true;
    Changed();
    return;
  }
  mainWindowHeld_ = true;
  state.versionLine = VersionLine(language_, setup_.programVersion);
  state.continueVisible = false;
  state.progressVisible = false;
  state.shown = true;
  state.ticks = 0;
  state.statusLineVisible = true;
  state.tickerEnabled = true;
  Changed();
}

void StartSequence::Tick() {
  if (!state.tickerEnabled || ended_) return;
  state.statusLine = CheckingText(language_, state.ticks);
  state.ticks += 1;
  Changed();
  if (state.ticks != kTicksBeforeCheck) return;
  if (view_->IsOnline()) {
    DoUpdate();
    return;
  }
  ports_.dialogs.Message(Message(Msg::NetworkFailure), MessageKind::Error, MessageButtons::Ok);
  network_.networkState = kNetworkOffline;
  state.tickerEnabled = false;
  mainWindowHeld_ = false;
  Close();
}

void StartSequence::DoUpdate() {
  updateCheck.product.Version = setup_.programVersion;
  std::string url = setup_.updatePageUrl;
  if (!StartsWithLowerCase(url, "http://") && !StartsWithLowerCase(url, "https://")) url = "http://" + url;
  updateCheck.product.URL = url;
  updateCheck.targetFolder = (setup_.programFolder / kUpdateArchiveFolderName).string();
  updateCheck.infoCaptions.CancelButton = Message(Msg::UpdateInfoCaption);
  // A slow site never holds the program: "Continue" is offered while the
  // page is read, and stops the reading.
  checking_ = true;
  state.continueVisible = true;
  Changed();
  // Every end of the check reaches this sequence through the update's handlers (no update, a failed
  // read or download, an update to install), so its result adds nothing here.
  (void)updateCheck.CheckUpdate();
  checking_ = false;
}

void StartSequence::Continue() {
  if (checking_) {
    // The check stops where it is: no question, no message, and the network
    // counts as working (nothing failed; the user went on).
    continuedDuringCheck_ = true;
    checking_ = false;
    updateCheck.AbortTransfer();
  }
  StopStatusTicker();
  mainWindowHeld_ = false;
  Close();
}

void StartSequence::StopStatusTicker() {
  state.statusLineVisible = false;
  state.tickerEnabled = false;
  Changed();
}

void StartSequence::WebUpdateNoUpdateFound() {
  checking_ = false;
  if (continuedDuringCheck_) return;
  state.progressVisible = false;
  state.continueVisible = true;
  StopStatusTicker();
  Continue();
}

void StartSequence::WebUpdateUpdateAvailable(bool& canUpdate) {
  checking_ = false;
  StopStatusTicker();
  if (ended_ || continuedDuringCheck_) {
    canUpdate = false;
    return;
  }
  if (setup_.installed) {
    // The package manager owns the program's files: the user learns of the
    // version and how to get it, and the program goes on.
    canUpdate = false;
    ports_.dialogs.Message(Message(Msg::NewerVersionAvailable) + updateCheck.values().version + "\r\r" +
                               Message(Msg::UpdateThroughPackage),
                           MessageKind::Information, MessageButtons::Ok);
    Continue();
    return;
  }
  canUpdate = ports_.dialogs.Message(Message(Msg::UpdateNow), MessageKind::Warning, MessageButtons::YesNo) ==
              MessageAnswer::Yes;
  state.progressVisible = canUpdate;
  state.continueVisible = !canUpdate;
  Changed();
}

void StartSequence::WebUpdateBeforeShowInfo(bool& showInfo) { showInfo = true; }

void StartSequence::WebUpdateDownload(int64_t total, int64_t downloaded) {
  state.progressMax = total;
  state.progressPosition = downloaded;
  state.statusLineVisible = true;
  if (total != 0) state.statusLine = DownloadPercentText(language_, total, downloaded);
  Changed();
}

void StartSequence::WebUpdateDownloadError() {
  // "Continue" shown only because the check ran is no answer to it yet.
  const bool continueOffered = state.continueVisible && !checking_;
  checking_ = false;
  if (continuedDuringCheck_) return;
  state.progressVisible = false;
  StopStatusTicker();
  if (!continueOffered && state.shown && !ended_)
    ports_.dialogs.Message(Message(Msg::UpdateFailed), MessageKind::Error, MessageButtons::Ok);
  network_.networkState = kNetworkUpdateFailed;
  state.continueVisible = true;
  Changed();
}

void StartSequence::UpdateNotInstalled(const fs::path& archive, const fs::path& script) {
  std::error_code ec;
  fs::remove_all(setup_.programFolder / kUpdateFolderName, ec);
  RemoveArchive(archive);
  if (!script.empty()) fs::remove(script, ec);
  state.progressVisible = false;
  StopStatusTicker();
  if (!state.continueVisible)
    ports_.dialogs.Message(Message(Msg::UpdateFailed), MessageKind::Error, MessageButtons::Ok);
  state.continueVisible = true;
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
    return;
  }
  if (FileSizeOf(archive) < kMinUpdateArchiveSize) {
    // A cut-short transfer leaves no file (nor, then, an empty folder for it);
    // a small one is no update. Either way the program stays as it is and the
    // user may go on.
    if (FileSizeOf(archive) < 0) RemoveArchive(archive);
    state.progressVisible = false;
    StopStatusTicker();
    if (!state.continueVisible && state.shown)
      ports_.dialogs.Message(Message(Msg::UpdateFailed), MessageKind::Error, MessageButtons::Ok);
    state.continueVisible = true;
    Changed();
    return;
  }

  ports_.progress.ShowProgress(Message(Msg::Unpacking) + " " + archive.filename().string(), ProgressMode::Show);
  const UnpackResult unpacked = UnpackUpdate(ports_.archives, archive, setup_.programFolder, ports_.progress);
  if (unpacked.outcome != UnpackOutcome::Unpacked) {
    RemoveArchive(archive);
    ports_.progress.ShowProgress("", ProgressMode::Hide);
    const Msg message = unpacked.outcome == UnpackOutcome::CannotOpen ? Msg::ArchiveOpenError : Msg::ArchiveUnpackError;
    ports_.dialogs.Message(Message(message) + ":\r" + archive.string(), MessageKind::Error, MessageButtons::Ok);
  } else {
    ports_.progress.ShowProgress("", ProgressMode::Hide);
    UpdateScript script{setup_.programFolder,      archive,       setup_.programFile, setup_.restartArguments,
                        setup_.scriptPauseSeconds, unpacked.files};
    const fs::path scriptFile = WriteUpdateScript(script);
    if (scriptFile.empty()) {
      UpdateNotInstalled(archive, scriptFile);
      return;
    }
    ports_.dialogs.Message(Message(Msg::UpdateDownloaded), MessageKind::Information, MessageButtons::Ok);
    if (!StartUpdateScript(ports_.launcher, scriptFile, setup_.programFolder)) {
      UpdateNotInstalled(archive, scriptFile);
      return;
    }
  }
  // The program ends here; after a successful unpacking the script starts it again.
  mainWindowHeld_ = true;
  Close();
}

}  // namespace trakvella
