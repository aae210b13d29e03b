// trakvella-cli search: the music search of the search panel from the command
// line. The options set the panel's criteria (a preset first, when given), the
// search runs as the search button runs it, and the track list's rows follow.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cli/BrowserSession.h"
#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/Commands.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Vocabulary.h"
#include "core/lang/CaptionTable.h"
#include "core/search/Search.h"
#include "core/text/Text.h"
#include "ports/Random.h"

namespace trakvella::cli {
namespace {

// The comma-separated items of a list option, trimmed; empty items are dropped.
std::vector<std::string> ListItems(const std::string& option, const std::string& text) {
  std::vector<std::string> items;
  for (auto& item : CommaItems(text))
    if (!item.empty()) items.push_back(std::move(item));
  if (items.empty()) throw UsageError{option + " wants a list"};
  return items;
}

int NumberIn(const std::string& option, const std::string& text, int lowest, int highest) {
  long long value = 0;
  if (!ParseInt(text, value) || value < lowest || value > highest)
    throw UsageError{option + " wants a number from " + std::to_string(lowest) + " to " + std::to_string(highest) +
                     ", got \"" + text + "\""};
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
    if (it == list.end()) throw UsageError{option + ": unknown item \"" + name + "\""};
    chosen[it - list.begin()] = true;
  }
  std::vector<std::string> selected;
  for (size_t i = 0; i < N; ++i)
    if (chosen[i]) selected.emplace_back(list[i]);
  return selected;
}

// The panel as the options leave it, with the track list's order.
struct SearchRequest {
  SearchCriteria criteria;
  std::optional<SortKind> sort;
  bool reverse = false;
  bool bpmGiven = false;
};

// The mood, tempo and style choices of the panel.
bool SetChoice(SearchCriteria& criteria, const std::string& name, const std::string& value) {
  if (name == "--mood") {
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
        throw UsageError{"--tempo wants the letters F, M and S, got \"" + item + "\""};
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
  } else {
    return false;
  }
  return true;
}

// One option other than --preset, applied as the panel's control would be set.
void ApplyOption(SearchRequest& r, const std::string& name, const std::string& value) {
  if (SetChoice(r.criteria, name, value)) return;
  if (name == "--sfx") {
    r.criteria.effectMode = true;
  } else if (name == "--area") {
    r.criteria.area = NumberIn(name, value, 0, static_cast<int>(kSearchAreaNames.size()) - 1);
  } else if (name == "--key") {
    r.criteria.key = NumberIn(name, value, 0, static_cast<int>(kKeyItems.size()) - 1);
  } else if (name == "--bpm-in") {
    r.criteria.tempoIn = value;
    r.bpmGiven = true;
  } else if (name == "--bpm-out") {
    r.criteria.tempoOut = value;
    r.bpmGiven = true;
  } else if (name == "--sort") {
    r.sort = SortValue(value);
  } else if (name == "--reverse") {
    r.reverse = !r.reverse;
  }
}

}  // namespace

// A preset, when given, is applied first (the last one given), the other options after it in their order.
int CommandSearch(const CommandContext& context, const Arguments& args) {
  std::optional<int> preset;
  for (const auto& [name, value] : args.given())
    if (name == "--preset") preset = NumberIn("--preset", value, 0, 3);
  SearchRequest r;
  if (preset) ApplyPreset(r.criteria, *preset);
  for (const auto& [name, value] : args.given())
    if (name != "--preset") ApplyOption(r, name, value);

  const Catalogue& catalogue = *context.catalogue;
  StderrDialogs dialogs;
  StdRandom random(1);
  Browser browser(catalogue, dialogs, context.ports.progress, random, context.language);
  if (r.sort) browser.SetSortKind(*r.sort);
  if (r.reverse) browser.ToggleReverse();
  RunSearch(browser, catalogue, r.criteria, context.ports.progress, context.language);

  for (const auto& [cd, track] : browser.rows()) Put("row", catalogue.Track(cd, track).code);
  if (r.bpmGiven) Put("bpm", r.criteria.tempoIn + "-" + r.criteria.tempoOut);
  Put("cds", std::to_string(browser.boxRows().size()));
  return 0;
}

}  // namespace trakvella::cli
