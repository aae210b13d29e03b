// trakvella-cli words, roubles, contract and passport: amounts in Russian words
// and the licence documents as the documents window makes them, for scripts and
// for checking the templates. Messages go to stderr; exit status 1 when a
// document was not made or not written, 2 on wrong usage.
#include <algorithm>
#include <ctime>
#include <deque>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/CliFiles.h"
#include "cli/CliOutput.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Resources.h"
#include "core/documents/LicenceDocuments.h"
#include "core/documents/RoubleWords.h"
#include "core/musicset/MusicSet.h"
#include "core/musicset/SetListFile.h"
#include "core/text/Text.h"
#include "ports/Shell.h"

namespace trakvella {

int CommandWords(const std::string& command, const std::vector<std::string>& args);
int CommandContract(const Catalogue& catalogue, const ResourceStore& resources, int language,
                    const std::vector<std::string>& args);
int CommandPassport(const Catalogue& catalogue, const ResourceStore& resources, int language,
                    const std::vector<std::string>& args);

namespace {

constexpr const char* kDocumentsUsage =
    "usage: trakvella-cli words N | roubles N\n"
    "       trakvella-cli contract --number N [--date YYYY-MM-DD] [--report-date YYYY-MM-DD] --kind legal|ip|person\n"
    "                     --field NAME=VALUE... [--quota Q] [--price P] [--login L (--password-stdin | --password P)]\n"
    "                     --source set:FILE|codes:CODE,... --out DIR\n"
    "       trakvella-cli passport TRACKCODE --out FILE\n";

using cli::Put;

int DocumentsUsageError(const std::string& text) {
  std::cerr << "trakvella-cli: " << text << '\n' << kDocumentsUsage;
  return 2;
}

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
class ScriptedDialogs : public cli::StderrDialogs {
 public:
  std::deque<MessageAnswer> answers;
  std::filesystem::path folder;  // save dialogs: the proposal in this folder
  std::filesystem::path file;    // save dialogs: this file (when no folder)
  int choice = -1;

  MessageAnswer Message(const std::string& text, MessageKind kind, MessageButtons buttons) override {
    cli::StderrDialogs::Message(text, kind, buttons);
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

// The command line opens nothing on the desktop.
class NoShell : public Shell {
 public:
  bool OpenUrl(const std::string&) override { return false; }
  bool OpenFile(const std::string&) override { return false; }
  bool RevealFile(const std::string&) override { return false; }
  bool Run(const std::string&, const std::vector<std::string>&) override { return false; }
};

}  // namespace

int CommandWords(const std::string& command, const std::vector<std::string>& args) {
  if (args.size() != 1) return DocumentsUsageError(command + " wants one number");
  if (command == "words") {
    if (!IsDigitText(args[0])) return DocumentsUsageError("words wants digits with an optional leading \"-\"");
    Put("words", NumberInWords(args[0]));
    return 0;
  }
  long long amount;
  if (!ParseInt(args[0], amount)) return DocumentsUsageError("roubles wants a whole number");
  Put("roubles", RoublesInWords(amount));
  return 0;
}

int CommandContract(const Catalogue& catalogue, const ResourceStore& resources, int language,
                    const std::vector<std::string>& args) {
  DocFormState form(Today());
  DocAccount account;
  std::vector<std::string> codes;
  std::filesystem::path out;
  bool number = false, kind = false, source = false, passwordGiven = false, passwordFromInput = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    // The password from standard input keeps it out of the process list.
    if (option == "--password-stdin") {
      passwordFromInput = true;
      continue;
    }
    if (i + 1 >= args.size()) return DocumentsUsageError(option + " wants a value");
    const std::string& value = args[++i];
    if (option == "--number") {
      form.SetText("fDogNumberEdit", value);
      number = true;
    } else if (option == "--date" || option == "--report-date") {
      CivilDate date;
      if (!ParseDate(value, date))
        return DocumentsUsageError(option + " wants a date YYYY-MM-DD, got \"" + value + "\"");
      (option == "--date" ? form.contractDate : form.reportDate) = date;
    } else if (option == "--kind") {
      const std::map<std::string, DocPage> pages = {
          {"legal", DocPage::LegalEntity}, {"ip", DocPage::Entrepreneur}, {"person", DocPage::PrivatePerson}};
      auto page = pages.find(value);
      if (page == pages.end()) return DocumentsUsageError("--kind wants legal, ip or person");
      form.page = page->second;
      kind = true;
    } else if (option == "--field") {
      const std::string name(RowName(value));
      const DocFieldInfo* info = FindDocField(name);
      if (value.find('=') == std::string::npos || !info || info->page < 0)
        return DocumentsUsageError("--field wants NAME=VALUE with a licensee field name, got \"" + value + "\"");
      form.SetText(name, std::string(RowValue(value)));
    } else if (option == "--quota") {
      form.SetText("fQuotaEdit", value);
    } else if (option == "--price") {
      form.SetText("fPriceEdit", value);
    } else if (option == "--login") {
      account.login = value;
    } else if (option == "--password") {
      account.password = value;
      passwordGiven = true;
    } else if (option == "--source" && value.compare(0, 4, "set:") == 0) {
      // A set list file, read into a music set as the set window loads it.
      std::vector<std::string> lines;
      if (Status read = ReadSetListFile(value.substr(4), lines); !read.ok()) {
        cli::ReportRefusedFile(value.substr(4), read, FileKind::SetList, language);
        return DocumentsUsageError("cannot read " + value.substr(4));
      }
      cli::StderrDialogs setDialogs;
      MusicSet set(catalogue, setDialogs, [language] { return language; });
      set.LoadSet(lines);
      codes = set.Codes();
      source = true;
    } else if (option == "--source") {
      if (value.compare(0, 6, "codes:") != 0) return DocumentsUsageError("--source wants set:FILE or codes:CODE,...");
      const std::string list = value.substr(6);
      for (size_t start = 0; start <= list.size();) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string code = Trim(std::string_view(list).substr(start, comma - start));
        if (!code.empty()) codes.push_back(UpperCase(code));
        start = comma + 1;
      }
      source = true;
    } else if (option == "--out") {
      out = value;
    } else {
      return DocumentsUsageError("unknown contract option " + option);
    }
  }
  if (!number || !kind || !source || out.empty())
    return DocumentsUsageError("contract wants --number, --kind, --source and --out");
  if (passwordGiven && passwordFromInput) return DocumentsUsageError("give --password-stdin or --password, not both");
  if (passwordFromInput && !cli::ReadStandardInputLine(account.password))
    return DocumentsUsageError("--password-stdin found no line on standard input");
  std::error_code ec;
  if (!std::filesystem::is_directory(out, ec)) return DocumentsUsageError("no folder " + out.string());

