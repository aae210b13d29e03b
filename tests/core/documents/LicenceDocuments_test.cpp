// The licence documents and the passport: the form's rules, the fill of the
// three templates per licensee page, the act's table, the save dialogs and the
// passport command.
#include "core/documents/LicenceDocuments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/lang/MessageTable.h"
#include "core/text/Text.h"
#include "support/DocumentFixture.h"
#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

// Whether the first occurrence of text in the document is written in the
// source with something between two of its characters.
bool SplitInSource(const RtfDocument& doc, const std::string& text) {
  const size_t at = doc.text().find(ToU32(text));
  if (at == std::u32string::npos) return false;
  for (size_t k = at; k + 1 < at + ToU32(text).size(); ++k)
    if (doc.spans()[k].end != doc.spans()[k + 1].begin) return true;
  return false;
}

TEST(CanMakeDoc, AsksForTheActivePagesFieldsAndTheNumber) {
  DocFormState form({2024, 3, 1});
  EXPECT_EQ(form.Text("fCEO"), "Генеральный директор");
  form.SetText("fLLC", "ООО «Ромашка»");
  form.SetText("fFIOCEO", "Иванов И. И.");
  form.SetText("fDogNumberEdit", "77");
  EXPECT_FALSE(CanMakeDoc(form));  // the requisites memo is empty
  form.SetText("fReq", "ИНН 1");
  EXPECT_TRUE(CanMakeDoc(form));
  form.SetText("fCEO", "");
  EXPECT_FALSE(CanMakeDoc(form));
  EXPECT_EQ(form.Colour("fCEO"), FieldColour::Red);
  EXPECT_EQ(form.Colour("fPriceEdit"), FieldColour::Yellow);  // quota and price are never required
  EXPECT_EQ(form.Colour("fLLC"), FieldColour::Green);

  // The entrepreneur's requisites count as filled until the memo is first edited.
  form.page = DocPage::Entrepreneur;
  form.SetText("fIP", "ИП Сидоров С. С.");
  EXPECT_FALSE(CanMakeDoc(form));
  form.SetText("fOGRNIP", "123");
  EXPECT_TRUE(CanMakeDoc(form));
  form.SetText("fReqIP", "x");
  form.SetText("fReqIP", "");
  EXPECT_FALSE(CanMakeDoc(form));

  form.page = DocPage::PrivatePerson;
  form.SetText("fFIO", "Петров П. П.");
  form.SetText("fPassport", "паспорт 4500 123456");
  EXPECT_FALSE(CanMakeDoc(form));
  form.SetText("fReqFIO", "Москва");
  EXPECT_TRUE(CanMakeDoc(form));
  form.SetText("fDogNumberEdit", "");
  EXPECT_FALSE(CanMakeDoc(form));

  form.ChooseQuotaPreset(2);
  EXPECT_EQ(form.Text("fQuotaEdit"), "25");
}

TEST(DocumentDates, WriteTheMonthInTheGenitiveAndMoveLeapDaysToThe28th) {
  EXPECT_EQ(DateInWords({2012, 11, 5}), "5 ноября 2012 г.");
  EXPECT_EQ(DateInWords({2024, 2, 29}), "29 февраля 2024 г.");
  EXPECT_EQ(DateInWords({2023, 2, 29}), "");
  EXPECT_EQ(ShortDate(YearsLater({2024, 3, 1}, 1)), "01.03.2025");
  EXPECT_EQ(ShortDate(YearsLater({2024, 2, 29}, 1)), "28.02.2025");
  EXPECT_EQ(ShortDate(YearsLater({2024, 2, 29}, 6)), "28.02.2030");
  EXPECT_EQ(ShortDate(YearsLater({2024, 2, 29}, 4)), "29.02.2028");
}

