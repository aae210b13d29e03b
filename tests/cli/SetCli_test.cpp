// trakvella-cli set …: the music set's files and tools as scripts use them, on
// the bundled catalogue.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/text/Text.h"
#include "support/CliProcess.h"
#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct SetCli : ::testing::Test {
  TempDir home;
  CliResult Run(std::vector<std::string> args, const std::string& lang = "en") {
    args.insert(args.begin(), {"--home", home.path().string(), "--lang", lang, "set"});
    return RunCli(args);
  }
  std::string Path(const std::string& name) const { return (home.path() / name).string(); }
};

TEST_F(SetCli, ReadOptimiseTotalAndWriteAListFile) {
  WriteFile(home.path() / "in.rq2", Utf8ToCp1251("KMLB_027_001=HUMOR, COMEDY, CHILDREN : KMLB_027 x,Проект,Ролик\r\n"
                                                 "kmlb_027_002.wav\r\nKMLB_027_001=again,-,-\r\nKMLB_777_001\r\n"));
  auto read = Run({"read", Path("in.rq2")});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_THAT(read.out, ElementsAre("entry=KMLB_027_001|HUMOR, COMEDY, CHILDREN : KMLB_027 x|Проект|Ролик",
                                    ::testing::StartsWith("entry=KMLB_027_002|"), "entry=KMLB_027_001|again|-|-"));

  auto optimised = Run({"optimise", Path("in.rq2")});
  EXPECT_THAT(optimised.out, ElementsAre(read.out[0], read.out[1], "removed=1"));
  EXPECT_THAT(optimised.err, HasSubstr("message: After the optimization removed duplicates: 1"));

  EXPECT_THAT(Run({"total", Path("in.rq2")}).out, ElementsAre("total=3 / 0h:08m:50s"));
  EXPECT_THAT(Run({"total", Path("in.rq2")}, "ru").out, ElementsAre("total=3 / 0 ч. 08 мин. 50 сек."));

  ASSERT_EQ(Run({"write", Path("in.rq2"), Path("out.rq2")}).status, 0);
  EXPECT_EQ(Run({"read", Path("out.rq2")}).out, read.out);
  EXPECT_THAT(Cp1251ToUtf8(ReadFile(home.path() / "out.rq2")),
              ::testing::StartsWith("KMLB_027_001=HUMOR, COMEDY, CHILDREN : KMLB_027 x,Проект,Ролик\r\n"));

  EXPECT_EQ(Run({"read", Path("absent.rq2")}).status, 2);
}

TEST_F(SetCli, PlaylistPasteAndDrop) {
  WriteFile(home.path() / "in.rq2", "KMLB_027_002\r\n");
  WriteFile(home.path() / "servers.ini", "DemoServer1=http://127.0.0.1:9/audio/\n");
  EXPECT_THAT(Run({"m3u", Path("in.rq2")}).out, ElementsAre("m3u=http://127.0.0.1:9/audio/KMLB_027/KMLB_027_002.mp3"));

  WriteFile(home.path() / "clip.txt", "see KMLB_003_001 or KMLB_027 001\nnone\n");
  auto pasted = Run({"from-clipboard-text", Path("clip.txt")});
  EXPECT_THAT(pasted.out, ElementsAre(::testing::StartsWith("entry=KMLB_027_001|")));
  EXPECT_THAT(pasted.out[0], ::testing::EndsWith("| - | - "));
  EXPECT_THAT(pasted.err, HasSubstr("message: As a result of scanning tracks added:1"));

  WriteFile(home.path() / "Spot" / "KMLB_003_002 Свип.wav", "x");
  auto dropped = Run({"drop", Path("Spot")});
  ASSERT_EQ(dropped.status, 0) << dropped.err;
  EXPECT_THAT(dropped.out, ElementsAre(::testing::AllOf(::testing::StartsWith("entry=KMLB_003_002|"),
                                                        ::testing::EndsWith("|Spot| - "))));
}

}  // namespace
}  // namespace trakvella::testing
