// trakvella-cli set read|write|m3u|optimise|from-clipboard-text|drop|total: the
// music set's list files and editing tools on a set that starts empty. Entries
// print as entry=CODE|CONTEXT|FOLDER|NAME in set order.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliFiles.h"
#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/Commands.h"
#include "core/musicset/MusicSet.h"
#include "core/musicset/SetListFile.h"
#include "core/musicset/SetTools.h"
#include "core/settings/ServerConfig.h"
#include "core/settings/Settings.h"
#include "core/text/FileIO.h"
#include "ports/Clipboard.h"

namespace trakvella::cli {
namespace {

// Text handed in as if it were on the clipboard.
class TextClipboard : public Clipboard {
 public:
  explicit TextClipboard(std::string text) : text_(std::move(text)) {}
  void SetText(const std::string& text) override { text_ = text; }
  std::string Text() const override { return text_; }

 private:
  std::string text_;
};

void PrintEntries(const MusicSet& set, size_t from = 0) {
  PutBuffer out;
  for (size_t i = from; i < set.size(); ++i) {
    const MusicSetEntry& e = set[i];
    out.Key("entry").Value(e.code).Raw('|').Value(e.context).Raw('|').Value(e.projectFolder).Raw('|');
    out.Value(e.projectName).EndLine();
  }
}

// The demo base URL the program would use: the settings file's choice, or
// server 1 when there is no settings file or it cannot be read (a pipe or a
// device of that name is named on stderr).
std::string DemoBase(const std::filesystem::path& programFolder, Language language) {
  Status problem;
  const Endpoints endpoints = ReadServerConfig(programFolder, &problem);
  ReportRefusedFile(programFolder / kServerConfigFileName, problem, FileKind::ServerList, language);
  Settings settings;
  problem = Status::OK();
  const SettingsFileRead read = ReadSettingsFile(programFolder, settings, &problem);
  ReportRefusedFile(programFolder / kSettingsFileName, problem, FileKind::Settings, language);
  // A file that cannot be read changes nothing, as in the program: server 1.
  if (read != SettingsFileRead::Applied) return endpoints.demoServer1;
  return DemoBaseUrl(settings, endpoints);
}

}  // namespace

int CommandSet(const CommandContext& context, const Arguments& args) {
  // The program's usage follows, as it does for every command short of its arguments.
  if (args.words().empty()) throw UsageError{"wrong number of arguments for set", true};
  const std::string& verb = args.words()[0];
  const std::vector<std::string> operands(args.words().begin() + 1, args.words().end());
  const bool oneFile =
      verb == "read" || verb == "m3u" || verb == "optimise" || verb == "from-clipboard-text" || verb == "total";
  if (oneFile && operands.size() != 1) throw UsageError{"set " + verb + " wants one file"};
  if (verb == "write" && operands.size() != 2) throw UsageError{"set write wants IN and OUT"};
  if (verb == "drop" && operands.empty()) throw UsageError{"set drop wants at least one path"};
  if (!oneFile && verb != "write" && verb != "drop") throw UsageError{"unknown set command " + verb};

  const Language language = context.language;
  StderrDialogs dialogs;
  Progress& progress = context.ports.progress;
  MusicSet set(*context.catalogue, dialogs, language);

  if (verb == "drop") {
    DropFiles(set, operands, progress, language);
    PrintEntries(set);
    return 0;
  }
  if (verb == "from-clipboard-text") {
    std::string text;
    if (Status read = ReadWholeFile(operands[0], text, FileKind::ExportInput); !read.ok()) {
      ReportRefusedFile(operands[0], read, FileKind::ExportInput, language);
      throw UsageError{"cannot read " + operands[0]};
    }
    TextClipboard clipboard(std::move(text));
    PasteCodesFromClipboard(set, clipboard, progress, dialogs, language);
    PrintEntries(set);
    return 0;
  }

  if (Status read = ReadSetListInto(operands[0], set); !read.ok()) {
    ReportRefusedFile(operands[0], read, FileKind::SetList, language);
    throw UsageError{"cannot read " + operands[0]};
  }
  if (verb == "read") {
    PrintEntries(set);
  } else if (verb == "write") {
    if (!WriteSetListFile(operands[1], set)) {
      std::cerr << "trakvella-cli: cannot write " << operands[1] << '\n';
      return 1;
    }
  } else if (verb == "m3u") {
    for (const auto& line : M3uLines(set, DemoBase(context.programFolder, language))) Put("m3u", line);
  } else if (verb == "optimise") {
    const size_t removed = OptimiseSet(set, dialogs, language);
    PrintEntries(set);
    Put("removed", std::to_string(removed));
  } else if (verb == "total") {
    Put("total", set.TotalTimeText());
  }
  return 0;
}

}  // namespace trakvella::cli
