#pragma once
// The set's files: the set list file (".rq2", code page 1251, CR LF, one
// "code=context,folder,name" line per entry), the M3U playlist, and the set's
// lines in the settings file. Plain functions; the caller owns the set.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/Language.h"
#include "core/musicset/MusicSet.h"
#include "core/settings/Settings.h"
#include "ports/Status.h"

namespace trakvella {

// One line of a set list file cut into its three fields, each trimmed.
struct SetLineFields {
  std::string line;    // the name, with "=" and the context when the line has one
  std::string folder;  // the project folder
  std::string name;    // the project name
};

// Cuts a line at ",": field 0 before the first comma, field 1 between the first
// and second, field 2 after the second; a field past the last comma reads as
// the text after it, and as the whole line when there is none. A line with more
// than two commas has them inside its context (category paths such as
// "DANCE MUSIC >> LINKS, LOGOS & STINGS"), so its last two commas are the
// separators. An empty field reads as empty.
SetLineFields SplitSetLine(std::string_view line);
// The same three fields as views into the line.
struct SetLineViews {
  std::string_view line, folder, name;
};
SetLineViews SplitSetLineViews(std::string_view line);

// The track code a name stands for: the file-name part after the last "\" or
// "/", less the text from its last "." on, upper-cased. Valid only when 12
// characters long.
std::string CodeFromName(std::string_view name);

// The line of an entry: code, "=", context, ",", folder, ",", name.
std::string SetListLine(const MusicSetEntry& entry);
// Every line of the set in its order, the held entries' lines in their places.
std::vector<std::string> SetListLines(const MusicSet& set);

// The lines of a set list file (decoded from code page 1251); the Status says
// why a file was not read (lines stays empty then).
Status ReadSetListFile(const std::filesystem::path& file, std::vector<std::string>& lines);
// The lines of a decoded text as views of it, cut as SplitLines cuts.
std::vector<std::string_view> SetListLineViews(std::string_view text);
// Reads a set list file and appends its lines to the set (LoadSet) without a
// string per line; *added (when given) takes the number appended. A file that
// is not read changes nothing.
Status ReadSetListInto(const std::filesystem::path& file, MusicSet& set, size_t* added = nullptr);
// Writes the set as a set list file. The old file is replaced only once the
// new one is whole; false when the write failed.
bool WriteSetListFile(const std::filesystem::path& file, const MusicSet& set);

// The M3U playlist: each entry's path or URL, nothing else.
std::vector<std::string> M3uLines(const MusicSet& set, std::string_view demoBaseUrl);
// Writes the playlist, CR LF after each line: a local file's path as the file
// system names it (UTF-8), a demo address in code page 1251 as ever.
bool WriteM3uFile(const std::filesystem::path& file, const MusicSet& set, std::string_view demoBaseUrl);

// Writes bytes to file through a temporary file in the same folder renamed
// over it, so a failed write leaves the old file whole. False on failure.
bool ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes);

// The file name a save dialog gave, with the default extension (".rq2") added
// when it has none.
std::filesystem::path WithDefaultExtension(const std::string& chosen, std::string_view extension);
// The file to write for a save dialog's answer: WithDefaultExtension of it. The
// dialog asked before it named an existing file; a file only the added
// extension names is asked about here (message 126, No the default button).
// Empty when nothing was chosen or the user keeps that file.
std::filesystem::path SaveTarget(const std::string& chosen, std::string_view extension, Dialogs& dialogs,
                                 Language language);

// --- The set window's file buttons (dialogs through the port) ------------------------
// SaveBtn: asks for a file (message 44, filter 45) and writes the set; a write
// error is not shown. False when nothing was written.
bool SaveSetAs(const MusicSet& set, Dialogs& dialogs, Language language);
// LoadBtn: asks for a file (message 46, filter 45) and appends its lines; a
// file that cannot be read is named in an error box and adds nothing.
// Returns the number of entries added.
size_t LoadSetFrom(MusicSet& set, Dialogs& dialogs, Language language);
// Appends the entries of a set list file to the set: how many were added. A
// file that cannot be read is named in an error box and changes nothing.
size_t LoadSetListFile(MusicSet& set, const std::filesystem::path& file, Dialogs& dialogs, Language language);
// memCopyBtnPl: asks for a file (message 32, filter 33) and writes the playlist.
bool SavePlaylistAs(const MusicSet& set, Dialogs& dialogs, Language language, std::string_view demoBaseUrl);

// --- Start and end of the program ---------------------------------------------------
// Empties the set and loads the lines the settings file kept under "musicset/".
void RestoreMusicSet(MusicSet& set, const Settings& settings);
// Puts the set's lines into the settings, written after "*** Music Set ***".
void StoreMusicSet(const MusicSet& set, Settings& settings);

}  // namespace trakvella
