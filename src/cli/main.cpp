// trakvella-cli: the catalogue on the command line, for scripts, the library's
// staff and acceptance tests. Output is UTF-8, one key=value per line; every
// message the program would show in a box goes to stderr as "message: TEXT".
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "adapters/PosixFileSystem.h"
#include "cli/CliFiles.h"
#include "cli/CliOutput.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Resources.h"
#include "core/catalogue/Vocabulary.h"
#include "core/lang/Locale.h"
#include "core/lang/MessageTable.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"
#include "ports/Random.h"

namespace trakvella {

// The search command (SearchCommand.cpp): the arguments after "search".
int CommandSearch(const Catalogue& catalogue, int language, const std::vector<std::string>& args);
// The collections (CollectionsCommand.cpp): related, title, local, lucky, top, similar.
int CommandCollection(const Catalogue& catalogue, int language, const std::string& command,
                      const std::vector<std::string>& args);
// The fetch command (FetchCommand.cpp): the arguments after "fetch".
int CommandFetch(const std::vector<std::string>& args, int language);
// The music set commands (SetCommand.cpp): the arguments after "set".
int CommandSet(const Catalogue& catalogue, int language, const std::filesystem::path& programFolder,
               const std::vector<std::string>& args);
// The update page and version comparison (UpdateCommand.cpp): update-info, version-newer.
int CommandUpdate(const std::string& command, const std::vector<std::string>& args, int language);
// The documents (DocumentsCommand.cpp): words and roubles, contract and passport.
int CommandWords(const std::string& command, const std::vector<std::string>& args);
int CommandContract(const Catalogue& catalogue, const ResourceStore& resources, int language,
                    const std::vector<std::string>& args);
int CommandPassport(const Catalogue& catalogue, const ResourceStore& resources, int language,
                    const std::vector<std::string>& args);
// The exports (ExportCommand.cpp): the arguments after "export".
int CommandExport(const Catalogue& catalogue, int language, const std::filesystem::path& programFolder,
                  const std::vector<std::string>& args);
// The subscription (SubscriptionCommand.cpp): account, quota, download; demo-download.
int CommandSubscription(const std::string& command, const std::vector<std::string>& args,
                        const std::filesystem::path& programFolder, int language);
int CommandDemoDownload(const Catalogue& catalogue, const std::vector<std::string>& args,
                        const std::filesystem::path& programFolder, int language, bool offline);
// The project folder scan and the usage report (MaintenanceCommand.cpp).
int CommandScan(const std::vector<std::string>& args, int language);
int CommandReport(const Catalogue& catalogue, int language, const std::vector<std::string>& args);

namespace {

constexpr const char* kUsage =
    "usage: trakvella-cli [--catalogue DIR] [--home DIR] [--lang en|ru] [--today YYYY-MM] [-local]\n"
    "                     COMMAND [ARGS]\n"
    "commands: info | cd CDCODE | track TRACKCODE | tree [PATH] [--new-first 0|1] | tags\n"
    "          tracks CDCODE [--sort order|popular|length|tempo] [--reverse] [--top FILE] [--seed N]\n"
    "          navigate STEP... (open:NAME click:NAME back forward home up tag:TAG goto:PLACE fav:PLACE favs)\n"
    "          search [--sfx] [--area N] [--mood LIST] [--tempo LIST] [--aggressive] [--background] [--imaging]\n"
    "                 [--style LIST] [--exact] [--epoch LIST] [--key N] [--bpm-in TEXT] [--bpm-out TEXT]\n"
    "                 [--preset N] [--sort order|popular|length|tempo] [--reverse]\n"
    "          fetch URL FOLDER [--name NAME] [--delete-small]\n"
    "          update-info URL | version-newer LOCAL REMOTE\n"
    "          related TRACKCODE tempo|key|both | title WORD [--within CODE,...] | local | lucky [--seed N]\n"
    "          top FILE [--sort ...] [--reverse] | similar CDCODE\n"
    "          set read FILE | set write IN OUT | set m3u FILE | set optimise FILE | set total FILE\n"
    "          set from-clipboard-text FILE | set drop PATH...\n"
    "          words N | roubles N | passport TRACKCODE --out FILE\n"
    "          contract --number N [--date YYYY-MM-DD] [--report-date YYYY-MM-DD] --kind legal|ip|person\n"
    "                   --field NAME=VALUE... [--quota Q] [--price P] [--login L --password P]\n"
    "                   --source set:FILE|codes:CODE,... --out DIR\n"
    "          export KIND [--set FILE] [--input FILE] [--prices FILE] [--trends FILE] [--playlists FILE]\n"
    "                 [--out FILE]\n"
    "          account show LOGIN | quota --login L --password P\n"
    "          download --login L --password P --to DIR [--copy-to-library] [--again] CODE...\n"
    "          demo-download --to DIR CODE...\n"
    "          scan DIR [--types cpr,npr,vip,veg,acd] [--other .ses] [--exclude TEXT] [--wav-only]\n"
    "          report --kind 0|1|2 --set FILE [--columns 0,1,...] [--quarter Q --year Y] [--row-names] [--seed N]\n";

using cli::Escape;
using cli::Put;
using cli::StderrDialogs;

struct UsageError {
  std::string text;
};

std::filesystem::path ExecutableFolder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : exe.parent_path();
}

YearMonth Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1};
}

