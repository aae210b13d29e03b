// trakvella-cli words, roubles, contract and passport, with the written
// documents read back by unrtf.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/text/Text.h"
#include "support/CliProcess.h"
#include "support/Fakes.h"
#include "support/RtfReaders.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

struct DocumentsCli : ::testing::Test {
  TempDir home, out;
  CliResult Run(std::vector<std::string> args, const std::optional<std::string>& input = std::nullopt) {
    args.insert(args.begin(), {"--lang", "ru", "--home", home.path().string()});
    return RunCli(args, input);
  }
  std::string Read(const std::string& name) {
    std::string text = UnrtfText(out.path() / name);
    std::erase(text, '\t');  // unrtf puts a cell's TAB after its first word
    return text;
  }
};

TEST_F(DocumentsCli, WordsAndRoubles) {
  EXPECT_THAT(Run({"words", "21000"}).out, ElementsAre("words=двадцать одна тысяча "));
  EXPECT_THAT(Run({"words", "-0"}).out, ElementsAre("words=минус ноль"));
  EXPECT_THAT(Run({"roubles", "12345"}).out, ElementsAre("roubles=( Двенадцать тысяч триста сорок пять ) рублей"));
  EXPECT_THAT(Run({"roubles", "0"}).out, ElementsAre("roubles=( Ноль) рублей"));
  EXPECT_EQ(Run({"words", "12a"}).status, 2);
  EXPECT_EQ(Run({"roubles", "99999999999999999999"}).status, 2);
}

TEST_F(DocumentsCli, ContractOfAnEntrepreneurWritesTheThreeDocuments) {
  const auto r = Run({"contract",
                      "--number",
                      "12/2024",
                      "--date",
                      "2024-02-29",
                      "--report-date",
                      "2024-12-31",
                      "--kind",
                      "ip",
                      "--field",
                      "fIP=ИП Сидоров Сергей Сергеевич",
                      "--field",
                      "fOGRNIP=123",
                      "--login",
                      "sid",
                      "--password",
                      "секрет",
                      "--source",
                      "codes:KMLB_012_001, kmlb_003_001,KMLB_999_999",
                      "--out",
                      out.path().string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, ElementsAre("rows=2", "file=" + (out.path() / "12_2024.rtf").string(),
                                 "file=" + (out.path() / "12_2024_pril.rtf").string(),
                                 "file=" + (out.path() / "12_2024_akt.rtf").string()));
  const std::string dog = Read("12_2024.rtf"), pril = Read("12_2024_pril.rtf"), act = Read("12_2024_akt.rtf");
  EXPECT_THAT(dog, HasSubstr("ИП Сидоров Сергей Сергеевич, ОГРНИП 123, именуемый"));
  EXPECT_THAT(dog, HasSubstr("до 28.02.2025 включительно"));
  EXPECT_THAT(dog, HasSubstr("до 28.02.2030 включительно"));
  EXPECT_THAT(dog, HasSubstr("составляет ________________________, НДС"));
  EXPECT_THAT(pril, HasSubstr("ИП Сидоров Сергей Сергеевич, 123, именуемый"));
  EXPECT_THAT(pril, HasSubstr("секрет"));
  EXPECT_THAT(act, HasSubstr("с 29 февраля 2024 г. по 31 декабря 2024 г."));
  EXPECT_TRUE(InOrder(act, {"1", "Аплодисменты - 01", "KMLB_003_001", "2", "Карнавал в Рио", "KMLB_012_001"})) << act;
  for (const std::string* text : {&dog, &pril, &act}) EXPECT_THAT(*text, Not(HasSubstr("$$$")));
}

TEST_F(DocumentsCli, ContractTakesThePasswordFromStandardInput) {
  const auto r =
      Run({"contract", "--number", "7", "--kind", "ip", "--field", "fIP=ИП Сидоров", "--field", "fOGRNIP=123",
           "--login", "sid", "--password-stdin", "--source", "codes:KMLB_003_001", "--out", out.path().string()},
          "тайна\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(Read("7_pril.rtf"), HasSubstr("тайна"));
}

TEST_F(DocumentsCli, ContractListsTheTracksOfAMusicSetFile) {
  TempDir sets;
  const auto set = sets.path() / "set.rq2";
  WriteFile(set, Utf8ToCp1251("KMLB_012_002=* ALL LIBRARY >> Латина,-,-\r\n/home/p/KMLB_005_001.wav,Проект,Ролик\r\n"));
  const auto r = Run({"contract", "--number", "5", "--kind", "person", "--field", "fFIO=Петров Пётр Петрович",
                      "--field", "fPassport=паспорт 4500 123456", "--field", "fReqFIO=г. Тверь", "--price", "1000",
                      "--source", "set:" + set.string(), "--out", out.path().string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out[0], "rows=2");
  EXPECT_TRUE(InOrder(Read("5_akt.rtf"), {"Петров Пётр Петрович, паспорт 4500 123456, именуемый", "1",
                                          "Новые горизонты", "KMLB_005_001", "2", "Буэнос-Айрес ночью"}));
  EXPECT_THAT(Read("5.rtf"), HasSubstr("1000 ( Одна тысяча ) рублей"));
}

TEST_F(DocumentsCli, ContractRefusesMissingFieldsAndWrongUsage) {
  auto r = Run({"contract", "--number", "1", "--kind", "legal", "--field", "fLLC=ООО «Ромашка»", "--source",
                "codes:KMLB_003_001", "--out", out.path().string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "message: Пожалуйста, заполните все необходимые поля!\n");
  EXPECT_TRUE(std::filesystem::is_empty(out.path()));
  EXPECT_EQ(Run({"contract", "--number", "1", "--kind", "firm", "--source", "codes:", "--out", "."}).status, 2);
  EXPECT_EQ(Run({"contract", "--number", "1", "--kind", "ip", "--field", "fDogNumberEdit=2", "--source",
                 "codes:", "--out", "."})
                .status,
            2);
  EXPECT_EQ(Run({"contract", "--number", "1", "--kind", "ip", "--source", "codes:"}).status, 2);
}

TEST_F(DocumentsCli, PassportOfATrack) {
  const auto r = Run({"passport", "KMLB_005_002", "--out", (out.path() / "passport").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, ElementsAre("file=" + (out.path() / "passport.rtf").string(), "work=Команда мечты (KMLB_005_002)",
                                 "author=Игорь Лазарев", "duration=04:24", "performer=Андрей Волков"));
  EXPECT_TRUE(
      InOrder(Read("passport.rtf"), {"Команда мечты (KMLB_005_002)", "Игорь Лазарев", "04:24", "Андрей Волков"}));
  EXPECT_EQ(Run({"passport", "KMLB_005_002", "--out", (out.path() / "no" / "p.rtf").string()}).status, 1);
  EXPECT_EQ(Run({"passport", "KMLB_999_001", "--out", "p.rtf"}).status, 2);
}

}  // namespace
}  // namespace trakvella::testing
