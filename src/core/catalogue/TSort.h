#pragma once
// TSort: one sort entry (kind, two text keys, index of the sorted item) and the
// one comparison rule every sort of the program uses. Plain values; the caller owns the entries.
#include <string>
#include <vector>

namespace trakvella {

// What a sort entry's keys mean and which way they sort. Keys are read as
// integers, with a default for text that is not a number.
enum class TSortKind : int {
  LengthUp = 0,  // Key1 minutes, Key2 seconds
  LengthDown = 1,
  TempoUp = 2,  // Key1 BPM
  TempoDown = 3,
  PopularityUp = 4,  // Key1 rank
  PopularityDown = 5,
  Unordered = 6,  // 6 to 9: every entry equal, the input order stays
  Unordered7 = 7,
  Unordered8 = 8,
  Unordered9 = 9,
  DateUp = 10,  // Key1 month (1 by default), Key2 year (2005 by default)
  DateDown = 11,
  CdNumberUp = 12,        // Key1 CD number
  CdNumberNewFirst = 13,  // highest number first, numbers above 500 counting 600 less
};

struct TSort {
  TSortKind Kind = TSortKind::LengthUp;
  std::string Key1;
  std::string Key2;
  int Index = 0;
};

// Positive when a belongs after b, negative when before, zero when equal.
int CompareSort(const TSort& a, const TSort& b);

// Sorts the entries of one list by CompareSort. Entries with equal keys may come
// out in any order; this one keeps them in their input order.
void SortEntries(std::vector<TSort>& entries);

}  // namespace trakvella
