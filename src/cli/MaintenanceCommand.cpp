// trakvella-cli scan | report: the project folder scan, printing what it would
// add to the music set, and the usage report, printing exactly the text it
// puts on the clipboard.
#include <ctime>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "adapters/ZlibInflater.h"
#include "cli/CliFiles.h"
#include "cli/CliOutput.h"
#include "core/catalogue/Catalogue.h"
#include "core/maintenance/FolderScan.h"
#include "core/maintenance/TrackReport.h"
#include "core/musicset/MusicSet.h"
#include "core/musicset/SetListFile.h"
#include "core/text/Text.h"
#include "ports/Random.h"

namespace trakvella {

int CommandScan(const std::vector<std::string>& args, int language);
int CommandReport(const Catalogue& catalogue, int language, const std::vector<std::string>& args);

namespace {

int Usage(const std::string& text) {
  std::cerr << "trakvella-cli: " << text << '\n';
  return 2;
}

// Positional arguments and --name VALUE options (or bare flags); false with error set on a wrong one.
bool ReadArguments(const std::vector<std::string>& args, const std::map<std::string, bool>& known,
                   std::vector<std::string>& positional, std::map<std::string, std::string>& options,
                   std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].size() > 2 && args[i].compare(0, 2, "--") == 0) {
      auto it = known.find(args[i]);
      if (it == known.end()) {
        error = "unknown option " + args[i];
        return false;
      }
      if (it->second && i + 1 >= args.size()) {
        error = args[i] + " wants a value";
        return false;
      }
      const std::string name = args[i];
      options[name] = it->second ? args[++i] : "1";
    } else {
      positional.push_back(args[i]);
    }
  }
  return true;
}

std::vector<std::string> CommaList(const std::string& text) {
  std::vector<std::string> items;
  size_t from = 0;
  while (from <= text.size()) {
    const size_t comma = text.find(',', from);
    items.push_back(Trim(text.substr(from, comma == std::string::npos ? std::string::npos : comma - from)));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  return items;
}

// The clipboard of a command-line run: the text goes to stdout, as it is.
class StdoutClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override {
    std::cout << text;
    text_ = text;
  }
  std::string Text() const override { return text_; }

 private:
  std::string text_;
};

int CurrentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

}  // namespace

int CommandScan(const std::vector<std::string>& args, int language) {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::string error;
  if (!ReadArguments(args, {{"--types", true}, {"--other", true}, {"--exclude", true}, {"--wav-only", false}},
                     positional, options, error))
    return Usage(error);
  if (positional.size() != 1) return Usage("scan wants one folder");

  ScanSettings settings = DefaultScanSettings();
  settings.startFolder = positional[0];
  if (options.count("--types")) {
    settings.ticked.fill(false);
    for (const std::string& type : CommaList(options["--types"])) {
      int index = -1;
      for (int i = 0; i < kProjectTypeCount; ++i)
        if (i != kOtherProjectType && ProjectTypes()[i].extension.substr(1) == LowerCase(type)) index = i;
      if (index < 0)
        return Usage("--types wants cpr, npr, vip, veg, acd, als, prproj, rpp, ptx or sesx, got \"" + type + "\"");
      settings.ticked[index] = true;
    }
  }
  if (options.count("--other")) {
    settings.ticked[kOtherProjectType] = true;
    settings.otherExtension = options["--other"];
  }
  if (options.count("--exclude")) settings.excludeNames = options["--exclude"];
  settings.wavOnly = options.count("--wav-only") > 0;

  SilentProgress progress;
  ZlibInflater inflater;
  FolderScan scan(progress, &inflater, [language] { return language; });
  scan.SButClick(settings, [](const std::vector<ScanEntry>& entries) { return entries.size(); });
  for (const ScanEntry& e : scan.entries()) cli::Put("found", e.code + "|" + e.projectFolder + "|" + e.projectName);
  return 0;
}

int CommandReport(const Catalogue& catalogue, int language, const std::vector<std::string>& args) {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::string error;
  if (!ReadArguments(args,
                     {{"--kind", true},
                      {"--set", true},
                      {"--columns", true},
                      {"--quarter", true},
                      {"--year", true},
                      {"--row-names", false},
                      {"--seed", true}},
                     positional, options, error))
    return Usage(error);
  if (!positional.empty()) return Usage("report takes no argument " + positional[0]);
  if (!options.count("--kind") || !options.count("--set")) return Usage("report wants --kind and --set");
  long long value;
  if (!ParseInt(options["--kind"], value) || value < 0 || value >= kReportKindCount)
    return Usage("--kind wants 0, 1 or 2");

  ReportWindowState window(options.count("--row-names") > 0);
  window.activeKind = static_cast<ReportKind>(value);
  const int columns = ReportColumnCount(window.activeKind);
  if (options.count("--columns")) {
    for (int c = 0; c < columns; ++c) window.SetSelected(window.activeKind, c, false);
    for (const std::string& item : CommaList(options["--columns"])) {
      if (!ParseInt(item, value) || value < 0 || value >= columns)
        return Usage("--columns wants column numbers from 0 to " + std::to_string(columns - 1));
      window.SetSelected(window.activeKind, static_cast<int>(value), true);
    }
  }
  if (options.count("--quarter")) {
    if (!ParseInt(options["--quarter"], value) || value < 1 || value > 4) return Usage("--quarter wants 1 to 4");
    window.SetQuarter(window.activeKind, static_cast<int>(value));
  }
  if (options.count("--year")) {
    const int last = LastReportYear(CurrentYear());
    if (!ParseInt(options["--year"], value) || value < kFirstReportYear || value > last)
      return Usage("--year wants " + std::to_string(kFirstReportYear) + " to " + std::to_string(last));
    window.SetYear(window.activeKind, static_cast<int>(value), CurrentYear());
  }
  std::optional<StdRandom> random;
  if (options.count("--seed")) {
    if (!ParseInt(options["--seed"], value) || value < 0 || value > UINT32_MAX) return Usage("--seed wants a number");
    random.emplace(static_cast<uint32_t>(value));
  } else {
    random.emplace();
  }
  std::vector<std::string> lines;
  if (Status read = ReadSetListFile(options["--set"], lines); !read.ok()) {
    cli::ReportRefusedFile(options["--set"], read, FileKind::SetList, language);
    return Usage("cannot read " + options["--set"]);
  }
  cli::StderrDialogs dialogs;
  MusicSet set(catalogue, dialogs, [language] { return language; });
  set.LoadSet(lines);

  StdoutClipboard clipboard;
  return window.MakeReport(set.entries(), catalogue, *random, clipboard, dialogs, language) ? 0 : 1;
}

}  // namespace trakvella
