// MusicSet: adding, removing and totalling the entries of the music set.
#include "core/musicset/MusicSet.h"

#include <algorithm>
#include <unordered_set>

#include "core/catalogue/TrackCodes.h"
#include "core/catalogue/TrackRef.h"
#include "core/lang/MessageTable.h"
#include "core/musicset/SetListFile.h"
#include "core/text/Text.h"

namespace trakvella {
namespace {

// A number of at most two ASCII digits; 0 for anything else.
long long TwoDigits(std::string_view text) {
  if (text.empty()) return 0;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Whether a code is 12 characters long (12 bytes are 12 characters only in ASCII).
bool HasTrackCodeLength(std::string_view code) {
  if (code.size() < kTrackCodeLength) return false;
  if (code.size() > kTrackCodeLength) return CharCount(code) == kTrackCodeLength;
  for (char c : code)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// The view of a set without windows.
MusicSetView& NoView() {
  static MusicSetView none;
  return none;
}

}  // namespace

long long DurationMs(std::string_view duration) {
  // Characters 1-2 and 4-5; plain ASCII durations are cut by bytes.
  bool ascii = true;
  for (size_t i = 0; i < duration.size() && i < 5; ++i)
    if (static_cast<unsigned char>(duration[i]) >= 0x80) ascii = false;
  if (ascii) {
    std::string_view minutes = duration.substr(0, 2);
    std::string_view seconds = duration.size() > 3 ? duration.substr(3, 2) : std::string_view();
    return TwoDigits(minutes) * 60000 + TwoDigits(seconds) * 1000;
  }
  return TwoDigits(MidChars(duration, 0, 2)) * 60000 + TwoDigits(MidChars(duration, 3, 2)) * 1000;
}

std::string SetFullMessage(Language language, size_t refused) {
  const std::string count = std::to_string(refused);
  const std::string capacity = std::to_string(kMusicSetCapacity);
  if (language == Language::Russian)
    return "В наборе может быть не более " + capacity + " треков. Не добавлено треков: " + count;
  return "A music set holds at most " + capacity + " tracks. Tracks not added: " + count;
}

MusicSet::MusicSet(const Catalogue& catalogue, Dialogs& dialogs, const Language& language)
    : catalogue_(catalogue), dialogs_(dialogs), language_(language), view_(&NoView()) {}

void MusicSet::SetView(MusicSetView* view) { view_ = view ? view : &NoView(); }

void MusicSet::Changed() const { view_->SetChanged(); }

std::vector<std::string> MusicSet::Codes() const {
  std::vector<std::string> codes;
  codes.reserve(entries_.size());
  for (const auto& entry : entries_) codes.push_back(entry.code);
  return codes;
}

bool MusicSet::Contains(std::string_view code) const { return counts_.Contains(code); }

int MusicSet::IndexOf(std::string_view code) const {
  if (!Contains(code)) return -1;
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].code == code) return static_cast<int>(i);
  return -1;
}

const TrackRecord& MusicSet::TrackOf(size_t position) const {
  const MusicSetEntry& entry = entries_[position];
  return catalogue_.Track(entry.cdIndex, entry.trackIndex);
}

std::string MusicSet::DefaultContext(int cd, ContextCategory item) const {
  const CdRecord& record = catalogue_.Cd(cd);
  const size_t index = static_cast<size_t>(item);
  std::string context = index < record.categories.size() ? record.categories[index] : std::string();
  context += kContextSeparator;
  context += record.cdText;
  return context;
}

void MusicSet::CountIn(const std::string& code) { counts_.Add(code); }

void MusicSet::CountOut(const std::string& code) { counts_.Remove(code); }

void MusicSet::AppendUnchecked(MusicSetEntry&& entry) {
  CountIn(entry.code);
  entries_.push_back(std::move(entry));
}

bool MusicSet::Append(MusicSetEntry entry) {
  if (Full()) return false;
  AppendUnchecked(std::move(entry));
  return true;
}

void MusicSet::RefuseMessage(size_t refused) {
  if (refused > 0) dialogs_.Message(SetFullMessage(Lang(), refused), MessageKind::Warning, MessageButtons::Ok);
}

bool MusicSet::FillOne(const LineViews& in, FillMode mode, bool reportUnknown) {
  const size_t equals = in.line.find('=');
  const bool hasContext = equals != std::string_view::npos;
  const std::string code = CodeFromName(TrimView(in.line.substr(0, equals)));
  if (!HasTrackCodeLength(code)) return true;
  const auto [cd, track] = catalogue_.LocateTrack(code);
  if (cd < 0) {
    if (LibraryListsTrack(code)) {
      // A track of the library this load lacks (an offline load): the entry
      // stays in its place as its line, unseen until a load holds the track.
      if (mode == FillMode::SkipPresent && Held(code)) return true;
      if (Full()) return false;
      std::string line;
      line.reserve(in.line.size() + in.folder.size() + in.project.size() + 2);
      line.append(in.line).append(",").append(in.folder).append(",").append(in.project);
      held_.push_back({entries_.size(), std::move(line)});
      return true;
    }
    if (reportUnknown) dialogs_.Message(std::to_string(in.index) + ": " + code);
    return true;
  }
  const std::string& catalogueCode = catalogue_.Track(cd, track).code;
  if (mode == FillMode::SkipPresent && Contains(catalogueCode)) return true;
  if (Full()) return false;
  AppendUnchecked({catalogueCode,
                   hasContext ? std::string(in.line.substr(equals + 1)) : DefaultContext(cd, ContextCategory::Specific),
                   std::string(in.folder), std::string(in.project), cd, track});
  return true;
}

void MusicSet::MakeRoom(size_t lines) {
  // Room for a list's entries at once, growing as push_back would.
  const size_t wanted = std::min(kMusicSetCapacity, entries_.size() + lines);
  if (wanted > entries_.capacity()) entries_.reserve(std::max(wanted, entries_.capacity() * 2));
}

size_t MusicSet::FillMem(const FillLines& lines, FillMode mode) {
  const bool reportUnknown = view_->DeveloperMenuShown();
  const size_t before = entries_.size();
  size_t refused = 0;
  MakeRoom(lines.size());
  for (size_t i = 0; i < lines.items.size(); ++i) {
    const FillLine& in = lines.items[i];
    if (!FillOne({in.line, in.folder, in.name, i}, mode, reportUnknown)) ++refused;
  }
  RefuseMessage(refused);
  Changed();
  return entries_.size() - before;
}

size_t MusicSet::LoadSet(const std::vector<std::string>& lines) {
  return LoadSetLines(std::vector<std::string_view>(lines.begin(), lines.end()));
}

size_t MusicSet::LoadSetLines(const std::vector<std::string_view>& lines) {
  // Each line is cut into views of itself; only the entry's own fields are copied.
  const bool reportUnknown = view_->DeveloperMenuShown();
  const size_t before = entries_.size();
  size_t refused = 0;
  MakeRoom(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const SetLineViews fields = SplitSetLineViews(lines[i]);
    if (!FillOne({fields.line, fields.folder, fields.name, i}, FillMode::AppendAll, reportUnknown)) ++refused;
  }
  RefuseMessage(refused);
  Changed();
  return entries_.size() - before;
}

ToggleResult MusicSet::AddFromMainList(const std::vector<TrackRef>& rows, int selectedRow,
                                       const std::string& currentPath) {
  if (selectedRow < 0 || static_cast<size_t>(selectedRow) >= rows.size()) return ToggleResult::Nothing;
  const auto [cd, track] = rows[selectedRow];
  const TrackRecord& record = catalogue_.Track(cd, track);
  const int present = IndexOf(record.code);
  if (present >= 0) {
    selection_ = present;
    RemoveAt(static_cast<size_t>(present));
    return ToggleResult::Removed;
  }
  if (Full()) {
    RefuseMessage(1);
    return ToggleResult::Refused;
  }
  AppendUnchecked({record.code, currentPath.empty() ? DefaultContext(cd, ContextCategory::Specific) : currentPath,
                   std::string(kCatalogueProject), std::string(kCatalogueProject), cd, track});
  Changed();
  return ToggleResult::Added;
}

size_t MusicSet::AddAll(const std::vector<TrackRef>& rows, const std::string& currentPath, Progress& progress) {
  progress.ShowProgress(LangMessage(Lang(), Msg::Adding), ProgressMode::Show);
  size_t added = 0, refused = 0;
  entries_.reserve(std::min(kMusicSetCapacity, entries_.size() + rows.size()));
  for (const auto& [cd, track] : rows) {
    progress.pump();
    const TrackRecord& record = catalogue_.Track(cd, track);
    if (Contains(record.code)) continue;
    if (Full()) {
      ++refused;
      continue;
    }
    AppendUnchecked({record.code, currentPath.empty() ? DefaultContext(cd, ContextCategory::LibraryWide) : currentPath,
                     std::string(kCatalogueProject), std::string(kCatalogueProject), cd, track});
    ++added;
  }
  progress.ShowProgress("", ProgressMode::Hide);
  RefuseMessage(refused);
  Changed();
  return added;
}

void MusicSet::RemoveAt(size_t position) {
  if (position >= entries_.size()) return;
  CountOut(entries_[position].code);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
  // Held entries after it stay between the same neighbours.
  for (HeldLine& held : held_)
    if (held.before > position) --held.before;
  const long long p = static_cast<long long>(position);
  const long long newCount = static_cast<long long>(entries_.size());
  selection_ = static_cast<int>(p > 0 && p == newCount - 1 ? p - 1 : p);
  Changed();
}

void MusicSet::Clear() {
  entries_.clear();
  held_.clear();
  counts_.Clear();
  Changed();
}

bool MusicSet::AskAndClear() {
  if (dialogs_.Message(LangMessage(Lang(), Msg::ClearMusicSet), MessageKind::Confirmation,
                       MessageButtons::YesNoDefaultNo) != MessageAnswer::Yes)
    return false;
  view_->StopPlayback();
  Clear();
  return true;
}

size_t MusicSet::RemoveDuplicates() {
  // Mark the later occurrences, then drop them in one pass (removing them one
  // at a time would cost the square of the set's size).
  std::vector<char> keep(entries_.size(), 1);
  std::vector<size_t> removed;
  {
    std::unordered_set<std::string_view> seen;
    seen.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i)
      if (!seen.insert(entries_[i].code).second) {
        keep[i] = 0;
        removed.push_back(i);
      }
  }
  if (removed.empty()) {
    Changed();
    return 0;
  }
  // The remembered selection moves as if the marked entries had been removed
  // one at a time, the last first.
  long long count = static_cast<long long>(entries_.size());
  for (auto it = removed.rbegin(); it != removed.rend(); ++it) {
    const long long p = static_cast<long long>(*it);
    --count;
    selection_ = static_cast<int>(p > 0 && p == count - 1 ? p - 1 : p);
  }
  Compact(keep);
  Changed();
  return removed.size();
}

