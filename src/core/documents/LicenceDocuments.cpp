#include "core/documents/LicenceDocuments.h"

#include <cstdio>
#include <map>

#include "core/catalogue/TrackCodes.h"
#include "core/catalogue/Vocabulary.h"
#include "core/documents/RoubleWords.h"
#include "core/lang/CaptionTable.h"
#include "core/lang/MessageTable.h"
#include "core/text/Text.h"

namespace trakvella {
namespace {

constexpr std::array<std::string_view, 12> kGenitiveMonths{"января",   "февраля", "марта",  "апреля",
                                                           "мая",      "июня",    "июля",   "августа",
                                                           "сентября", "октября", "ноября", "декабря"};

const ResourceStore& ProgramTemplates() {
  static const EmbeddedResourceStore store;
  return store;
}

void FillAll(std::initializer_list<RtfDocument*> documents, std::string_view placeholder, std::string_view value) {
  for (RtfDocument* d : documents) d->FillField(placeholder, value);
}

std::string SaveFileNameOf(const DocumentContext& context) {
  return context.saveFileName ? *context.saveFileName : std::string();
}
void KeepSaveFileName(const DocumentContext& context, const std::string& name) {
  if (context.saveFileName) *context.saveFileName = name;
}

}  // namespace

// --- Dates ---------------------------------------------------------------------------

std::string DateInWords(CivilDate date) {
  if (!IsValidDate(date)) return {};
  char year[8];
  std::snprintf(year, sizeof year, "%04d", date.year);
  return std::to_string(date.day) + " " + std::string(kGenitiveMonths[date.month - 1]) + " " + year + " г.";
}

std::string ShortDate(CivilDate date) {
  if (!IsValidDate(date)) return {};
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.day, date.month, date.year);
  return text;
}

CivilDate YearsLater(CivilDate date, int years) {
  CivilDate later{date.year + years, date.month, date.day};
  if (!IsValidDate(later) && later.month == 2 && later.day == 29) later.day = 28;
  return later;
}

// --- Templates ----------------------------------------------------------------------

bool LoadTemplate(const ResourceStore& resources, std::string_view name, RtfDocument& document) {
  document.Clear();
  auto bytes = resources.Find(name, "RCDATA");
  if (!bytes) bytes = ProgramTemplates().Find(name, "RCDATA");
  if (!bytes) return false;
  return document.Load(std::string(*bytes));
}

// --- The licence documents ----------------------------------------------------------

std::optional<long long> WholeAmount(std::string_view text) {
  long long value = 0;
  if (!ParseInt(TrimView(text), value) || value == 0) return std::nullopt;
  return value;
}

bool LoadLicenceTemplates(const ResourceStore& resources, LicenceDocuments& documents) {
  const bool dog = LoadTemplate(resources, kContractTemplate, documents.dog);
  const bool pril = LoadTemplate(resources, kAppendixTemplate, documents.dogPril);
  const bool act = LoadTemplate(resources, kActTemplate, documents.prList);
  return dog && pril && act;
}

void FillLicenceDocuments(const DocFormState& form, const DocAccount& account, LicenceDocuments& documents) {
  RtfDocument* dog = &documents.dog;
  RtfDocument* pril = &documents.dogPril;
  RtfDocument* act = &documents.prList;
  auto text = [&form](std::string_view field) -> const std::string& { return form.Text(field); };
  auto placeholder = [](std::string_view field) { return FindDocField(field)->placeholder; };

  // Common fields.
  FillAll({dog, pril, act}, "$$$Номер Договора", text("fDogNumberEdit"));
  FillAll({dog, pril, act}, "$$$Дата Договора", DateInWords(form.contractDate));
  act->FillField("$$$ТЕКУЩИЙ-срок", DateInWords(form.reportDate));
  dog->FillField("$$$БД-срок", ShortDate(YearsLater(form.contractDate, 1)));
  dog->FillField("$$$ВЕСЬ-срок", ShortDate(YearsLater(form.contractDate, 6)));
  pril->FillField("$$$Login", account.login);
  pril->FillField("$$$Password", account.password);
  if (auto quota = WholeAmount(text("fQuotaEdit"))) {
    pril->FillField("$$$PodQuota", Trim(text("fQuotaEdit")));
    pril->FillField("$$$QuotaП", NumberInWords(std::to_string(*quota)));
  } else {
    pril->FillField("$$$PodQuota ($$$QuotaП)", kBlankAmount);
  }
  if (auto price = WholeAmount(text("fPriceEdit"))) {
    for (RtfDocument* d : {dog, pril}) {
      d->FillField("$$$ЦенаЦ1", Trim(text("fPriceEdit")));
      d->FillField("$$$ЦенаП1", RoublesInWords(*price));
    }
  } else {
    FillAll({dog, pril}, "$$$ЦенаЦ1 $$$ЦенаП1", kBlankAmount);
  }

  // The licensee.
  auto fill = [&](std::initializer_list<RtfDocument*> ds, std::string_view field) {
    FillAll(ds, placeholder(field), text(field));
  };
  switch (form.page) {
    case DocPage::LegalEntity:
      for (auto field : {"fLLC", "fFIOCEO", "fCEO", "fLic"}) fill({dog, pril}, field);
      fill({dog}, "fReq");
      for (auto field : {"fLLC", "fFIOCEO", "fCEO", "fLic"}) fill({act}, field);
      break;
    case DocPage::Entrepreneur:
      fill({dog, pril}, "fIP");
      dog->FillField(placeholder("fOGRNIP"), "ОГРНИП " + text("fOGRNIP"));
      pril->FillField(placeholder("fOGRNIP"), text("fOGRNIP"));
      fill({dog}, "fReqIP");
      fill({act}, "fIP");
      fill({act}, "fOGRNIP");
      FillAll({dog, pril, act}, "$$$Предприятие", text("fIP"));
      break;
    case DocPage::PrivatePerson:
      fill({dog, pril}, "fFIO");
      fill({dog, pril}, "fPassport");
      fill({dog}, "fReqFIO");
      fill({act}, "fFIO");
      fill({act}, "fPassport");
      FillAll({dog, pril, act}, "$$$Предприятие", text("fFIO"));
      break;
  }
}

