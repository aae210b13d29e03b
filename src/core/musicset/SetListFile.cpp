// The set list file, the M3U playlist and the set's settings lines.
#include "core/musicset/SetListFile.h"

#include <algorithm>
#include <cstring>
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
  // With two commas or more the separators are the last two; with one, it is.
  const size_t last = line.rfind(',');
  SetLineViews fields;
  if (last == std::string_view::npos) {
    // Every field reads as the whole line.
    fields.line = TrimView(line);
    fields.folder = fields.line;
    fields.name = fields.line;
    return fields;
  }
  const size_t before = last == 0 ? std::string_view::npos : line.rfind(',', last - 1);
  const size_t first = before == std::string_view::npos ? last : before;
  const size_t second = before == std::string_view::npos ? std::string_view::npos : last;
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
  for (size_t i = name.size(); i-- > 0;)
    if (name[i] == '\\' || name[i] == '/') {
      name.remove_prefix(i + 1);
      break;
    }
  for (size_t i = name.size(); i-- > 0;)
    if (name[i] == '.') {
      name = name.substr(0, i);
      break;
    }
  for (char c : name)
    if (static_cast<unsigned char>(c) >= 0x80) return UpperCase(name);
  // Plain ASCII, as codes are: only a-z change.
  std::string code(name);
  for (char& c : code)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return code;
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

std::vector<std::string_view> SetListLineViews(std::string_view text) {
  // Cut as SplitLines cuts: at CR LF, CR or LF; no line after a final line end.
  // The next CR and the next LF are each found by memchr.
  const size_t n = text.size();
  auto next = [&](char c, size_t from) {
    const void* at = from < n ? std::memchr(text.data() + from, c, n - from) : nullptr;
    return at ? static_cast<size_t>(static_cast<const char*>(at) - text.data()) : n;
  };
  std::vector<std::string_view> lines;
  lines.reserve(n / 64 + 1);
  size_t start = 0, cr = next('\r', 0), lf = next('\n', 0);
  for (size_t end = std::min(cr, lf); end < n; end = std::min(cr, lf)) {
    lines.push_back(text.substr(start, end - start));
    start = end + (end == cr && end + 1 < n && text[end + 1] == '\n' ? 2 : 1);
    if (cr < start) cr = next('\r', start);
    if (lf < start) lf = next('\n', start);
  }
  if (start < n) lines.push_back(text.substr(start));
  return lines;
}

Status ReadSetListInto(const fs::path& file, MusicSet& set, size_t* added) {
  std::string bytes;
  Status read = ReadWholeFile(file, bytes, FileKind::SetList);
  if (!read.ok()) return read;
  const std::string text = Cp1251ToUtf8(bytes);
  bytes = std::string();
  const size_t count = set.LoadSetLines(SetListLineViews(text));
  if (added) *added = count;
  return read;
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

fs::path SaveTarget(const std::string& chosen, std::string_view extension, Dialogs& dialogs, Language language) {
  if (chosen.empty()) return {};
  const fs::path file = WithDefaultExtension(chosen, extension);
  std::error_code ec;
  if (file != fs::path(chosen) && fs::exists(file, ec) &&
      dialogs.Message(LangMessage(language, Msg::ReplaceFile) + file.string(), MessageKind::Warning,
                      MessageButtons::YesNoDefaultNo) != MessageAnswer::Yes)
    return {};
  return file;
}

bool SaveSetAs(const MusicSet& set, Dialogs& dialogs, Language language) {
  const std::string chosen =
      dialogs.SaveFileName(LangMessage(language, Msg::SaveRq2Title), LangMessage(language, Msg::Rq2Filter), "");
  const fs::path file = SaveTarget(chosen, kSetListExtension, dialogs, language);
  return !file.empty() && WriteSetListFile(file, set);
}

size_t LoadSetFrom(MusicSet& set, Dialogs& dialogs, Language language) {
  const std::string chosen =
      dialogs.OpenFileName(LangMessage(language, Msg::OpenRq2Title), LangMessage(language, Msg::Rq2Filter), "");
  if (chosen.empty()) return 0;
  return LoadSetListFile(set, chosen, dialogs, language);
}

size_t LoadSetListFile(MusicSet& set, const fs::path& file, Dialogs& dialogs, Language language) {
  size_t added = 0;
  if (Status read = ReadSetListInto(file, set, &added); !read.ok()) {
    dialogs.Message(FileReadMessage(language, file, read, FileKind::SetList), MessageKind::Error, MessageButtons::Ok);
    return 0;
  }
  return added;
}

bool SavePlaylistAs(const MusicSet& set, Dialogs& dialogs, Language language, std::string_view demoBaseUrl) {
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
