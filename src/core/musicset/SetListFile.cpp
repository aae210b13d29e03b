// The set list file, the M3U playlist and the set's settings lines.
#include "core/musicset/SetListFile.h"

#include <system_error>

#include "core/catalogue/TrackCodes.h"
#include "core/lang/FileMessages.h"
#include "core/lang/MessageTable.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"
#include "core/text/TextFields.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSetListExtension = ".rq2";
constexpr std::string_view kM3uExtension = ".m3u";

}  // namespace

SetLineViews SplitSetLineViews(std::string_view line) {
  size_t commas = 0;
  for (char c : line)
    if (c == ',') ++commas;
  SetLineViews fields;
  if (commas == 0) {
    // Every field reads as the whole line.
    fields.line = TrimView(line);
    fields.folder = fields.line;
    fields.name = fields.line;
    return fields;
  }
  size_t first, second;
  if (commas > 2) {
    second = line.rfind(',');
    first = line.rfind(',', second - 1);
  } else {
    first = line.find(',');
    second = line.find(',', first + 1);  // npos with one comma
  }
  fields.line = TrimView(line.substr(0, first));
  if (second == std::string_view::npos) {
    // One comma: fields 1 and 2 both read as the text after it.
    fields.folder = TrimView(line.substr(first + 1));
    fields.name = fields.folder;
  } else {
    fields.folder = TrimView(line.substr(first + 1, second - first - 1));
    fields.name = TrimView(line.substr(second + 1));
  }
  return fields;
}

SetLineFields SplitSetLine(std::string_view line) {
  const SetLineViews views = SplitSetLineViews(line);
  return {std::string(views.line), std::string(views.folder), std::string(views.name)};
}

std::string CodeFromName(std::string_view name) {
  const size_t slash = name.find_last_of("\\/");
  if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return UpperCase(name);
}

std::string SetListLine(const MusicSetEntry& entry) {
  std::string line;
  line.reserve(entry.code.size() + entry.context.size() + entry.projectFolder.size() + entry.projectName.size() + 3);
  line += entry.code;
  line += '=';
  line += entry.context;
  line += ',';
  line += entry.projectFolder;
  line += ',';
  line += entry.projectName;
  return line;
}

std::vector<std::string> SetListLines(const MusicSet& set) {
  const std::vector<HeldLine>& held = set.heldLines();
  std::vector<std::string> lines;
  lines.reserve(set.size() + held.size());
  size_t h = 0;
  for (size_t i = 0; i <= set.size(); ++i) {
    // The entries this load lacks go back in their places.
    for (; h < held.size() && held[h].before <= i; ++h) lines.push_back(held[h].line);
    if (i < set.size()) lines.push_back(SetListLine(set[i]));
  }
  return lines;
}

Status ReadSetListFile(const fs::path& file, std::vector<std::string>& lines) {
  lines.clear();
  std::string bytes;
  Status read = ReadWholeFile(file, bytes, FileKind::SetList);
  if (read.ok()) lines = SplitLines(Cp1251ToUtf8(bytes));
  return read;
}

bool ReplaceFileContents(const fs::path& file, std::string_view bytes) { return WriteFileReplacing(file, bytes).ok(); }

bool WriteSetListFile(const fs::path& file, const MusicSet& set) {
  return ReplaceFileContents(file, Utf8ToCp1251(JoinLinesCrLf(SetListLines(set))));
}

std::vector<std::string> M3uLines(const MusicSet& set, std::string_view demoBaseUrl) {
  std::vector<std::string> lines;
  lines.reserve(set.size());
  for (size_t i = 0; i < set.size(); ++i) lines.push_back(TrackPathOrUrl(set.TrackOf(i).location, demoBaseUrl));
  return lines;
}

namespace {

std::string M3uBytes(const MusicSet& set, std::string_view demoBaseUrl) {
  std::string bytes;
  for (size_t i = 0; i < set.size(); ++i) {
    const std::string& location = set.TrackOf(i).location;
    // A player opens a local file by the name the file system holds; only a
    // demo address keeps the playlist's old code page.
    bytes += IsDemoName(location) ? Utf8ToCp1251(TrackPathOrUrl(location, demoBaseUrl)) : location;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace

bool WriteM3uFile(const fs::path& file, const MusicSet& set, std::string_view demoBaseUrl) {
  return ReplaceFileContents(file, M3uBytes(set, demoBaseUrl));
}

fs::path WithDefaultExtension(const std::string& chosen, std::string_view extension) {
  fs::path file(chosen);
  if (!file.has_extension()) file += std::string(extension);
  return file;
}

fs::path SaveTarget(const std::string& chosen, std::string_view extension, Dialogs& dialogs, int language) {
  if (chosen.empty()) return {};
  const fs::path file = WithDefaultExtension(chosen, extension);
  std::error_code ec;
  if (file != fs::path(chosen) && fs::exists(file, ec) &&
      dialogs.Message(LangMessage(language, Msg::ReplaceFile) + file.string(), MessageKind::Warning,
                      MessageButtons::YesNoDefaultNo) != MessageAnswer::Yes)
    return {};
  return file;
}

bool SaveSetAs(const MusicSet& set, Dialogs& dialogs, int language) {
  const std::string chosen =
      dialogs.SaveFileName(LangMessage(language, Msg::SaveRq2Title), LangMessage(language, Msg::Rq2Filter), "");
  const fs::path file = SaveTarget(chosen, kSetListExtension, dialogs, language);
  return !file.empty() && WriteSetListFile(file, set);
}

size_t LoadSetFrom(MusicSet& set, Dialogs& dialogs, int language) {
  const std::string chosen =
      dialogs.OpenFileName(LangMessage(language, Msg::OpenRq2Title), LangMessage(language, Msg::Rq2Filter), "");
  if (chosen.empty()) return 0;
  return LoadSetListFile(set, chosen, dialogs, language);
}

size_t LoadSetListFile(MusicSet& set, const fs::path& file, Dialogs& dialogs, int language) {
  std::vector<std::string> lines;
  if (Status read = ReadSetListFile(file, lines); !read.ok()) {
    dialogs.Message(FileReadMessage(language, file, read, FileKind::SetList), MessageKind::Error, MessageButtons::Ok);
    return 0;
  }
  return set.LoadSet(lines);
}

bool SavePlaylistAs(const MusicSet& set, Dialogs& dialogs, int language, std::string_view demoBaseUrl) {
  const std::string chosen =
      dialogs.SaveFileName(LangMessage(language, Msg::SaveM3uTitle), LangMessage(language, Msg::M3uFilter), "");
  const fs::path file = SaveTarget(chosen, kM3uExtension, dialogs, language);
  return !file.empty() && WriteM3uFile(file, set, demoBaseUrl);
}

void RestoreMusicSet(MusicSet& set, const Settings& settings) {
  set.Clear();
  set.LoadSet(settings.musicSetLines);
}

void StoreMusicSet(const MusicSet& set, Settings& settings) { settings.musicSetLines = SetListLines(set); }

}  // namespace trakvella
