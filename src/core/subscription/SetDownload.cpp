// Subscription: the downloads within a connection — the folder map, each item's
// retrieval and unpacking, the library copy and the reveal — and the download
// entry points of the windows.
#include <algorithm>
#include <limits>

#include "core/catalogue/TrackCodes.h"
#include "core/catalogue/TrackRef.h"
#include "core/lang/MessageTable.h"
#include "core/net/OpenPage.h"
#include "core/subscription/Subscription.h"
#include "core/text/Text.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLibraryPrefix = "KMLB_";
constexpr int kStepWaitMs = 100;

// The starting folder's listing, however the server trickles or pads it.
constexpr FtpLimits kListingLimits{30000, 4 << 20};
// A track's archive: its size at a slow 64 kB/s, and never less than ten
// minutes; one of unknown size at most what a track's archive can be (two
// hours of 24-bit 96 kHz stereo audio).
constexpr int64_t kSlowestBytesPerSecond = 64 * 1024;
constexpr int64_t kShortestArchiveTimeMs = 10 * 60 * 1000;
constexpr int64_t kLargestTrackArchive = int64_t{2} << 30;

FtpLimits ArchiveLimits(int64_t size) {
  const int64_t bytes = size >= 0 ? size : kLargestTrackArchive;
  const int64_t ms = std::max(kShortestArchiveTimeMs, bytes / kSlowestBytesPerSecond * 1000);
  return {static_cast<int>(std::min<int64_t>(ms, std::numeric_limits<int>::max())), bytes};
}

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

}  // namespace

std::string_view ItemResultName(ItemResult result) {
  switch (result) {
    case ItemResult::Unpacked:
      return "unpacked";
    case ItemResult::Skipped:
      return "skipped";
    case ItemResult::NotOnServer:
      return "not-on-server";
    case ItemResult::DownloadFailed:
      return "download-failed";
    case ItemResult::OpenFailed:
      return "open-failed";
    case ItemResult::UnpackFailed:
      return "unpack-failed";
    case ItemResult::Cancelled:
      return "cancelled";
  }
  return "cancelled";
}

