#pragma once
// SetTools: the music set window's editing tools — dropped files and folders,
// codes pasted from the clipboard, the staff's comparisons and file-name lists,
// duplicates removal and the CD information block. Each works on a set the
// caller owns and reaches the desktop only through the ports it is given.
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/Language.h"
#include "core/musicset/MusicSet.h"
#include "ports/Clipboard.h"
#include "ports/Dialogs.h"
#include "ports/Progress.h"

namespace trakvella {

// --- Dropped files and folders ---------------------------------------------------------
// What dropping the paths adds: the ".wav" and then ".mp3" files with "KMLB_" in
// their names under every dropped folder, and every dropped item itself, sorted
// ignoring letter case; each gives the code at the first "KMLB_" of its file
// name without extension (empty when none), the name of the folder holding it
// and " - ". Shows message 49 while it walks; unreadable folders are skipped.
FillLines CollectDroppedFiles(const std::vector<std::string>& paths, Progress& progress, Language language);
// Appends what the drop gives (codes already present are added again).
// Returns the number of entries added.
size_t DropFiles(MusicSet& set, const std::vector<std::string>& paths, Progress& progress, Language language);

// --- The clipboard ----------------------------------------------------------------------
// The code at the last "KMLB_" of every line of text that has one, in line
// order; pumps between lines.
std::vector<std::string> CodesFromLines(std::string_view text, Progress& progress);
// "Извлечь имена из буфера": appends the clipboard's codes (" - " as folder and
// name, present codes again) behind message 49, then tells the growth of the
// set with message 73. Returns the growth.
size_t PasteCodesFromClipboard(MusicSet& set, const Clipboard& clipboard, Progress& progress, Dialogs& dialogs,
                               Language language);
// Staff tool "Получить разницу между буфером и базой": appends every catalogue
// track, CD by CD, whose code is not on the clipboard, skipping codes already
// in the set; tells the growth with message 73. Returns the growth.
size_t AddCatalogueMissingFromClipboard(MusicSet& set, const Clipboard& clipboard, Progress& progress, Dialogs& dialogs,
                                        Language language);
// Staff tool "Получить разницу между буфером и набором": puts on the clipboard
// the set's codes, in set order, that the clipboard lacks, one per line, and
// tells their number. The set does not change. Returns the number.
size_t CopySetCodesMissingFromClipboard(const MusicSet& set, Clipboard& clipboard, Progress& progress, Dialogs& dialogs,
                                        Language language);
// Staff tool "Получить имена файлов": asks for an extension ("wav" unless
// changed; Cancel keeps it) and puts "code title.ext" of every entry on the
// clipboard, the title without the characters file names may not hold.
// Returns the number of lines.
size_t CopySetFileNames(const MusicSet& set, Clipboard& clipboard, Progress& progress, Dialogs& dialogs,
                        Language language);
// The lines CopySetFileNames puts on the clipboard.
std::vector<std::string> SetFileNames(const MusicSet& set, std::string_view extension);

// Texts of the staff tools, the same in both languages.
inline constexpr std::string_view kDifferenceLinesText = "В буфере разница - строк: ";
inline constexpr std::string_view kFileNamesText = "В буфере имена: ";
inline constexpr std::string_view kExtensionCaption = "Введите расширение (без точки)";
inline constexpr std::string_view kExtensionPrompt = "Расширение:";
inline constexpr std::string_view kDefaultExtension = "wav";

// --- Duplicates -------------------------------------------------------------------------
// "Оптимизировать": removes the later occurrences of every code and tells the
// number removed with message 50. Returns it.
size_t OptimiseSet(MusicSet& set, Dialogs& dialogs, Language language);

// --- The CD information block ------------------------------------------------------------
// The three values the block writer asks for; the set window keeps the last
// ones for the rest of the program run.
struct CdInfoInputs {
  std::string title;
  std::string folderCode;      // like PRO_LIB_001
  std::string productionDate;  // MMYYYY
};

// The category line an entry's context gives: a tag place ("Keyword [") gives
// "* ALL LIBRARY >> CATEGORIES UNKNOWN"; a context with ":" gives the text
// before the first ":" less the character in front of it (the category path of
// "PATH : CD"); a context without ":" is a category path itself and is kept.
std::string CategoryLineOfContext(std::string_view context);

// The block: the library, title, folder code, description, composers and
// categories lines, the categories from the set's contexts (or, with
// fromCategoryBuffer, the buffer's lines as they are), an empty line and the
// production date. A category line already present (ignoring case) is not
// repeated, and an empty one is left out, since an empty line closes the block.
std::vector<std::string> CdInfoBlockLines(const CdInfoInputs& inputs, const MusicSet& set, bool fromCategoryBuffer,
                                          const std::vector<std::string>& categoryBuffer);

// "Build info": asks the three values (Cancel keeps the last one), asks where
// the categories come from, shows the block and offers to save it as a text
// file named after the folder code (a file the added ".txt" names is replaced
// only after asking, in language). False when nothing was written.
bool WriteCdInfoBlock(const MusicSet& set, CdInfoInputs& inputs, const std::vector<std::string>& categoryBuffer,
                      Dialogs& dialogs, Language language = Language::English);

inline constexpr std::string_view kCdInfoInputCaption = "Input data";
inline constexpr std::string_view kCdInfoTitlePrompt = "Enter CD Title:";
inline constexpr std::string_view kCdInfoFolderPrompt = "Enter CD Folder Code (like PRO_LIB_001):";
inline constexpr std::string_view kCdInfoDatePrompt = "Enter Production Date (MMYYYY - like 112005):";
inline constexpr std::string_view kCdInfoQuestion = "Get _SysRes [yes] or CurrentCD Categories [no]";
inline constexpr std::string_view kCdInfoSaveTitle = "Save info for CD Folder";
inline constexpr std::string_view kCdInfoSaveFilter = "CD Folder Info (*.txt)|*.txt";
inline constexpr std::string_view kUnknownCategoryLine = "* ALL LIBRARY >> CATEGORIES UNKNOWN";

}  // namespace trakvella
