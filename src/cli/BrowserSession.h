#pragma once
// BrowserSession: the catalogue's browser as the main window starts it (the tag list filled, the root
// listed), its message boxes on stderr, for the commands that list CDs and tracks; and the track list's
// sort orders as --sort names them.
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "cli/CliOutput.h"
#include "cli/Options.h"
#include "core/browse/Browser.h"
#include "core/lang/Language.h"
#include "ports/Random.h"

namespace trakvella::cli {

struct BrowserSession {
  StderrDialogs dialogs;
  StdRandom random;
  Browser browser;
  // Without a seed the random order (the popularity list's tail, a lucky pick) differs from run to run.
  // The language outlives the session (the command's).
  BrowserSession(const Catalogue& catalogue, const Language& language, Progress& progress, std::optional<uint32_t> seed)
      : random(seed ? StdRandom(*seed) : StdRandom()), browser(catalogue, dialogs, progress, random, language) {
    browser.FillTagList();
    browser.Home();
  }
};

// --sort: order, popular, length or tempo.
inline SortKind SortValue(const std::string& text) {
  static const std::map<std::string, SortKind> kinds = {{"order", SortKind::Order},
                                                        {"popular", SortKind::Popular},
                                                        {"length", SortKind::Length},
                                                        {"tempo", SortKind::Tempo}};
  auto kind = kinds.find(text);
  if (kind == kinds.end()) throw UsageError{"--sort wants order, popular, length or tempo"};
  return kind->second;
}

}  // namespace trakvella::cli