TEST(LicenceDocuments, TemplatesHoldTheirPlaceholdersSomeSplitAcrossRuns) {
  LicenceDocuments docs;
  RtfDocument passport;
  ASSERT_TRUE(LoadLicenceTemplates(BuiltInTemplates(), docs));
  ASSERT_TRUE(LoadTemplate(BuiltInTemplates(), kPassportTemplate, passport));
  const std::string combined = "$$$Предприятие, $$$Должность $$$ФИО,, $$$На основании...,";
  struct Row {
    std::string placeholder;
    int dog, pril, act;
  };
  const Row rows[] = {{"$$$Номер Договора", 1, 2, 0},
                      {"$$$Дата Договора", 1, 3, 1},
                      {combined, 1, 2, 1},
                      {"$$$Предприятие", 2, 4, 2},
                      {"$$$Реквизиты", 1, 0, 0},
                      {"$$$БД-срок", 2, 0, 0},
                      {"$$$ВЕСЬ-срок", 1, 0, 0},
                      {"$$$ЦенаЦ1 $$$ЦенаП1,", 1, 1, 0},
                      {"$$$Login", 0, 1, 0},
                      {"$$$Password", 0, 1, 0},
                      {"$$$PodQuota ($$$QuotaП)", 0, 1, 0},
                      {"$$$ТЕКУЩИЙ-срок", 0, 0, 2},
                      {"\n#table#\n", 0, 0, 1}};
  for (const Row& r : rows) {
    EXPECT_EQ(Count(docs.dog.Text(), r.placeholder), r.dog) << r.placeholder;
    EXPECT_EQ(Count(docs.dogPril.Text(), r.placeholder), r.pril) << r.placeholder;
    EXPECT_EQ(Count(docs.prList.Text(), r.placeholder), r.act) << r.placeholder;
  }
  for (auto p : {"$$$Произведение\t", "$$$Автор\t", "$$$Длительность\t", "$$$Исполнитель\t"})
    EXPECT_EQ(Count(passport.Text(), p), 1) << p;
  // Formatting runs split these: the source of their characters has gaps.
  EXPECT_TRUE(SplitInSource(docs.dog, combined));
  EXPECT_TRUE(SplitInSource(docs.dogPril, "$$$PodQuota ($$$QuotaП)"));
  for (auto p : {"$$$Произведение", "$$$Автор", "$$$Длительность", "$$$Исполнитель"})
    EXPECT_TRUE(SplitInSource(passport, p)) << p;
}

TEST(LicenceDocuments, LegalEntityWithPriceAndQuotaLeavesNoPlaceholder) {
  DocFormState form = LegalEntityForm();
  form.SetText("fPriceEdit", "5000");
  form.SetText("fQuotaEdit", "25");
  LicenceDocuments docs;
  ASSERT_TRUE(LoadLicenceTemplates(BuiltInTemplates(), docs));
  FillLicenceDocuments(form, Account(), docs);
  const std::string dog = docs.dog.Text(), pril = docs.dogPril.Text(), act = docs.prList.Text();
  EXPECT_THAT(dog, HasSubstr("5000 ( Пять тысяч ) рублей, НДС"));
  EXPECT_THAT(pril, HasSubstr("5000 ( Пять тысяч ) рублей, НДС"));
  EXPECT_THAT(pril, HasSubstr("25 (двадцать пять ) фонограмм"));
  EXPECT_THAT(dog, HasSubstr("и ООО «Ромашка», Генеральный директор Иванов Иван Иванович, Действует на основании "
                             "устава именуемый(-ое)"));
  EXPECT_THAT(dog, HasSubstr("№ 77-Д\n"));
  EXPECT_THAT(dog, HasSubstr("\t1 марта 2024 г.\n"));
  EXPECT_THAT(dog, HasSubstr("до 01.03.2025 включительно"));
  EXPECT_EQ(Count(dog, "01.03.2025"), 2);
  EXPECT_THAT(dog, HasSubstr("до 01.03.2030 включительно"));
  EXPECT_THAT(dog, HasSubstr("ИНН 7712345678\nг. Москва"));  // the memo's lines stay lines
  EXPECT_EQ(Count(pril, "77-Д от 1 марта 2024 г."), 2);
  EXPECT_THAT(pril, HasSubstr("\tdemo-login\t"));
  EXPECT_THAT(pril, HasSubstr("\tпароль&{1}\t"));
  EXPECT_THAT(act, HasSubstr("с 1 марта 2024 г. по 15 апреля 2024 г."));
  EXPECT_EQ(Count(act, "ООО «Ромашка»"), 2);
  for (const std::string* text : {&dog, &pril, &act}) EXPECT_THAT(*text, Not(HasSubstr("$$$")));
  EXPECT_THAT(act, HasSubstr("#table#"));
}

