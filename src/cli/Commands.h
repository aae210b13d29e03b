#pragma once
// Commands: every trakvella-cli command's entry point, what it runs with, and the table that names them
// (Commands.cpp). main reads the program's own options, finds the command's row, reads the command's
// arguments by the row's Syntax, loads the catalogue when the row needs it and calls the handler, whose
// return value is the exit status (0 done, 1 not done; a wrong use throws UsageError, status 2).
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Options.h"
#include "core/lang/Language.h"

namespace trakvella {

class Catalogue;
class ResourceStore;

namespace cli {

struct CliPorts;

// What a command runs with: the program's options, its ports and, when its row says so, the catalogue.
struct CommandContext {
  Language language = Language::English;  // --lang, else the system's
  std::filesystem::path programFolder;
  bool offline = false;  // -local
  CliPorts& ports;
  const Catalogue* catalogue = nullptr;  // loaded when the row needs it, else null
  const ResourceStore* resources = nullptr;
};

using Handler = int (*)(const CommandContext& context, const Arguments& args);

struct Command {
  std::string_view name;
  bool needsCatalogue;
  Syntax syntax;
  Handler handler;
  std::string_view usage;  // printed after a wrong use of the command (may be empty)
};

// The command named `name`, or null.
const Command* FindCommand(std::string_view name);
// The program's whole usage: --help prints it, and it follows a wrong use of the program's own options.
extern const std::string_view kProgramUsage;

// --- The entry points, by file ---------------------------------------------------------------------
// CatalogueCommands.cpp: the catalogue, the category tree and the browser.
int CommandInfo(const CommandContext& context, const Arguments& args);
int CommandCd(const CommandContext& context, const Arguments& args);
int CommandTrack(const CommandContext& context, const Arguments& args);
int CommandTree(const CommandContext& context, const Arguments& args);
int CommandTags(const CommandContext& context, const Arguments& args);
int CommandTracks(const CommandContext& context, const Arguments& args);
int CommandNavigate(const CommandContext& context, const Arguments& args);
// SearchCommand.cpp: the search panel's search.
int CommandSearch(const CommandContext& context, const Arguments& args);
// CollectionsCommand.cpp: the track collections.
int CommandRelated(const CommandContext& context, const Arguments& args);
int CommandLike(const CommandContext& context, const Arguments& args);
int CommandTitle(const CommandContext& context, const Arguments& args);
int CommandLocal(const CommandContext& context, const Arguments& args);
int CommandLucky(const CommandContext& context, const Arguments& args);
int CommandTop(const CommandContext& context, const Arguments& args);
int CommandSimilar(const CommandContext& context, const Arguments& args);
// SetCommand.cpp: the music set's files and tools.
int CommandSet(const CommandContext& context, const Arguments& args);
// DocumentsCommand.cpp: amounts in words and the licence documents.
int CommandWords(const CommandContext& context, const Arguments& args);
int CommandRoubles(const CommandContext& context, const Arguments& args);
int CommandContract(const CommandContext& context, const Arguments& args);
int CommandPassport(const CommandContext& context, const Arguments& args);
// ExportCommand.cpp: the exports and the music set conversions; KIND is checked before the options.
int CommandExport(const CommandContext& context, const Arguments& args);
void CheckExportKind(const std::vector<std::string>& leading);
// FetchCommand.cpp and UpdateCommand.cpp: one download; the update page and version comparison.
int CommandFetch(const CommandContext& context, const Arguments& args);
int CommandUpdateInfo(const CommandContext& context, const Arguments& args);
int CommandVersionNewer(const CommandContext& context, const Arguments& args);
// SubscriptionCommand.cpp: the account files, the quota, full-track and demo downloads.
int CommandAccount(const CommandContext& context, const Arguments& args);
int CommandQuota(const CommandContext& context, const Arguments& args);
int CommandDownload(const CommandContext& context, const Arguments& args);
int CommandDemoDownload(const CommandContext& context, const Arguments& args);
// MaintenanceCommand.cpp: the project folder scan and the usage report.
int CommandScan(const CommandContext& context, const Arguments& args);
int CommandReport(const CommandContext& context, const Arguments& args);
// WaveformCommand.cpp: the peaks of an audio file, as the position bar draws them.
int CommandWaveform(const CommandContext& context, const Arguments& args);

}  // namespace cli
}  // namespace trakvella