void MusicSet::Compact(const std::vector<char>& keep) {
  std::vector<HeldLine> held;
  held.reserve(held_.size());
  size_t h = 0, out = 0;
  for (size_t i = 0; i <= entries_.size(); ++i) {
    // The held lines that stood before entry i now stand before its successor
    // among the kept ones.
    for (; h < held_.size() && held_[h].before <= i; ++h) held.push_back({out, std::move(held_[h].line)});
    if (i == entries_.size()) break;
    if (keep[i]) {
      if (out != i) entries_[out] = std::move(entries_[i]);
      ++out;
    }
  }
  entries_.resize(out);
  held_ = std::move(held);
  counts_.Clear();
  for (const auto& entry : entries_) CountIn(entry.code);
}

bool MusicSet::Held(std::string_view code) const {
  for (const HeldLine& held : held_) {
    const SetLineFields fields = SplitSetLine(held.line);
    if (CodeFromName(TrimView(std::string_view(fields.line).substr(0, fields.line.find('=')))) == code) return true;
  }
  return false;
}

bool MusicSet::LibraryListsTrack(const std::string& code) {
  const std::vector<std::string_view>& titles = catalogue_.TitlesTable();
  if (libraryCodes_.empty() || libraryCodesFrom_ != titles.size()) {
    libraryCodes_.clear();
    // A track row is its 12-character code, "=" and the track's fields.
    for (std::string_view row : titles)
      if (row.size() > kTrackCodeLength && row[kTrackCodeLength] == '=')
        libraryCodes_.emplace(row.substr(0, kTrackCodeLength));
    libraryCodesFrom_ = titles.size();
  }
  return libraryCodes_.count(code) != 0;
}

long long MusicSet::TotalMs() const {
  long long total = 0;
  for (const auto& entry : entries_) total += DurationMs(catalogue_.Track(entry.cdIndex, entry.trackIndex).duration);
  return total;
}

std::string MusicSet::TotalTimeText() const {
  return std::to_string(entries_.size()) + " / " + FormatDuration(TotalMs(), DurationForm::HoursMinutesSeconds, Lang());
}

}  // namespace trakvella
