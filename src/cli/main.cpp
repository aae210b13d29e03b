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

#include "app/Locale.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Resources.h"
#include "catalogue/Text.h"
#include "catalogue/Vocabulary.h"

namespace trakvella {
namespace {

constexpr const char* kUsage =
    "usage: trakvella-cli [--catalogue DIR] [--home DIR] [--lang en|ru] [--today YYYY-MM] [-local]\n"
    "                     COMMAND [ARGS]\n"
    "commands: info | cd CDCODE | track TRACKCODE | tree [PATH] [--new-first 0|1] | tags\n";

// CR, LF and backslash inside a value are written \r, \n and \\.
std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\\')
      out += "\\\\";
    else
      out += c;
  }
  return out;
}

void Put(std::string_view key, std::string_view value) { std::cout << key << '=' << Escape(value) << '\n'; }

// Message boxes become lines on stderr; questions take their first answer.
class StderrDialogs : public Dialogs {
 public:
  MessageAnswer Message(const std::string& text, MessageKind, MessageButtons buttons) override {
    std::cerr << "message: " << Escape(text) << '\n';
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes
                                                                                        : MessageAnswer::Ok;
  }
  std::optional<std::string> Input(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::string SelectFolder(const std::string&, const std::string&) override { return {}; }
};

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

  // The command and its arguments, checked before the catalogue is loaded.
  const std::string command = args[0];
  std::vector<std::string> positional;
  bool newFirst = true;
  for (size_t i = 1; i < args.size(); ++i) {
    if (command == "tree" && args[i] == "--new-first") {
      if (i + 1 >= args.size() || (args[i + 1] != "0" && args[i + 1] != "1"))
        throw UsageError{"--new-first wants 0 or 1"};
      newFirst = args[++i] == "1";
    } else if (args[i].size() > 1 && args[i][0] == '-' && args[i][1] == '-') {
      throw UsageError{"unknown option " + args[i] + " for " + command};
    } else {
      positional.push_back(args[i]);
    }
  }
  const std::map<std::string, std::pair<size_t, size_t>> arity = {
      {"info", {0, 0}}, {"cd", {1, 1}}, {"track", {1, 1}}, {"tree", {0, 1}}, {"tags", {0, 0}}};
  auto known = arity.find(command);
  if (known == arity.end()) throw UsageError{"unknown command " + command};
  if (positional.size() < known->second.first || positional.size() > known->second.second)
    throw UsageError{"wrong number of arguments for " + command};

  Session s;
  std::filesystem::path programFolder = home ? *home : ExecutableFolder();
  s.language = language ? *language : LanguageFromLocaleId(SystemLanguageId());
  std::string error;
  auto resources = OpenCatalogueResources(catalogueFolder, programFolder, error);
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
  return 0;
}

}  // namespace
}  // namespace trakvella

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  try {
    return trakvella::Run(argc, argv);
  } catch (const trakvella::UsageError& e) {
    std::cout.flush();
    std::cerr << "trakvella-cli: " << e.text << '\n' << trakvella::kUsage;
    return 2;
  }
}