YearMonth ParseToday(const std::string& text) {
  long long y, m;
  if (text.size() != 7 || text[4] != '-' || !ParseInt(text.substr(0, 4), y) || !ParseInt(text.substr(5, 2), m) ||
      m < 1 || m > 12)
    throw UsageError{"--today wants YYYY-MM, got \"" + text + "\""};
  return {static_cast<int>(y), static_cast<int>(m)};
}

struct Session {
  Catalogue catalogue;
  int language = 0;
};

void CommandInfo(const Session& s) {
  const Catalogue& c = s.catalogue;
  Put("cds", std::to_string(c.cdCount));
  Put("tracks", std::to_string(c.trackCount));
  Put("categories", std::to_string(c.allCategoryPaths.size()));
  Put("tags", std::to_string(c.tagList.size()));
  for (size_t i = 0; i < kStyleWords.size(); ++i)
    Put("style." + std::string(kStyleWords[i]), std::to_string(c.styleCounts[i]));
  Put("caption", c.UpdateCaption(s.language));
}

void CommandCd(const Session& s, const std::string& code) {
  const Catalogue& c = s.catalogue;
  int p = c.FindCd(UpperCase(code));
  if (p < 0) throw UsageError{"no CD " + code + " in the catalogue"};
  const CdRecord& cd = c.cds[p];
  Put("position", std::to_string(p));
  Put("cdText", cd.cdText);
  Put("cdCode", cd.cdCode);
  Put("year", std::to_string(cd.year));
  Put("month", std::to_string(cd.month));
  Put("description", cd.description);
  for (const auto& path : cd.categories) Put("category", path);
  for (size_t i = 0; i < cd.keywords.size(); ++i) Put("keyword", cd.keywords[i] + "|" + cd.keywordTranslations[i]);
  for (const auto& t : cd.tracks) Put("track", t.code);
}

void CommandTrack(const Session& s, const std::string& code) {
  auto [cd, track] = s.catalogue.LocateTrack(UpperCase(code));
  if (cd < 0) throw UsageError{"no track " + code + " in the catalogue"};
  const TrackRecord& t = s.catalogue.Track(cd, track);
  Put("cd", std::to_string(cd));
  Put("track", std::to_string(track));
  Put("code", t.code);
  Put("title", t.title);
  Put("isrc", t.isrc);
  Put("duration", t.duration);
  Put("composer", t.composer);
  Put("performer", t.performer);
  Put("tagLine", t.tagLine);
  Put("styleText", t.styleText);
  Put("location", t.location);
}

void CommandTree(const Session& s, const std::string& path, bool newFirst) {
  for (const auto& name : s.catalogue.ChildCategoriesInDisplayOrder(path, s.language)) Put("category", name);
  std::vector<std::string> texts;
  std::vector<int> positions;
  s.catalogue.ListCdsInCategory(path, newFirst, texts, positions);
  for (const auto& text : texts) Put("cd", text);
}

void CommandTags(const Session& s) {
  for (const auto& tag : s.catalogue.tagList) Put("tag", tag);
}

