// trakvella-cli search: the music search of the search panel from the command
// line. The options set the panel's criteria (a preset first, when given), the
// search runs as the search button runs it, and the track list's rows follow.
#include <algorithm>
#include <array>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliOutput.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Vocabulary.h"
#include "core/lang/CaptionTable.h"
#include "core/search/Search.h"
#include "core/text/Text.h"
#include "ports/Random.h"

namespace trakvella {

int CommandSearch(const Catalogue& catalogue, int language, const std::vector<std::string>& args);

namespace {

using cli::Put;
using StderrMessages = cli::StderrDialogs;

struct SearchUsageError {
  std::string text;
};

// The comma-separated items of a list option, trimmed; empty items are dropped.
std::vector<std::string> ListItems(const std::string& option, const std::string& text) {
  std::vector<std::string> items;
  size_t from = 0;
  while (from <= text.size()) {
    size_t comma = text.find(',', from);
    if (comma == std::string::npos) comma = text.size();
    std::string item = Trim(std::string_view(text).substr(from, comma - from));
    if (!item.empty()) items.push_back(std::move(item));
    from = comma + 1;
  }
  if (items.empty()) throw SearchUsageError{option + " wants a list"};
  return items;
}

int NumberIn(const std::string& option, const std::string& text, int lowest, int highest) {
  long long value = 0;
  if (!ParseInt(text, value) || value < lowest || value > highest)
    throw SearchUsageError{option + " wants a number from " + std::to_string(lowest) + " to " +
                           std::to_string(highest) + ", got \"" + text + "\""};
  return static_cast<int>(value);
}

// Selects the named items of a multi-select list, in list order, the way the
// panel's lists hold a selection.
template <size_t N>
std::vector<std::string> SelectItems(const std::string& option, const std::vector<std::string>& names,
                                     const std::array<std::string_view, N>& list, bool anyCase) {
  std::vector<bool> chosen(N, false);
  for (const auto& name : names) {
    auto it = std::find_if(list.begin(), list.end(),
                           [&](std::string_view item) { return anyCase ? SameText(item, name) : item == name; });
    if (it == list.end()) throw SearchUsageError{option + ": unknown item \"" + name + "\""};
    chosen[it - list.begin()] = true;
  }
  std::vector<std::string> selected;
  for (size_t i = 0; i < N; ++i)
    if (chosen[i]) selected.emplace_back(list[i]);
  return selected;
}

const std::map<std::string, bool>& SearchOptions() {  // option -> takes a value
  static const std::map<std::string, bool> options = {
      {"--sfx", false},        {"--area", true},        {"--mood", true},     {"--tempo", true},
      {"--aggressive", false}, {"--background", false}, {"--imaging", false}, {"--style", true},
      {"--exact", false},      {"--epoch", true},       {"--key", true},      {"--bpm-in", true},
      {"--bpm-out", true},     {"--preset", true},      {"--sort", true},     {"--reverse", false}};
  return options;
}

int Search(const Catalogue& catalogue, int language, const std::vector<std::string>& args) {
  std::vector<std::pair<std::string, std::string>> given;
  std::optional<int> preset;
  for (size_t i = 0; i < args.size(); ++i) {
    auto option = SearchOptions().find(args[i]);
    if (option == SearchOptions().end()) throw SearchUsageError{"unknown option " + args[i] + " for search"};
    std::string value;
    if (option->second) {
      if (i + 1 >= args.size()) throw SearchUsageError{args[i] + " wants a value"};
      value = args[++i];
    }
    if (option->first == "--preset")
      preset = NumberIn("--preset", value, 0, 3);
    else
      given.emplace_back(option->first, value);
  }

  SearchCriteria criteria;
  if (preset) ApplyPreset(criteria, *preset);
  std::optional<SortKind> sort;
  bool reverse = false, bpmGiven = false;
  for (const auto& [name, value] : given) {
    if (name == "--sfx") {
      criteria.effectMode = true;
    } else if (name == "--area") {
      criteria.area = NumberIn(name, value, 0, static_cast<int>(kSearchAreaNames.size()) - 1);
    } else if (name == "--mood") {
      criteria.moods.fill(false);
      for (const auto& item : ListItems(name, value)) criteria.moods[NumberIn(name, item, 1, 5) - 1] = true;
    } else if (name == "--tempo") {
      criteria.tempos.fill(false);
      for (const auto& item : ListItems(name, value)) {
        const std::string letter = UpperCase(item);
        if (letter == "S")
          criteria.tempos[0] = true;
        else if (letter == "M")
          criteria.tempos[1] = true;
        else if (letter == "F")
          criteria.tempos[2] = true;
        else
          throw SearchUsageError{"--tempo wants the letters F, M and S, got \"" + item + "\""};
      }
    } else if (name == "--aggressive") {  // the panel's two exclusive boxes: the later wins
      criteria.aggressive = true;
      criteria.background = false;
    } else if (name == "--background") {
      criteria.background = true;
      criteria.aggressive = false;
    } else if (name == "--imaging") {
      criteria.imaging = true;
    } else if (name == "--style") {
      criteria.styles = SelectItems(name, ListItems(name, value), kStyleWords, true);
    } else if (name == "--exact") {
      criteria.exactStyles = true;
    } else if (name == "--epoch") {
      criteria.epochs = SelectItems(name, ListItems(name, value), kEpochWords, false);
    } else if (name == "--key") {
      criteria.key = NumberIn(name, value, 0, static_cast<int>(kKeyItems.size()) - 1);
    } else if (name == "--bpm-in") {
      criteria.tempoIn = value;
      bpmGiven = true;
    } else if (name == "--bpm-out") {
      criteria.tempoOut = value;
      bpmGiven = true;
    } else if (name == "--sort") {
      static const std::map<std::string, SortKind> kinds = {{"order", SortKind::Order},
                                                            {"popular", SortKind::Popular},
                                                            {"length", SortKind::Length},
                                                            {"tempo", SortKind::Tempo}};
      auto kind = kinds.find(value);
      if (kind == kinds.end()) throw SearchUsageError{"--sort wants order, popular, length or tempo"};
      sort = kind->second;
    } else if (name == "--reverse") {
      reverse = !reverse;
    }
  }

  StderrMessages dialogs;
  SilentProgress progress;
  StdRandom random(1);
  Browser browser(catalogue, dialogs, progress, random, [language] { return language; });
  if (sort) browser.SetSortKind(*sort);
  if (reverse) browser.ToggleReverse();
  RunSearch(browser, catalogue, criteria, progress, language);

  for (const auto& [cd, track] : browser.rows()) Put("row", catalogue.Track(cd, track).code);
  if (bpmGiven) Put("bpm", criteria.tempoIn + "-" + criteria.tempoOut);
  Put("cds", std::to_string(browser.boxRows().size()));
  return 0;
}

}  // namespace

int CommandSearch(const Catalogue& catalogue, int language, const std::vector<std::string>& args) {
  try {
    return Search(catalogue, language, args);
  } catch (const SearchUsageError& e) {
    std::cout.flush();
    std::cerr << "trakvella-cli: " << e.text << '\n';
    return 2;
  }
}

}  // namespace trakvella
