// The documents as real RTF readers show them: every document through unrtf,
// the four together through LibreOffice. Filled Cyrillic values are there, no
// field or table marker is left, and the act's rows come in order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/documents/LicenceDocuments.h"
#include "support/DocumentFixture.h"
#include "support/Fakes.h"
#include "support/RtfReaders.h"

namespace trakvella::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The four documents of a legal entity with price and quota, the act listing a
// music set of four tracks from three CDs, and the passport of one track.
struct MadeDocuments {
  TempDir dir;
  std::vector<std::filesystem::path> files;
  MadeDocuments() {
    FakeDialogs dialogs;
    std::string saveName;
    const DocumentContext context{
        BuiltInTemplates(), BuiltInCatalogue(), dialogs, Language::Russian, 96, &saveName, {}};
    DocFormState form = LegalEntityForm();
    form.SetText("fPriceEdit", "5000");
    form.SetText("fQuotaEdit", "25");
    dialogs.choices = {1};
    for (auto name : {"dog", "pril", "akt", "passport"}) files.push_back(dir.path() / (std::string(name) + ".rtf"));
    dialogs.fileNames = {files[0].string(), files[1].string(), files[2].string()};
    LicenceDocuments docs;
    const std::vector<std::string> set{"KMLB_012_002", "KMLB_003_005", "KMLB_005_001", "KMLB_012_001"};
    if (MakeDocuments(DocumentAction::FillAndSave, form, Account(), set, context, docs).saved.size() != 3)
      throw std::runtime_error("the documents were not saved");
    FakeShell shell;
    dialogs.answers = {MessageAnswer::Yes, MessageAnswer::No};
    dialogs.fileNames = {files[3].string()};
    const auto [cd, track] = BuiltInCatalogue().LocateTrack("KMLB_005_002");
    if (SaveTrackPassport(TrackRef{cd, track}, context, shell) != PassportOutcome::Saved)
      throw std::runtime_error("the passport was not saved");
  }
};

void ExpectFilled(const std::vector<std::string>& texts) {
  const std::string& dog = texts[0];
  const std::string& pril = texts[1];
  const std::string& act = texts[2];
  const std::string& passport = texts[3];
  for (const std::string* text : {&dog, &pril, &act, &passport}) {
    EXPECT_THAT(*text, Not(HasSubstr("$$$")));
    EXPECT_THAT(*text, Not(HasSubstr("#table#")));
  }
  EXPECT_THAT(dog, HasSubstr("ЛИЦЕНЗИОННЫЙ ДОГОВОР № 77-Д"));
  EXPECT_THAT(dog, HasSubstr("ООО «Ромашка», Генеральный директор Иванов Иван Иванович, Действует на основании"));
  EXPECT_THAT(dog, HasSubstr("5000 ( Пять тысяч ) рублей"));
  EXPECT_THAT(dog, HasSubstr("01.03.2030"));
  EXPECT_THAT(dog, HasSubstr("ИНН 7712345678"));
  EXPECT_THAT(pril, HasSubstr("25 (двадцать пять ) фонограмм"));
  EXPECT_THAT(pril, HasSubstr("пароль&{1}"));
  EXPECT_THAT(pril, HasSubstr("77-Д от 1 марта 2024 г."));
  EXPECT_THAT(act, HasSubstr("с 1 марта 2024 г. по 15 апреля 2024 г."));
  EXPECT_TRUE(InOrder(act, {"Название", "Исполнитель", "1", "Пулька двойная", "KMLB_003_005", "2", "Новые горизонты",
                            "KMLB_005_001", "3", "Буэнос-Айрес ночью", "KMLB_012_002", "Ансамбль «Полдень»", "4",
                            "Карнавал в Рио", "KMLB_012_001", "Trio Aurora"}))
      << act;
  EXPECT_TRUE(InOrder(passport, {"Команда мечты (KMLB_005_002)", "Игорь Лазарев", "04:24", "Андрей Волков"}))
      << passport;
}

TEST(DocumentReaders, UnrtfShowsEveryFilledDocument) {
  MadeDocuments made;
  std::vector<std::string> texts;
  for (const auto& file : made.files) {
    // unrtf writes a cell's separating TAB after the first word of the cell
    // rather than before it; the cells' text is whole once the TABs go.
    std::string text = UnrtfText(file);
    std::erase(text, '\t');
    texts.push_back(text);
  }
  ExpectFilled(texts);
}

TEST(DocumentReaders, LibreOfficeShowsTheFourDocuments) {
  MadeDocuments made;
  ExpectFilled(LibreOfficeTexts(made.files));
}

}  // namespace
}  // namespace trakvella::testing
