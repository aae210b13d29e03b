// The one comparison rule of every sort.
#include "core/catalogue/TSort.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace trakvella {
namespace {

std::vector<int> SortedIndexes(int kind, const std::vector<std::pair<std::string, std::string>>& keys) {
  std::vector<TSort> entries;
  for (size_t i = 0; i < keys.size(); ++i) entries.push_back({kind, keys[i].first, keys[i].second, static_cast<int>(i)});
  SortEntries(entries);
  std::vector<int> order;
  for (const auto& e : entries) order.push_back(e.Index);
  return order;
}

TEST(TSort, KindsReadTheirKeysWithDefaults) {
  using ::testing::ElementsAre;
  // Length: minutes * 60 + seconds; text that is no number counts 0.
  EXPECT_THAT(SortedIndexes(0, {{"02", "00"}, {"01", "59"}, {"xx", "30"}}), ElementsAre(2, 1, 0));
  EXPECT_THAT(SortedIndexes(1, {{"02", "00"}, {"01", "59"}, {"xx", "30"}}), ElementsAre(0, 1, 2));
  // Tempo and popularity: Key1; no tempo counts 0 and comes first ascending.
  EXPECT_THAT(SortedIndexes(2, {{"140", ""}, {"", ""}, {"87", ""}}), ElementsAre(1, 2, 0));
  EXPECT_THAT(SortedIndexes(3, {{"140", ""}, {"", ""}, {"87", ""}}), ElementsAre(0, 2, 1));
  EXPECT_THAT(SortedIndexes(4, {{"50001", ""}, {"0", ""}, {"7", ""}}), ElementsAre(1, 2, 0));
  EXPECT_THAT(SortedIndexes(5, {{"50001", ""}, {"0", ""}, {"7", ""}}), ElementsAre(0, 2, 1));
  // Kinds 6-9: all equal (the input order stays).
  EXPECT_THAT(SortedIndexes(7, {{"9", ""}, {"1", ""}}), ElementsAre(0, 1));
  // Release dates: Key2 year (2005 by default) * 100 + Key1 month (1 by default).
  EXPECT_THAT(SortedIndexes(10, {{"12", "2007"}, {"x", "2008"}, {"3", "y"}}), ElementsAre(2, 0, 1));
  EXPECT_THAT(SortedIndexes(11, {{"12", "2007"}, {"x", "2008"}, {"3", "y"}}), ElementsAre(1, 0, 2));
  // CD numbers: 12 lowest first; 13 highest first with numbers above 500 counting 600 less.
  EXPECT_THAT(SortedIndexes(12, {{"409", ""}, {"003", ""}, {"601", ""}}), ElementsAre(1, 0, 2));
  EXPECT_THAT(SortedIndexes(13, {{"105", ""}, {"601", ""}, {"002", ""}, {"409", ""}}), ElementsAre(3, 0, 2, 1));
}

TEST(TSort, CompareSignsFollowTheOrder) {
  EXPECT_LT(CompareSort({2, "87", "", 0}, {2, "140", "", 1}), 0);
  EXPECT_GT(CompareSort({3, "87", "", 0}, {3, "140", "", 1}), 0);
  EXPECT_EQ(CompareSort({13, "601", "", 0}, {13, "1", "", 1}), 0);
}

}  // namespace
}  // namespace trakvella
