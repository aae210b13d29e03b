#include "core/search/Search.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

#include "core/browse/Browser.h"
#include "core/catalogue/Vocabulary.h"
#include "core/lang/CaptionTable.h"
#include "core/lang/MessageTable.h"
#include "core/text/Text.h"

namespace trakvella {
namespace {

constexpr int kLowestTempo = 40;
constexpr int kHighestTempo = 250;
constexpr std::string_view kAreaPrefix = "* ALL LIBRARY >> ";

// Finds in one pass over a tag line which of a set of words occur in it, as
// one substring test per word would: an Aho-Corasick automaton over the bytes
// of the words (bytes grouped into classes, all others one class), so a line
// costs one table step per byte. The first 64 distinct words get a bit of the
// scan's mask; any further word is tested on its own with find.
class WordScanner {
 public:
  // A word's place in the scan: a bit of the mask, or a word tested on its own.
  struct Probe {
    uint64_t bit = 0;
    std::string_view alone;
    bool Occurs(uint64_t mask, std::string_view line) const {
      return bit ? (mask & bit) != 0 : line.find(alone) != std::string_view::npos;
    }
  };

  Probe Add(std::string_view word) {
    for (size_t i = 0; i < words_.size(); ++i)
      if (words_[i] == word) return {uint64_t{1} << i, {}};
    // The automaton's states are 16-bit: at most one per byte of the words.
    if (words_.size() == 64 || letters_ + word.size() >= kMaxStates) return {0, word};
    const uint64_t bit = uint64_t{1} << words_.size();
    words_.push_back(word);
    letters_ += word.size();
    if (word.empty()) everywhere_ |= bit;  // the empty text occurs in every line
    return {bit, {}};
  }

  // Builds the automaton; call once after the last Add.
  void Finish() {
    classOf_.fill(0);
    classes_ = 1;
    for (auto w : words_)
      for (unsigned char c : w)
        if (classOf_[c] == 0) classOf_[c] = static_cast<uint16_t>(classes_++);
    constexpr uint16_t kNone = 0xFFFF;
    next_.assign(classes_, kNone);
    out_.assign(1, 0);
    for (size_t i = 0; i < words_.size(); ++i) {
      size_t state = 0;
      for (unsigned char c : words_[i]) {
        uint16_t& to = next_[state * classes_ + classOf_[c]];
        if (to == kNone) {
          to = static_cast<uint16_t>(out_.size());
          out_.push_back(0);
          next_.resize(next_.size() + classes_, kNone);
        }
        state = next_[state * classes_ + classOf_[c]];
      }
      if (!words_[i].empty()) out_[state] |= uint64_t{1} << i;
    }
    // Breadth first, so a state's fallback (a shorter state) is complete before it.
    std::vector<uint16_t> fallback(out_.size(), 0), queue;
    queue.reserve(out_.size());
    for (size_t c = 0; c < classes_; ++c) {
      uint16_t& to = next_[c];
      if (to == kNone)
        to = 0;
      else
        queue.push_back(to);
    }
    for (size_t head = 0; head < queue.size(); ++head) {
      const uint16_t state = queue[head];
      out_[state] |= out_[fallback[state]];
      for (size_t c = 0; c < classes_; ++c) {
        uint16_t& to = next_[state * classes_ + c];
        const uint16_t viaFallback = next_[fallback[state] * classes_ + c];
        if (to == kNone) {
          to = viaFallback;
        } else {
          fallback[to] = viaFallback;
          queue.push_back(to);
        }
      }
    }
  }

  uint64_t Scan(std::string_view line) const {
    uint64_t mask = everywhere_;
    size_t state = 0;
    const uint16_t* next = next_.data();
    const uint64_t* out = out_.data();
    for (unsigned char c : line) {
      state = next[state * classes_ + classOf_[c]];
      mask |= out[state];
    }
    return mask;
  }

