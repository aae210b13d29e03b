// The category levels' lists: the CDs filed under a path and a path's child names.
// A walk through the categories lists each level again on its way back up, so a
// list is kept by its exact arguments until the next load.
#include <algorithm>

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/TSort.h"
#include "core/text/Text.h"

namespace trakvella {

std::vector<Catalogue::CdInList> Catalogue::ListCdsInCategory(std::string_view path, bool newFirst) const {
  auto [kept, added] = lists_.cds.try_emplace(std::string(newFirst ? "1" : "0").append(path));
  if (!added) return kept->second;
  auto& byPath = lists_.cdsByPath;
  auto text = [this](CdPath e) -> const std::string& { return Cd(e.cd).categories[e.path]; };
  if (!lists_.built) {
    byPath.clear();
    for (int p = 0; p < CdCount(); ++p)
      for (size_t i = 0; i < Cd(p).categories.size(); ++i) byPath.push_back({p, static_cast<int>(i)});
    std::stable_sort(byPath.begin(), byPath.end(),
                     [&](const auto& a, const auto& b) { return CompareText(text(a), text(b)) < 0; });
    lists_.built = true;
  }
  // A CD is filed under the path when one of its paths compares equal to it; its
  // set holds no two such paths, so each CD is found once.
  const auto from = std::lower_bound(byPath.begin(), byPath.end(), path,
                                     [&](const auto& e, std::string_view p) { return CompareText(text(e), p) < 0; });
  const auto to = std::upper_bound(from, byPath.end(), path,
                                   [&](std::string_view p, const auto& e) { return CompareText(p, text(e)) < 0; });
  std::vector<int> positions;
  positions.reserve(static_cast<size_t>(to - from));
  for (auto it = from; it != to; ++it) positions.push_back(it->cd);
  std::sort(positions.begin(), positions.end());
  std::vector<TSort> entries;
  entries.reserve(positions.size());
  for (int p : positions)
    entries.push_back(
        {newFirst ? TSortKind::CdNumberNewFirst : TSortKind::CdNumberUp, MidChars(Cd(p).cdCode, 5, 3), "", p});
  SortEntries(entries);
  std::vector<CdInList> cds;
  cds.reserve(entries.size());
  for (const auto& e : entries) cds.push_back({Cd(e.Index).cdText, e.Index});
  kept->second = cds;
  return cds;
}

std::vector<std::string> Catalogue::ChildCategoriesInDisplayOrder(std::string_view parent, Language lang) const {
  auto [kept, added] = lists_.children.try_emplace(std::to_string(static_cast<int>(lang)).append(parent));
  if (!added) return kept->second;
  std::vector<std::string> names = ListSubcategories(parent);
  OrderByTranslation(names, lang);
  long long number;
  if (!names.empty() && ParseInt(names.front(), number)) std::reverse(names.begin(), names.end());
  kept->second = names;
  return names;
}

}  // namespace trakvella
