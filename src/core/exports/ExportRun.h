#pragma once
// ExportRun: what every catalogue export is handed (the catalogue, the ports,
// the language, the program folder and the export settings) and what it hands
// back; the progress of a run with its cancel flag; reading input files and
// saving output files. The caller owns everything the context refers to.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue/Catalogue.h"
#include "core/lang/Language.h"
#include "ports/Clipboard.h"
#include "ports/Dialogs.h"
#include "ports/Progress.h"
#include "ports/Status.h"

namespace trakvella {

// The library's own values the exports write: addresses and names that are
// settings of the program, not of the catalogue.
struct ExportSettings {
  // The product web site (cover images of the price list), ending with "/".
  std::string webSite = "http://www.kmlb-library.example/";
  // The old site the category tree links its CDs to, without a closing "/".
  std::string oldSite = "http://old.kmlb-library.example";
  // The audio player frame embedded in the shop's product description.
  std::string playerFrame = "http://www.kmlb-library.example/player/";
  // The library's name at the head of the category tree.
  std::string libraryName = "KMLB Library";
  // The publisher company written into the services' tables.
  std::string publisher = "KMLB Music Publishing";
};

struct ExportContext {
  const Catalogue& catalogue;
  Dialogs& dialogs;
  Progress& progress;
  Clipboard& clipboard;
  Language language = Language::English;
  std::filesystem::path programFolder;
  ExportSettings settings;
};

enum class ExportOutcome {
  Done,       // the results are on the clipboard or in their files
  Cancelled,  // the user cancelled; nothing reached the clipboard after that
  Failed,     // stopped by bad input; the user was told why
};

struct ExportResult {
  ExportOutcome outcome = ExportOutcome::Done;
  // Every text the export put on the clipboard or into a file, in order.
  std::vector<std::string> texts;
  bool done() const { return outcome == ExportOutcome::Done; }
};

// The progress window of one export: shown with "In Progress..." and the cancel
// button, hidden again when the object goes. Step() lets the window work and
// tells whether the user has not cancelled.
class ExportProgress {
 public:
  ExportProgress(Progress& progress, Language language);
  ~ExportProgress();
  ExportProgress(const ExportProgress&) = delete;
  ExportProgress& operator=(const ExportProgress&) = delete;
  bool Step();
  bool cancelled() const { return progress_.Cancelled(); }
  void Hide();

 private:
  Progress& progress_;
  bool shown_ = true;
};

// Text read from a file or pasted: a UTF-8 byte-order mark is dropped; text that
// is not valid UTF-8 is read as code page 1251.
std::string DecodeText(std::string_view bytes);
// The lines of a text file (see DecodeText); the Status says why a file was
// not read (lines stays empty then).
Status ReadTextLines(const std::filesystem::path& file, std::vector<std::string>& lines);
// The error box for an input file refused for what it is (a pipe, a device, a
// folder, a file too large); true when it was shown.
bool ReportRefusedFile(ExportContext& context, const std::filesystem::path& file, const Status& status);
// Writes a file whole or not at all: the bytes go to a temporary file beside it
// that replaces the file only when everything was written.
bool SaveFileBytes(const std::filesystem::path& file, std::string_view bytes);

// The message for a file that could not be written.
std::string WriteFailedMessage(const std::filesystem::path& file);

// Puts the text on the clipboard and records it in the result.
void ToClipboard(ExportContext& context, ExportResult& result, std::string text);

}  // namespace trakvella
