#pragma once
// Settings: what the program remembers between runs in "trakvella.ini" in the program folder, read
// once at start and written once at close. A plain model App owns; the menus and windows mirror it.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Status.h"

namespace trakvella {

struct Endpoints;

// The settings file in the program folder, and the file of the old program an
// installation may still hold; the latter is moved to the former on reading.
inline constexpr const char* kSettingsFileName = "trakvella.ini";
inline constexpr const char* kLegacySettingsFileName = "kmlb.ini";
// The old program itself, deleted when the settings are read.
inline constexpr const char* kLegacyProgramFileName = "kmlb.exe";

// Marker lines introducing the two blocks of list lines after the keyed lines,
// and the prefix of each line of those blocks.
inline constexpr std::string_view kMusicSetMarker = "*** Music Set ***";
inline constexpr std::string_view kCommentsMarker = "*** Comments ***";
inline constexpr std::string_view kMusicSetPrefix = "musicset/";
inline constexpr std::string_view kCommentsPrefix = "comments/";

// --- The list font --------------------------------------------------------------
// A font as the settings file stores it: "color|height|name|pitch|size|" then
// four letters "y"/"n" for bold, italic, underline and strike-out.
struct FontSpec {
  int color = 0;   // toolkit colour number; system colours are negative
  int height = 0;  // negative: character height in pixels
  std::string name;
  int pitch = 0;  // 0 default, 1 variable, 2 fixed
  int size = 9;   // points; applied after the height, so it wins
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;

  bool operator==(const FontSpec&) const = default;
};

// Reads a font text. Nothing when it does not parse: a number field that is not
// an integer, a missing field, an empty name, a pitch other than 0-2 or a size
// outside 1-1000. Each "y" among the four characters after the size turns its
// style on; any other character (or a missing one) leaves it off.
std::optional<FontSpec> ParseFontText(std::string_view text);
// "-16777208|-12|Tahoma|0|9|nnnn"
std::string FontText(const FontSpec& font);

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is
// 0 or the result does not fit an int.
int MulDiv(int a, int b, int c);
// Row height of a list showing a font of sizePoints on a screen of pixelsPerInch:
// d / 96 * MulDiv(MulDiv(s, 25, 10), 72, d), halves to the even neighbour,
// at least 19.
int ItemHeightForFont(int pixelsPerInch, int sizePoints);

// --- The model ------------------------------------------------------------------
enum class WindowState { Normal, Maximized, Minimized };

// The six display options of the track list (the "Отображение треков" switches).
struct DisplayOptions {
  bool showTime = true;
  bool showCode = true;
  bool showName = true;
  bool showComposer = false;
  bool showArtist = false;
  bool showStyle = true;

  bool operator==(const DisplayOptions&) const = default;
};

// Every value of the settings file, with the defaults a file without the key
// gives. The subscription fields (activeAccount, login, password,
// downloadedTracks) are the account state the file feeds and is written from.
struct Settings {
  // Main window placement. Top and Left are only known when the file gave them
  // (otherwise the window keeps its position); they and the size are written
  // only for the normal state.
  WindowState windowState = WindowState::Normal;
  std::optional<int> top;
  std::optional<int> left;
  int width = 940;
  int height = 768;

  // WEBSRV as read and written: "1" or "2" pick a demo server, any other text
  // is a custom demo base URL and hides the server menus; a missing or empty
  // value is server 1.
  std::string webSrv;
  // WEBROOTURL: read, never written; when not empty it is the demo base URL.
  std::string webRootUrl;

  std::string lastDownloadFolder;
  std::vector<std::string> favourites;  // fav0, fav1, ... in order

  // ActivePodpiska. When the file has none, the old keys Login and Password
  // fill login, password and activeAccount, and download0, download1, ... fill
  // downloadedTracks. ActivePodpiska is written as login while both login and
  // password are filled in, else as activeAccount when there is one (an account
  // whose file was missing this time stays named); the other three are never
  // written here.
  std::string activeAccount;
  std::string login;
  std::string password;
  std::vector<std::string> downloadedTracks;

  // The lists' font; nothing when the file has none (or one that does not
  // parse), and the lists keep theirs. ItemHeight is read, never written.
  std::optional<FontSpec> font;
  int itemHeight = 15;

  bool offlineMode = false;
  bool autoplay = false;
  bool nonStop = false;
  bool bkgPlay = false;
  DisplayOptions display;  // ShowName, ShowCode, ShowComposer, ShowArtist, ShowStyle, ShowTime
  int language = 0;        // as the file holds it (LanguageFromNumber); other numbers are kept as read
  bool extPlayer = true;
  bool checkColRowNames = false;
  bool alwaysInfo = false;
  std::string userPlayer;

  // The blocks after the keyed lines, without their prefixes: music set entries
  // in the set list file's line format, and "TrackCode=comment" lines.
  std::vector<std::string> musicSetLines;
  std::vector<std::string> commentLines;

  // The file's keyed lines this program does not write (WEBROOTURL, ItemHeight,
  // keys it does not know), as they stood: written back after the keyed lines,
  // so what the program did not change outlives the close. The old account keys
  // and the favourites are not among them.
  std::vector<std::string> otherLines;

  // 1 or 2 when WEBSRV names a demo server (1 when it is missing or empty), else 0.
  int DemoServerNumber() const;
  // The custom demo base URL WEBSRV holds; empty when it names a server.
  std::string CustomDemoBase() const;

  bool operator==(const Settings&) const = default;
};

// The demo base URL the settings give: WEBROOTURL when not empty, else server 1's
// or server 2's base, else the custom base.
std::string DemoBaseUrl(const Settings& settings, const Endpoints& endpoints);

// The lists' item height: from the font when there is one, else ItemHeight.
int ListItemHeight(const Settings& settings, int pixelsPerInch);

// --- Reading and writing ---------------------------------------------------------
// Applies the lines of a settings file (UTF-8) to settings: every keyed value
// takes what the file says or its default; subscription and placement fields
// the file does not decide stay as they are. Names are matched ignoring case,
// the first line of a name wins.
void ApplySettingsLines(const std::vector<std::string>& lines, Settings& settings);

// What reading the settings file came to.
enum class SettingsFileRead {
  Absent,      // no settings file: settings untouched, the window is centred
  Unreadable,  // a file that cannot be read or holds no line: settings untouched
  Applied,     // its lines were applied
};

// Migrates an older installation first: "kmlb.ini" moves to "trakvella.ini"
// when only the former exists, and the old program "kmlb.exe" is deleted (both
// ignoring errors). Then reads the settings file; problem, when given, gets
// why a file that is there was not read.
SettingsFileRead ReadSettingsFile(const std::filesystem::path& programFolder, Settings& settings,
                                  Status* problem = nullptr);
// The same; false only when there is no settings file.
[[nodiscard]] bool ReadSettings(const std::filesystem::path& programFolder, Settings& settings);

// The lines of the settings file in the order they are written.
std::vector<std::string> SettingsLines(const Settings& settings);

// Writes the settings file (code page 1251, CR LF) as WriteFileReplacing does:
// a failed write leaves the old file whole, and two programs closing at once
// write one after the other. False on failure.
[[nodiscard]] bool WriteSettings(const std::filesystem::path& programFolder, const Settings& settings);

}  // namespace trakvella