TEST(LicenceDocuments, EntrepreneurIsNamedWithOgrnipInTheContractOnlyAndBlankAmountsAreUnderscores) {
  LicenceDocuments docs;
  ASSERT_TRUE(LoadLicenceTemplates(BuiltInTemplates(), docs));
  FillLicenceDocuments(EntrepreneurForm(), Account(), docs);
  const std::string dog = docs.dog.Text(), pril = docs.dogPril.Text(), act = docs.prList.Text();
  const std::string blank(kBlankAmount);
  EXPECT_EQ(blank, std::string(24, '_'));
  EXPECT_THAT(dog, HasSubstr("и ИП Сидоров Сергей Сергеевич, ОГРНИП 123, именуемый"));
  EXPECT_THAT(pril, HasSubstr("и ИП Сидоров Сергей Сергеевич, 123, именуемый"));
  EXPECT_THAT(act, HasSubstr("и ИП Сидоров Сергей Сергеевич, 123, именуемый"));
  EXPECT_THAT(pril, Not(HasSubstr("ОГРНИП")));
  EXPECT_THAT(dog, HasSubstr("составляет " + blank + ", НДС"));
  EXPECT_THAT(pril, HasSubstr("составляет " + blank + ", НДС"));
  EXPECT_THAT(pril, HasSubstr("\t" + blank + " фонограмм"));
  EXPECT_EQ(Count(dog + pril + act, "Лицензиат:\nИП Сидоров Сергей Сергеевич\n"), 4);
  for (const std::string* text : {&dog, &pril, &act}) EXPECT_THAT(*text, Not(HasSubstr("$$$")));

  // A private person: the same phrase, the identity document after the name.
  ASSERT_TRUE(LoadLicenceTemplates(BuiltInTemplates(), docs));
  DocFormState person = PrivatePersonForm();
  person.SetText("fQuotaEdit", "0");
  person.SetText("fPriceEdit", "сто");
  FillLicenceDocuments(person, Account(), docs);
  EXPECT_THAT(docs.dog.Text(), HasSubstr("и Петров Пётр Петрович, паспорт 4500 123456, именуемый"));
  EXPECT_THAT(docs.dogPril.Text(), HasSubstr("\t" + blank + " фонограмм"));
  EXPECT_THAT(docs.dog.Text() + docs.dogPril.Text() + docs.prList.Text(), Not(HasSubstr("$$$")));
}

TEST(TrackTable, GroupsByCdInCatalogueOrderAndNumbersFromOne) {
  const auto lines = TrackTableLines(BuiltInCatalogue(),
                                     {"KMLB_012_002", "KMLB_003_005", "KMLB_999_001", "KMLB_012_001", "KMLB_003_005"});
  EXPECT_THAT(lines, ElementsAre("N\tНазвание\tКод\tХроно\tАвтор\tИсполнитель",
                                 "1\tПулька двойная\tKMLB_003_005\t00:08\tSoundLab\tSoundLab",
                                 "2\tПулька двойная\tKMLB_003_005\t00:08\tSoundLab\tSoundLab",
                                 ::testing::StartsWith("3\t"), ::testing::StartsWith("4\t")));
  EXPECT_THAT(lines[3], HasSubstr("\tKMLB_012_002\t"));
  EXPECT_THAT(lines[4], HasSubstr("\tKMLB_012_001\t"));
}

struct MakeDocFixture : ::testing::Test {
  FakeDialogs dialogs;
  TempDir dir;
  std::string saveName;
  LicenceDocuments docs;
  DocumentContext context{BuiltInTemplates(), BuiltInCatalogue(), dialogs, Language::Russian, 96, &saveName, {}};
  const std::vector<std::string> set{"KMLB_005_002", "KMLB_003_001"};
};

