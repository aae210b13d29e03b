// TrackCodes: track codes, locations, demo names, durations and file listing.
#include "core/catalogue/TrackCodes.h"

#include <algorithm>
#include <system_error>
#include <unordered_set>

#include "core/lang/MessageTable.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCodePrefix = "KMLB_";
constexpr size_t kTrackCodeLength = 12;
constexpr size_t kCdCodeLength = 8;

void AppendPadded(std::string& out, long long value, size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) out.append(width - digits.size(), '0');
  out += digits;
}

// The extension of a file name with its dot: the text from the last "." on.
std::string_view ExtensionOf(std::string_view name) {
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// One walk of ListFiles.
class FileWalk {
 public:
  FileWalk(std::string_view extensionFilter, std::string_view nameFilter, int progressMode, Progress& progress,
           Language language, std::vector<std::string>& out)
      : extensionFilter_(extensionFilter),
        nameFilter_(nameFilter),
        progressMode_(progressMode),
        progress_(progress),
        out_(out) {
    // The small status line counts folders, tracks or track lists.
    if (progressMode_ == 1) statusPrefix_ = LangMessage(language, Msg::FoldersFound);
    if (progressMode_ == 2) statusPrefix_ = LangMessage(language, Msg::TracksFound);
    if (progressMode_ == 3) statusPrefix_ = LangMessage(language, Msg::TracklistsFound);
  }

  size_t mp3Count() const { return mp3Count_; }

  // Walks folder; realFolder is its path with every link resolved, which tells
  // a folder reached a second time through a link.
  void Walk(const std::string& folder, std::string realFolder) {
    if (!visited_.insert(realFolder).second) return;
    if (!statusPrefix_.empty()) {
      progress_.SetStatus(statusPrefix_ + std::to_string(out_.size()));
      progress_.pump();
    }

    // Collect the folder's entries first so they can be visited by name: the
    // file system's own order varies, and the loader matches files fastest
    // when they come in catalogue order.
    std::string base = folder;
    if (!base.empty() && base.back() != '/') base += '/';
    std::vector<Entry> entries;
    const bool read = Files().ListFolder(folder, [&](const FolderEntry& entry) {
      Entry& item = entries.emplace_back();
      item.path.reserve(base.size() + entry.name.size());
      item.path = base;
      item.path += entry.name;
      item.nameStart = base.size();
      item.directory = entry.folder;
      item.link = entry.link;
    });
    if (!read) return;
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name() < b.name(); });

    for (Entry& item : entries) {
      if (item.directory) {
        std::string realSub;
        if (item.link) {
          std::error_code linkError;
          realSub = fs::canonical(item.path, linkError).native();
          if (linkError) continue;
        } else {
          realSub = realFolder;
          if (realSub.empty() || realSub.back() != '/') realSub += '/';
          realSub += item.name();
        }
        Walk(item.path, std::move(realSub));
      } else {
        Consider(item);
      }
    }
  }

 private:
  struct Entry {
    std::string path;
    size_t nameStart = 0;
    bool directory = false;
    bool link = false;
    std::string_view name() const { return std::string_view(path).substr(nameStart); }
  };

  void Consider(Entry& item) {
    std::string_view name = item.name();
    std::string_view extension = ExtensionOf(name);
    if (progressMode_ == 1 && EqualsLowerCase(extension, ".mp3")) ++mp3Count_;
    if (!extensionFilter_.empty() && !EqualsLowerCase(extension, extensionFilter_)) return;
    if (!nameFilter_.empty() && name.find(nameFilter_) == std::string_view::npos) return;
    out_.push_back(std::move(item.path));
  }

  std::string_view extensionFilter_;
  std::string_view nameFilter_;
  int progressMode_;
  Progress& progress_;
  std::vector<std::string>& out_;
  std::string statusPrefix_;
  size_t mp3Count_ = 0;
  std::unordered_set<std::string> visited_;
};

}  // namespace

