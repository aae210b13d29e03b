// The one comparison rule of every sort.
#include "core/catalogue/TSort.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace trakvella {
namespace {

std::vector<int> SortedIndexes(TSortKind kind, const std::vector<std::pair<std::string, std::string>>& keys) {
  std::vector<TSort> entries;
  for (size_t i = 0; i < keys.size(); ++i)
    entries.push_back({kind, keys[i].first, keys[i].second, static_cast<int>(i)});
  SortEntries(entries);
  std::vector<int> order;
  for (const auto& e : entries) order.push_back(e.Index);
  return order;
}

TEST(TSort, KindsReadTheirKeysWithDefaults) {
  using ::testing::ElementsAre;
  using K = TSortKind;
  // Length: minutes * 60 + seconds; text that is no number counts 0.
  EXPECT_THAT(SortedIndexes(K::LengthUp, {{"02", "00"}, {"01", "59"}, {"xx", "30"}}), ElementsAre(2, 1, 0));
  EXPECT_THAT(SortedIndexes(K::LengthDown, {{"02", "00"}, {"01", "59"}, {"xx", "30"}}), ElementsAre(0, 1, 2));
  // Tempo and popularity: Key1; no tempo counts 0 and comes first ascending.
  EXPECT_THAT(SortedIndexes(K::TempoUp, {{"140", ""}, {"", ""}, {"87", ""}}), ElementsAre(1, 2, 0));
  EXPECT_THAT(SortedIndexes(K::TempoDown, {{"140", ""}, {"", ""}, {"87", ""}}), ElementsAre(0, 2, 1));
  EXPECT_THAT(SortedIndexes(K::PopularityUp, {{"50001", ""}, {"0", ""}, {"7", ""}}), ElementsAre(1, 2, 0));
  EXPECT_THAT(SortedIndexes(K::PopularityDown, {{"50001", ""}, {"0", ""}, {"7", ""}}), ElementsAre(0, 2, 1));
  // Kinds 6-9: all equal (the input order stays).
  EXPECT_THAT(SortedIndexes(K::Unordered7, {{"9", ""}, {"1", ""}}), ElementsAre(0, 1));
  // Release dates: Key2 year (2005 by default) * 100 + Key1 month (1 by default).
  EXPECT_THAT(SortedIndexes(K::DateUp, {{"12", "2007"}, {"x", "2008"}, {"3", "y"}}), ElementsAre(2, 0, 1));
  EXPECT_THAT(SortedIndexes(K::DateDown, {{"12", "2007"}, {"x", "2008"}, {"3", "y"}}), ElementsAre(1, 0, 2));
  // CD numbers: 12 lowest first; 13 highest first with numbers above 500 counting 600 less.
  EXPECT_THAT(SortedIndexes(K::CdNumberUp, {{"409", ""}, {"003", ""}, {"601", ""}}), ElementsAre(1, 0, 2));
  EXPECT_THAT(SortedIndexes(K::CdNumberNewFirst, {{"105", ""}, {"601", ""}, {"002", ""}, {"409", ""}}),
              ElementsAre(3, 0, 2, 1));
}

TEST(TSort, CompareSignsFollowTheOrder) {
  using K = TSortKind;
  EXPECT_LT(CompareSort({K::TempoUp, "87", "", 0}, {K::TempoUp, "140", "", 1}), 0);
  EXPECT_GT(CompareSort({K::TempoDown, "87", "", 0}, {K::TempoDown, "140", "", 1}), 0);
  EXPECT_EQ(CompareSort({K::CdNumberNewFirst, "601", "", 0}, {K::CdNumberNewFirst, "1", "", 1}), 0);
}

}  // namespace
}  // namespace trakvella