 private:
  static constexpr size_t kMaxStates = 0xFFF0;
  std::vector<std::string_view> words_;
  size_t letters_ = 0;
  std::array<uint16_t, 256> classOf_{};
  size_t classes_ = 1;
  std::vector<uint16_t> next_;  // per state, per byte class: the next state
  std::vector<uint64_t> out_;   // per state: the words that end there
  uint64_t everywhere_ = 0;
};

// The criteria of one search, prepared once: every word the criteria look for
// goes into one scanner, so a track costs one pass over its tag line.
//
// The score of a music-mode track is made of parts with fixed maxima (mood 1,
// tempo class 1, character flags 3, styles 1, epoch 1, key 1, BPM range 1) and
// the "SFX/ID" penalty, so it ends at exactly 9 only when every part gives its
// full points; the matcher stops at the first part that does not.
class Matcher {
 public:
  Matcher(const SearchCriteria& criteria, int lo, int hi, bool rangeSet)
      : criteria_(criteria), lo_(lo), hi_(hi), rangeSet_(rangeSet) {
    anyMood_ = criteria.AnyMood();
    anyTempo_ = criteria.AnyTempo();
    for (auto word : kStyleWords) styleListMask_ |= scanner_.Add(word).bit;
    if (!criteria.effectMode) {
      for (const auto& style : criteria.styles) selectedStyles_.push_back(scanner_.Add(style));
      for (auto word : kStyleWords)
        if (std::find(criteria.styles.begin(), criteria.styles.end(), word) == criteria.styles.end())
          unselectedMask_ |= scanner_.Add(word).bit;
      for (const auto& epoch : criteria.epochs) epochs_.push_back(scanner_.Add(epoch));
      fast_ = scanner_.Add("!F").bit;
      medium_ = scanner_.Add("!M").bit;
      slow_ = scanner_.Add("!S").bit;
      aggressive_ = scanner_.Add("!H").bit;
      background_ = scanner_.Add("!B").bit;
      imaging_ = scanner_.Add("!I").bit;
      anyKey_ = criteria.key < 1 || criteria.key > 12;
      if (!anyKey_) {
        for (int mode = 0; mode < 2; ++mode) {
          keyCodes_[mode] = '<';
          keyCodes_[mode] += kCamelotKeys[2 * (criteria.key - 1) + mode].code;
          keyCodes_[mode] += '>';
        }
        keyMajor_ = scanner_.Add(keyCodes_[0]);
        keyMinor_ = scanner_.Add(keyCodes_[1]);
      }
    }
    scanner_.Finish();
    // With every box of the criteria group as the reset leaves it, no word matters.
    needsScan_ = criteria.effectMode || !anyTempo_ || criteria.aggressive || criteria.background || criteria.imaging ||
                 !selectedStyles_.empty() || !epochs_.empty() || !anyKey_;
  }
  Matcher(const Matcher&) = delete;  // the scanner holds views of keyCodes_
  Matcher& operator=(const Matcher&) = delete;

  bool Matches(const TrackRecord& track) const {
    const std::string_view line = TrimView(track.tagLine);
    if (line.empty()) return false;
    if (criteria_.effectMode) return (scanner_.Scan(line) & styleListMask_) == 0;

    if (track.styleText == kNoStyleText) return false;
    if (!anyMood_) {
      const char digit = line[0];
      if (digit < '1' || digit > '5' || !criteria_.moods[digit - '1']) return false;
    }
    const uint64_t mask = needsScan_ ? scanner_.Scan(line) : 0;
    if (!anyTempo_ && !((criteria_.tempos[2] && (mask & fast_)) || (criteria_.tempos[1] && (mask & medium_)) ||
                        (criteria_.tempos[0] && (mask & slow_))))
      return false;
    if ((criteria_.aggressive && !(mask & aggressive_)) || (criteria_.background && !(mask & background_)) ||
        (criteria_.imaging && !(mask & imaging_)))
      return false;
    if (!selectedStyles_.empty()) {
      int found = 0;
      for (const auto& style : selectedStyles_) found += style.Occurs(mask, line);
      if (criteria_.exactStyles) {
        // Each selected style found is worth one less for every unselected
        // style-list word that is also in the line.
        const int unselected = std::popcount(mask & unselectedMask_);
        if (found - found * unselected != static_cast<int>(selectedStyles_.size())) return false;
      } else if (found == 0) {
        return false;
      }
    }
    if (!epochs_.empty() &&
        std::none_of(epochs_.begin(), epochs_.end(), [&](const auto& e) { return e.Occurs(mask, line); }))
      return false;
    if (!anyKey_ && !keyMajor_.Occurs(mask, line) && !keyMinor_.Occurs(mask, line)) return false;
    if (rangeSet_) {
      const int tempo = CorrectedTempo(TempoOf(line), line);
      if (tempo == 0 || tempo < lo_ || tempo > hi_) return false;
    }
    return true;
  }

