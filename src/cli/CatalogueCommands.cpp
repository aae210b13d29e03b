// trakvella-cli info | cd | track | tree | tags | tracks | navigate: the loaded
// catalogue, its category tree and the browser's track list and navigation.
#include <optional>
#include <string>
#include <vector>

#include "cli/BrowserSession.h"
#include "cli/CliFiles.h"
#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/Commands.h"
#include "core/app/MainWindowCaption.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Vocabulary.h"
#include "core/lang/MessageTable.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"

namespace trakvella::cli {

int CommandInfo(const CommandContext& context, const Arguments&) {
  const Catalogue& c = *context.catalogue;
  Put("cds", std::to_string(c.CdCount()));
  Put("tracks", std::to_string(c.TrackCount()));
  Put("categories", std::to_string(c.AllCategoryPaths().size()));
  Put("tags", std::to_string(c.TagList().size()));
  for (size_t i = 0; i < kStyleWords.size(); ++i)
    Put("style." + std::string(kStyleWords[i]), std::to_string(c.StyleCounts()[i]));
  Put("caption", MainWindowCaption(c, context.language));
  return 0;
}

int CommandCd(const CommandContext& context, const Arguments& args) {
  const Catalogue& c = *context.catalogue;
  const std::string& code = args.words()[0];
  int p = c.FindCd(UpperCase(code));
  if (p < 0) throw UsageError{"no CD " + code + " in the catalogue"};
  const CdRecord& cd = c.Cd(p);
  Put("position", std::to_string(p));
  Put("cdText", cd.cdText);
  Put("cdCode", cd.cdCode);
  Put("year", std::to_string(cd.year));
  Put("month", std::to_string(cd.month));
  Put("description", cd.description);
  for (const auto& path : cd.categories) Put("category", path);
  for (size_t i = 0; i < cd.keywords.size(); ++i) Put("keyword", cd.keywords[i] + "|" + cd.keywordTranslations[i]);
  for (const auto& t : cd.tracks) Put("track", t.code);
  return 0;
}

int CommandTrack(const CommandContext& context, const Arguments& args) {
  const std::string& code = args.words()[0];
  auto [cd, track] = context.catalogue->LocateTrack(UpperCase(code));
  if (cd < 0) throw UsageError{"no track " + code + " in the catalogue"};
  const TrackRecord& t = context.catalogue->Track(cd, track);
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
  return 0;
}

int CommandTree(const CommandContext& context, const Arguments& args) {
  bool newFirst = true;
  if (args.has("--new-first")) {
    const std::string v = args.value("--new-first");
    if (v != "0" && v != "1") throw UsageError{"--new-first wants 0 or 1"};
    newFirst = v == "1";
  }
  const std::string path = args.words().empty() ? std::string() : args.words()[0];
  const Catalogue& c = *context.catalogue;
  for (const auto& name : c.ChildCategoriesInDisplayOrder(path, context.language)) Put("category", name);
  for (const auto& cd : c.ListCdsInCategory(path, newFirst)) Put("cd", cd.text);
  return 0;
}

int CommandTags(const CommandContext& context, const Arguments&) {
  for (const auto& tag : context.catalogue->TagList()) Put("tag", tag);
  return 0;
}

int CommandTracks(const CommandContext& context, const Arguments& args) {
  const Catalogue& c = *context.catalogue;
  const std::string& code = args.words()[0];
  int p = c.FindCd(UpperCase(code));
  if (p < 0) throw UsageError{"no CD " + code + " in the catalogue"};
  std::optional<uint32_t> seed;
  if (args.has("--seed")) seed = SeedValue(args.value("--seed"));
  BrowserSession b(c, context.language, context.ports.progress, seed);
  if (args.has("--top")) {
    const std::string top = args.value("--top");
    std::string bytes;
    if (Status read = ReadWholeFile(top, bytes, FileKind::TrackList); !read.ok()) {
      ReportRefusedFile(top, read, FileKind::TrackList, context.language);
      throw UsageError{"cannot read " + top};
    }
    std::vector<std::string> codes;
    for (auto& line : SplitLines(bytes)) codes.push_back(Trim(line));
    b.browser.SetTopList(std::move(codes));
  }
  if (args.has("--sort")) b.browser.SetSortKind(SortValue(args.value("--sort")));
  if (args.has("--reverse")) b.browser.ToggleReverse();
  std::vector<std::string> codes;
  for (const auto& t : c.Cd(p).tracks) codes.push_back(t.code);
  b.browser.ListTracks(codes, std::nullopt, false, "");
  for (const auto& [cd, track] : b.browser.rows()) Put("row", c.Track(cd, track).code);
  return 0;
}

namespace {

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

// One step of "navigate": a click, a menu command or a favourites action.
void NavigateStep(BrowserSession& b, const std::string& step, Language language) {
  Browser& browser = b.browser;
  const size_t colon = step.find(':');
  const std::string verb = step.substr(0, colon);
  const std::string arg = colon == std::string::npos ? std::string() : step.substr(colon + 1);
  if (verb == "open" && colon != std::string::npos) {
    SelectBoxRow(browser, arg);
    browser.OpenSelectedRow();
  } else if (verb == "click" && colon != std::string::npos) {
    SelectBoxRow(browser, arg);
    browser.OpenSelectedCd();
  } else if (step == "back") {
    browser.Back();
  } else if (step == "forward") {
    browser.Forward();
  } else if (step == "home") {
    browser.Home();
  } else if (step == "up") {
    browser.Up();
  } else if (verb == "tag" && colon != std::string::npos) {
    browser.SetTagText(arg);
    browser.ListCdsOfTagText();
  } else if (verb == "goto" && colon != std::string::npos) {
    browser.GoToPlace(arg);
  } else if (verb == "fav" && colon != std::string::npos) {
    if (!browser.AddFavourite(arg))
      b.dialogs.Message(LangMessage(language, Msg::FavouritesFull), MessageKind::Warning, MessageButtons::Ok);
  } else if (step == "favs") {
    for (const auto& caption : browser.FavouriteCaptions()) Put("fav", caption);
  } else {
    throw UsageError{"unknown step " + step};
  }
}

}  // namespace

int CommandNavigate(const CommandContext& context, const Arguments& args) {
  BrowserSession b(*context.catalogue, context.language, context.ports.progress, std::nullopt);
  for (const std::string& step : args.words()) NavigateStep(b, step, context.language);
  const Browser& browser = b.browser;
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

}  // namespace trakvella::cli