  ScriptedDialogs dialogs;
  dialogs.choice = 1;  // the list given, as the music set
  dialogs.folder = out;
  std::string saveName;
  LicenceDocuments documents;
  const DocumentContext context{resources, catalogue, dialogs, language, 96, &saveName};
  const MakeDocResult result = MakeDocButClick(MakeDocSender::MakeDocBut, form, account, codes, context, documents);
  if (!result.filled) return 1;
  Put("rows", std::to_string(result.tableRows));
  for (const auto& file : result.saved) Put("file", file.string());
  for (const auto& file : result.failed) std::cerr << "trakvella-cli: cannot write " << file.string() << '\n';
  return result.failed.empty() ? 0 : 1;
}

int CommandPassport(const Catalogue& catalogue, const ResourceStore& resources, int language,
                    const std::vector<std::string>& args) {
  std::string code;
  std::filesystem::path file;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--out") {
      if (i + 1 >= args.size()) return DocumentsUsageError("--out wants a file");
      file = args[++i];
    } else if (code.empty() && args[i].compare(0, 2, "--") != 0) {
      code = args[i];
    } else {
      return DocumentsUsageError("unknown passport argument " + args[i]);
    }
  }
  if (code.empty() || file.empty()) return DocumentsUsageError("passport wants a track code and --out FILE");
  const auto [cd, track] = catalogue.LocateTrack(UpperCase(code));
  if (cd < 0) return DocumentsUsageError("no track " + code + " in the catalogue");

  ScriptedDialogs dialogs;
  dialogs.answers = {MessageAnswer::Yes, MessageAnswer::No};  // make it; do not open it
  dialogs.file = file;
  NoShell shell;
  std::string saveName;
  const DocumentContext context{resources, catalogue, dialogs, language, 96, &saveName};
  if (PassportItemClick(std::make_pair(cd, track), context, shell) != PassportOutcome::Saved) return 1;
  const PassportFields fields = PassportFieldsOf(catalogue, cd, track);
  Put("file", WithRtfExtension(file.string()).string());
  Put("work", fields.work);
  Put("author", fields.author);
  Put("duration", fields.duration);
  Put("performer", fields.performer);
  return 0;
}

}  // namespace trakvella
