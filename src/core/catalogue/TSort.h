#pragma once
// TSort: one sort entry (kind, two text keys, index of the sorted item) and the
// one comparison rule every sort of the program uses. Keys are read as integers,
// with a default for text that is not a number.
#include <string>
#include <vector>

namespace trakvella {

struct TSort {
  // Kinds: 0/1 length (Key1 minutes, Key2 seconds) up/down; 2/3 tempo; 4/5
  // popularity; 6-9 all equal; 10/11 release date (Key1 month, Key2 year) up/down;
  // 12 CD number up; 13 CD number down with numbers above 500 counting 600 less.
  int Kind = 0;
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