std::string CodeFromText(std::string_view text, bool last) {
  size_t at = last ? text.rfind(kCodePrefix) : text.find(kCodePrefix);
  if (at == std::string_view::npos) return {};
  std::string code = UpperCase(FirstChars(text.substr(at), kTrackCodeLength));
  std::replace(code.begin(), code.end(), ' ', '_');
  if (CharCount(code) != kTrackCodeLength) return {};
  return code;
}

std::string CdCodeOf(std::string_view trackCode) { return FirstChars(trackCode, kCdCodeLength); }

int CdNumberOf(std::string_view code) {
  std::string digits = MidChars(code, 5, 3);
  if (digits.empty()) return 0;
  int number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number;
}

std::string SanitiseFileName(std::string_view text) {
  constexpr std::string_view kForbidden = "\\/:*?<>|\"";
  std::string clean;
  clean.reserve(text.size());
  for (char c : text) {
    if (kForbidden.find(c) == std::string_view::npos) clean += c;
  }
  return clean;
}

std::string DemoName(std::string_view trackCode) {
  std::string name;
  name.reserve(32);
  name += FirstChars(trackCode, kCdCodeLength);
  name += '/';
  name += FirstChars(trackCode, kTrackCodeLength);
  name += ".mp3";
  return name;
}

bool IsDemoName(std::string_view location) {
  // A demo name is the CD code, "/" and the demo file; local locations are full
  // paths, which on this system hold "/" too but begin with it.
  size_t slash = location.find('/');
  return slash != std::string_view::npos && slash > 0 && location.find('/', slash + 1) == std::string_view::npos;
}

std::string DemoFileName(std::string_view trackCode, std::string_view title) {
  std::string name(trackCode);
  name += ' ';
  name += SanitiseFileName(title);
  name += ".mp3";
  return name;
}

std::string TrackPathOrUrl(std::string_view location, std::string_view demoBaseUrl) {
  if (!IsDemoName(location)) return std::string(location);
  std::string url(demoBaseUrl);
  url += location;
  return url;
}

std::string FormatDuration(long long ms, DurationForm form, Language language) {
  if (ms < 0) ms = 0;
  long long s = ms / 1000;
  long long f = ms - s * 1000;
  long long m = s / 60;
  long long h = m / 60;
  long long mm = m - h * 60;
  long long ss = s - m * 60;
  bool russian = language == Language::Russian;
  std::string_view hourWord = russian ? " ч. " : "h:";
  std::string_view minuteWord = russian ? " мин. " : "m:";
  std::string_view secondWord = russian ? " сек." : "s";

  std::string text;
  switch (form) {
    case DurationForm::MinutesSeconds:
      AppendPadded(text, mm, 2);
      text += ':';
      AppendPadded(text, ss, 2);
      break;
    case DurationForm::HoursMinutes:
    case DurationForm::HoursMinutesSeconds:
      text += std::to_string(h);
      text += hourWord;
      AppendPadded(text, mm, 2);
      text += minuteWord;
      if (form == DurationForm::HoursMinutesSeconds) {
        AppendPadded(text, ss, 2);
        text += secondWord;
      }
      break;
    case DurationForm::HoursDotMinutes:
      text += std::to_string(h);
      text += '.';
      AppendPadded(text, mm, 2);
      break;
    case DurationForm::SecondsMillis:
      AppendPadded(text, ss, 2);
      text += '.';
      AppendPadded(text, f, 3);
      break;
    case DurationForm::Clock:
      text += std::to_string(h);
      text += ':';
      AppendPadded(text, mm, 2);
      text += ':';
      AppendPadded(text, ss, 2);
      break;
    default:
      break;
  }
  return text;
}

size_t ListFiles(const fs::path& folder, std::string_view extensionFilter, std::string_view nameFilter,
                 int progressMode, Progress& progress, Language language, std::vector<std::string>& out) {
  std::error_code ec;
  fs::path real = fs::canonical(folder, ec);
  if (ec) return 0;
  FileWalk walk(extensionFilter, nameFilter, progressMode, progress, language, out);
  walk.Walk(folder.native(), real.native());
  return walk.mp3Count();
}

}  // namespace trakvella
