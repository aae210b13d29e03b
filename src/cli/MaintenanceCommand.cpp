// trakvella-cli scan | report: the project folder scan, printing what it would
// add to the music set, and the usage report, printing exactly the text it
// puts on the clipboard.
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliFiles.h"
#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/Commands.h"
#include "core/catalogue/Catalogue.h"
#include "core/maintenance/FolderScan.h"
#include "core/maintenance/TrackReport.h"
#include "core/musicset/MusicSet.h"
#include "core/musicset/SetListFile.h"
#include "core/text/Text.h"
#include "ports/Random.h"

namespace trakvella::cli {
namespace {

// The clipboard of a command-line run: the text goes to stdout, as it is.
class StdoutClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override {
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  // The report only writes: what went to stdout is not read back (nor copied).
  std::string Text() const override { return {}; }
};

int CurrentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

}  // namespace

int CommandScan(const CommandContext& context, const Arguments& args) {
  if (args.words().size() != 1) throw UsageError{"scan wants one folder"};
  ScanSettings settings = DefaultScanSettings();
  settings.startFolder = args.words()[0];
  if (args.has("--types")) {
    settings.ticked.fill(false);
    for (const std::string& type : CommaItems(args.value("--types"))) {
      int index = -1;
      for (int i = 0; i < kProjectTypeCount; ++i)
        if (i != kOtherProjectType && ProjectTypes()[i].extension.substr(1) == LowerCase(type)) index = i;
      if (index < 0)
        throw UsageError{"--types wants cpr, npr, vip, veg, acd, als, prproj, rpp, ptx or sesx, got \"" + type + "\""};
      settings.ticked[index] = true;
    }
  }
  if (args.has("--other")) {
    settings.ticked[kOtherProjectType] = true;
    settings.otherExtension = args.value("--other");
  }
  if (args.has("--exclude")) settings.excludeNames = args.value("--exclude");
  settings.wavOnly = args.has("--wav-only");

  const Language language = context.language;
  FolderScan scan(context.ports.progress, &context.ports.inflater, language);
  scan.Run(settings, [](const std::vector<ScanEntry>& entries) { return entries.size(); });
  for (const ScanEntry& e : scan.entries()) Put("found", e.code + "|" + e.projectFolder + "|" + e.projectName);
  return 0;
}

namespace {

// The report window as the options set it: its kind, columns, quarter and year.
ReportWindowState ReportWindow(const Arguments& args) {
  long long value;
  if (!args.has("--kind") || !args.has("--set")) throw UsageError{"report wants --kind and --set"};
  if (!ParseInt(args.value("--kind"), value) || value < 0 || value >= kReportKindCount)
    throw UsageError{"--kind wants 0, 1 or 2"};
  ReportWindowState window(args.has("--row-names"));
  window.activeKind = static_cast<ReportKind>(value);
  const int columns = ReportColumnCount(window.activeKind);
  if (args.has("--columns")) {
    for (int c = 0; c < columns; ++c) window.SetSelected(window.activeKind, c, false);
    for (const std::string& item : CommaItems(args.value("--columns"))) {
      if (!ParseInt(item, value) || value < 0 || value >= columns)
        throw UsageError{"--columns wants column numbers from 0 to " + std::to_string(columns - 1)};
      window.SetSelected(window.activeKind, static_cast<int>(value), true);
    }
  }
  if (args.has("--quarter")) {
    if (!ParseInt(args.value("--quarter"), value) || value < 1 || value > 4) throw UsageError{"--quarter wants 1 to 4"};
    window.SetQuarter(window.activeKind, static_cast<int>(value));
  }
  if (args.has("--year")) {
    const int last = LastReportYear(CurrentYear());
    if (!ParseInt(args.value("--year"), value) || value < kFirstReportYear || value > last)
      throw UsageError{"--year wants " + std::to_string(kFirstReportYear) + " to " + std::to_string(last)};
    window.SetYear(window.activeKind, static_cast<int>(value), CurrentYear());
  }
  return window;
}

}  // namespace

int CommandReport(const CommandContext& context, const Arguments& args) {
  if (!args.words().empty()) throw UsageError{"report takes no argument " + args.words()[0]};
  ReportWindowState window = ReportWindow(args);
  std::optional<StdRandom> random;
  if (args.has("--seed"))
    random.emplace(SeedValue(args.value("--seed")));
  else
    random.emplace();
  const std::string setFile = args.value("--set");
  const Language language = context.language;
  StderrDialogs dialogs;
  MusicSet set(*context.catalogue, dialogs, language);
  if (Status read = ReadSetListInto(setFile, set); !read.ok()) {
    ReportRefusedFile(setFile, read, FileKind::SetList, context.language);
    throw UsageError{"cannot read " + setFile};
  }

  StdoutClipboard clipboard;
  return window.MakeReport(set.entries(), *context.catalogue, *random, clipboard, dialogs, language) ? 0 : 1;
}

}  // namespace trakvella::cli
