// trakvella-cli export: the exports' texts as the program leaves them, from a
// process the way the library's scripts run it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/text/Text.h"
#include "support/CatalogueFixture.h"
#include "support/CliProcess.h"

namespace trakvella::testing {
namespace {

using ::testing::HasSubstr;

struct ExportCli : ::testing::Test {
  TempDir catalogue, home;
  void SetUp() override {
    FixtureCatalogue f;
    f.titles = {"KMLB_003=KMLB_003 Промо", "KMLB_003_001=Свип\tI1\t00:14\tИ. Петров\tОркестр",
                "KMLB_003_002=Удар\tI2\t00:45\tИ. Петров\tОркестр"};
    f.tracks = {"KMLB_003_001=0 !I", "KMLB_003_002=4 !F POP [128] <8B>"};
    f.blocks = {{"KMLB_003", NfoBlock("KMLB_003", "Промо", {"* ALL LIBRARY >> FX / JINGLES"}, "122007")}};
    f.Write(catalogue.path());
  }
  CliResult Run(std::vector<std::string> extra) {
    std::vector<std::string> args = {
        "--catalogue", catalogue.path().string(), "--home", home.path().string(), "--lang", "ru", "export"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }
};

TEST_F(ExportCli, SetConversionWritesTheClipboardTextWithCrLf) {
  // A set list file in code page 1251: a context with a comma, and a file path.
  WriteFile(home.path() / "set.rq2", Utf8ToCp1251("KMLB_003_002=* ALL LIBRARY >> FX / JINGLES : KMLB_003 Промо,-,-\r\n"
                                                  "C:\\Музыка\\kmlb_003_001.wav\r\n"));
  const CliResult r = Run({"mstock", "--set", (home.path() / "set.rq2").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.out.size(), 2u);
  EXPECT_EQ(r.out[0],
            "И. Петров\tОркестр\tKMLB_003_002\tУдар\tI2\t00:00:45\tMOD:004\tTMP:SLW\tTON:08B\tTON:08B\tTON:08B\t128\t"
            "128\t128\tCAT:EFE\r");
  EXPECT_THAT(r.out[1], ::testing::StartsWith("И. Петров\tОркестр\tKMLB_003_001\t"));
  EXPECT_EQ(r.err, "message: Импорт для MStock Готов!\\rВ буфере строк: 2\n");

  // Into a file, byte for byte the text of stdout.
  const auto out = home.path() / "out.txt";
  ASSERT_EQ(Run({"mstock", "--set", (home.path() / "set.rq2").string(), "--out", out.string()}).status, 0);
  EXPECT_EQ(ReadFile(out), r.out[0] + "\n" + r.out[1] + "\n");
}

TEST_F(ExportCli, WrongUseAndFailedExportsSetTheStatus) {
  EXPECT_EQ(Run({"everything"}).status, 2);
  EXPECT_EQ(Run({"maximum-set"}).status, 2);  // no --set
  EXPECT_EQ(Run({"maximum", "--colour", "red"}).status, 2);

  // The service lacks the set's track: the message, no text, status 1.
  WriteFile(home.path() / "set.rq2", "KMLB_003_001\r\n");
  WriteFile(home.path() / "service.csv", "\"55\",\"KMLB_003_002\"\r\n");
  const CliResult r = Run(
      {"sourceaudio", "--set", (home.path() / "set.rq2").string(), "--input", (home.path() / "service.csv").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.empty());
  EXPECT_THAT(r.err, HasSubstr("Не найдено совпадений в экспорте SourceAudio: 1"));
}

}  // namespace
}  // namespace trakvella::testing
