#pragma once
// DemoDownload: the music set's demo MP3 files over HTTP (DownloadSetDemos), named
// after their tracks, through the program's file downloader. Borrows everything.
#include <filesystem>
#include <string>
#include <vector>

#include "core/catalogue/Catalogue.h"
#include "core/lang/Language.h"
#include "core/net/Downloads.h"
#include "ports/Dialogs.h"

namespace trakvella {

struct DemoDownloadItem {
  std::string code;
  std::filesystem::path file;  // where it was saved
  bool kept = false;           // the file arrived in this run and was kept
};

// Where an item's demo comes from and what it is saved as: demo base + KMLB_ccc/code.mp3,
// saved as the code, a blank, the sanitised title and ".mp3".
struct DemoTarget {
  std::string code;
  std::string url;
  std::string name;
};
std::vector<DemoTarget> DemoTargetsOf(const Catalogue& catalogue, const std::vector<std::string>& items,
                                      const std::string& demoBaseUrl);

// Downloads the items' demos into folder (message 40 progress, files under
// 10,000 bytes thrown away, each failure reported with its track code as the
// downloader does), then shows the run's one-line summary ("Demo files saved:
// 3, not downloaded: 1") unless the run was cancelled.
std::vector<DemoDownloadItem> DownloadDemosInto(Downloader& downloader, Dialogs& dialogs, const Catalogue& catalogue,
                                                const std::vector<std::string>& items, const std::string& demoBaseUrl,
                                                const std::string& folder, Language language);

// The summary line of a demo download run.
std::string DemoSummaryText(Language language, size_t saved, size_t failed);

// DownloadSetDemos: offline, a warning (message 115) and nothing else; otherwise the
// folder dialog (no starting folder), which becomes lastDownloadFolder, then the
// downloads. Empty when nothing was downloaded.
std::vector<DemoDownloadItem> DownloadSetDemos(Downloader& downloader, Dialogs& dialogs, const Catalogue& catalogue,
                                               const std::vector<std::string>& items, const std::string& demoBaseUrl,
                                               bool offline, std::string& lastDownloadFolder, Language language);

}  // namespace trakvella