TrackSource AskTrackSource(Dialogs& dialogs, Language language) {
  const int chosen = dialogs.Choose(LangMessage(language, Msg::SubscriptionDocuments),
                                    LangMessage(language, Msg::SelectDocumentSource),
                                    {LangMessage(language, Msg::SubscriptionList), LangMessage(language, Msg::MusicSet),
                                     LangMessage(language, Msg::Cancel)});
  if (chosen == 0) return TrackSource::Subscription;
  if (chosen == 1) return TrackSource::MusicSet;
  return TrackSource::Cancel;
}

std::vector<std::string> TrackTableLines(const Catalogue& catalogue, const std::vector<std::string>& codes) {
  std::map<int, std::vector<int>> byCd;  // CD position -> track positions in list order
  for (const std::string& code : codes) {
    const auto [cd, track] = catalogue.LocateTrack(code);
    if (cd >= 0) byCd[cd].push_back(track);
  }
  std::vector<std::string> lines{std::string(kTrackTableHeader)};
  for (const auto& [cd, tracks] : byCd)
    for (int track : tracks) {
      const TrackRecord& t = catalogue.Track(cd, track);
      lines.push_back(std::to_string(lines.size()) + "\t" + t.title + "\t" + t.code + "\t" + t.duration + "\t" +
                      t.composer + "\t" + t.performer);
    }
  return lines;
}

RtfTableGrid TrackTableGrid() { return {"Tahoma", {30, 204, 113, 64, 122, 119}}; }

void InsertTrackTable(RtfDocument& act, const std::vector<std::string>& lines, double pixelsPerInch) {
  act.InsertRtf("#table#", MakeRtfTable(TrackTableGrid(), lines, pixelsPerInch));
}

std::array<std::string, 3> SaveProposals(std::string_view contractNumber) {
  // A number such as "12/2024" must not turn the proposal into a path.
  std::string number;
  for (char c : contractNumber) number += std::string_view("\\/:*?<>|\"").find(c) == std::string_view::npos ? c : '_';
  return {number, number + "_pril", number + "_akt"};
}

std::string SaveProposal(std::string_view name, std::string_view heldFileName) {
  const std::filesystem::path folder = std::filesystem::path(heldFileName).parent_path();
  return (folder / (std::string(name) + ".rtf")).string();
}

std::string SaveRtfTitle(Language language) {
  for (const CaptionRow& row : CaptionTable())
    if (std::string_view(row.window) == "TDocForm" && std::string_view(row.component) == "SaveRTF")
      return CaptionText(row, language);
  return {};
}

std::filesystem::path WithRtfExtension(const std::string& fileName) {
  std::filesystem::path path(fileName);
  // The dialog offers RTF files only: a dot inside a contract number does not make an extension.
  if (!EqualsLowerCase(path.extension().string(), ".rtf")) path += ".rtf";
  return path;
}

MakeDocResult MakeDocuments(DocumentAction sender, const DocFormState& form, const DocAccount& account,
                            const std::vector<std::string>& musicSetCodes, const DocumentContext& context,
                            LicenceDocuments& documents) {
  MakeDocResult result;
  if (!CanMakeDoc(form)) {
    context.dialogs.Message(LangMessage(context.language, Msg::FillRequiredFields), MessageKind::Warning,
                            MessageButtons::Ok);
    return result;
  }
  if (!LoadLicenceTemplates(context.resources, documents)) return result;
  FillLicenceDocuments(form, account, documents);
  result.filled = true;
  // The filled documents stand in the previews while the question is asked.
  if (context.showDocuments) context.showDocuments();

  result.source = AskTrackSource(context.dialogs, context.language);
  if (result.source == TrackSource::Cancel) return result;
  const auto lines = TrackTableLines(
      context.catalogue, result.source == TrackSource::Subscription ? account.downloadedTracks : musicSetCodes);
  result.tableRows = static_cast<int>(lines.size()) - 1;
  InsertTrackTable(documents.prList, lines, context.pixelsPerInch);
  if (context.showDocuments) context.showDocuments();

  if (sender == DocumentAction::FillAndSave) SaveLicenceDocuments(form, context, documents, result);
  return result;
}