 private:
  // The integer between the first "[" and the last "]", 0 when there is none.
  static int TempoOf(std::string_view line) {
    const size_t open = line.find('[');
    if (open == std::string_view::npos) return 0;
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos || close < open + 1) return 0;
    long long value = 0;
    if (!ParseInt(line.substr(open + 1, close - open - 1), value) || value < INT_MIN || value > INT_MAX) return 0;
    return static_cast<int>(value);
  }

  const SearchCriteria& criteria_;
  int lo_, hi_;
  bool rangeSet_;
  bool anyMood_ = true, anyTempo_ = true, anyKey_ = true, needsScan_ = true;
  WordScanner scanner_;
  uint64_t styleListMask_ = 0, unselectedMask_ = 0;
  uint64_t fast_ = 0, medium_ = 0, slow_ = 0, aggressive_ = 0, background_ = 0, imaging_ = 0;
  std::vector<WordScanner::Probe> selectedStyles_, epochs_;
  std::array<std::string, 2> keyCodes_;  // the scanner keeps views of these
  WordScanner::Probe keyMajor_, keyMinor_;
};

// A tempo edit's integer, or the fallback when it does not hold one.
int BoundOr(const std::string& text, int fallback) {
  long long value = 0;
  if (!ParseInt(text, value) || value < INT_MIN || value > INT_MAX) return fallback;
  return static_cast<int>(value);
}

// Criteria reset of presets 0 and 2 and of the reset button: every box of the
// criteria group on, then the character flags off except `_image` as asked.
void ResetTo(SearchCriteria& criteria, bool imaging) {
  criteria.area = 0;
  criteria.effectMode = false;
  criteria.exactStyles = false;
  criteria.moods.fill(true);
  criteria.tempos.fill(true);
  criteria.imaging = imaging;
  criteria.background = false;
  criteria.aggressive = false;
  criteria.key = 0;
  criteria.tempoIn.clear();
  criteria.tempoOut.clear();
  criteria.styles.clear();
  criteria.epochs.clear();
}

}  // namespace

bool SearchCriteria::AnyMood() const {
  return std::all_of(moods.begin(), moods.end(), [](bool on) { return on; });
}

bool SearchCriteria::AnyTempo() const {
  return std::all_of(tempos.begin(), tempos.end(), [](bool on) { return on; });
}

bool TrackMatches(const SearchCriteria& criteria, const TrackRecord& track, int lo, int hi, bool rangeSet) {
  return Matcher(criteria, lo, hi, rangeSet).Matches(track);
}

std::vector<std::string> SearchTracks(const Catalogue& catalogue, SearchCriteria& criteria, Progress& progress,
                                      Language language) {
  const bool rangeSet = !criteria.tempoIn.empty() && !criteria.tempoOut.empty();
  int lo = kLowestTempo, hi = kHighestTempo;
  if (rangeSet && !criteria.effectMode) {
    lo = BoundOr(criteria.tempoIn, kLowestTempo);
    hi = BoundOr(criteria.tempoOut, kHighestTempo);
    criteria.tempoIn = std::to_string(lo);
    criteria.tempoOut = std::to_string(hi);
  }
  const Matcher matcher(criteria, lo, hi, rangeSet);
  const bool byArea = !criteria.effectMode && criteria.area > 0 && criteria.area < int(kSearchAreaNames.size());
  const std::string areaPath = byArea ? std::string(kAreaPrefix) + std::string(kSearchAreaNames[criteria.area]) : "";

  int withTracks = 0;
  for (int p = 0; p < catalogue.CdCount(); ++p)
    if (!catalogue.Cd(p).tracks.empty()) ++withTracks;

  const std::string completed = LangMessage(language, Msg::SearchCompleted);
  std::vector<std::string> result;
  int counted = 0;
  int shownPercent = -1;
  for (int p = 0; p < catalogue.CdCount(); ++p) {
    const CdRecord& cd = catalogue.Cd(p);
    if (cd.tracks.empty()) continue;
    ++counted;
    // The text changes a hundred times at most; it is shown (and the window
    // repainted) only when it does.
    const int percent = counted * 100 / withTracks;
    if (percent != shownPercent) {
      progress.ShowProgress(completed + std::to_string(percent) + "%", ProgressMode::ChangeText);
      shownPercent = percent;
    }
    progress.pump();
    // Outside the area every match would be dropped.
    if (byArea && !cd.categories.Contains(areaPath)) continue;
    for (const TrackRecord& track : cd.tracks)
      if (matcher.Matches(track)) result.push_back(track.code);
  }
  return result;
}

