// Settings: reading and writing "trakvella.ini".
#include "core/settings/Settings.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unordered_map>

#include "core/settings/ServerConfig.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"
#include "core/text/TextFields.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;

constexpr int kMinWidth = 940;
constexpr int kMinHeight = 768;
constexpr int kDefaultItemHeight = 15;
constexpr int kMaxItemHeight = 500;
constexpr int kMinFontItemHeight = 19;

std::optional<int> ToInt(std::string_view text) {
  long long value = 0;
  if (!ParseInt(TrimView(text), value) || value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

// a / b rounded to the nearest integer, halves to the even neighbour (b > 0).
long long DivideHalfEven(long long a, long long b) {
  long long q = a / b;
  long long r = a % b;
  if (r < 0) {  // make it a floor division with 0 <= r < b
    --q;
    r += b;
  }
  if (2 * r > b || (2 * r == b && q % 2 != 0)) ++q;
  return q;
}

// The file's lines by name: the first line of each name (compared ignoring
// case), only lines holding "=".
class KeyedLines {
 public:
  explicit KeyedLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      if (line.find('=') == std::string::npos) continue;
      byName_.try_emplace(UpperCase(RowName(line)), RowValue(line));
    }
  }

  const std::string_view* Find(std::string_view name) const {
    auto it = byName_.find(UpperCase(name));
    return it == byName_.end() ? nullptr : &it->second;
  }
  bool Has(std::string_view name) const { return Find(name) != nullptr; }
  std::string Text(std::string_view name) const {
    const std::string_view* value = Find(name);
    return value ? std::string(*value) : std::string();
  }
  // On exactly when the value is "1"; fallback when the key is absent.
  bool Switch(std::string_view name, bool fallback) const {
    const std::string_view* value = Find(name);
    return value ? *value == "1" : fallback;
  }
  std::optional<int> Int(std::string_view name) const {
    const std::string_view* value = Find(name);
    return value ? ToInt(*value) : std::nullopt;
  }
  // Values of prefix0, prefix1, ... while a line of that name exists.
  std::vector<std::string> Numbered(std::string_view prefix) const {
    std::vector<std::string> values;
    for (size_t n = 0;; ++n) {
      const std::string_view* value = Find(std::string(prefix) + std::to_string(n));
      if (!value) break;
      values.emplace_back(*value);
    }
    return values;
  }

 private:
  std::unordered_map<std::string, std::string_view> byName_;
};

// A value goes on one line: a line break inside it would start a line of its
// own that the next start reads as a key or a block entry.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

// The names SettingsLines writes, and the older account keys it never writes
// back; a keyed line of another name is kept as it stands.
bool WrittenOrAccountKey(std::string_view name) {
  static constexpr std::string_view kWritten[] = {"WEBSRV",
                                                  "LastDownloadFolder",
                                                  "ActivePodpiska",
                                                  "State",
                                                  "Top",
                                                  "Left",
                                                  "Width",
                                                  "Height",
                                                  "Font",
                                                  "OfflineMode",
                                                  "Autoplay",
                                                  "NonStop",
                                                  "BkgPlay",
                                                  "ShowName",
                                                  "ShowCode",
                                                  "ShowComposer",
                                                  "ShowArtist",
                                                  "ShowStyle",
                                                  "ShowTime",
                                                  "Language",
                                                  "ExtPlayer",
                                                  "CheckColRowNames",
                                                  "AlwaysInfo",
                                                  "UserPlayer",
                                                  "Login",
                                                  "Password"};
  for (std::string_view written : kWritten)
    if (SameText(name, written)) return true;
  // fav0, fav1, ... and download0, download1, ...
  for (std::string_view prefix : {std::string_view("fav"), std::string_view("download")}) {
    if (name.size() <= prefix.size() || !SameText(name.substr(0, prefix.size()), prefix)) continue;
    const std::string_view digits = name.substr(prefix.size());
    if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return true;
  }
  return false;
}

std::string Key(std::string_view name, std::string_view value) { return std::string(name) + "=" + OneLine(value); }
std::string Key(std::string_view name, bool value) { return std::string(name) + (value ? "=1" : "=0"); }
std::string Key(std::string_view name, int value) { return std::string(name) + "=" + std::to_string(value); }

}  // namespace

