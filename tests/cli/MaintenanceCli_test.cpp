// trakvella-cli scan and report as processes, on the bundled catalogue.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/CliProcess.h"
#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

CliResult Cli(const TempDir& home, std::vector<std::string> args) {
  args.insert(args.begin(), {"--home", home.path().string(), "--lang", "en"});
  return RunCli(args);
}

TEST(MaintenanceCli, ScanPrintsOneLinePerEntryAndReportPrintsTheClipboardText) {
  TempDir home, projects;
  const std::string pad(300, '\x01');
  WriteFile(projects.path() / "Show" / "ep1.cpr", pad + "C:\\Lib\\KMLB_003_001.WAV" + pad);
  WriteFile(projects.path() / "Show" / "ep1_bak.cpr", pad + "KMLB_003_009.WAV" + pad);
  WriteFile(projects.path() / "Show" / "Эфир.ses", pad + "KMLB_003_002.wav" + pad);

  auto scan = Cli(home, {"scan", projects.path().string(), "--other", ".ses"});
  ASSERT_EQ(scan.status, 0) << scan.err;
  EXPECT_THAT(scan.out, ElementsAre("found=KMLB_003_001|Show|ep1", "found=KMLB_003_002|Show|Эфир"));
  scan =
      Cli(home, {"scan", projects.path().string(), "--types", "npr", "--other", ".ses", "--wav-only", "--exclude", ""});
  EXPECT_TRUE(scan.out.empty());
  scan = Cli(home, {"scan", projects.path().string(), "--exclude", "ep"});
  EXPECT_TRUE(scan.out.empty());

  // A set list file as the music set writes it: code page 1251, CR LF.
  WriteFile(home.path() / "set.rq2",
            "KMLB_003_001=MISC >> A : KMLB_003 X,Show,ep1\r\n"
            "d:\\audio\\kmlb_003_002.wav=ctx,Show,\xdd\xf4\xe8\xf0\r\nKMLB_999_001\r\n");
  const std::string set = (home.path() / "set.rq2").string();
  const std::string title = Cli(home, {"track", "KMLB_003_001"}).out.at(3).substr(6);  // title=
  auto user = Cli(home, {"report", "--kind", "2", "--set", set, "--columns", "4,1", "--row-names"});
  ASSERT_EQ(user.status, 0) << user.err;
  EXPECT_THAT(user.out, ElementsAre("N\tИмя проекта\tКод\t\r", "1\tep1\tKMLB_003_001\r", "2\tЭфир\tKMLB_003_002\r"));
  EXPECT_THAT(user.err, HasSubstr("message: OK. Copyed 3 row(s) to clipboard!"));

  auto broadcast = Cli(home, {"report", "--kind", "0", "--set", set, "--columns", "0,1,2,6", "--quarter", "3", "--year",
                              "2019", "--seed", "5"});
  ASSERT_EQ(broadcast.out.size(), 2u);
  EXPECT_EQ(broadcast.out[0].rfind("Show\t1.7.2019\t" + title + " (KMLB_003_001)\t", 0), 0u) << broadcast.out[0];
  EXPECT_EQ(Cli(home, {"report", "--kind", "0", "--set", set, "--seed", "5", "--columns", "0,1,2,6", "--quarter", "3",
                       "--year", "2019"})
                .out,
            broadcast.out);

  WriteFile(home.path() / "empty.rq2", "");
  auto empty = Cli(home, {"report", "--kind", "1", "--set", (home.path() / "empty.rq2").string()});
  EXPECT_EQ(empty.status, 1);
  EXPECT_TRUE(empty.out.empty());
  EXPECT_THAT(empty.err, HasSubstr("message: Error occurred while extracting data!"));
  EXPECT_EQ(Cli(home, {"report", "--kind", "0", "--set", set, "--quarter", "5"}).status, 2);
}

}  // namespace
}  // namespace trakvella::testing