void SaveLicenceDocuments(const DocFormState& form, const DocumentContext& context, const LicenceDocuments& documents,
                          MakeDocResult& result) {
  const auto names = SaveProposals(form.Text("fDogNumberEdit"));
  const RtfDocument* targets[] = {&documents.dog, &documents.dogPril, &documents.prList};
  const std::string title = SaveRtfTitle(context.language);
  for (size_t i = 0; i < names.size(); ++i) {
    // Each dialog opens where the one before it was left.
    const std::string proposal = SaveProposal(names[i], SaveFileNameOf(context));
    KeepSaveFileName(context, proposal);
    const std::string chosen = context.dialogs.SaveFileName(title, std::string(kRtfFilter), proposal);
    if (chosen.empty()) continue;
    const auto file = WithRtfExtension(chosen);
    KeepSaveFileName(context, file.string());
    (targets[i]->SaveRtf(file) ? result.saved : result.failed).push_back(file);
  }
}

bool MayOpenDocuments(bool signedIn, const std::function<bool()>& signIn, Dialogs& dialogs, Language language) {
  if (!signedIn && signIn) signedIn = signIn();
  if (signedIn) return true;
  dialogs.Message(LangMessage(language, Msg::PleaseSignIn), MessageKind::Warning, MessageButtons::Ok);
  return false;
}

// --- The phonogram passport ----------------------------------------------------------

PassportFields PassportFieldsOf(const Catalogue& catalogue, int cd, int track) {
  const TrackRecord& t = catalogue.Track(cd, track);
  return {t.title + " (" + t.code + ")", ExpandAuthorNames(t.composer, catalogue.WritersInfo()), t.duration,
          ExpandAuthorNames(t.performer, catalogue.WritersInfo())};
}

std::string PassportName(const TrackRecord& track) { return Trim(track.code + " " + SanitiseFileName(track.title)); }

bool MakePassportDoc(const ResourceStore& resources, const PassportFields& fields, RtfDocument& document) {
  if (!LoadTemplate(resources, kPassportTemplate, document)) return false;
  document.FillField("$$$Произведение", fields.work);
  document.FillField("$$$Автор", fields.author);
  document.FillField("$$$Длительность", fields.duration);
  document.FillField("$$$Исполнитель", fields.performer);
  return true;
}

PassportOutcome SaveTrackPassport(std::optional<TrackRef> selected, const DocumentContext& context, Shell& shell) {
  const Catalogue& catalogue = context.catalogue;
  if (!selected || selected->cd < 0 || selected->cd >= catalogue.CdCount() || selected->track < 0 ||
      selected->track >= static_cast<int>(catalogue.Cd(selected->cd).tracks.size()))
    return PassportOutcome::NoTrack;
  Dialogs& dialogs = context.dialogs;
  if (dialogs.Message(LangMessage(context.language, Msg::SavePassport), MessageKind::Confirmation,
                      MessageButtons::YesNo) != MessageAnswer::Yes)
    return PassportOutcome::Declined;
  const std::string proposal =
      SaveProposal(PassportName(catalogue.Track(selected->cd, selected->track)), SaveFileNameOf(context));
  KeepSaveFileName(context, proposal);
  const std::string chosen = dialogs.SaveFileName(SaveRtfTitle(context.language), std::string(kRtfFilter), proposal);
  if (chosen.empty()) return PassportOutcome::Cancelled;
  const auto file = WithRtfExtension(chosen);
  KeepSaveFileName(context, file.string());

  RtfDocument passport;
  std::error_code ec;
  const bool saved =
      MakePassportDoc(context.resources, PassportFieldsOf(catalogue, selected->cd, selected->track), passport) &&
      passport.SaveRtf(file) && std::filesystem::is_regular_file(file, ec);
  if (!saved) {
    dialogs.Message(LangMessage(context.language, Msg::PassportSaveError), MessageKind::Error, MessageButtons::Ok);
    return PassportOutcome::SaveFailed;
  }
  if (dialogs.Message(LangMessage(context.language, Msg::PassportSaved), MessageKind::Confirmation,
                      MessageButtons::YesNo) == MessageAnswer::Yes)
    (void)shell.OpenFile(file.string());  // saved either way; the desktop reports a viewer that fails
  return PassportOutcome::Saved;
}

}  // namespace trakvella
