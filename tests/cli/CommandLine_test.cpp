// How trakvella-cli reads its command line, whatever the command: which commands load the
// catalogue, which usage follows a wrong use, and where the program's own options end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/CliProcess.h"
#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kProgramUsage = "usage: trakvella-cli [--catalogue DIR]";
constexpr const char* kDocumentsUsage = "usage: trakvella-cli words N | roubles N\n";
constexpr const char* kSubscriptionUsage = "usage: trakvella-cli account show LOGIN\n";

struct CommandLine : ::testing::Test {
  TempDir home;
  CliResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--home", home.path().string(), "--lang", "en", "--today", "2026-12"});
    return RunCli(args);
  }
};

TEST_F(CommandLine, OnlyTheCommandsThatNeedTheCatalogueFailWithoutIt) {
  const std::string missing = (home.path() / "absent").string();
  EXPECT_THAT(Run({"--catalogue", missing, "words", "12"}).out, ElementsAre("words=двенадцать "));
  EXPECT_THAT(Run({"--catalogue", missing, "version-newer", "1.0", "1.1"}).out, ElementsAre("newer=1"));
  EXPECT_EQ(Run({"--catalogue", missing, "scan", home.path().string()}).status, 0);
  EXPECT_EQ(Run({"--catalogue", missing, "account", "show", "nobody"}).status, 1);  // no account file, no catalogue
  for (const auto& line : std::vector<std::vector<std::string>>{
           {"info"}, {"set", "read", "x.rq2"}, {"report", "--kind", "0"}, {"demo-download", "--to", ".", "X"}}) {
    auto args = line;
    args.insert(args.begin(), {"--catalogue", missing});
    auto r = Run(args);
    EXPECT_EQ(r.status, 2) << line[0];
    EXPECT_EQ(r.err, "trakvella-cli: catalogue folder not found: " + missing + "\n") << line[0];
  }
}

TEST_F(CommandLine, AWrongUseIsToldWithTheUsageOfItsCommand) {
  struct Case {
    std::vector<std::string> args;
    std::string text;   // after "trakvella-cli: "
    std::string usage;  // how what follows begins; empty: nothing follows
  };
  const std::vector<Case> cases = {
      {{"cd"}, "wrong number of arguments for cd", kProgramUsage},
      {{"tree", "--new-first"}, "--new-first wants a value", kProgramUsage},
      {{"tracks", "KMLB_003", "--top5"}, "unknown option --top5 for tracks", kProgramUsage},
      {{"set"}, "wrong number of arguments for set", kProgramUsage},
      {{"set", "bogus"}, "unknown set command bogus", ""},
      {{"search", "rock"}, "unknown option rock for search", ""},
      {{"related", "KMLB_003_001", "tempo", "--seed", "1"}, "unknown option --seed", ""},
      {{"title"}, "wrong number of arguments for title", ""},
      {{"export", "--set", "set.rq2"}, "unknown export --set", ""},
      {{"fetch", "-x", "u", "f"}, "unknown fetch option -x", "usage: trakvella-cli fetch URL FOLDER"},
      {{"update-info"}, "update-info wants the update page's address", "usage: trakvella-cli update-info URL"},
      {{"roubles", "1", "2"}, "roubles wants one number", kDocumentsUsage},
      {{"contract", "--bogus"}, "--bogus wants a value", kDocumentsUsage},
      {{"contract", "--bogus", "v"}, "unknown contract option --bogus", kDocumentsUsage},
      {{"passport", "--", "--out", "p.rtf"}, "unknown passport argument --", kDocumentsUsage},
      {{"quota", "--login"}, "--login wants a value", kSubscriptionUsage},
      {{"demo-download", "--to", "."}, "demo-download wants --to DIR and track codes", kSubscriptionUsage},
      {{"report", "--kind", "0", "--set"}, "--set wants a value", ""},
      {{"bogus"}, "unknown command bogus", kProgramUsage},
  };
  for (const Case& c : cases) {
    auto r = Run(c.args);
    EXPECT_EQ(r.status, 2) << c.text;
    const std::string first = "trakvella-cli: " + c.text + "\n";
    ASSERT_THAT(r.err, StartsWith(first));
    if (c.usage.empty())
      EXPECT_EQ(r.err, first);
    else
      EXPECT_THAT(r.err.substr(first.size()), StartsWith(c.usage)) << c.text;
  }
}

TEST_F(CommandLine, ProgramOptionsEndAtTheCommandAndHelpEndsTheLine) {
  // A value is taken whatever it looks like; options and arguments of a command mix in any order.
  EXPECT_THAT(Run({"--home", "--help"}).err, StartsWith("trakvella-cli: no command given\n"));
  auto mixed = Run({"tracks", "--sort", "length", "KMLB_003", "--reverse"});
  EXPECT_EQ(mixed.out, Run({"tracks", "KMLB_003", "--sort", "length", "--reverse"}).out);
  EXPECT_EQ(mixed.out.front(), "row=KMLB_003_010");                               // the longest first
  EXPECT_THAT(Run({"version-newer", "--1", "--2"}).out, ElementsAre("newer=1"));  // no options: words only
  // --help is read after the values before it, and nothing after it is read.
  EXPECT_EQ(Run({"--lang", "xx", "--help"}).status, 2);
  auto help = Run({"--help", "--lang", "xx", "--frobnicate"});
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(help.out, ::testing::Contains(HasSubstr("report --kind 0|1|2 --set FILE")));
  EXPECT_THAT(Run({"-", "info"}).err, StartsWith("trakvella-cli: unknown option -\n"));
}

}  // namespace
}  // namespace trakvella::testing
