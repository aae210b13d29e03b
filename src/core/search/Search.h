#pragma once
// Search: the criteria the search panel holds and the matcher that runs them over every track of the
// catalogue. Plain values and functions; the panel only copies its controls into a SearchCriteria and back.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue/Catalogue.h"
#include "core/lang/Language.h"
#include "ports/Progress.h"

namespace trakvella {

class Browser;

// The 13 items of the key box: "---" (any key), then the tonics; the first two
// are written with the Cyrillic capital es.
inline constexpr std::array<std::string_view, 13> kKeyItems = {"---", "С", "С#", "D", "D#", "E", "F",
                                                               "F#",  "G", "G#", "A", "A#", "B"};

struct SearchCriteria {
  bool effectMode = false;  // `sfx` on (`melody` off)
  int area = 0;             // `SArea` item: 0 all areas, 1-15 the search areas
  // `_mood1` ... `_mood5`: moods[d - 1] is the box of mood digit d.
  std::array<bool, 5> moods{true, true, true, true, true};
  // `_tempo1` (slow, "!S"), `_tempo2` (medium, "!M"), `_tempo3` (fast, "!F").
  std::array<bool, 3> tempos{true, true, true};
  bool aggressive = false;          // `_agression`: needs "!H"
  bool background = false;          // `_bkgr`: needs "!B"
  bool imaging = false;             // `_image`: needs "!I"
  std::vector<std::string> styles;  // selected items of `StyleBox`
  bool exactStyles = false;         // `StyleCheck`
  std::vector<std::string> epochs;  // selected items of `TimeBox`
  int key = 0;                      // `_MKeyBox` item, 0 = any key
  std::string tempoIn, tempoOut;    // `_TempoIn`, `_TempoOut` as typed

  // The mood (tempo) is unrestricted exactly when every box is on, as the labels read.
  bool AnyMood() const;
  bool AnyTempo() const;
  bool operator==(const SearchCriteria&) const = default;
};

// Whether one track matches (tagLine untrimmed, as stored). Music mode needs
// the score to end at exactly 9; effect mode only a line without a style word.
bool TrackMatches(const SearchCriteria& criteria, const TrackRecord& track, int lo, int hi, bool rangeSet);

// The matching track codes in catalogue order. Non-numeric BPM bounds become 40
// and 250 and are written back into the criteria. Progress: message 55 and the
// whole percentage per CD.
std::vector<std::string> SearchTracks(const Catalogue& catalogue, SearchCriteria& criteria, Progress& progress,
                                      Language language);

// The search button's search: in result mode, listed in the current sort with the CDs
// of the matches in the category/CD box; row 0 selected and played.
void RunSearch(Browser& browser, const Catalogue& catalogue, SearchCriteria& criteria, Progress& progress,
               Language language);

// The four search presets (0-3).
void ApplyPreset(SearchCriteria& criteria, int preset);

// Tap tempo: each button keeps the tick of its last click (0 = none). A click
// returns the measured tempo (the lower bound raised to 40, the upper limited to
// 250), or nothing for a first click or an interval of 0.
struct TapState {
  int64_t lowerTick = 0;  // `_Tap1But`
  int64_t upperTick = 0;  // `_Tap2But`
};
std::optional<int> TapTempo(TapState& state, bool upper, int64_t now);

// The presets and the reset of every criterion as the panel runs them: presets 0, 2 and 3
// and the reset also clear both Tap states (preset 1 changes nothing but the mode).
void ApplyPreset(SearchCriteria& criteria, int preset, TapState& taps);
void ResetCriteria(SearchCriteria& criteria, TapState& taps);

// The summary labels in a language (messages 52-63).
std::string MoodLabel(const SearchCriteria& criteria, Language language);
std::string TempoLabel(const SearchCriteria& criteria, Language language);
std::string StyleLabel(const SearchCriteria& criteria, Language language);
std::string EpochLabel(const SearchCriteria& criteria, Language language);
std::string FormLabel(const SearchCriteria& criteria, Language language);

}  // namespace trakvella
