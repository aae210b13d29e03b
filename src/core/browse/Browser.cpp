#include "core/browse/Browser.h"

#include <algorithm>
#include <optional>

#include "core/catalogue/TrackCodes.h"
#include "core/catalogue/Vocabulary.h"
#include "core/lang/MessageTable.h"
#include "core/text/Text.h"
#include "core/text/TextFields.h"

namespace trakvella {

namespace {

// The place without its " : " CD part.
std::string WithoutCdPart(const std::string& place) {
  size_t at = place.find(kPlaceSeparator);
  return at == std::string::npos ? place : place.substr(0, at);
}

// The text after the last " >> " (the whole text when there is none).
std::string LastComponent(const std::string& path) {
  size_t at = path.rfind(kPathSeparator);
  return at == std::string::npos ? path : path.substr(at + kPathSeparator.size());
}

std::string RowNumber(int index, int count) { return std::to_string(index + 1) + "/" + std::to_string(count); }

// Sorts (key, position) entries by key, equal keys keeping their order. The keys
// of a listing (seconds, tempo, rank) mostly lie in a narrow range: then a
// counting sort, else a merge sort.
void StableSortByKey(std::vector<std::pair<long long, int>>& keyed) {
  if (keyed.size() < 2) return;
  const auto [low, high] = std::minmax_element(keyed.begin(), keyed.end());
  const unsigned long long range =
      static_cast<unsigned long long>(high->first) - static_cast<unsigned long long>(low->first);
  if (range > std::max<unsigned long long>(8 * keyed.size(), 1u << 17)) {
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return;
  }
  const long long base = low->first;
  std::vector<uint32_t> start(static_cast<size_t>(range) + 2, 0);
  for (const auto& e : keyed) ++start[static_cast<size_t>(e.first - base) + 1];
  for (size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
  std::vector<std::pair<long long, int>> sorted(keyed.size());
  for (const auto& e : keyed) sorted[start[static_cast<size_t>(e.first - base)]++] = e;
  keyed.swap(sorted);
}

}  // namespace

Browser::Browser(const Catalogue& catalogue, Dialogs& dialogs, Progress& progress, Random& random,
                 const Language& language)
    : catalogue_(catalogue), dialogs_(dialogs), progress_(progress), random_(random), language_(language) {}

void Browser::StopPlayback() {
  if (hooks.stopPlayback) hooks.stopPlayback();
}

void Browser::Reset() {
  EndFilter();
  rowFilter_.Forget();
  rows_.clear();
  selectedRow_ = -1;
  boxRows_.clear();
  selectedBoxRow_ = -1;
  currentPath_.clear();
  reselectName_.clear();
  caption_.clear();
  lastOpenedRow_ = -1;
  history_ = {""};
  historyBackSteps_ = 0;
  backEnabled_ = forwardEnabled_ = false;
  sortKind_ = SortKind::Order;
  statusFields_ = {};
  resultMode_ = false;
}

// --- Track list ----------------------------------------------------------------

void Browser::SelectRow(int row) { selectedRow_ = row >= 0 && row < rowCount() ? row : -1; }

const TrackRecord* Browser::SelectedTrack() const {
  if (selectedRow_ < 0 || selectedRow_ >= rowCount()) return nullptr;
  return &catalogue_.Track(rows_[selectedRow_].cd, rows_[selectedRow_].track);
}

void Browser::ListTracks(const std::vector<std::string>& codes, std::optional<Msg> progressMessage, bool resultMode,
                         const std::string& cdCaption) {
  if (progressMessage) progress_.ShowProgress(LangMessage(Lang(), *progressMessage), ProgressMode::Show);
  if (resultMode) {
    LeaveResultMode();
    EnterResultMode();
  }

  // The listing order: positions in `codes`, sorted by the checked kind's key (the
  // sort keys the load worked out once), equal keys in their input order.
  const int count = static_cast<int>(codes.size());
  std::vector<TrackRef> located(codes.size());
  std::vector<std::pair<long long, int>> keyed;  // (key, position in codes)
  keyed.reserve(codes.size());
  auto locate = [&](int i) {
    located[i] = catalogue_.LocateTrack(codes[i]);
    progress_.pump();
    return located[i].cd >= 0;
  };
  auto recordOf = [&](int i) -> const TrackRecord& { return catalogue_.Track(located[i].cd, located[i].track); };
  const long long sign = reversed_ ? -1 : 1;
  switch (sortKind_) {
    case SortKind::Length:
      for (int i = 0; i < count; ++i)
        if (locate(i)) keyed.emplace_back(sign * recordOf(i).lengthSeconds, i);
      break;
    case SortKind::Tempo:
      for (int i = 0; i < count; ++i)
        if (locate(i)) keyed.emplace_back(sign * recordOf(i).bpm, i);
      break;
    case SortKind::Popular: {
      random_.Randomize();
      std::unordered_map<std::string_view, int> rank;
      rank.reserve(topList_.size());
      for (size_t r = 0; r < topList_.size(); ++r) rank.try_emplace(topList_[r], static_cast<int>(r));
      for (int i = 0; i < count; ++i) {
        if (!locate(i)) continue;
        auto it = rank.empty() ? rank.end() : rank.find(recordOf(i).code);
        const int key = it != rank.end() ? it->second : 50001 + random_.Next(50000);
        keyed.emplace_back(sign * key, i);
      }
      break;
    }
    case SortKind::Order:
      for (int n = 0; n < count; ++n) {
        const int i = reversed_ ? count - 1 - n : n;
        locate(i);
        keyed.emplace_back(0, i);  // never sorted
      }
      break;
  }
  if (sortKind_ != SortKind::Order) StableSortByKey(keyed);

  // The rows in the final order; codes that do not resolve are skipped.
  TextSet cdCodes;
  std::vector<bool> cdListed(catalogue_.Cds().size(), false);
  EndFilter();
  rows_.clear();
  selectedRow_ = -1;
  for (const auto& [key, index] : keyed) {
    const auto [cd, track] = located[index];
    progress_.pump();
    if (cd < 0 || rows_.size() >= kMaxTrackRows) continue;
    if (!cdListed[cd]) {
      cdListed[cd] = true;
      cdCodes.Add(catalogue_.Cd(cd).cdCode);
    }
    rows_.push_back({cd, track});
  }
  if (!cdCaption.empty()) ListCdsOfTracks(cdCaption, cdCodes, false);
  if (progressMessage) progress_.ShowProgress("", ProgressMode::Hide);
}

void Browser::SetScannedRows(std::vector<TrackRef> rows) {
  if (rows.size() > kMaxTrackRows) rows.resize(kMaxTrackRows);
  EndFilter();
  rows_ = std::move(rows);
  selectedRow_ = -1;
}

void Browser::ListCdsOfTracks(const std::string& caption, const TextSet& cdCodes, bool selectFirst) {
  boxRows_.clear();
  selectedBoxRow_ = -1;
  for (int p = 0; p < catalogue_.CdCount(); ++p)
    if (cdCodes.Contains(catalogue_.Cd(p).cdCode)) boxRows_.push_back({true, catalogue_.Cd(p).cdText, p});
  if (selectFirst && !boxRows_.empty()) {
    currentPath_ = caption;
    lastOpenedRow_ = -1;
    selectedBoxRow_ = 0;
    OpenSelectedCd();
  }
}

void Browser::SetSortKind(SortKind kind) {
  sortKind_ = kind;
  if (rowCount() > 0 && !resultMode()) ShowCurrentLevel();
}

void Browser::ToggleReverse() {
  reversed_ = !reversed_;
  if (rowCount() > 0 && !resultMode()) ShowCurrentLevel();
}

void Browser::SetShowName(bool on) {
  options_.showName = on;
  if (!on && !options_.showCode) options_.showCode = true;
}

void Browser::SetShowCode(bool on) {
  options_.showCode = on;
  if (!on && !options_.showName) options_.showName = true;
}

void Browser::EnterResultMode() {
  resultMode_ = true;
  statusFields_ = {"*", "", "", "", ""};
  boxRows_.clear();
  selectedBoxRow_ = -1;
  EndFilter();
  rows_.clear();
  selectedRow_ = -1;
  currentPath_ = std::string(kAllCdsPath);
  caption_ = FormatPathCaption(currentPath_);
}

void Browser::EnterSearchMode() {
  EnterResultMode();
  boxVisible_ = false;
  searchPanelShown_ = true;
  searchButtonDown_ = true;
}

void Browser::LeaveResultMode() {
  resultMode_ = false;
  statusFields_[0].clear();
  searchButtonDown_ = false;
  searchPanelShown_ = false;
  boxVisible_ = true;
}

void Browser::ShowTrackStatus(const std::string& demoBaseUrl, const std::string& programFolder) {
  const TrackRecord* t = SelectedTrack();
  if (!t) return;
  statusFields_[4] = RowNumber(selectedRow_, rowCount());
  std::string path = TrackPathOrUrl(t->location, demoBaseUrl);
  size_t at = demoBaseUrl.empty() ? std::string::npos : path.find(demoBaseUrl);
  if (at != std::string::npos) {
    path.erase(at, demoBaseUrl.size());
    statusFields_[1] = LangMessage(Lang(), Msg::WebServer) + ": " + path;
  } else {
    statusFields_[1] = LangMessage(Lang(), Msg::HardDisk) + ": " + MidChars(path, CharCount(programFolder));
  }
  const std::string tagLine = Trim(t->tagLine);
  statusFields_[2] = KeyName(BetweenMarkers(tagLine, "<", ">"));
  statusFields_[3] = BetweenMarkers(t->tagLine, "[", "]");
}

std::string Browser::ComposeTrackName() const {
  const TrackRecord* t = SelectedTrack();
  if (!t) return {};
  std::string name;
  if (options_.showTime) name += t->duration + " ";
  if (options_.showCode) name += "[" + t->code + "] ";
  if (options_.showName) name += t->title;
  // The author labels are the Russian ones whatever the interface language.
  if (options_.showComposer && options_.showArtist)
    name += " а/и: " + t->composer + " / " + t->performer + " ";
  else if (options_.showComposer)
    name += " а:" + t->composer + " ";
  else if (options_.showArtist)
    name += " и:" + t->performer + " ";
  return name;
}

// --- Category/CD box --------------------------------------------------------------

int Browser::categoryRowCount() const {
  return static_cast<int>(std::count_if(boxRows_.begin(), boxRows_.end(), [](const BoxRow& r) { return !r.isCd; }));
}

std::string Browser::FormatPathCaption(const std::string& path) const {
  std::string cdPart;
  std::string rest = path;
  if (size_t at = rest.rfind(kPlaceSeparator); at != std::string::npos) {
    cdPart = rest.substr(at);
    rest.resize(at);
  }
  std::string doubled;
  for (char c : rest) {
    doubled += c;
    if (c == '&') doubled += '&';
  }
  std::string caption = " ";
  size_t start = 0;
  bool first = true;
  while (true) {
    size_t at = doubled.find(kPathSeparator, start);
    std::string component = doubled.substr(start, at == std::string::npos ? std::string::npos : at - start);
    if (Lang() == Language::Russian)
      if (auto t = catalogue_.Translation(component)) component = std::string(*t);
    if (!first) caption += " » ";
    caption += component;
    first = false;
    if (at == std::string::npos) break;
    start = at + kPathSeparator.size();
  }
  return caption + cdPart;
}

void Browser::ShowCurrentLevel(const std::string& selectName) {
  caption_ = FormatPathCaption(currentPath_);
  statusFields_ = {};  // a level shown ends result mode
  resultMode_ = false;

  if (currentPath_.find(kPlaceSeparator) == std::string::npos) {
    // A category level: its child categories, then its CDs.
    EndFilter();
    rows_.clear();
    selectedRow_ = -1;
    boxRows_.clear();
    for (auto& name : catalogue_.ChildCategoriesInDisplayOrder(currentPath_, Lang()))
      boxRows_.push_back({false, std::move(name), -1});
    const int categories = static_cast<int>(boxRows_.size());
    for (auto& cd : catalogue_.ListCdsInCategory(currentPath_, newFirst_))
      boxRows_.push_back({true, std::move(cd.text), cd.position});
    selectedBoxRow_ = -1;
    if (!boxRows_.empty()) {
      int target = 0;
      if (!selectName.empty()) {
        for (size_t i = categories; i < boxRows_.size(); ++i)
          if (boxRows_[i].text == selectName) {
            target = static_cast<int>(i);
            break;
          }
      } else {
        for (int i = 0; i < categories; ++i)
          if (boxRows_[i].text == reselectName_) {
            target = i;
            break;
          }
      }
      selectedBoxRow_ = target;
      if (boxRows_[target].isCd) {
        const int cdRows = static_cast<int>(boxRows_.size()) - categories;
        statusFields_[0] = RowNumber(target - categories, cdRows);
        OpenSelectedCd();
      }
    }
  } else if (allowOpenCd_ && selectedBoxRow_ >= 0 && selectedBoxRow_ < static_cast<int>(boxRows_.size()) &&
             boxRows_[selectedBoxRow_].isCd) {
    // A CD place: the CD's tracks.
    const int cd = boxRows_[selectedBoxRow_].cdPosition;
    std::vector<std::string> codes;
    for (const auto& t : catalogue_.Cd(cd).tracks) codes.push_back(t.code);
    ListTracks(codes, std::nullopt, false, "");
    if (rowCount() > 0) {
      int select = 0;
      const auto fromSet = hooks.musicSetSelection ? hooks.musicSetSelection() : std::nullopt;
      if (fromSet && fromSet->cd == cd)
        for (int r = 0; r < rowCount(); ++r)
          if (rows_[r] == *fromSet) select = r;
      selectedRow_ = select;
      if (hooks.playCurrent) hooks.playCurrent(fromSet.has_value());
    }
    const int categories = categoryRowCount();
    statusFields_[0] = RowNumber(selectedBoxRow_ - categories, static_cast<int>(boxRows_.size()) - categories);
    if (rowCount() > 0) statusFields_[4] = RowNumber(selectedRow_, rowCount());
    const bool panelVisible = hooks.searchPanelVisible ? hooks.searchPanelVisible() : searchPanelShown_;
    if (alwaysInfo_ && !panelVisible && hooks.showCdInfo) hooks.showCdInfo(selectedBoxRow_);
  }
  lastOpenedRow_ = selectedBoxRow_;
}

void Browser::OpenSelectedRow(bool byUser) {
  if (selectedBoxRow_ < 0 || selectedBoxRow_ >= static_cast<int>(boxRows_.size())) return;
  boxEnabled_ = false;
  const BoxRow row = boxRows_[selectedBoxRow_];
  if (!row.isCd) {
    if (!currentPath_.empty() && byUser) {
      history_ = {"", currentPath_};
      historyBackSteps_ = 0;
      backEnabled_ = true;
    }
    const std::string base = WithoutCdPart(currentPath_);
    currentPath_ = base.empty() ? row.text : base + std::string(kPathSeparator) + row.text;
    if (byUser && !currentPath_.empty()) {
      historyBackSteps_ = 0;
      backEnabled_ = true;
      if (history_.empty() || history_.back() != currentPath_) history_.push_back(currentPath_);
    }
    lastOpenedRow_ = -1;
  } else {
    std::string base = WithoutCdPart(currentPath_);
    if (base.empty()) base = "* ALL LIBRARY";
    currentPath_ = base + std::string(kPlaceSeparator) + row.text;
  }
  StopPlayback();
  ShowCurrentLevel();
  boxEnabled_ = true;
}

void Browser::OpenSelectedCd() {
  if (selectedBoxRow_ < 0 || selectedBoxRow_ >= static_cast<int>(boxRows_.size())) return;
  if (boxRows_[selectedBoxRow_].isCd && selectedBoxRow_ != lastOpenedRow_) OpenSelectedRow();
}

void Browser::Home() {
  boxEnabled_ = true;
  reselectName_.clear();
  tagText_.clear();
  currentPath_.clear();
  history_ = {""};
  historyBackSteps_ = 0;
  backEnabled_ = forwardEnabled_ = false;
  StopPlayback();
  LeaveResultMode();
  ShowCurrentLevel();
}

void Browser::Back() {
  const int n = static_cast<int>(history_.size());
  int& s = historyBackSteps_;
  if (s < n - 1) {
    LeaveResultMode();
    reselectName_ = LastComponent(history_[n - s - 1]);
    ++s;
    forwardEnabled_ = true;
    GoToPlace(history_[n - s - 1]);
    if (s == n - 1) backEnabled_ = false;
  } else {
    backEnabled_ = false;
  }
}

void Browser::Forward() {
  const int n = static_cast<int>(history_.size());
  int& s = historyBackSteps_;
  if (s < 1) {
    forwardEnabled_ = false;
    return;
  }
  LeaveResultMode();
  reselectName_ = LastComponent(history_[n - s]);
  --s;
  backEnabled_ = true;
  GoToPlace(history_[n - s - 1]);
  if (s == 0) forwardEnabled_ = false;
}

void Browser::Up() {
  tagText_.clear();
  const std::string base = WithoutCdPart(currentPath_);
  reselectName_ = LastComponent(base);
  const size_t at = base.rfind(kPathSeparator);
  if (at == std::string::npos) {
    boxRows_.clear();
    currentPath_.clear();
  } else {
    currentPath_ = base.substr(0, at);
  }
  StopPlayback();
  ShowCurrentLevel();
}

void Browser::GoToPlace(const std::string& place) {
  const size_t sep = place.find(kPlaceSeparator);
  const std::string title = sep == std::string::npos ? std::string() : place.substr(sep + kPlaceSeparator.size());
  if (place.find("Keyword [") == std::string::npos) {
    currentPath_ = sep == std::string::npos ? place : place.substr(0, sep);
    StopPlayback();
    lastOpenedRow_ = -1;
    ShowCurrentLevel(title);
    return;
  }
  // A tag place: "Keyword [ tag ]", perhaps with a CD.
  const size_t open = place.find("[ ");
  const size_t close = place.find(" ]", open == std::string::npos ? 0 : open);
  if (open == std::string::npos || close == std::string::npos) return;
  const std::string tag = place.substr(open + 2, close - open - 2);
  const bool known = std::any_of(tagItems_.begin(), tagItems_.end(), [&](const auto& t) { return SameText(t, tag); });
  if (!known && tag.rfind('*', 0) != 0) return;
  tagText_ = tag;
  ListCdsByTag(tag);
  if (boxRows_.empty()) return;
  lastOpenedRow_ = -1;
  currentPath_ = std::string(kTagPlacePrefix) + tag + std::string(kTagPlaceSuffix);
  selectedBoxRow_ = 0;
  for (size_t i = 0; i < boxRows_.size(); ++i)
    if (boxRows_[i].text == title) selectedBoxRow_ = static_cast<int>(i);
  OpenSelectedCd();
}

// --- Tags --------------------------------------------------------------------------

void Browser::FillTagList() {
  TextSet tags;
  const bool russian = Lang() == Language::Russian;
  for (int p = 0; p < catalogue_.CdCount(); ++p)
    for (const auto& word : russian ? catalogue_.Cd(p).keywordTranslations : catalogue_.Cd(p).keywords) tags.Add(word);
  tagItems_ = tags.items();
}

void Browser::ListCdsByTag(const std::string& tag) {
  const bool russian = Lang() == Language::Russian;
  std::vector<TSort> entries;
  for (int p = 0; p < catalogue_.CdCount(); ++p) {
    const auto& words = russian ? catalogue_.Cd(p).keywordTranslations : catalogue_.Cd(p).keywords;
    if (std::any_of(words.begin(), words.end(), [&](const auto& w) { return SameText(w, tag); }))
      entries.push_back({newFirst_ ? TSortKind::CdNumberNewFirst : TSortKind::CdNumberUp,
                         MidChars(catalogue_.Cd(p).cdCode, 5, 3), "", p});
  }
  SortEntries(entries);
  boxRows_.clear();
  for (const auto& e : entries) boxRows_.push_back({true, catalogue_.Cd(e.Index).cdText, e.Index});
  selectedBoxRow_ = -1;
  lastOpenedRow_ = -1;
}

void Browser::ListCdsOfTagText() {
  if (std::none_of(tagItems_.begin(), tagItems_.end(), [&](const auto& t) { return SameText(t, tagText_); })) return;
  LeaveResultMode();
  ListCdsByTag(tagText_);
  if (boxRows_.empty()) return;
  currentPath_ = std::string(kTagPlacePrefix) + tagText_ + std::string(kTagPlaceSuffix);
  selectedBoxRow_ = 0;
  OpenSelectedCd();
}

void Browser::RebuildTagList() {
  // The box's text in the new language: in Russian the translation of the name
  // the text is; in English the name whose translation the text is. A text
  // that is neither (an English tag when English is chosen again) empties it.
  std::string translated;
  if (!tagText_.empty()) {
    if (Lang() == Language::Russian) {
      if (auto t = catalogue_.Translation(tagText_)) translated = std::string(*t);
    } else {
      for (const auto& row : catalogue_.TranslateCats())
        if (row.find('=') != std::string::npos && SameText(RowValue(row), tagText_)) {
          translated = std::string(RowName(row));
          break;
        }
    }
  }
  FillTagList();
  tagText_ = translated;
  ListCdsOfTagText();
}

// --- Favourites ----------------------------------------------------------------------

std::vector<std::string> Browser::FavouriteCaptions() const {
  std::vector<std::string> captions;
  for (size_t i = 0; i < favourites_.size(); ++i) {
    std::string number = std::to_string(i + 1);
    if (i + 1 < 10) number = "0" + number;
    captions.push_back(number + " » " + favourites_[i]);
  }
  return captions;
}

bool Browser::AddFavourite(const std::string& place) {
  if (favourites_.size() >= kMaxFavourites) return false;
  favourites_.push_back(place);
  return true;
}

void Browser::AddCurrentPlaceToFavourites() {
  if (boxRows_.empty()) return;
  if (!AddFavourite(currentPath_))
    dialogs_.Message(LangMessage(Lang(), Msg::FavouritesFull), MessageKind::Warning, MessageButtons::Ok);
}

void Browser::GoToFavourite(int index) {
  if (index < 0 || index >= static_cast<int>(favourites_.size())) return;
  LeaveResultMode();
  GoToPlace(favourites_[index]);
}

void Browser::SetFavourites(std::vector<std::string> places) {
  favourites_.clear();
  for (auto& place : places)
    if (!AddFavourite(place)) break;
}

// --- Filter as you type ----------------------------------------------------------

void Browser::EndFilter() {
  filtered_ = false;
  filterText_.clear();
  listedRows_.clear();
  listedSelection_ = -1;
}

bool Browser::FilterRows(std::string_view text) {
  const std::vector<std::string> words = RowFilter::Words(text);
  std::string key;
  for (const std::string& w : words) key += w + ' ';
  if (words.empty() ? !filtered_ : (filtered_ && key == filterText_)) return false;
  if (!filtered_) {
    listedRows_ = rows_;
    listedSelection_ = selectedRow_;
  }
  // The track chosen in the filtered list, or else the listing's own selection.
  std::optional<TrackRef> selected;
  if (selectedRow_ >= 0 && selectedRow_ < rowCount())
    selected = rows_[static_cast<size_t>(selectedRow_)];
  else if (listedSelection_ >= 0 && listedSelection_ < static_cast<int>(listedRows_.size()))
    selected = listedRows_[static_cast<size_t>(listedSelection_)];
  auto selectTrack = [this](const std::optional<TrackRef>& track) {
    selectedRow_ = -1;
    if (!track) return;
    const auto at = std::find(rows_.begin(), rows_.end(), *track);
    if (at != rows_.end()) selectedRow_ = static_cast<int>(at - rows_.begin());
  };
  if (words.empty()) {
    rows_ = std::move(listedRows_);
    selectTrack(selected);
    EndFilter();
  } else {
    rows_.clear();
    for (size_t r : rowFilter_.Matching(catalogue_, listedRows_, words)) rows_.push_back(listedRows_[r]);
    filtered_ = true;
    filterText_ = key;
    selectTrack(selected);
  }
  statusFields_[4] = RowNumber(selectedRow_, rowCount());
  return true;
}

}  // namespace trakvella
