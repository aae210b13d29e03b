// DemoDownload: the set's demo files over HTTP.
#include "core/subscription/DemoDownload.h"

#include "core/catalogue/TrackCodes.h"
#include "core/lang/MessageTable.h"
#include "core/subscription/Subscription.h"

namespace trakvella {

namespace fs = std::filesystem;

std::vector<DemoTarget> DemoTargetsOf(const Catalogue& catalogue, const std::vector<std::string>& items,
                                      const std::string& demoBaseUrl) {
  std::vector<DemoTarget> targets;
  targets.reserve(items.size());
  for (const std::string& item : items) {
    const std::string code = TrackCodeOfItem(item);
    const auto [cd, track] = catalogue.LocateTrack(code);
    const std::string title = cd >= 0 ? catalogue.Track(cd, track).title : std::string();
    targets.push_back({code, demoBaseUrl + DemoName(code), DemoFileName(code, title)});
  }
  return targets;
}

std::string DemoSummaryText(Language language, size_t saved, size_t failed) {
  return LangMessage(language, Msg::DemoFilesSaved) + std::to_string(saved) +
         LangMessage(language, Msg::DemoFilesFailed) + std::to_string(failed);
}

std::vector<DemoDownloadItem> DownloadDemosInto(Downloader& downloader, Dialogs& dialogs, const Catalogue& catalogue,
                                                const std::vector<std::string>& items, const std::string& demoBaseUrl,
                                                const std::string& folder, Language language) {
  const std::vector<DemoTarget> targets = DemoTargetsOf(catalogue, items, demoBaseUrl);
  std::vector<Downloader::NamedFile> files;
  for (const DemoTarget& target : targets) files.push_back({target.url, target.name, target.code});
  // Whether each file arrived now: an older file of the same name is no success.
  const std::vector<bool> kept = downloader.DownloadFilesNamed(files, true, Msg::DownloadingFiles, folder);
  std::vector<DemoDownloadItem> result;
  size_t saved = 0;
  for (size_t i = 0; i < targets.size(); ++i) {
    result.push_back({targets[i].code, fs::path(folder) / targets[i].name, kept[i]});
    if (kept[i]) ++saved;
  }
  // A cancelled run ends without a summary: the user stopped it.
  if (!downloader.Cancelled())
    dialogs.Message(DemoSummaryText(language, saved, result.size() - saved), MessageKind::Information,
                    MessageButtons::Ok);
  return result;
}

std::vector<DemoDownloadItem> DownloadSetDemos(Downloader& downloader, Dialogs& dialogs, const Catalogue& catalogue,
                                               const std::vector<std::string>& items, const std::string& demoBaseUrl,
                                               bool offline, std::string& lastDownloadFolder, Language language) {
  if (offline) {
    dialogs.Message(LangMessage(language, Msg::DownloadDisabledOffline), MessageKind::Warning, MessageButtons::Ok);
    return {};
  }
  const std::string folder = dialogs.SelectFolder(LangMessage(language, Msg::SpecifyFolder), "");
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(folder, ec)) return {};
  lastDownloadFolder = folder;
  return DownloadDemosInto(downloader, dialogs, catalogue, items, demoBaseUrl, folder, language);
}

}  // namespace trakvella
