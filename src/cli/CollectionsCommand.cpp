// trakvella-cli related | title | local | lucky | top | similar: the track
// collections, each printing row=TRACKCODE per track-list row in order and
// cd=CDCODE per CD the category/CD box lists.
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/CliFiles.h"
#include "cli/CliOutput.h"
#include "core/browse/Browser.h"
#include "core/browse/Collections.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"
#include "ports/Random.h"

namespace trakvella {

int CommandCollection(const Catalogue& catalogue, int language, const std::string& command,
                      const std::vector<std::string>& args);

namespace {

int Usage(const std::string& text) {
  std::cerr << "trakvella-cli: " << text << '\n';
  return 2;
}

void PrintResult(const Catalogue& catalogue, const Browser& browser) {
  for (const auto& [cd, track] : browser.rows()) cli::Put("row", catalogue.Track(cd, track).code);
  // Category rows (the root level, when a collection found nothing to list) are not CDs.
  for (const auto& row : browser.boxRows())
    if (row.isCd && row.cdPosition >= 0) cli::Put("cd", catalogue.cds[row.cdPosition].cdCode);
}

// The options of the form --name VALUE (or a bare flag) after the positional arguments.
bool ReadOptions(const std::vector<std::string>& args, size_t from, const std::map<std::string, bool>& known,
                 std::map<std::string, std::string>& options, std::string& error) {
  for (size_t i = from; i < args.size(); ++i) {
    auto it = known.find(args[i]);
    if (it == known.end()) {
      error = "unknown option " + args[i];
      return false;
    }
    if (it->second && i + 1 >= args.size()) {
      error = args[i] + " wants a value";
      return false;
    }
    const std::string name = args[i];
    options[name] = it->second ? args[++i] : "1";
  }
  return true;
}

}  // namespace

int CommandCollection(const Catalogue& catalogue, int language, const std::string& command,
                      const std::vector<std::string>& args) {
  cli::StderrDialogs dialogs;
  SilentProgress progress;
  std::map<std::string, std::string> options;
  std::string error;
  uint32_t seed = 1;
  size_t positional = 0;
  std::map<std::string, bool> known;
  if (command == "related" || command == "similar" || command == "title" || command == "top") positional = 1;
  if (command == "related") positional = 2;
  if (command == "title") known = {{"--within", true}};
  if (command == "lucky") known = {{"--seed", true}};
  if (command == "top") known = {{"--sort", true}, {"--reverse", false}};
  if (args.size() < positional) return Usage("wrong number of arguments for " + command);
  if (!ReadOptions(args, positional, known, options, error)) return Usage(error);
  if (options.count("--seed")) {
    long long v;
    if (!ParseInt(options["--seed"], v) || v < 0 || v > UINT32_MAX) return Usage("--seed wants a number");
    seed = static_cast<uint32_t>(v);
  }
  StdRandom random(seed);
  Browser browser(catalogue, dialogs, progress, random, [language] { return language; });
  browser.FillTagList();
  browser.Home();

  if (command == "related") {
    const std::map<std::string, Relation> relations = {
        {"tempo", Relation::Tempo}, {"key", Relation::Key}, {"both", Relation::TempoAndKey}};
    auto relation = relations.find(args[1]);
    if (relation == relations.end()) return Usage("related wants tempo, key or both");
    const auto [cd, track] = catalogue.LocateTrack(UpperCase(args[0]));
    if (cd < 0) return Usage("no track " + args[0] + " in the catalogue");
    browser.SetScannedRows({{cd, track}});
    browser.SelectRow(0);
    ListRelatedTracks(browser, catalogue, relation->second, progress, language);
  } else if (command == "title") {
    if (options.count("--within")) {
      std::vector<std::string> codes;
      const std::string list = options["--within"];
      size_t from = 0;
      while (from <= list.size()) {
        size_t comma = list.find(',', from);
        if (comma == std::string::npos) comma = list.size();
        const std::string code = Trim(std::string_view(list).substr(from, comma - from));
        if (!code.empty()) codes.push_back(code);
        from = comma + 1;
      }
      browser.ListTracks(codes, true, std::nullopt, false, "");
    }
    SearchTitles(browser, catalogue, args[0], progress, language);
  } else if (command == "local") {
    ShowLocalTracks(browser, catalogue, progress, language);
  } else if (command == "lucky") {
    LuckyPick(browser, catalogue, random, progress, language);
  } else if (command == "top") {
    std::string bytes;
    if (Status read = ReadWholeFile(args[0], bytes, FileKind::TrackList); !read.ok()) {
      cli::ReportRefusedFile(args[0], read, FileKind::TrackList, language);
      return Usage("cannot read " + args[0]);
    }
    for (const auto& line : SplitLines(bytes))
      if (!Trim(line).empty()) browser.topList.push_back(Trim(line));
    const std::map<std::string, SortKind> kinds = {{"order", SortKind::Order},
                                                   {"popular", SortKind::Popular},
                                                   {"length", SortKind::Length},
                                                   {"tempo", SortKind::Tempo}};
    if (options.count("--sort")) {
      auto kind = kinds.find(options["--sort"]);
      if (kind == kinds.end()) return Usage("--sort wants order, popular, length or tempo");
      browser.SetSortKind(kind->second);
    }
    if (options.count("--reverse")) browser.ToggleReverse();
    ShowTop100(browser, progress, language);
  } else if (command == "similar") {
    const int cd = catalogue.FindCd(UpperCase(args[0]));
    if (cd < 0) return Usage("no CD " + args[0] + " in the catalogue");
    TextSet only;
    only.Add(catalogue.cds[cd].cdCode);
    browser.ListCdsOfTracks(std::string(kAllCdsPath), only, false);
    browser.SelectBoxRow(0);
    ShowSimilarCds(browser, catalogue);
  } else {
    return Usage("unknown command " + command);
  }
  PrintResult(catalogue, browser);
  return 0;
}

}  // namespace trakvella
