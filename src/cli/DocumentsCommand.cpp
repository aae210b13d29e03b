// trakvella-cli words, roubles, contract and passport: amounts in Russian words
// and the licence documents as the documents window makes them, for scripts and
// for checking the templates. Messages go to stderr; exit status 1 when a
// document was not made or not written, 2 on wrong usage.
#include <ctime>
#include <deque>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/CliFiles.h"
#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/Commands.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Resources.h"
#include "core/documents/LicenceDocuments.h"
#include "core/documents/RoubleWords.h"
#include "core/musicset/MusicSet.h"
#include "core/musicset/SetListFile.h"
#include "core/text/Text.h"

namespace trakvella::cli {
namespace {

bool IsDigitText(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool ParseDate(const std::string& text, CivilDate& date) {
  long long y, m, d;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !ParseInt(text.substr(0, 4), y) ||
      !ParseInt(text.substr(5, 2), m) || !ParseInt(text.substr(8, 2), d))
    return false;
  date = {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
  return IsValidDate(date);
}

CivilDate Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// The answers a user would give: the list given on the command line for the
// track source, the files given for the save dialogs, questions as scripted.
class ScriptedDialogs : public StderrDialogs {
 public:
  std::deque<MessageAnswer> answers;
  std::filesystem::path folder;  // save dialogs: the proposal in this folder
  std::filesystem::path file;    // save dialogs: this file (when no folder)
  int choice = -1;

  MessageAnswer Message(const std::string& text, MessageKind kind, MessageButtons buttons) override {
    StderrDialogs::Message(text, kind, buttons);
    if (buttons == MessageButtons::Ok || answers.empty()) return MessageAnswer::Ok;
    const MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::string SaveFileName(const std::string&, const std::string&, const std::string& initialPath) override {
    return folder.empty() ? file.string() : (folder / initialPath).string();
  }
  int Choose(const std::string&, const std::string&, const std::vector<std::string>&) override { return choice; }
};

// What the documents window would hold when its button is pressed: the form, the account, the tracks
// of the act and the folder the documents are saved in.
struct ContractRequest {
  DocFormState form{Today()};
  DocAccount account;
  std::vector<std::string> codes;
  std::filesystem::path out;
  bool number = false, kind = false, source = false, passwordGiven = false, passwordFromInput = false;
};

// --source: a set list file, read into a music set as the set window loads it, or codes given.
void ReadSource(ContractRequest& r, const std::string& value, const CommandContext& context) {
  if (value.compare(0, 4, "set:") == 0) {
    std::vector<std::string> lines;
    if (Status read = ReadSetListFile(value.substr(4), lines); !read.ok()) {
      ReportRefusedFile(value.substr(4), read, FileKind::SetList, context.language);
      throw UsageError{"cannot read " + value.substr(4)};
    }
    StderrDialogs setDialogs;
    MusicSet set(*context.catalogue, setDialogs, context.language);
    set.LoadSet(lines);
    r.codes = set.Codes();
  } else {
    if (value.compare(0, 6, "codes:") != 0) throw UsageError{"--source wants set:FILE or codes:CODE,..."};
    for (const auto& code : CommaItems(std::string_view(value).substr(6)))
      if (!code.empty()) r.codes.push_back(UpperCase(code));
  }
  r.source = true;
}

void ReadContractOption(ContractRequest& r, const std::string& option, const std::string& value,
                        const CommandContext& context) {
  if (option == "--password-stdin") {  // the password from standard input keeps it out of the process list
    r.passwordFromInput = true;
  } else if (option == "--number") {
    r.form.SetText("fDogNumberEdit", value);
    r.number = true;
  } else if (option == "--date" || option == "--report-date") {
    CivilDate date;
    if (!ParseDate(value, date)) throw UsageError{option + " wants a date YYYY-MM-DD, got \"" + value + "\""};
    (option == "--date" ? r.form.contractDate : r.form.reportDate) = date;
  } else if (option == "--kind") {
    const std::map<std::string, DocPage> pages = {
        {"legal", DocPage::LegalEntity}, {"ip", DocPage::Entrepreneur}, {"person", DocPage::PrivatePerson}};
    auto page = pages.find(value);
    if (page == pages.end()) throw UsageError{"--kind wants legal, ip or person"};
    r.form.page = page->second;
    r.kind = true;
  } else if (option == "--field") {
    const std::string name(RowName(value));
    const DocFieldInfo* info = FindDocField(name);
    if (value.find('=') == std::string::npos || !info || info->page < 0)
      throw UsageError{"--field wants NAME=VALUE with a licensee field name, got \"" + value + "\""};
    r.form.SetText(name, std::string(RowValue(value)));
  } else if (option == "--quota" || option == "--price") {
    r.form.SetText(option == "--quota" ? "fQuotaEdit" : "fPriceEdit", value);
  } else if (option == "--login") {
    r.account.login = value;
  } else if (option == "--password") {
    r.account.password = value;
    r.passwordGiven = true;
  } else if (option == "--source") {
    ReadSource(r, value, context);
  } else if (option == "--out") {
    r.out = value;
  }
}

ContractRequest ReadContract(const CommandContext& context, const Arguments& args) {
  ContractRequest r;
  for (const auto& [option, value] : args.given()) ReadContractOption(r, option, value, context);
  if (!r.number || !r.kind || !r.source || r.out.empty())
    throw UsageError{"contract wants --number, --kind, --source and --out"};
  if (r.passwordGiven && r.passwordFromInput) throw UsageError{"give --password-stdin or --password, not both"};
  if (r.passwordFromInput && !ReadStandardInputLine(r.account.password))
    throw UsageError{"--password-stdin found no line on standard input"};
  std::error_code ec;
  if (!std::filesystem::is_directory(r.out, ec)) throw UsageError{"no folder " + r.out.string()};
  return r;
}

// words and roubles take one number.
const std::string& OneNumber(const Arguments& args, const std::string& command) {
  if (args.words().size() != 1) throw UsageError{command + " wants one number"};
  return args.words()[0];
}

}  // namespace

int CommandWords(const CommandContext&, const Arguments& args) {
  const std::string& number = OneNumber(args, "words");
  if (!IsDigitText(number)) throw UsageError{"words wants digits with an optional leading \"-\""};
  Put("words", NumberInWords(number));
  return 0;
}

int CommandRoubles(const CommandContext&, const Arguments& args) {
  long long amount;
  if (!ParseInt(OneNumber(args, "roubles"), amount)) throw UsageError{"roubles wants a whole number"};
  Put("roubles", RoublesInWords(amount));
  return 0;
}

int CommandContract(const CommandContext& context, const Arguments& args) {
  ContractRequest r = ReadContract(context, args);
  ScriptedDialogs dialogs;
  dialogs.choice = 1;  // the list given, as the music set
  dialogs.folder = r.out;
  std::string saveName;
  LicenceDocuments documents;
  const DocumentContext documentContext{
      *context.resources, *context.catalogue, dialogs, context.language, 96, &saveName, {}};
  const MakeDocResult result =
      MakeDocuments(DocumentAction::FillAndSave, r.form, r.account, r.codes, documentContext, documents);
  if (!result.filled) return 1;
  Put("rows", std::to_string(result.tableRows));
  for (const auto& file : result.saved) Put("file", file.string());
  for (const auto& file : result.failed) std::cerr << "trakvella-cli: cannot write " << file.string() << '\n';
  return result.failed.empty() ? 0 : 1;
}

int CommandPassport(const CommandContext& context, const Arguments& args) {
  std::string code;  // the first word that is not empty; any word after it is one too many
  for (const std::string& word : args.words()) {
    if (!code.empty()) throw UsageError{"unknown passport argument " + word};
    code = word;
  }
  const std::filesystem::path file = args.value("--out");
  if (code.empty() || file.empty()) throw UsageError{"passport wants a track code and --out FILE"};
  const Catalogue& catalogue = *context.catalogue;
  const auto [cd, track] = catalogue.LocateTrack(UpperCase(code));
  if (cd < 0) throw UsageError{"no track " + code + " in the catalogue"};

  ScriptedDialogs dialogs;
  dialogs.answers = {MessageAnswer::Yes, MessageAnswer::No};  // make it; do not open it
  dialogs.file = file;
  std::string saveName;
  const DocumentContext documentContext{*context.resources, catalogue, dialogs, context.language, 96, &saveName, {}};
  if (SaveTrackPassport(TrackRef{cd, track}, documentContext, context.ports.shell) != PassportOutcome::Saved) return 1;
  const PassportFields fields = PassportFieldsOf(catalogue, cd, track);
  Put("file", WithRtfExtension(file.string()).string());
  Put("work", fields.work);
  Put("author", fields.author);
  Put("duration", fields.duration);
  Put("performer", fields.performer);
  return 0;
}

}  // namespace trakvella::cli
