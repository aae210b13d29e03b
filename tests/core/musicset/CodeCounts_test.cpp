// The set's code counts against a plain map, through growth and removals that
// move codes back along their probe chains.
#include "core/musicset/CodeCounts.h"

#include <map>
#include <random>

#include <gtest/gtest.h>

namespace trakvella::testing {
namespace {

TEST(CodeCounts, AgreesWithAMapThroughAddsAndRemoves) {
  CodeCounts counts;
  std::map<std::string, int> model;
  std::mt19937 random(7);
  auto code = [&] { return "KMLB_" + std::to_string(random() % 300) + "_" + std::to_string(random() % 3); };
  for (int step = 0; step < 20000; ++step) {
    const std::string c = code();
    if (random() % 2 == 0) {
      counts.Add(c);
      ++model[c];
    } else {
      counts.Remove(c);
      if (auto it = model.find(c); it != model.end() && --it->second == 0) model.erase(it);
    }
    if (step % 97 == 0) {
      for (int n = 0; n < 300; ++n)
        for (int t = 0; t < 3; ++t) {
          const std::string probe = "KMLB_" + std::to_string(n) + "_" + std::to_string(t);
          ASSERT_EQ(counts.Contains(probe), model.count(probe) != 0) << probe << " at step " << step;
        }
    }
  }
  counts.Clear();
  EXPECT_FALSE(counts.Contains(model.begin()->first));
}

}  // namespace
}  // namespace trakvella::testing