std::string TrackCodeOfItem(std::string_view item) {
  const size_t cut = item.find_last_of("\\/:");
  std::string_view name = cut == std::string_view::npos ? item : item.substr(cut + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}

FolderMap::FolderMap(const std::vector<std::string>& listing) {
  for (const std::string& line : listing) {
    const size_t at = line.find(kLibraryPrefix);
    if (at == std::string::npos) continue;
    const std::string folder = line.substr(at);
    entries_.emplace_back(FirstChars(folder, 8), folder);
  }
}

std::optional<std::string> FolderMap::Find(std::string_view cdCode) const {
  for (const auto& [key, folder] : entries_)
    if (SameText(key, cdCode)) return folder;
  return std::nullopt;
}

// --- Downloads within a connection ---------------------------------------------------------

void Subscription::DownloadItems(const std::vector<std::string>& items, const SessionSwitches& switches,
                                 DownloadReport* report) {
  // A listing that fails leaves the map with what arrived.
  std::vector<std::string> listing;
  // A failed listing is no error of its own: the items it lacks are reported as not on the server.
  (void)ftp_.List(listing, kListingLimits);
  const FolderMap folders(listing);

  std::string unpackedName;
  for (size_t i = 0; i < items.size(); ++i) {
    ItemOutcome outcome;
    if (Cancelled()) {
      outcome.code = TrackCodeOfItem(items[i]);
    } else {
      outcome = DownloadOne(i, items.size(), items[i], folders, switches, unpackedName);
    }
    if (report) report->items.push_back(std::move(outcome));
  }

  // The last unpacked file, shown in the file manager. (Closing a file manager
  // window already open on the folder is not something every desktop offers;
  // the file manager's own "show items" reuses or opens a window.)
  progress_.SetStatus("");
  if (switches.revealResult && !Cancelled() && !unpackedName.empty()) {
    const fs::path file = targetFolder_ / unpackedName;
    if (Exists(file) && RevealInFileManager(shell_, dialogs_, file.string(), language_) && report)
      report->revealed = file;
  }
}

ItemOutcome Subscription::DownloadOne(size_t i, size_t count, const std::string& item, const FolderMap& folders,
                                      const SessionSwitches& switches, std::string& unpackedName) {
  ItemOutcome outcome;
  const std::string position = " (" + std::to_string(i + 1) + Message(Msg::Of) + std::to_string(count);
  const std::string code = TrackCodeOfItem(item);
  const std::string archiveName = code + ".rar";
  progress_.ShowProgress(Message(Msg::DownloadingFiles) + position + ")...", ProgressMode::Show, true);
  // The window's own line: the archive on its way (never what an earlier
  // operation counted there).
  progress_.SetStatus(archiveName);
  progress_.pump();

  outcome.code = code;
  if (account_.HasDownloaded(code) &&
      dialogs_.Message(code + "\r" + Message(Msg::AlreadyDownloaded), MessageKind::Information,
                       MessageButtons::YesNo) == MessageAnswer::No) {
    outcome.result = ItemResult::Skipped;
    return outcome;
  }

  const std::optional<std::string> folder = folders.Find(FirstChars(code, kCdCodeLength));
  std::error_code ec;
  if (!Exists(targetFolder_) && !fs::create_directories(targetFolder_, ec)) {
    dialogs_.Message(Message(Msg::CannotCreateFolder), MessageKind::Error, MessageButtons::Ok);
  }

  const fs::path archive = targetFolder_ / archiveName;
  bool retrieved = false;
  outcome.result = ItemResult::NotOnServer;
  if (folder) {
    const std::string failureText =
        Message(Msg::Track) + position + "): " + code + "\r\n" + Message(Msg::CouldNotDownload);
    retrieved = RetrieveArchive("/" + *folder + "/" + archiveName, archive, failureText, outcome);
  }
  Wait(kStepWaitMs);

  // Only an archive that arrived in this run counts as downloaded; one left in
  // the folder from before is not taken for it. After a cancel it stays packed.
  if (retrieved && Cancelled()) {
    outcome.result = ItemResult::Cancelled;
    outcome.file = archive;
  } else if (retrieved && Exists(archive)) {
    account_.AddDownloaded(code);
    UnpackArchive(archive, switches, unpackedName, outcome);
  } else if (retrieved) {
    outcome.result = ItemResult::DownloadFailed;
  }
  Wait(kStepWaitMs);
  return outcome;
}

bool Subscription::RetrieveArchive(const std::string& remote, const fs::path& archive, const std::string& failureText,
                                   ItemOutcome& outcome) {
  int64_t size = -1;
  bool ok = ftp_.Size(remote, size).ok();
  if (ok) {
    progress_.SetPerMille(size > 0 ? 0 : -1);
    // The archive arrives whole under its name or not at all (a transfer
    // ending short of the size the server gave is not the archive); a
    // failure leaves what was there before and no part of it.
    ok = ftp_.Retrieve(remote, archive, size, ArchiveLimits(size),
                       [this, size](int64_t bytes) {
                         if (size > 0)
                           progress_.SetPerMille(static_cast<int>(std::min<int64_t>(bytes, size) * 1000 / size));
                         progress_.pump();
                         return !Cancelled();
                       })
             .ok();
  }
  progress_.SetPerMille(-1);
  if (!ok && !Cancelled()) dialogs_.Message(failureText, MessageKind::Error, MessageButtons::Ok);
  outcome.result = ok ? ItemResult::Unpacked : Cancelled() ? ItemResult::Cancelled : ItemResult::DownloadFailed;
  return ok;
}

void Subscription::UnpackArchive(const fs::path& archive, const SessionSwitches& switches, std::string& unpackedName,
                                 ItemOutcome& outcome) {
  const std::string archiveName = archive.filename().string();
  progress_.ShowProgress(Message(Msg::Unpacking) + " " + archiveName, ProgressMode::Show, true);
  progress_.pump();

  std::vector<ArchiveEntry> entries;
  outcome.file = archive;
  if (!archives_.List(archive, entries).ok()) {
    dialogs_.Message(Message(Msg::ArchiveOpenError) + " " + archiveName, MessageKind::Error, MessageButtons::Ok);
    outcome.result = ItemResult::OpenFailed;
    return;
  }
  // The unpacked file: the last file entry listed, by its own name (a
  // link or a folder is never the track).
  std::string name;
  for (const ArchiveEntry& entry : entries)
    if (entry.isFile && !FlatEntryName(entry.name).empty()) name = FlatEntryName(entry.name);
  const ExtractResult extracted =
      archives_.Extract(archive, targetFolder_, ExtractPaths::Flat, [this](int64_t done, int64_t total) {
        if (total > 0) progress_.SetPerMille(static_cast<int>(std::min(done, total) * 1000 / total));
        progress_.pump();
        return true;
      });
  progress_.SetPerMille(-1);
  // Unpacked means the track's file is there, written by this extraction.
  const bool written =
      std::find(extracted.written.begin(), extracted.written.end(), targetFolder_ / name) != extracted.written.end();
  if (!extracted.status.ok() || name.empty() || !written) {
    dialogs_.Message(Message(Msg::ArchiveUnpackError) + " " + archiveName, MessageKind::Error, MessageButtons::Ok);
    outcome.result = ItemResult::UnpackFailed;
    return;
  }
  // An archive the trash refuses stays beside its unpacked track, where the user finds it; the track
  // itself is there either way.
  (void)trash_.MoveToTrash(archive);
  unpackedName = name;
  outcome.result = ItemResult::Unpacked;
  outcome.file = targetFolder_ / name;
  if (switches.copyToLibrary) CopyToLibrary(name);
}

void Subscription::CopyToLibrary(const std::string& unpackedName) {
  const fs::path folder = LibraryCopyFolder(programFolder_, account_.activeAccount);
  if (folder.empty()) return;
  std::error_code ec;
  if (!Exists(folder) && !fs::create_directories(folder, ec)) {
    dialogs_.Message(Message(Msg::CannotCreateFolder), MessageKind::Error, MessageButtons::Ok);
    return;
  }
  // An existing copy stays. The copy is made new (never through a link of its
  // name); one that fails is reported and leaves no part of itself behind.
  const fs::path copy = folder / unpackedName;
  if (Exists(copy)) return;
  if (fs::copy_file(targetFolder_ / unpackedName, copy, fs::copy_options::none, ec)) return;
  if (ec != std::errc::file_exists) fs::remove(copy, ec);
  dialogs_.Message(Message(Msg::CopyError) + "\r" + copy.string(), MessageKind::Error, MessageButtons::Ok);
}

// --- Entry points ------------------------------------------------------------------------

bool Subscription::SelectTargetFolder(std::string& lastDownloadFolder, std::string& folder) {
  folder = dialogs_.SelectFolder(Message(Msg::SpecifyFolder), lastDownloadFolder);
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(folder, ec)) return false;
  lastDownloadFolder = folder;
  return true;
}

bool Subscription::DownloadInto(const std::string& folder, const std::vector<std::string>& items,
                                const SessionSwitches& switches, DownloadReport* report) {
  if (!RunSubscriptionSession(folder, items, switches, report)) return false;
  account_.activeAccount = account_.login;
  WriteAccount(account_.activeAccount);
  return true;
}

bool Subscription::DownloadSet(const std::vector<std::string>& items, std::string& lastDownloadFolder,
                               DownloadReport* report) {
  std::string folder;
  if (!SelectTargetFolder(lastDownloadFolder, folder)) return false;
  return DownloadInto(folder, items, SessionSwitches::All(), report);
}

bool Subscription::DownloadItem(const std::string& trackPathOrUrl, std::string& lastDownloadFolder,
                                DownloadReport* report) {
  if (!EnsureSignedIn() || account_.quota == kQuotaUnknown) {
    dialogs_.Message(Message(Msg::PleaseSignIn), MessageKind::Warning, MessageButtons::Ok);
    return false;
  }
  return DownloadSet({trackPathOrUrl}, lastDownloadFolder, report);
}

}  // namespace trakvella
