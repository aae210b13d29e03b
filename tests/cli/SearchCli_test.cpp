// trakvella-cli search run as a process on the embedded sample catalogue.
#include <cstdio>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "support/CatalogueFixture.h"
#include "support/CliProcess.h"

namespace trakvella::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class SearchCli : public ::testing::Test {
 protected:
  CliResult Run(std::vector<std::string> extra) {
    std::vector<std::string> args = {"--home", home.path().string(), "--today", "2026-12", "--lang", "en"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }
  CliResult Search(std::vector<std::string> options) {
    options.insert(options.begin(), "search");
    return Run(options);
  }
  // The track codes of the row= lines.
  static std::vector<std::string> Rows(const CliResult& r) {
    std::vector<std::string> codes;
    for (const auto& l : r.out)
      if (l.rfind("row=", 0) == 0) codes.push_back(l.substr(4));
    return codes;
  }
  // One field of the track command's answer.
  std::string TrackField(const std::string& code, const std::string& field) {
    for (const auto& l : Run({"track", code}).out)
      if (l.rfind(field + "=", 0) == 0) return l.substr(field.size() + 1);
    return "(none)";
  }
  TempDir home;
};

TEST_F(SearchCli, PositivePopRockListsOnlyPprckTracks) {
  auto r = Search({"--preset", "3"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto rows = Rows(r);
  ASSERT_FALSE(rows.empty());
  for (const auto& code : rows) {
    const std::string tagLine = TrackField(code, "tagLine");
    EXPECT_THAT(tagLine, HasSubstr("PPRCK")) << code;
    EXPECT_THAT(tagLine, ::testing::AnyOf(StartsWith("4"), StartsWith("5"))) << code;
  }
  EXPECT_EQ(r.out.back(), "cds=1");

  // Options after a preset change its criteria: every mood box on adds the
  // darker PPRCK tracks, none of them with a second style word.
  auto wider = Search({"--mood", "1,2,3,4,5", "--preset", "3"});
  ASSERT_EQ(wider.status, 0) << wider.err;
  EXPECT_GT(Rows(wider).size(), rows.size());
}

TEST_F(SearchCli, EffectModeListsSfxTracksWhateverTheOtherOptions) {
  auto r = Search({"--sfx"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto rows = Rows(r);
  ASSERT_FALSE(rows.empty());
  for (const auto& code : rows) EXPECT_EQ(TrackField(code, "styleText"), "SFX/ID") << code;
  EXPECT_THAT(r.out.back(), StartsWith("cds="));

  auto ignored = Search({"--sfx", "--area", "5", "--mood", "1", "--style", "JAZZ", "--key", "3"});
  ASSERT_EQ(ignored.status, 0) << ignored.err;
  EXPECT_EQ(Rows(ignored), rows);
}

TEST_F(SearchCli, TempoBoundsAreWrittenBackAndSortOrdersTheRows) {
  auto r = Search({"--bpm-in", "abc", "--bpm-out", "120", "--sort", "tempo"});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_GE(r.out.size(), 2u);
  EXPECT_EQ(r.out[r.out.size() - 2], "bpm=40-120");
  const auto rows = Rows(r);
  ASSERT_GE(rows.size(), 2u);
  auto tempo = [&](const std::string& code) {
    const std::string line = TrackField(code, "tagLine");
    return std::stoi(line.substr(line.find('[') + 1));
  };
  EXPECT_LE(tempo(rows.front()), tempo(rows.back()));

  auto none = Search({"--bpm-in", "180", "--bpm-out", "170"});
  ASSERT_EQ(none.status, 0) << none.err;
  EXPECT_THAT(Rows(none), IsEmpty());
  EXPECT_EQ(none.out, (std::vector<std::string>{"bpm=180-170", "cds=0"}));
}

TEST_F(SearchCli, BadOptionsExitWithStatusTwo) {
  const std::vector<std::vector<std::string>> bad = {{"--bogus"},          {"--area"},           {"--area", "16"},
                                                     {"--mood", "0"},      {"--mood", "1,6"},    {"--tempo", "F,X"},
                                                     {"--style", "POLKA"}, {"--epoch", "retro"}, {"--key", "13"},
                                                     {"--key", "-1"},      {"--preset", "4"},    {"--sort", "name"}};
  for (const auto& options : bad) {
    auto r = Search(options);
    EXPECT_EQ(r.status, 2) << options[0];
    EXPECT_THAT(r.err, StartsWith("trakvella-cli: ")) << options[0];
    EXPECT_THAT(r.out, IsEmpty()) << options[0];
  }
}

}  // namespace
}  // namespace trakvella::testing