// --- Browsing --------------------------------------------------------------------------

struct BrowserSession {
  SilentProgress progress;
  StderrDialogs dialogs;
  StdRandom random;
  Browser browser;
  BrowserSession(const Session& s, std::optional<uint32_t> seed)
      : random(seed ? StdRandom(*seed) : StdRandom()),
        browser(s.catalogue, dialogs, progress, random, [lang = s.language] { return lang; }) {
    browser.FillTagList();
    browser.Home();
  }
};

int CommandTracks(const Session& s, const std::string& code, std::map<std::string, std::string>& options) {
  int p = s.catalogue.FindCd(UpperCase(code));
  if (p < 0) throw UsageError{"no CD " + code + " in the catalogue"};
  std::optional<uint32_t> seed;
  if (options.count("--seed")) {
    long long v;
    if (!ParseInt(options["--seed"], v) || v < 0 || v > UINT32_MAX) throw UsageError{"--seed wants a number"};
    seed = static_cast<uint32_t>(v);
  }
  BrowserSession b(s, seed);
  if (options.count("--top")) {
    std::string bytes;
    if (Status read = ReadWholeFile(options["--top"], bytes, FileKind::TrackList); !read.ok()) {
      cli::ReportRefusedFile(options["--top"], read, FileKind::TrackList, s.language);
      throw UsageError{"cannot read " + options["--top"]};
    }
    for (auto& line : SplitLines(bytes)) b.browser.topList.push_back(Trim(line));
  }
  const std::map<std::string, SortKind> kinds = {{"order", SortKind::Order},
                                                 {"popular", SortKind::Popular},
                                                 {"length", SortKind::Length},
                                                 {"tempo", SortKind::Tempo}};
  if (options.count("--sort")) {
    auto kind = kinds.find(options["--sort"]);
    if (kind == kinds.end()) throw UsageError{"--sort wants order, popular, length or tempo"};
    b.browser.SetSortKind(kind->second);
  }
  if (options.count("--reverse")) b.browser.ToggleReverse();
  std::vector<std::string> codes;
  for (const auto& t : s.catalogue.cds[p].tracks) codes.push_back(t.code);
  b.browser.ListTracks(codes, true, std::nullopt, false, "");
  for (const auto& [cd, track] : b.browser.rows()) Put("row", s.catalogue.Track(cd, track).code);
  return 0;
}

// Selects the box row showing NAME (a category name or a CD's text).
void SelectBoxRow(Browser& browser, const std::string& name) {
  const auto& rows = browser.boxRows();
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i].text == name) {
      browser.SelectBoxRow(static_cast<int>(i));
      return;
    }
  throw UsageError{"no row \"" + name + "\" at " +
                   (browser.currentPath().empty() ? "the root" : browser.currentPath())};
}

int CommandNavigate(const Session& s, const std::vector<std::string>& steps) {
  BrowserSession b(s, std::nullopt);
  Browser& browser = b.browser;
  for (const std::string& step : steps) {
    const size_t colon = step.find(':');
    const std::string verb = step.substr(0, colon);
    const std::string arg = colon == std::string::npos ? std::string() : step.substr(colon + 1);
    if (verb == "open" && colon != std::string::npos) {
      SelectBoxRow(browser, arg);
      browser.CDCatBoxDblClick();
    } else if (verb == "click" && colon != std::string::npos) {
      SelectBoxRow(browser, arg);
      browser.CDCatBoxClick();
    } else if (step == "back") {
      browser.Back();
    } else if (step == "forward") {
      browser.Forward();
    } else if (step == "home") {
      browser.Home();
    } else if (step == "up") {
      browser.Up();
    } else if (verb == "tag" && colon != std::string::npos) {
      browser.tagText = arg;
      browser.KeyButClick();
    } else if (verb == "goto" && colon != std::string::npos) {
      browser.GoToPlace(arg);
    } else if (verb == "fav" && colon != std::string::npos) {
      if (!browser.AddFavourite(arg))
        b.dialogs.Message(LangMessage(s.language, Msg::FavouritesFull), MessageKind::Warning, MessageButtons::Ok);
    } else if (step == "favs") {
      for (const auto& caption : browser.FavouriteCaptions()) Put("fav", caption);
    } else {
      throw UsageError{"unknown step " + step};
    }
  }
  Put("path", browser.currentPath());
  Put("caption", browser.caption());
  Put("back", browser.backEnabled() ? "1" : "0");
  Put("forward", browser.forwardEnabled() ? "1" : "0");
  for (const auto& entry : browser.history()) Put("history", entry);
  for (const auto& row : browser.boxRows()) Put("row", (row.isCd ? "cd:" : "category:") + row.text);
  Put("selected", std::to_string(browser.selectedBoxRow()));
  Put("tracks", std::to_string(browser.rowCount()));
  return 0;
}

