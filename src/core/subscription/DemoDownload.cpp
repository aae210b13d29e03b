// DemoDownload: the set's demo files over HTTP.
#include "core/subscription/DemoDownload.h"

#include "core/catalogue/TrackCodes.h"
#include "core/lang/MessageTable.h"
#include "core/subscription/Subscription.h"

namespace trakvella {

namespace fs = std::filesystem;

DemoTargets DemoTargetsOf(const Catalogue& catalogue, const std::vector<std::string>& items,
                          const std::string& demoBaseUrl) {
  DemoTargets targets;
  for (const std::string& item : items) {
    const std::string code = TrackCodeOfItem(item);
    const auto [cd, track] = catalogue.LocateTrack(code);
    const std::string title = cd >= 0 ? catalogue.Track(cd, track).title : std::string();
    targets.codes.push_back(code);
    targets.urls.push_back(demoBaseUrl + DemoName(code));
    targets.names.push_back(DemoFileName(code, title));
  }
  return targets;
}

std::vector<DemoDownloadItem> DownloadDemosInto(Downloader& downloader, const Catalogue& catalogue,
                                                const std::vector<std::string>& items, const std::string& demoBaseUrl,
                                                const std::string& folder) {
  const DemoTargets targets = DemoTargetsOf(catalogue, items, demoBaseUrl);
  downloader.DownloadFilesAs(targets.urls, targets.names, true, kMessageDownloadingFiles, folder);
  std::vector<DemoDownloadItem> result;
  for (size_t i = 0; i < targets.codes.size(); ++i) {
    const fs::path file = fs::path(folder) / targets.names[i];
    result.push_back({targets.codes[i], file, FileSizeOf(file) >= 0});
  }
  return result;
}

std::vector<DemoDownloadItem> FileDownBut(Downloader& downloader, Dialogs& dialogs, const Catalogue& catalogue,
                                          const std::vector<std::string>& items, const std::string& demoBaseUrl,
                                          bool offline, std::string& lastDownloadFolder, int language) {
  if (offline) {
    dialogs.Message(LangMessage(language, Msg::DownloadDisabledOffline), MessageKind::Warning, MessageButtons::Ok);
    return {};
  }
  const std::string folder = dialogs.SelectFolder(LangMessage(language, Msg::SpecifyFolder), "");
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(folder, ec)) return {};
  lastDownloadFolder = folder;
  return DownloadDemosInto(downloader, catalogue, items, demoBaseUrl, folder);
}

}  // namespace trakvella