TEST_F(MakeDocFixture, SavesTheThreeDocumentsUnderTheProposedNamesWithTheChosenList) {
  dialogs.choices = {1};  // the music set
  dialogs.fileNames = {(dir.path() / "contract").string(), "", (dir.path() / "act.rtf").string()};
  const MakeDocResult result =
      MakeDocuments(DocumentAction::FillAndSave, LegalEntityForm(), Account(), set, context, docs);
  EXPECT_TRUE(result.filled);
  EXPECT_EQ(result.source, TrackSource::MusicSet);
  EXPECT_EQ(result.tableRows, 2);
  // The second and third dialogs open in the folder the first one chose.
  EXPECT_THAT(dialogs.fileDialogInitialPaths,
              ElementsAre("77-Д.rtf", (dir.path() / "77-Д_pril.rtf").string(), (dir.path() / "77-Д_akt.rtf").string()));
  EXPECT_THAT(dialogs.fileDialogTitles, ElementsAre("Сохранить документы в формате RTF", ::testing::_, ::testing::_));
  EXPECT_THAT(result.saved, ElementsAre(dir.path() / "contract.rtf", dir.path() / "act.rtf"));
  EXPECT_EQ(saveName, (dir.path() / "act.rtf").string());
  RtfDocument act(ReadFile(dir.path() / "act.rtf"));
  EXPECT_THAT(act.Text(), HasSubstr("N\tНазвание\tКод\tХроно\tАвтор\tИсполнитель\t\n"
                                    "1\tАплодисменты - 01\tKMLB_003_001\t00:06\tSoundLab\tSoundLab\t\n"
                                    "2\tКоманда мечты\tKMLB_005_002\t04:24\tИ. Лазарев\tАндрей Волков\t\n"));
  EXPECT_THAT(act.Text(), Not(HasSubstr("#table#")));
  EXPECT_EQ(RtfDocument(ReadFile(dir.path() / "contract.rtf")).Text(), docs.dog.Text());
}

TEST_F(MakeDocFixture, TheSourceQuestionStandsOverFilledDocumentsAndADottedNumberKeepsItsExtension) {
  // What the previews would show at each showing, and whether the question had been asked by then.
  std::vector<std::pair<bool, bool>> shown;  // (placeholders left, question asked)
  context.showDocuments = [&] {
    const bool placeholders = docs.dog.Text().find("$$$") != std::string::npos ||
                              docs.dogPril.Text().find("$$$") != std::string::npos ||
                              docs.prList.Text().find("$$$") != std::string::npos;
    shown.emplace_back(placeholders, !dialogs.chooseCaptions.empty());
  };
  DocFormState form = LegalEntityForm();
  form.SetText("fDogNumberEdit", "12.2024");
  dialogs.choices = {1};
  std::filesystem::create_directory(dir.path() / "contracts");
  dialogs.fileNames = {(dir.path() / "contracts" / "12.2024").string(), "", ""};
  const MakeDocResult result = MakeDocuments(DocumentAction::FillAndSave, form, Account(), set, context, docs);

  EXPECT_THAT(shown, ElementsAre(std::make_pair(false, false), std::make_pair(false, true)));
  EXPECT_THAT(dialogs.chooseCaptions, ElementsAre(LangMessage(Language::Russian, Msg::SubscriptionDocuments)));
  EXPECT_THAT(result.saved, ElementsAre(dir.path() / "contracts" / "12.2024.rtf"));
  EXPECT_THAT(dialogs.fileDialogInitialPaths,
              ElementsAre("12.2024.rtf", (dir.path() / "contracts" / "12.2024_pril.rtf").string(),
                          (dir.path() / "contracts" / "12.2024_akt.rtf").string()));

  // The passport proposes the track's own name in that folder, not the act's.
  FakeShell shell;
  const auto [cd, track] = BuiltInCatalogue().LocateTrack("KMLB_005_002");
  dialogs.answers = {MessageAnswer::Yes};
  SaveTrackPassport(TrackRef{cd, track}, context, shell);
  EXPECT_EQ(dialogs.fileDialogInitialPaths.back(),
            (dir.path() / "contracts" / "KMLB_005_002 Команда мечты.rtf").string());
  EXPECT_EQ(WithRtfExtension("a/Act.RTF"), "a/Act.RTF");
}

