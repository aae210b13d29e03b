// SetTools: the music set's editing tools.
#include "core/musicset/SetTools.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "core/catalogue/TrackCodes.h"
#include "core/lang/MessageTable.h"
#include "core/musicset/SetListFile.h"
#include "core/text/Text.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;

constexpr int kTracksFoundProgress = 2;  // ListFiles writes message 6 with the count

// Calls onLine with every line of text (CR LF, CR or LF end a line) without
// copying the text.
template <typename F>
void ForEachLine(std::string_view text, F&& onLine) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      onLine(text.substr(start));
      return;
    }
    onLine(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
}

void ShowInformation(Dialogs& dialogs, const std::string& text) {
  dialogs.Message(text, MessageKind::Information, MessageButtons::Ok);
}

// The path without the separators a folder path may end with ("/music/" is
// the folder "music").
std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

// --- Dropped files and folders ---------------------------------------------------------

FillLines CollectDroppedFiles(const std::vector<std::string>& paths, Progress& progress, Language language) {
  progress.ShowProgress(LangMessage(language, Msg::Scanning), ProgressMode::Show);
  std::vector<std::string> collected;
  for (const std::string& dropped : paths) {
    std::error_code ec;
    if (fs::is_directory(dropped, ec)) {
      ListFiles(dropped, ".wav", "KMLB_", kTracksFoundProgress, progress, language, collected);
      ListFiles(dropped, ".mp3", "KMLB_", kTracksFoundProgress, progress, language, collected);
    }
    collected.push_back(WithoutTrailingSeparator(dropped));
  }
  std::stable_sort(collected.begin(), collected.end(), TextLess{});

  FillLines lines;
  for (const std::string& path : collected) {
    const fs::path file(path);
    lines.Add(CodeFromText(file.stem().string(), false), file.parent_path().filename().string(),
              std::string(kToolProject));
  }
  progress.ShowProgress("", ProgressMode::Hide);
  return lines;
}

size_t DropFiles(MusicSet& set, const std::vector<std::string>& paths, Progress& progress, Language language) {
  return set.FillMem(CollectDroppedFiles(paths, progress, language), FillMode::AppendAll);
}

// --- The clipboard ----------------------------------------------------------------------

std::vector<std::string> CodesFromLines(std::string_view text, Progress& progress) {
  std::vector<std::string> codes;
  ForEachLine(text, [&](std::string_view line) {
    progress.pump();
    std::string code = CodeFromText(line, true);
    if (!code.empty()) codes.push_back(std::move(code));
  });
  return codes;
}

namespace {

// The codes on the clipboard, behind message 49 (left shown for the caller).
std::vector<std::string> ClipboardCodes(const Clipboard& clipboard, Progress& progress, Language language) {
  progress.ShowProgress(LangMessage(language, Msg::Scanning), ProgressMode::Show);
  return CodesFromLines(clipboard.Text(), progress);
}

void TellGrowth(Dialogs& dialogs, Language language, size_t growth) {
  ShowInformation(dialogs, LangMessage(language, Msg::ScanTracksAdded) + std::to_string(growth));
}

}  // namespace

size_t PasteCodesFromClipboard(MusicSet& set, const Clipboard& clipboard, Progress& progress, Dialogs& dialogs,
                               Language language) {
  const size_t before = set.size();
  FillLines lines;
  for (std::string& code : ClipboardCodes(clipboard, progress, language))
    lines.Add(std::move(code), std::string(kToolProject), std::string(kToolProject));
  set.FillMem(lines, FillMode::AppendAll);
  progress.ShowProgress("", ProgressMode::Hide);
  const size_t growth = set.size() - before;
  TellGrowth(dialogs, language, growth);
  return growth;
}

size_t AddCatalogueMissingFromClipboard(MusicSet& set, const Clipboard& clipboard, Progress& progress, Dialogs& dialogs,
                                        Language language) {
  const size_t before = set.size();
  const std::vector<std::string> codes = ClipboardCodes(clipboard, progress, language);
  const std::unordered_set<std::string> onClipboard(codes.begin(), codes.end());
  const Catalogue& catalogue = set.catalogue();
  FillLines lines;
  for (int cd = 0; cd < catalogue.CdCount(); ++cd)
    for (const TrackRecord& track : catalogue.Cd(cd).tracks) {
      progress.pump();
      if (!onClipboard.count(track.code)) lines.Add(track.code, std::string(kToolProject), std::string(kToolProject));
    }
  set.FillMem(lines, FillMode::SkipPresent);
  progress.ShowProgress("", ProgressMode::Hide);
  const size_t growth = set.size() - before;
  TellGrowth(dialogs, language, growth);
  return growth;
}

