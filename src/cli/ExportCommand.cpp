// trakvella-cli export KIND: the developer menu's exports and the music set's
// conversions, writing exactly the text the program puts on the clipboard (or
// into its file) to stdout or --out, UTF-8 with CR LF line ends. Texts the user
// would paste come from files (--input, --prices); messages go to stderr.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliFiles.h"
#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/Commands.h"
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

namespace trakvella::cli {
namespace {

const std::vector<std::string>& Kinds() {
  static const std::vector<std::string> kinds = {
      "maximum",  "maximum-set", "maximum-playlists", "itfactory", "rao-list", "registry",        "descriptions",
      "xml-site", "xml-desktop", "tree-html",         "webasyst",  "yandex",   "category-buffer", "musictag",
      "mstock",   "sourceaudio", "opencart"};
  return kinds;
}

// The clipboard of one run: what the user would have pasted. An export reads it
// before it puts anything there, and every text it puts there it also hands
// back in its result, which is what the command writes: a second copy of a
// large table would only cost time and memory.
class RecordingClipboard : public Clipboard {
 public:
  std::string pasted;
  void SetText(const std::string&) override { pasted.clear(); }
  std::string Text() const override { return pasted; }
};

bool ReadPasted(const std::string& file, std::string& text, Language language) {
  std::string bytes;
  if (Status read = ReadWholeFile(file, bytes, FileKind::ExportInput); !read.ok()) {
    ReportRefusedFile(file, read, FileKind::ExportInput, language);
    return false;
  }
  text = DecodeText(bytes);
  return true;
}

}  // namespace

void CheckExportKind(const std::vector<std::string>& leading) {
  if (leading.empty()) throw UsageError{"export wants a KIND: " + JoinLinesCrLf(Kinds())};
  if (std::find(Kinds().begin(), Kinds().end(), leading[0]) == Kinds().end())
    throw UsageError{"unknown export " + leading[0]};
}

namespace {

// Runs the export KIND over the catalogue, the set and the files given.
ExportResult RunExport(const std::string& kind, ExportContext& context, MusicSet& set, const Arguments& args,
                       Progress& progress) {
  StdRandom random(1);
  Browser browser(context.catalogue, context.dialogs, progress, random, context.language);
  browser.Home();
  XmlFiles files;
  files.prices = args.value("--prices");
  files.trends = args.value("--trends");
  files.playlists = args.value("--playlists");

  if (kind == "maximum") return MaximumTrackTable(context, nullptr);
  if (kind == "maximum-set") return MaximumTrackTable(context, &set);
  if (kind == "maximum-playlists") return MaximumPlaylistTable(context, args.value("--playlists"));
  if (kind == "itfactory") return ExportItFactory(context);
  if (kind == "rao-list") return ExportRaoList(context);
  if (kind == "registry") return ExportRegistryLists(context);
  if (kind == "descriptions") return ExportDescriptions(context);
  if (kind == "xml-site") return ExportSiteXml(context, browser, files);
  if (kind == "xml-desktop") return ExportDesktopXml(context, browser, files);
  if (kind == "tree-html") return ExportCategoryTreeHtml(context, browser);
  if (kind == "webasyst") return ExportWebAsyst(context);
  if (kind == "yandex") return ExportYandexPriceList(context);
  if (kind == "musictag") return ConvertMusictag(context, set);
  if (kind == "mstock") return ConvertMstock(context, set);
  if (kind == "sourceaudio") return ConvertSourceAudio(context, set);
  if (kind == "opencart") return ConvertOpenCart(context, set);
  ExportResult result;  // category-buffer
  CategoryBuffer buffer;
  std::vector<std::string> places;
  for (const auto& place : SplitLines(context.clipboard.Text())) places.push_back(Trim(place));
  if (!places.empty()) result = buffer.AddAll(context, places);
  return result;
}

// The XML exports give their XML file, the category buffer its last "cat.txt";
// the other texts are clipboard texts, written one after the other (the
// registry's four lists, OpenCart's products and filters).
// The texts are moved out of the result, not copied.
std::string ResultText(const std::string& kind, ExportResult& result) {
  std::string text;
  if (kind == "xml-site" || kind == "xml-desktop") {
    text = std::move(result.texts.front());
  } else if (kind == "category-buffer") {
    if (!result.texts.empty()) text = std::move(result.texts.back());
  } else if (result.texts.size() == 1) {
    text = std::move(result.texts.front());
  } else {
    for (const auto& t : result.texts) text += t;
  }
  return text;
}

}  // namespace

int CommandExport(const CommandContext& context, const Arguments& args) {
  const std::string& kind = args.words()[0];
  const Language language = context.language;
  const Catalogue& catalogue = *context.catalogue;
  StderrDialogs dialogs;
  MusicSet set(catalogue, dialogs, language);
  const bool needsSet =
      kind == "maximum-set" || kind == "musictag" || kind == "mstock" || kind == "sourceaudio" || kind == "opencart";
  if (needsSet) {
    const std::string setFile = args.value("--set");
    if (setFile.empty()) throw UsageError{"export " + kind + " wants --set FILE"};
    if (Status read = ReadSetListInto(setFile, set); !read.ok()) {
      ReportRefusedFile(setFile, read, FileKind::SetList, language);
      throw UsageError{"cannot read " + setFile};
    }
  }
  if (kind == "maximum-playlists" && args.value("--playlists").empty())
    throw UsageError{"export maximum-playlists wants --playlists FILE"};

  RecordingClipboard clipboard;
  // What the user would have put on the clipboard: the price table for the
  // shop, else the --input file.
  const std::string pasteFile = args.value(kind == "webasyst" ? "--prices" : "--input");
  if (!pasteFile.empty() && !ReadPasted(pasteFile, clipboard.pasted, language))
    throw UsageError{"cannot read " + pasteFile};

  ExportContext exportContext{catalogue, dialogs, context.ports.progress, clipboard, language, context.programFolder,
                              {}};
  exportContext.settings.webSite = ReadServerConfig(context.programFolder).webSite;
  ExportResult result = RunExport(kind, exportContext, set, args, context.ports.progress);
  if (!result.done()) return 1;
  const std::string text = ResultText(kind, result);

  const std::string out = args.value("--out");
  if (!out.empty()) {
    if (!SaveFileBytes(out, text)) {
      std::cerr << "trakvella-cli: cannot write " << out << '\n';
      return 1;
    }
    return 0;
  }
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::cout.flush();
  return 0;
}

}  // namespace trakvella::cli