TEST_F(MakeDocFixture, CompleteFillsWithoutSavingAndStopsOnMissingFieldsOrCancel) {
  dialogs.choices = {0};  // the subscription's downloads
  MakeDocResult result = MakeDocuments(DocumentAction::FillOnly, LegalEntityForm(), Account(), set, context, docs);
  EXPECT_EQ(result.tableRows, 1);
  EXPECT_TRUE(dialogs.fileDialogTitles.empty());
  EXPECT_THAT(docs.prList.Text(), HasSubstr("KMLB_012_003"));

  result = MakeDocuments(DocumentAction::FillAndSave, LegalEntityForm(), Account(), set, context, docs);
  EXPECT_EQ(result.source, TrackSource::Cancel);  // the question closed: filled, no table, nothing saved
  EXPECT_THAT(docs.prList.Text(), HasSubstr("#table#"));
  EXPECT_THAT(docs.prList.Text(), HasSubstr("ООО «Ромашка»"));
  EXPECT_TRUE(dialogs.fileDialogTitles.empty());

  DocFormState empty({2024, 3, 1});
  result = MakeDocuments(DocumentAction::FillAndSave, empty, Account(), set, context, docs);
  EXPECT_FALSE(result.filled);
  EXPECT_EQ(dialogs.shown.back().text, LangMessage(Language::Russian, Msg::FillRequiredFields));
  EXPECT_EQ(dialogs.shown.back().kind, MessageKind::Warning);
}

TEST_F(MakeDocFixture, PassportOfTheSelectedTrackIsSavedAndOpenedOrReportedWhenNotWritten) {
  FakeShell shell;
  const auto [cd, track] = BuiltInCatalogue().LocateTrack("KMLB_005_002");
  saveName = "77-Д_akt.rtf";
  dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  dialogs.fileNames = {(dir.path() / "passport").string()};
  EXPECT_EQ(SaveTrackPassport(TrackRef{cd, track}, context, shell), PassportOutcome::Saved);
  EXPECT_THAT(dialogs.fileDialogInitialPaths, ElementsAre("KMLB_005_002 Команда мечты.rtf"));
  const auto file = dir.path() / "passport.rtf";
  EXPECT_THAT(shell.files, ElementsAre(file.string()));
  EXPECT_THAT(dialogs.Texts(), ElementsAre(LangMessage(Language::Russian, Msg::SavePassport),
                                           LangMessage(Language::Russian, Msg::PassportSaved)));
  EXPECT_THAT(RtfDocument(ReadFile(file)).Text(),
              HasSubstr("Команда мечты (KMLB_005_002)\tИгорь Лазарев\t04:24\tАндрей Волков\t"));

  // A file that cannot be written is an error, even where an older one stands.
  dialogs.shown.clear();
  dialogs.answers = {MessageAnswer::Yes};
  dialogs.fileNames = {(dir.path() / "no-folder" / "p.rtf").string()};
  EXPECT_EQ(SaveTrackPassport(TrackRef{cd, track}, context, shell), PassportOutcome::SaveFailed);
  EXPECT_EQ(dialogs.shown.back().text, LangMessage(Language::Russian, Msg::PassportSaveError));
  EXPECT_EQ(dialogs.shown.back().kind, MessageKind::Error);
  EXPECT_EQ(shell.files.size(), 1u);

  dialogs.shown.clear();
  dialogs.answers = {MessageAnswer::No};
  EXPECT_EQ(SaveTrackPassport(TrackRef{cd, track}, context, shell), PassportOutcome::Declined);
  EXPECT_EQ(SaveTrackPassport(std::nullopt, context, shell), PassportOutcome::NoTrack);
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST(MayOpenDocuments, SignsInFirstAndWarnsWhenStillSignedOut) {
  FakeDialogs dialogs;
  int signIns = 0;
  EXPECT_TRUE(MayOpenDocuments(
      true, [&] { return ++signIns, false; }, dialogs, Language::English));
  EXPECT_TRUE(MayOpenDocuments(
      false, [&] { return ++signIns, true; }, dialogs, Language::English));
  EXPECT_FALSE(MayOpenDocuments(
      false, [&] { return ++signIns, false; }, dialogs, Language::English));
  EXPECT_EQ(signIns, 2);
  EXPECT_THAT(dialogs.Texts(), ElementsAre("Please sign in subscription!"));
}

}  // namespace
}  // namespace trakvella::testing
