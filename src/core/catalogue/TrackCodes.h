#pragma once
// TrackCodes: track codes out of free text and file names, a track's playable path or address, demo
// file names, durations, and the files of a folder tree. Free functions over values; nothing is owned.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/Language.h"
#include "ports/Progress.h"

namespace trakvella {

// The code KMLB_ccc_ttt found in text: the 12 characters from the first (or,
// with last, the last) "KMLB_" (case-sensitive), upper-cased, blanks turned to
// "_"; empty when there is no "KMLB_" or fewer than 12 characters follow it.
std::string CodeFromText(std::string_view text, bool last);

// The CD code of a track code: its first 8 characters.
std::string CdCodeOf(std::string_view trackCode);
// The CD number of a track or CD code: characters 6-8 as a decimal number,
// 0 when they are not one.
int CdNumberOf(std::string_view code);

// The text without the characters file names may not hold: \ / : * ? < > | "
std::string SanitiseFileName(std::string_view text);

// The demo name of a track, KMLB_ccc/KMLB_ccc_ttt.mp3: the path of its preview
// on the demo server.
std::string DemoName(std::string_view trackCode);
// Whether a track location is a demo name rather than a local file path.
bool IsDemoName(std::string_view location);
// The file name a downloaded demo gets on disk: code, blank, sanitised title, ".mp3".
std::string DemoFileName(std::string_view trackCode, std::string_view title);
// What plays a track: its local path, or for a demo name the demo-server base
// URL followed by the demo name.
std::string TrackPathOrUrl(std::string_view location, std::string_view demoBaseUrl);

// The forms a duration is written in (MM and SS with two digits, fff with three);
// each value is the form's fixed number.
enum class DurationForm {
  MinutesSeconds = 0,       // "MM:SS" (hours dropped)
  HoursMinutes = 1,         // h "h:" MM "m:"
  HoursMinutesSeconds = 2,  // h "h:" MM "m:" SS "s"
  HoursDotMinutes = 3,      // h "." MM
  SecondsMillis = 4,        // SS "." fff
  Clock = 5,                // h ":" MM ":" SS
};

// A duration in milliseconds written in a form. Russian writes the units of
// the hours-and-minutes forms in Russian (" ч. ", " мин. ", " сек."), English
// in English. Negative durations count as 0; a form outside the list
// gives the empty text.
std::string FormatDuration(long long ms, DurationForm form, Language language);

// Appends to out the full paths of the files under folder and all its
// subfolders that pass the filters: the lower-cased extension (with its dot,
// ".wav") must equal extensionFilter unless that is empty, and the file name
// must contain nameFilter (case-sensitive) unless that is empty. Entries of a
// folder are visited in the order of their names, subfolders where they stand.
// Before each folder, progress modes 1, 2 and 3 write "Folders found: ",
// "Tracks found: " or "Tracklists found: " with out's size to the status line
// and pump; mode 0 shows nothing. Unreadable
// folders are skipped; a folder reached twice through links is walked once.
// Returns the number of ".mp3" files met in mode 1, else 0.
size_t ListFiles(const std::filesystem::path& folder, std::string_view extensionFilter, std::string_view nameFilter,
                 int progressMode, Progress& progress, Language language, std::vector<std::string>& out);

}  // namespace trakvella
