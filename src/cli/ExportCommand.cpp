// trakvella-cli export KIND: the developer menu's exports and the music set's
// conversions, writing exactly the text the program puts on the clipboard (or
// into its file) to stdout or --out, UTF-8 with CR LF line ends. Texts the user
// would paste come from files (--input, --prices); messages go to stderr.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/CliFiles.h"
#include "cli/CliOutput.h"
#include "core/browse/Browser.h"
#include "core/exports/ExportRun.h"
#include "core/exports/MusicSetConversions.h"
#include "core/exports/ShopExports.h"
#include "core/exports/TabularExports.h"
#include "core/exports/XmlExports.h"
#include "core/musicset/MusicSet.h"
#include "core/musicset/SetListFile.h"
#include "core/settings/ServerConfig.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"
#include "ports/Random.h"

namespace trakvella {

int CommandExport(const Catalogue& catalogue, int language, const std::filesystem::path& programFolder,
                  const std::vector<std::string>& args);

namespace {

int Usage(const std::string& text) {
  std::cerr << "trakvella-cli: " << text << '\n';
  return 2;
}

// The clipboard of one run: what the user would have pasted, and every text
// the export puts there.
class RecordingClipboard : public Clipboard {
 public:
  std::string pasted;
  void SetText(const std::string& text) override { pasted = text; }
  std::string Text() const override { return pasted; }
};

bool ReadPasted(const std::string& file, std::string& text, int language) {
  std::string bytes;
  if (Status read = ReadWholeFile(file, bytes, FileKind::ExportInput); !read.ok()) {
    cli::ReportRefusedFile(file, read, FileKind::ExportInput, language);
    return false;
  }
  text = DecodeText(bytes);
  return true;
}

}  // namespace

int CommandExport(const Catalogue& catalogue, int language, const std::filesystem::path& programFolder,
                  const std::vector<std::string>& args) {
  static const std::vector<std::string> kinds = {
      "maximum",  "maximum-set", "maximum-playlists", "itfactory", "rao-list", "registry",        "descriptions",
      "xml-site", "xml-desktop", "tree-html",         "webasyst",  "yandex",   "category-buffer", "musictag",
      "mstock",   "sourceaudio", "opencart"};
  if (args.empty()) return Usage("export wants a KIND: " + JoinLinesCrLf(kinds));
  const std::string kind = args[0];
  if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) return Usage("unknown export " + kind);
  std::map<std::string, std::string> options;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a != "--set" && a != "--input" && a != "--prices" && a != "--trends" && a != "--playlists" && a != "--out")
      return Usage("unknown option " + a + " for export");
    if (i + 1 >= args.size()) return Usage(a + " wants a value");
    options[a] = args[++i];
  }
  auto option = [&](const char* name) { return options.count(name) ? options[name] : std::string(); };

  cli::StderrDialogs dialogs;
  MusicSet set(catalogue, dialogs, [language] { return language; });
  const bool needsSet =
      kind == "maximum-set" || kind == "musictag" || kind == "mstock" || kind == "sourceaudio" || kind == "opencart";
  if (needsSet) {
    std::vector<std::string> lines;
    if (option("--set").empty()) return Usage("export " + kind + " wants --set FILE");
    if (Status read = ReadSetListFile(option("--set"), lines); !read.ok()) {
      cli::ReportRefusedFile(option("--set"), read, FileKind::SetList, language);
      return Usage("cannot read " + option("--set"));
    }
    set.LoadSet(lines);
  }
  if (kind == "maximum-playlists" && option("--playlists").empty())
    return Usage("export maximum-playlists wants --playlists FILE");

  SilentProgress progress;
  RecordingClipboard clipboard;
  // What the user would have put on the clipboard: the price table for the
  // shop, else the --input file.
  const std::string pasteFile = option(kind == "webasyst" ? "--prices" : "--input");
  if (!pasteFile.empty() && !ReadPasted(pasteFile, clipboard.pasted, language))
    return Usage("cannot read " + pasteFile);

  ExportContext context{catalogue, dialogs, progress, clipboard, language, programFolder, {}};
  context.settings.webSite = ReadServerConfig(programFolder).webSite;
  StdRandom random(1);
  Browser browser(catalogue, dialogs, progress, random, [language] { return language; });
  browser.Home();

  XmlFiles files;
  files.prices = option("--prices");
  files.trends = option("--trends");
  files.playlists = option("--playlists");

  ExportResult result;
  if (kind == "maximum") result = MaximumTrackTable(context, nullptr);
  if (kind == "maximum-set") result = MaximumTrackTable(context, &set);
  if (kind == "maximum-playlists") result = MaximumPlaylistTable(context, option("--playlists"));
  if (kind == "itfactory") result = ExportItFactory(context);
  if (kind == "rao-list") result = ExportRaoList(context);
  if (kind == "registry") result = ExportRegistryLists(context);
  if (kind == "descriptions") result = ExportDescriptions(context);
  if (kind == "xml-site") result = ExportSiteXml(context, browser, files);
  if (kind == "xml-desktop") result = ExportDesktopXml(context, browser, files);
  if (kind == "tree-html") result = ExportCategoryTreeHtml(context, browser);
  if (kind == "webasyst") result = ExportWebAsyst(context);
  if (kind == "yandex") result = ExportYandexPriceList(context);
  if (kind == "musictag") result = ConvertMusictag(context, set);
  if (kind == "mstock") result = ConvertMstock(context, set);
  if (kind == "sourceaudio") result = ConvertSourceAudio(context, set);
  if (kind == "opencart") result = ConvertOpenCart(context, set);
  if (kind == "category-buffer") {
    CategoryBuffer buffer;
    std::vector<std::string> places;
    for (const auto& place : SplitLines(clipboard.pasted)) places.push_back(Trim(place));
    if (!places.empty()) result = buffer.AddAll(context, places);
  }
  if (!result.done()) return 1;

  // The XML exports give their XML file, the category buffer its last "cat.txt";
  // the other texts are clipboard texts, written one after the other (the
  // registry's four lists, OpenCart's products and filters).
  std::string text;
  if (kind == "xml-site" || kind == "xml-desktop") {
    text = result.texts.front();
  } else if (kind == "category-buffer") {
    if (!result.texts.empty()) text = result.texts.back();
  } else {
    for (const auto& t : result.texts) text += t;
  }

  if (!option("--out").empty()) {
    if (!SaveFileBytes(option("--out"), text)) {
      std::cerr << "trakvella-cli: cannot write " << option("--out") << '\n';
      return 1;
    }
    return 0;
  }
  std::cout << text;
  std::cout.flush();
  return 0;
}

}  // namespace trakvella
