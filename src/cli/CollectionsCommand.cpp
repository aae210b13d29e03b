// trakvella-cli related | title | local | lucky | top | similar: the track
// collections, each printing row=TRACKCODE per track-list row in order and
// cd=CDCODE per CD the category/CD box lists; like: the tracks most like one,
// row=TRACKCODE|SCORE best first.
#include <map>
#include <string>
#include <vector>

#include "cli/BrowserSession.h"
#include "cli/CliFiles.h"
#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/Commands.h"
#include "core/browse/Collections.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"

namespace trakvella::cli {
namespace {

// A collection's browser: the random order of a lucky pick follows --seed (1 when not given).
struct Collection : BrowserSession {
  explicit Collection(const CommandContext& context, uint32_t seed = 1)
      : BrowserSession(*context.catalogue, context.language, context.ports.progress, seed) {}
};

int PrintResult(const Catalogue& catalogue, const Browser& browser) {
  for (const auto& [cd, track] : browser.rows()) Put("row", catalogue.Track(cd, track).code);
  // Category rows (the root level, when a collection found nothing to list) are not CDs.
  for (const auto& row : browser.boxRows())
    if (row.isCd && row.cdPosition >= 0) Put("cd", catalogue.Cd(row.cdPosition).cdCode);
  return 0;
}

}  // namespace

int CommandRelated(const CommandContext& context, const Arguments& args) {
  const Catalogue& catalogue = *context.catalogue;
  Collection c(context);
  const std::map<std::string, Relation> relations = {{"tempo", Relation::Tempo},
                                                     {"key", Relation::Key},
                                                     {"both", Relation::TempoAndKey},
                                                     {"harmonic", Relation::Harmonic}};
  auto relation = relations.find(args.words()[1]);
  if (relation == relations.end()) throw UsageError{"related wants tempo, key, both or harmonic"};
  const std::string& code = args.words()[0];
  const auto [cd, track] = catalogue.LocateTrack(UpperCase(code));
  if (cd < 0) throw UsageError{"no track " + code + " in the catalogue"};
  c.browser.SetScannedRows({{cd, track}});
  c.browser.SelectRow(0);
  ListRelatedTracks(c.browser, catalogue, relation->second, context.ports.progress, context.language);
  return PrintResult(catalogue, c.browser);
}

int CommandTitle(const CommandContext& context, const Arguments& args) {
  Collection c(context);
  if (args.has("--within")) {
    std::vector<std::string> codes;
    for (auto& code : CommaItems(args.value("--within")))
      if (!code.empty()) codes.push_back(std::move(code));
    c.browser.ListTracks(codes, std::nullopt, false, "");
  }
  SearchTitles(c.browser, *context.catalogue, args.words()[0], context.ports.progress, context.language);
  return PrintResult(*context.catalogue, c.browser);
}

int CommandLocal(const CommandContext& context, const Arguments&) {
  Collection c(context);
  ShowLocalTracks(c.browser, *context.catalogue, context.ports.progress, context.language);
  return PrintResult(*context.catalogue, c.browser);
}

int CommandLucky(const CommandContext& context, const Arguments& args) {
  Collection c(context, args.has("--seed") ? SeedValue(args.value("--seed")) : 1);
  LuckyPick(c.browser, *context.catalogue, c.random, context.ports.progress, context.language);
  return PrintResult(*context.catalogue, c.browser);
}

int CommandTop(const CommandContext& context, const Arguments& args) {
  Collection c(context);
  const std::string& file = args.words()[0];
  std::string bytes;
  if (Status read = ReadWholeFile(file, bytes, FileKind::TrackList); !read.ok()) {
    ReportRefusedFile(file, read, FileKind::TrackList, context.language);
    throw UsageError{"cannot read " + file};
  }
  std::vector<std::string> codes;
  for (const auto& line : SplitLines(bytes))
    if (!Trim(line).empty()) codes.push_back(Trim(line));
  c.browser.SetTopList(std::move(codes));
  if (args.has("--sort")) c.browser.SetSortKind(SortValue(args.value("--sort")));
  if (args.has("--reverse")) c.browser.ToggleReverse();
  ShowTop100(c.browser);
  return PrintResult(*context.catalogue, c.browser);
}

int CommandSimilar(const CommandContext& context, const Arguments& args) {
  const Catalogue& catalogue = *context.catalogue;
  Collection c(context);
  const std::string& code = args.words()[0];
  const int cd = catalogue.FindCd(UpperCase(code));
  if (cd < 0) throw UsageError{"no CD " + code + " in the catalogue"};
  TextSet only;
  only.Add(catalogue.Cd(cd).cdCode);
  c.browser.ListCdsOfTracks(std::string(kAllCdsPath), only, false);
  c.browser.SelectBoxRow(0);
  ShowSimilarCds(c.browser, catalogue);
  return PrintResult(catalogue, c.browser);
}

int CommandLike(const CommandContext& context, const Arguments& args) {
  const Catalogue& catalogue = *context.catalogue;
  const std::string& code = args.words()[0];
  const auto [cd, track] = catalogue.LocateTrack(UpperCase(code));
  if (cd < 0) throw UsageError{"no track " + code + " in the catalogue"};
  size_t top = kLikeCount;
  if (args.has("--top")) {
    long long value = 0;
    if (!ParseInt(args.value("--top"), value) || value < 1) throw UsageError{"--top wants a whole number from 1"};
    top = static_cast<size_t>(value);
  }
  LikenessIndex index;
  for (const LikeTrack& like : index.MostAlike(catalogue, cd, track, top))
    Put("row", catalogue.Track(like.cd, like.track).code + "|" + FormatScore(like.score));
  return 0;
}

}  // namespace trakvella::cli
