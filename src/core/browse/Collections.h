#pragma once
// Collections: ready-made results the user asks for from the menus (related tracks, title search, local
// tracks, lucky pick, Top 100, similar and all CDs, tracks like one), shown through the Browser. Free functions; the
// caller owns all.
#include <string>

#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/lang/Language.h"
#include "core/likeness/Likeness.h"
#include "ports/Progress.h"
#include "ports/Random.h"

namespace trakvella {

// Harmonic: the track's Camelot key or one that mixes with it (HarmonicPlaces).
enum class Relation { Tempo, Key, TempoAndKey, Harmonic };

// Related tracks of the selected track; false (and nothing changes) when it has
// no tempo or key that the relation needs, or no track is selected. A harmonic
// list needs a key of the key table ("13A" is none).
bool ListRelatedTracks(Browser& browser, const Catalogue& catalogue, Relation relation, Progress& progress,
                       Language language);
// Tracks whose title, code or composer hold the word (case folded); within the
// track list's rows when it has any. False for an empty word.
bool SearchTitles(Browser& browser, const Catalogue& catalogue, const std::string& word, Progress& progress,
                  Language language);
// Tracks whose location is a local ".wav" file.
void ShowLocalTracks(Browser& browser, const Catalogue& catalogue, Progress& progress, Language language);
// 10 to 39 wanted, 30 to 117 attempts, at most one track per CD, in the order drawn.
void LuckyPick(Browser& browser, const Catalogue& catalogue, Random& random, Progress& progress, Language language);
// The first 100 codes of the popularity list, in the current sort (the browser's progress window
// shows meanwhile).
void ShowTop100(Browser& browser);
// "Похожие треки": the kLikeCount tracks most like the selected one, best first,
// without it; false when no track is selected.
bool ListSimilarTracks(Browser& browser, const Catalogue& catalogue, LikenessIndex& index, Progress& progress,
                       Language language);
// The CDs similar to the selected CD row, the first opened; false when the CD
// has no similar-CD entry or no row is selected.
bool ShowSimilarCds(Browser& browser, const Catalogue& catalogue);
// Every CD under "* ALL LIBRARY >> … ALL CDS", the first opened.
void ShowAllCds(Browser& browser);

// The captions of the close-tempo and same-key items for the selected track:
// the base caption without an earlier " - …" suffix, plus " - 174 bpm" / " - Cmaj".
std::string TempoItemCaption(const std::string& caption, const TrackRecord* track);
std::string KeyItemCaption(const std::string& caption, const TrackRecord* track);
// The harmonic item's caption: the key's name, then those of the keys that mix
// with it, " - G#maj (C#maj, D#maj, Fmin)".
std::string HarmonicItemCaption(const std::string& caption, const TrackRecord* track);

// The similar CDs of a CD as the similar-CD table lists them: "KMLB_" + each
// position that is not "-", in ascending order.
std::vector<std::string> SimilarCdCodes(const Catalogue& catalogue, const std::string& cdCode);

}  // namespace trakvella