size_t CopySetCodesMissingFromClipboard(const MusicSet& set, Clipboard& clipboard, Progress& progress, Dialogs& dialogs,
                                        Language language) {
  const std::vector<std::string> codes = ClipboardCodes(clipboard, progress, language);
  const std::unordered_set<std::string> onClipboard(codes.begin(), codes.end());
  std::vector<std::string> missing;
  for (const auto& entry : set.entries())
    if (!onClipboard.count(entry.code)) missing.push_back(entry.code);
  BufferToClipboard(clipboard, JoinLinesCrLf(missing));
  progress.ShowProgress("", ProgressMode::Hide);
  ShowInformation(dialogs, std::string(kDifferenceLinesText) + std::to_string(missing.size()));
  return missing.size();
}

std::vector<std::string> SetFileNames(const MusicSet& set, std::string_view extension) {
  std::vector<std::string> lines;
  lines.reserve(set.size());
  for (size_t i = 0; i < set.size(); ++i)
    lines.push_back(set[i].code + " " + SanitiseFileName(set.TrackOf(i).title) + "." + std::string(extension));
  return lines;
}

size_t CopySetFileNames(const MusicSet& set, Clipboard& clipboard, Progress& progress, Dialogs& dialogs,
                        Language language) {
  std::string extension(kDefaultExtension);
  if (auto answer = dialogs.Input(std::string(kExtensionCaption), std::string(kExtensionPrompt), extension))
    extension = *answer;
  progress.ShowProgress(LangMessage(language, Msg::Scanning), ProgressMode::Show);
  const std::vector<std::string> lines = SetFileNames(set, extension);
  BufferToClipboard(clipboard, JoinLinesCrLf(lines));
  progress.ShowProgress("", ProgressMode::Hide);
  ShowInformation(dialogs, std::string(kFileNamesText) + std::to_string(lines.size()));
  return lines.size();
}

// --- Duplicates -------------------------------------------------------------------------

size_t OptimiseSet(MusicSet& set, Dialogs& dialogs, Language language) {
  const size_t removed = set.RemoveDuplicates();
  ShowInformation(dialogs, LangMessage(language, Msg::DuplicatesRemoved) + std::to_string(removed));
  return removed;
}

// --- The CD information block ------------------------------------------------------------

std::string CategoryLineOfContext(std::string_view context) {
  if (context.find("Keyword [") != std::string_view::npos) return std::string(kUnknownCategoryLine);
  const size_t colon = context.find(':');
  if (colon == std::string_view::npos) return Trim(context);
  return std::string(context.substr(0, colon == 0 ? 0 : colon - 1));
}

std::vector<std::string> CdInfoBlockLines(const CdInfoInputs& inputs, const MusicSet& set, bool fromCategoryBuffer,
                                          const std::vector<std::string>& categoryBuffer) {
  std::vector<std::string> lines = {"Library: KMLB",
                                    "Title: " + inputs.title,
                                    "CD#: " + inputs.folderCode,
                                    "Description: undefined",
                                    "Composers:",
                                    "Various",
                                    "Categories:"};
  if (fromCategoryBuffer) {
    lines.insert(lines.end(), categoryBuffer.begin(), categoryBuffer.end());
  } else {
    TextSet present;
    for (const auto& line : lines) present.Add(line);
    for (const auto& entry : set.entries()) {
      std::string category = CategoryLineOfContext(entry.context);
      if (TrimView(category).empty() || !present.Add(category)) continue;
      lines.push_back(std::move(category));
    }
  }
  lines.emplace_back();
  lines.push_back(inputs.productionDate);
  return lines;
}

bool WriteCdInfoBlock(const MusicSet& set, CdInfoInputs& inputs, const std::vector<std::string>& categoryBuffer,
                      Dialogs& dialogs, Language language) {
  const std::string caption(kCdInfoInputCaption);
  auto ask = [&](std::string_view prompt, std::string& value) {
    if (auto answer = dialogs.Input(caption, std::string(prompt), value)) value = *answer;
  };
  ask(kCdInfoTitlePrompt, inputs.title);
  ask(kCdInfoFolderPrompt, inputs.folderCode);
  ask(kCdInfoDatePrompt, inputs.productionDate);
  const bool fromBuffer = dialogs.Message(std::string(kCdInfoQuestion), MessageKind::Confirmation,
                                          MessageButtons::YesNo) == MessageAnswer::Yes;
  const std::vector<std::string> lines = CdInfoBlockLines(inputs, set, fromBuffer, categoryBuffer);

  std::string shown;
  for (const auto& line : lines) shown += line + "\n";
  ShowInformation(dialogs, shown);

  const std::string chosen =
      dialogs.SaveFileName(std::string(kCdInfoSaveTitle), std::string(kCdInfoSaveFilter), inputs.folderCode);
  const std::filesystem::path file = SaveTarget(chosen, ".txt", dialogs, language);
  return !file.empty() && ReplaceFileContents(file, Utf8ToCp1251(JoinLinesCrLf(lines)));
}

}  // namespace trakvella