// --- The list font --------------------------------------------------------------

std::optional<FontSpec> ParseFontText(std::string_view text) {
  std::string rest(text);
  std::string fields[5];
  for (std::string& field : fields) {
    if (rest.find('|') == std::string::npos) return std::nullopt;
    field = TakeToken("|", rest);
  }
  const std::optional<int> color = ToInt(fields[0]);
  const std::optional<int> height = ToInt(fields[1]);
  const std::optional<int> pitch = ToInt(fields[3]);
  const std::optional<int> size = ToInt(fields[4]);
  if (!color || !height || !pitch || !size || fields[2].empty()) return std::nullopt;
  if (*pitch < 0 || *pitch > 2 || *size < 1 || *size > 1000) return std::nullopt;

  FontSpec font;
  font.color = *color;
  font.height = *height;
  font.name = fields[2];
  font.pitch = *pitch;
  font.size = *size;
  auto styleOn = [&rest](size_t i) { return i < rest.size() && rest[i] == 'y'; };
  font.bold = styleOn(0);
  font.italic = styleOn(1);
  font.underline = styleOn(2);
  font.strikeOut = styleOn(3);
  return font;
}

std::string FontText(const FontSpec& font) {
  std::string text = std::to_string(font.color) + "|" + std::to_string(font.height) + "|" + font.name + "|" +
                     std::to_string(font.pitch) + "|" + std::to_string(font.size) + "|";
  for (bool on : {font.bold, font.italic, font.underline, font.strikeOut}) text += on ? 'y' : 'n';
  return text;
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long product = static_cast<long long>(a) * b;
  long long divisor = c;
  if (divisor < 0) {
    divisor = -divisor;
    product = -product;
  }
  // Round half away from zero on the magnitude.
  const bool negative = product < 0;
  const unsigned long long magnitude =
      negative ? 0ULL - static_cast<unsigned long long>(product) : static_cast<unsigned long long>(product);
  const unsigned long long d = static_cast<unsigned long long>(divisor);
  unsigned long long q = magnitude / d;
  if (2 * (magnitude % d) >= d) ++q;
  if (negative) {
    if (q > static_cast<unsigned long long>(INT_MAX) + 1) return -1;
    return static_cast<int>(-static_cast<long long>(q));
  }
  if (q > static_cast<unsigned long long>(INT_MAX)) return -1;
  return static_cast<int>(q);
}

int ItemHeightForFont(int pixelsPerInch, int sizePoints) {
  const int scaled = MulDiv(MulDiv(sizePoints, 25, 10), 72, pixelsPerInch);
  const long long height = DivideHalfEven(static_cast<long long>(pixelsPerInch) * scaled, 96);
  if (height < kMinFontItemHeight) return kMinFontItemHeight;
  return height > INT_MAX ? INT_MAX : static_cast<int>(height);
}

// --- The model ------------------------------------------------------------------

int Settings::DemoServerNumber() const {
  // No address at all is no custom server (one is never entered empty): the
  // default, server 1, rather than a base no preview plays from.
  if (webSrv == "1" || webSrv.empty()) return 1;
  if (webSrv == "2") return 2;
  return 0;
}

std::string Settings::CustomDemoBase() const { return DemoServerNumber() == 0 ? webSrv : std::string(); }

std::string DemoBaseUrl(const Settings& settings, const Endpoints& endpoints) {
  if (!settings.webRootUrl.empty()) return settings.webRootUrl;
  switch (settings.DemoServerNumber()) {
    case 1:
      return endpoints.demoServer1;
    case 2:
      return endpoints.demoServer2;
    default:
      return settings.webSrv;
  }
}

int ListItemHeight(const Settings& settings, int pixelsPerInch) {
  if (settings.font) return ItemHeightForFont(pixelsPerInch, settings.font->size);
  return settings.itemHeight;
}

// --- Reading ----------------------------------------------------------------------