int Run(int argc, char** argv) {
  std::optional<std::filesystem::path> catalogueFolder;
  std::optional<std::filesystem::path> home;
  std::optional<int> language;
  std::optional<YearMonth> today;
  bool offline = false;
  std::vector<std::string> args;

  auto value = [&](int& i) -> std::string {
    if (i + 1 >= argc) throw UsageError{std::string(argv[i]) + " wants a value"};
    return argv[++i];
  };
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (!args.empty()) {  // after the command: its own arguments and options
      args.push_back(a);
      continue;
    }
    if (a == "--catalogue")
      catalogueFolder = value(i);
    else if (a == "--home")
      home = value(i);
    else if (a == "--lang") {
      std::string l = value(i);
      if (l != "en" && l != "ru") throw UsageError{"--lang wants en or ru, got \"" + l + "\""};
      language = l == "ru" ? 1 : 0;
    } else if (a == "--today")
      today = ParseToday(value(i));
    else if (a == "-local")
      offline = true;
    else if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (!a.empty() && a[0] == '-')
      throw UsageError{"unknown option " + a};
    else
      args.push_back(a);
  }
  if (args.empty()) throw UsageError{"no command given"};
  if (!home) home = ProgramFolderForThisRun(std::nullopt, ExecutableFolder()).folder;
  // Downloads, the update page, amounts in words and project folder scans need no catalogue.
  if (args[0] == "fetch") {
    const int lang = language ? *language : LanguageFromLocaleId(SystemLanguageId());
    return CommandFetch(std::vector<std::string>(args.begin() + 1, args.end()), lang);
  }
  if (args[0] == "update-info" || args[0] == "version-newer") {
    const int lang = language ? *language : LanguageFromLocaleId(SystemLanguageId());
    return CommandUpdate(args[0], std::vector<std::string>(args.begin() + 1, args.end()), lang);
  }
  if (args[0] == "words" || args[0] == "roubles")
    return CommandWords(args[0], std::vector<std::string>(args.begin() + 1, args.end()));
  if (args[0] == "account" || args[0] == "quota" || args[0] == "download") {
    const int lang = language ? *language : LanguageFromLocaleId(SystemLanguageId());
    return CommandSubscription(args[0], std::vector<std::string>(args.begin() + 1, args.end()),
                               home ? *home : ExecutableFolder(), lang);
  }
  if (args[0] == "scan") {
    const int lang = language ? *language : LanguageFromLocaleId(SystemLanguageId());
    return CommandScan(std::vector<std::string>(args.begin() + 1, args.end()), lang);
  }

  // The command and its arguments, checked before the catalogue is loaded.
  const std::string command = args[0];
  struct CommandSpec {
    size_t minArgs, maxArgs;
    std::map<std::string, bool> options;  // option -> takes a value
  };
  const std::map<std::string, CommandSpec> commands = {
      {"info", {0, 0, {}}},
      {"cd", {1, 1, {}}},
      {"track", {1, 1, {}}},
      {"tree", {0, 1, {{"--new-first", true}}}},
      {"tags", {0, 0, {}}},
      {"tracks", {1, 1, {{"--sort", true}, {"--reverse", false}, {"--top", true}, {"--seed", true}}}},
      {"navigate", {1, SIZE_MAX, {}}},
      {"search", {0, SIZE_MAX, {}}},
      {"related", {0, SIZE_MAX, {}}},
      {"title", {0, SIZE_MAX, {}}},
      {"local", {0, SIZE_MAX, {}}},
      {"lucky", {0, SIZE_MAX, {}}},
      {"top", {0, SIZE_MAX, {}}},
      {"similar", {0, SIZE_MAX, {}}},
      {"set", {1, SIZE_MAX, {}}},
      {"contract", {0, SIZE_MAX, {}}},
      {"passport", {0, SIZE_MAX, {}}},
      {"export", {0, SIZE_MAX, {}}},
      {"demo-download", {0, SIZE_MAX, {}}},
      {"report", {0, SIZE_MAX, {}}},
  };
  auto known = commands.find(command);
  if (known == commands.end()) throw UsageError{"unknown command " + command};
  std::vector<std::string> positional;
  std::map<std::string, std::string> commandOptions;
  for (size_t i = 1; i < args.size(); ++i) {
    if (command == "search" || command == "related" || command == "title" || command == "local" || command == "lucky" ||
        command == "top" || command == "similar" || command == "set" || command == "contract" ||
        command == "passport" || command == "export" || command == "demo-download" ||
        command == "report") {  // these read their own options
      positional.push_back(args[i]);
      continue;
    }
    if (args[i].size() > 2 && args[i].compare(0, 2, "--") == 0) {
      auto option = known->second.options.find(args[i]);
      if (option == known->second.options.end()) throw UsageError{"unknown option " + args[i] + " for " + command};
      if (option->second && i + 1 >= args.size()) throw UsageError{args[i] + " wants a value"};
      const std::string name = args[i];
      commandOptions[name] = option->second ? args[++i] : "1";
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() < known->second.minArgs || positional.size() > known->second.maxArgs)
    throw UsageError{"wrong number of arguments for " + command};
  bool newFirst = true;
  if (commandOptions.count("--new-first")) {
    const std::string& v = commandOptions["--new-first"];
    if (v != "0" && v != "1") throw UsageError{"--new-first wants 0 or 1"};
    newFirst = v == "1";
  }

  Session s;
  std::filesystem::path programFolder = home ? *home : ExecutableFolder();
  s.language = language ? *language : LanguageFromLocaleId(SystemLanguageId());
  std::string error;
  auto resources = OpenCatalogueResources(catalogueFolder, programFolder, error, s.language);
  if (!resources) {
    std::cerr << "trakvella-cli: " << error << '\n';
    return 2;
  }
  StderrDialogs dialogs;
  SilentProgress progress;
  LoadOptions options;
  options.offline = offline;
  options.programFolder = programFolder;
  options.today = today ? *today : Today();
  options.language = s.language;
  s.catalogue.ReadCatalogueTables(*resources, dialogs);
  s.catalogue.LoadCatalogue(*resources, options, dialogs, progress);

  if (command == "info") CommandInfo(s);
  if (command == "cd") CommandCd(s, positional[0]);
  if (command == "track") CommandTrack(s, positional[0]);
  if (command == "tree") CommandTree(s, positional.empty() ? std::string() : positional[0], newFirst);
  if (command == "tags") CommandTags(s);
  if (command == "tracks") return CommandTracks(s, positional[0], commandOptions);
  if (command == "navigate") return CommandNavigate(s, positional);
  if (command == "search") return CommandSearch(s.catalogue, s.language, positional);
  if (command == "set") return CommandSet(s.catalogue, s.language, programFolder, positional);
  if (command == "contract") return CommandContract(s.catalogue, *resources, s.language, positional);
  if (command == "passport") return CommandPassport(s.catalogue, *resources, s.language, positional);
  if (command == "export") return CommandExport(s.catalogue, s.language, programFolder, positional);
  if (command == "demo-download")
    return CommandDemoDownload(s.catalogue, positional, programFolder, s.language, offline);
  if (command == "report") return CommandReport(s.catalogue, s.language, positional);
  if (command != "info" && command != "cd" && command != "track" && command != "tree" && command != "tags")
    return CommandCollection(s.catalogue, s.language, command, positional);
  return 0;
}

}  // namespace
}  // namespace trakvella

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  trakvella::PosixFileSystem files;
  trakvella::InstallFileSystem(&files);
  try {
    return trakvella::Run(argc, argv);
  } catch (const trakvella::UsageError& e) {
    std::cout.flush();
    std::cerr << "trakvella-cli: " << e.text << '\n' << trakvella::kUsage;
    return 2;
  }
}