void RunSearch(Browser& browser, const Catalogue& catalogue, SearchCriteria& criteria, Progress& progress,
               Language language) {
  progress.ShowProgress(LangMessage(language, Msg::Searching), ProgressMode::Show);
  browser.EnterResultMode();
  const std::vector<std::string> found = SearchTracks(catalogue, criteria, progress, language);
  browser.ListTracks(found, std::nullopt, false, std::string(kAllCdsPath));
  progress.ShowProgress("", ProgressMode::Hide);
  for (int field = 1; field <= 4; ++field) browser.SetStatusField(field, "");
  if (browser.rowCount() > 0) {
    browser.SelectRow(0);
    if (browser.hooks.playCurrent) browser.hooks.playCurrent(false);
  }
}

void ApplyPreset(SearchCriteria& criteria, int preset) {
  switch (preset) {
    case 0:
      ResetTo(criteria, false);
      break;
    case 1:
      criteria.effectMode = true;
      break;
    case 2:
      ResetTo(criteria, true);
      break;
    case 3:  // positive pop-rock: fast or medium, lively or positive, PPRCK alone
      criteria.area = 0;
      criteria.exactStyles = true;
      criteria.effectMode = false;
      criteria.tempos = {false, true, true};
      criteria.moods = {false, false, false, true, true};
      criteria.imaging = criteria.aggressive = criteria.background = false;
      criteria.key = 0;
      criteria.tempoIn.clear();
      criteria.tempoOut.clear();
      criteria.styles = {"PPRCK"};
      criteria.epochs.clear();
      break;
    default:
      break;
  }
}

void ApplyPreset(SearchCriteria& criteria, int preset, TapState& taps) {
  ApplyPreset(criteria, preset);
  if (preset == 0 || preset == 2 || preset == 3) taps = {};
}

void ResetCriteria(SearchCriteria& criteria, TapState& taps) {
  ResetTo(criteria, false);
  taps = {};
}

std::optional<int> TapTempo(TapState& state, bool upper, int64_t now) {
  int64_t& mine = upper ? state.upperTick : state.lowerTick;
  std::optional<int> bpm;
  if (mine != 0) {
    const int64_t interval = now - mine;
    if (interval > 0) {  // two clicks within one tick measure nothing
      const int64_t measured = 60000 / interval;
      if (upper) {
        bpm = static_cast<int>(std::min<int64_t>(measured, kHighestTempo));
        state.lowerTick = 0;
      } else {
        bpm = static_cast<int>(std::max<int64_t>(measured, kLowestTempo));
        state.upperTick = 0;
      }
    }
  }
  mine = now;
  return bpm;
}

std::string MoodLabel(const SearchCriteria& criteria, Language language) {
  return LangMessage(language, criteria.AnyMood() ? Msg::AnyMood : Msg::Mood);
}

std::string TempoLabel(const SearchCriteria& criteria, Language language) {
  return LangMessage(language, criteria.AnyTempo() ? Msg::AnyTempo : Msg::Tempo);
}

std::string StyleLabel(const SearchCriteria& criteria, Language language) {
  return LangMessage(language, criteria.styles.empty() ? Msg::AnyStyle : Msg::Style);
}

std::string EpochLabel(const SearchCriteria& criteria, Language language) {
  const bool all = std::all_of(kEpochWords.begin(), kEpochWords.end(), [&](std::string_view word) {
    return std::find(criteria.epochs.begin(), criteria.epochs.end(), word) != criteria.epochs.end();
  });
  return LangMessage(language, criteria.epochs.empty() || all ? Msg::AnyPeriod : Msg::Period);
}

std::string FormLabel(const SearchCriteria& criteria, Language language) {
  return LangMessage(language, criteria.effectMode ? Msg::TypeEffectsOnly : Msg::TypeMusicOnly);
}

}  // namespace trakvella
