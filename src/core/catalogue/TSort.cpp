#include "core/catalogue/TSort.h"

#include <algorithm>

#include "core/text/Text.h"

namespace trakvella {

namespace {

long long SortKey(const TSort& e) {
  switch (e.Kind) {
    case 0:
    case 1:
      return IntOr(e.Key1, 0) * 60 + IntOr(e.Key2, 0);
    case 2:
    case 3:
    case 4:
    case 5:
    case 12:
      return IntOr(e.Key1, 0);
    case 10:
    case 11:
      return IntOr(e.Key2, 2005) * 100 + IntOr(e.Key1, 1);
    case 13: {
      long long v = IntOr(e.Key1, 0);
      return v > 500 ? v - 600 : v;
    }
    default:
      return 0;
  }
}

bool Descending(int kind) { return kind == 1 || kind == 3 || kind == 5 || kind == 11 || kind == 13; }

}  // namespace

int CompareSort(const TSort& a, const TSort& b) {
  if (a.Kind >= 6 && a.Kind <= 9) return 0;
  long long ka = SortKey(a), kb = SortKey(b);
  int r = ka < kb ? -1 : (ka > kb ? 1 : 0);
  return Descending(a.Kind) ? -r : r;
}

void SortEntries(std::vector<TSort>& entries) {
  // The keys are read once per entry, not once per comparison.
  std::vector<std::pair<long long, size_t>> keyed(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    const TSort& e = entries[i];
    const bool equal = e.Kind >= 6 && e.Kind <= 9;
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
