#pragma once
// Licence documents: the contract, its appendix and the act of transfer filled
// from their RTF templates with the licensee's details, the subscription
// account and a track table, and the phonogram passport of one track. The
// caller owns the documents and the state of the save dialog; windows and the
// command line drive these through the Dialogs and Shell ports.
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Resources.h"
#include "core/catalogue/TrackRef.h"
#include "core/documents/DocFormState.h"
#include "core/documents/RtfDocument.h"
#include "core/lang/Language.h"
#include "ports/Dialogs.h"
#include "ports/Shell.h"

namespace trakvella {

// --- Dates ---------------------------------------------------------------------------
// "5 ноября 2012 г.": the day without a leading zero, the month in the genitive,
// the year and " г."; empty for a date that does not exist.
std::string DateInWords(CivilDate date);
// The short date form of the documents, "05.11.2012"; empty for a date that does not exist.
std::string ShortDate(CivilDate date);
// The same day and month `years` later; 29 February becomes 28 February when the
// target year has no 29 February.
CivilDate YearsLater(CivilDate date, int years);

// --- Templates ----------------------------------------------------------------------
inline constexpr std::string_view kContractTemplate = "DOG";
inline constexpr std::string_view kAppendixTemplate = "DOGPRIL";
inline constexpr std::string_view kActTemplate = "PRLIST";
inline constexpr std::string_view kPassportTemplate = "FONOGRAMPASSPORT";

// Empties the document and loads the RTF resource (type "RCDATA") into it: from
// the store, or from the program's own templates when the store has none (a
// catalogue folder need not carry them). False when neither has it.
[[nodiscard]] bool LoadTemplate(const ResourceStore& resources, std::string_view name, RtfDocument& document);

// --- The licence documents ----------------------------------------------------------
// The signed-in subscription account as the documents read it.
struct DocAccount {
  std::string login;
  std::string password;
  std::vector<std::string> downloadedTracks;  // track codes in download order
};

struct LicenceDocuments {
  RtfDocument dog;      // the contract
  RtfDocument dogPril;  // the appendix with the access details
  RtfDocument prList;   // the act of transfer with the track table
};

// What stands in place of a quota or price that is not given: 24 underscores.
inline constexpr std::string_view kBlankAmount = "________________________";

// The value of a quota or price text that reads as a whole number other than
// zero (blanks around it allowed); nothing otherwise.
std::optional<long long> WholeAmount(std::string_view text);

// Loads "DOG", "DOGPRIL" and "PRLIST" afresh. False when one is missing.
[[nodiscard]] bool LoadLicenceTemplates(const ResourceStore& resources, LicenceDocuments& documents);

// Fills the loaded documents: first the common fields (number, dates, terms,
// login and password, quota, price), then the fields of the active licensee
// page in the order that lets the longer placeholders go before those they
// begin with.
void FillLicenceDocuments(const DocFormState& form, const DocAccount& account, LicenceDocuments& documents);

// Where the act's track list comes from.
enum class TrackSource { Cancel, Subscription, MusicSet };
// The question captioned "Подписка" (message 96), with the buttons "Подписка",
// "Набор" and "Отменить" (messages 97, 98, 99, 92); closing the box counts as Cancel.
TrackSource AskTrackSource(Dialogs& dialogs, Language language);

// The act's table: the header line, then one TAB-separated line per listed
// track — number (from 1), title, code, duration, composer, performer —
// grouped by CD in catalogue order, in list order within a CD. Codes not in
// the catalogue are left out; a code listed twice gives two lines.
inline constexpr std::string_view kTrackTableHeader = "N\tНазвание\tКод\tХроно\tАвтор\tИсполнитель";
std::vector<std::string> TrackTableLines(const Catalogue& catalogue, const std::vector<std::string>& codes);
// The grid the table is drawn from: "Tahoma", columns of 30, 204, 113, 64, 122 and 119 pixels.
RtfTableGrid TrackTableGrid();
// Puts the table in place of the "#table#" marker of the act.
void InsertTrackTable(RtfDocument& act, const std::vector<std::string>& lines, double pixelsPerInch);

// The names of the three documents: the contract number, the number followed
// by "_pril" and by "_akt"; characters file names may not hold
// (\ / : * ? < > | ") become "_".
std::array<std::string, 3> SaveProposals(std::string_view contractNumber);
// What a save dialog proposes for a document named `name`: the name with ".rtf",
// in the folder of the file the dialog last held when that names one, so the
// folder chosen once is offered again.
std::string SaveProposal(std::string_view name, std::string_view heldFileName);
// The save dialog's title in the language, and its filter.
std::string SaveRtfTitle(Language language);
inline constexpr std::string_view kRtfFilter = "RTF Files|*.rtf";
// A chosen file name gets ".rtf" unless it ends in ".rtf" already (in any case):
// "12.2024" becomes "12.2024.rtf".
std::filesystem::path WithRtfExtension(const std::string& fileName);

// What the documents commands work with besides the form.
struct DocumentContext {
  const ResourceStore& resources;
  const Catalogue& catalogue;
  Dialogs& dialogs;
  Language language = Language::English;
  double pixelsPerInch = 96;  // the screen's horizontal density, for the table
  // The file name the save dialog holds: proposals and choices are kept here,
  // and the next proposal goes into its folder.
  std::string* saveFileName = nullptr;
  // Shows the documents as they stand: once filled (before the track-source
  // question) and again with the track table (before the save dialogs).
  std::function<void()> showDocuments;
};

// What the documents command does: FillAndSave fills and saves, FillOnly fills only.
enum class DocumentAction { FillAndSave, FillOnly };

struct MakeDocResult {
  bool filled = false;  // false: required fields were missing (message 100) or a template was
  TrackSource source = TrackSource::Cancel;
  int tableRows = 0;  // track rows in the act's table
  std::vector<std::filesystem::path> saved;
  std::vector<std::filesystem::path> failed;  // chosen files that could not be written
};

// The three save dialogs in turn, proposing the contract number, the number
// with "_pril" and with "_akt" (SaveProposal: the second and third in the folder
// the first one chose); each confirmed dialog writes its document, a cancelled
// one skips its document only. The files go to result.saved or result.failed.
void SaveLicenceDocuments(const DocFormState& form, const DocumentContext& context, const LicenceDocuments& documents,
                          MakeDocResult& result);

// The documents command: checks the form (message 100), fills the three
// documents and shows them, asks for the track source, puts the table into the
// act and shows them again and, for FillAndSave, offers the three save dialogs; a
// cancelled dialog skips its document only. musicSetCodes are the codes of the
// music set in set order.
MakeDocResult MakeDocuments(DocumentAction sender, const DocFormState& form, const DocAccount& account,
                            const std::vector<std::string>& musicSetCodes, const DocumentContext& context,
                            LicenceDocuments& documents);

// Opening the documents window: when not signed in, signIn runs first (it
// returns whether an account is signed in afterwards); still not signed in,
// message 95 is shown and the window stays closed.
bool MayOpenDocuments(bool signedIn, const std::function<bool()>& signIn, Dialogs& dialogs, Language language);

// --- The phonogram passport ----------------------------------------------------------
struct PassportFields {
  std::string work;  // title and code: "Title (KMLB_ccc_ttt)"
  std::string author;
  std::string duration;
  std::string performer;
};
// The passport of a catalogue track: composer and performer with the author
// names written out in full.
PassportFields PassportFieldsOf(const Catalogue& catalogue, int cd, int track);
// The name the passport's save dialog proposes (before SaveProposal): the
// track's own file name, its code and title, "KMLB_005_002 Команда мечты".
std::string PassportName(const TrackRecord& track);
// Loads "FONOGRAMPASSPORT" into the document and fills its four fields.
[[nodiscard]] bool MakePassportDoc(const ResourceStore& resources, const PassportFields& fields, RtfDocument& document);

enum class PassportOutcome { NoTrack, Declined, Cancelled, Saved, SaveFailed };
// The passport command on the selected track (cd, track position): message
// 117, the save dialog proposing PassportName, the filled passport written to the chosen file, then
// message 118 offering to open it with the desktop's application, or message
// 119 when it could not be written. Without a selected track nothing is asked.
PassportOutcome SaveTrackPassport(std::optional<TrackRef> selected, const DocumentContext& context, Shell& shell);

}  // namespace trakvella
