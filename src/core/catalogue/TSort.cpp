#include "core/catalogue/TSort.h"

#include <algorithm>

#include "core/text/Text.h"

namespace trakvella {

namespace {

using K = TSortKind;

long long SortKey(const TSort& e) {
  switch (e.Kind) {
    case K::LengthUp:
    case K::LengthDown:
      return IntOr(e.Key1, 0) * 60 + IntOr(e.Key2, 0);
    case K::TempoUp:
    case K::TempoDown:
    case K::PopularityUp:
    case K::PopularityDown:
    case K::CdNumberUp:
      return IntOr(e.Key1, 0);
    case K::DateUp:
    case K::DateDown:
      return IntOr(e.Key2, 2005) * 100 + IntOr(e.Key1, 1);
    case K::CdNumberNewFirst: {
      long long v = IntOr(e.Key1, 0);
      return v > 500 ? v - 600 : v;
    }
    default:
      return 0;
  }
}

bool Descending(K kind) {
  return kind == K::LengthDown || kind == K::TempoDown || kind == K::PopularityDown || kind == K::DateDown ||
         kind == K::CdNumberNewFirst;
}

bool AllEqual(K kind) { return kind >= K::Unordered && kind <= K::Unordered9; }

}  // namespace

int CompareSort(const TSort& a, const TSort& b) {
  if (AllEqual(a.Kind)) return 0;
  long long ka = SortKey(a), kb = SortKey(b);
  int r = ka < kb ? -1 : (ka > kb ? 1 : 0);
  return Descending(a.Kind) ? -r : r;
}

void SortEntries(std::vector<TSort>& entries) {
  // The keys are read once per entry, not once per comparison.
  std::vector<std::pair<long long, size_t>> keyed(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    const TSort& e = entries[i];
    const bool equal = AllEqual(e.Kind);
    const long long key = equal ? 0 : SortKey(e);
    keyed[i] = {Descending(e.Kind) ? -key : key, i};
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<TSort> sorted;
  sorted.reserve(entries.size());
  for (const auto& [key, i] : keyed) sorted.push_back(std::move(entries[i]));
  entries = std::move(sorted);
}

}  // namespace trakvella