void ApplySettingsLines(const std::vector<std::string>& lines, Settings& settings) {
  const KeyedLines keys(lines);

  // Placement: a maximized window keeps the placement it had for when it is
  // restored; any other state reads it from the file.
  if (keys.Text("State") == "wsMaximized") {
    settings.windowState = WindowState::Maximized;
  } else {
    settings.windowState = WindowState::Normal;
    if (auto top = keys.Int("Top")) settings.top = top;
    if (auto left = keys.Int("Left")) settings.left = left;
    settings.width = keys.Int("Width").value_or(kMinWidth);
    settings.height = keys.Int("Height").value_or(kMinHeight);
    if (settings.width < kMinWidth) settings.width = kMinWidth;
    if (settings.height < kMinHeight) settings.height = kMinHeight;
  }

  settings.webSrv = keys.Text("WEBSRV");

  settings.itemHeight = keys.Int("ItemHeight").value_or(kDefaultItemHeight);
  if (settings.itemHeight < 1 || settings.itemHeight > kMaxItemHeight) {
    settings.itemHeight = kDefaultItemHeight;
  }
  // A font text that does not parse leaves the lists' font as it is.
  if (const std::string_view* fontText = keys.Find("Font")) {
    if (auto font = ParseFontText(*fontText)) settings.font = std::move(font);
  }

  settings.offlineMode = keys.Switch("OfflineMode", false);
  settings.autoplay = keys.Switch("Autoplay", false);
  settings.nonStop = keys.Switch("NonStop", false);
  settings.bkgPlay = keys.Switch("BkgPlay", false);
  settings.display.showName = keys.Switch("ShowName", true);
  settings.display.showCode = keys.Switch("ShowCode", true);
  settings.display.showComposer = keys.Switch("ShowComposer", false);
  settings.display.showArtist = keys.Switch("ShowArtist", false);
  settings.display.showStyle = keys.Switch("ShowStyle", true);
  settings.display.showTime = keys.Switch("ShowTime", true);
  settings.lastDownloadFolder = keys.Text("LastDownloadFolder");
  settings.language = keys.Int("Language").value_or(0);
  settings.extPlayer = keys.Switch("ExtPlayer", true);
  settings.checkColRowNames = keys.Switch("CheckColRowNames", false);
  settings.alwaysInfo = keys.Switch("AlwaysInfo", false);
  settings.userPlayer = keys.Text("UserPlayer");
  settings.webRootUrl = keys.Text("WEBROOTURL");

  // The account: the active account's name, or the account older versions kept
  // in this file.
  settings.downloadedTracks.clear();
  settings.activeAccount = keys.Text("ActivePodpiska");
  if (settings.activeAccount.empty()) {
    if (keys.Has("Login")) {
      settings.login = keys.Text("Login");
      settings.activeAccount = settings.login;
    }
    if (keys.Has("Password")) settings.password = keys.Text("Password");
    for (const std::string& value : keys.Numbered("download")) {
      settings.downloadedTracks.push_back(value.substr(0, value.find(',')));
    }
  }

  settings.favourites = keys.Numbered("fav");

  // The blocks: a line belongs to one when it begins with the block's prefix.
  // Matching the prefix anywhere in a line would also take keyed lines whose
  // values hold it ("LastDownloadFolder=/home/me/musicset/").
  settings.commentLines.clear();
  settings.musicSetLines.clear();
  settings.otherLines.clear();
  for (const std::string& line : lines) {
    if (line.starts_with(kCommentsPrefix)) {
      settings.commentLines.push_back(line.substr(kCommentsPrefix.size()));
    } else if (line.starts_with(kMusicSetPrefix)) {
      settings.musicSetLines.push_back(line.substr(kMusicSetPrefix.size()));
    } else if (line.find('=') != std::string::npos && !RowName(line).empty() && !WrittenOrAccountKey(RowName(line))) {
      settings.otherLines.push_back(line);
    }
  }
}

SettingsFileRead ReadSettingsFile(const fs::path& programFolder, Settings& settings, Status* problem) {
  std::error_code ec;
  const fs::path file = programFolder / kSettingsFileName;
  const fs::path legacy = programFolder / kLegacySettingsFileName;
  // An older installation's file moves to the new name, never over a file the
  // program already wrote; the old program goes (only a file of that name).
  if (fs::exists(legacy, ec) && !fs::exists(file, ec)) fs::rename(legacy, file, ec);
  const fs::path oldProgram = programFolder / kLegacyProgramFileName;
  if (fs::is_regular_file(oldProgram, ec)) fs::remove(oldProgram, ec);

  if (!fs::exists(file, ec)) return SettingsFileRead::Absent;

  // A file that cannot be read (a folder or a pipe of that name, say) leaves
  // the settings as they are.
  std::string bytes;
  if (Status read = ReadWholeFile(file, bytes, FileKind::Settings); !read.ok()) {
    if (problem) *problem = std::move(read);
    return SettingsFileRead::Unreadable;
  }
  const std::vector<std::string> lines = SplitLines(Cp1251ToUtf8(bytes));
  if (lines.empty()) return SettingsFileRead::Unreadable;
  ApplySettingsLines(lines, settings);
  return SettingsFileRead::Applied;
}

bool ReadSettings(const fs::path& programFolder, Settings& settings) {
  return ReadSettingsFile(programFolder, settings) != SettingsFileRead::Absent;
}

// --- Writing ----------------------------------------------------------------------

std::vector<std::string> SettingsLines(const Settings& settings) {
  std::vector<std::string> lines;
  lines.reserve(30 + settings.favourites.size() + settings.otherLines.size() + settings.musicSetLines.size() +
                settings.commentLines.size());

  lines.push_back(Key("WEBSRV", settings.webSrv));
  lines.push_back(Key("LastDownloadFolder", settings.lastDownloadFolder));
  for (size_t n = 0; n < settings.favourites.size(); ++n) {
    lines.push_back(Key("fav" + std::to_string(n), settings.favourites[n]));
  }
  if (!settings.login.empty() && !settings.password.empty()) {
    lines.push_back(Key("ActivePodpiska", settings.login));
  } else if (!settings.activeAccount.empty()) {
    lines.push_back(Key("ActivePodpiska", settings.activeAccount));
  }

  switch (settings.windowState) {
    case WindowState::Maximized:
      lines.push_back("State=wsMaximized");
      break;
    case WindowState::Normal:
      lines.push_back("State=wsNormal");
      if (settings.top) lines.push_back(Key("Top", *settings.top));
      if (settings.left) lines.push_back(Key("Left", *settings.left));
      lines.push_back(Key("Width", settings.width));
      lines.push_back(Key("Height", settings.height));
      break;
    case WindowState::Minimized:
      break;
  }

  // An unknown font is written empty, which the next start reads as none.
  lines.push_back(Key("Font", settings.font ? FontText(*settings.font) : std::string()));
  lines.push_back(Key("OfflineMode", settings.offlineMode));
  lines.push_back(Key("Autoplay", settings.autoplay));
  lines.push_back(Key("NonStop", settings.nonStop));
  lines.push_back(Key("BkgPlay", settings.bkgPlay));
  lines.push_back(Key("ShowName", settings.display.showName));
  lines.push_back(Key("ShowCode", settings.display.showCode));
  lines.push_back(Key("ShowComposer", settings.display.showComposer));
  lines.push_back(Key("ShowArtist", settings.display.showArtist));
  lines.push_back(Key("ShowStyle", settings.display.showStyle));
  lines.push_back(Key("ShowTime", settings.display.showTime));
  lines.push_back(Key("Language", settings.language));
  lines.push_back(Key("ExtPlayer", settings.extPlayer));
  lines.push_back(Key("CheckColRowNames", settings.checkColRowNames));
  lines.push_back(Key("AlwaysInfo", settings.alwaysInfo));
  lines.push_back(Key("UserPlayer", settings.userPlayer));
  for (const std::string& line : settings.otherLines) lines.push_back(OneLine(line));

  lines.emplace_back(kMusicSetMarker);
  for (const std::string& line : settings.musicSetLines) {
    lines.push_back(std::string(kMusicSetPrefix) + OneLine(line));
  }
  lines.emplace_back(kCommentsMarker);
  for (const std::string& line : settings.commentLines) {
    lines.push_back(std::string(kCommentsPrefix) + OneLine(line));
  }
  return lines;
}

bool WriteSettings(const fs::path& programFolder, const Settings& settings) {
  const std::string bytes = Utf8ToCp1251(JoinLinesCrLf(SettingsLines(settings)));
  return WriteFileReplacing(programFolder / kSettingsFileName, bytes).ok();
}

}  // namespace trakvella
