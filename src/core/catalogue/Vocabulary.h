#pragma once
// Vocabulary: the fixed words that give a track's tag line its meaning (moods, flags, styles, epochs,
// Camelot keys), the tempo correction and the author-name substitution. Static tables; nothing is owned.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trakvella {

// The 29 style words, in the order of the search panel's style list and of the
// per-style track counts. A track has a style when its word occurs anywhere in
// the tag line.
inline constexpr std::array<std::string_view, 29> kStyleWords{
    "ACOUSTIC", "AMBIENT", "BREAKBEAT",   "CHANSON",    "CINEMATIC",  "CLASSICAL", "COMEDY", "CORPORATE",
    "DANCE",    "DISCO",   "ELECTRONICA", "ETHNO",      "FOLK",       "FUNK",      "JAZZ",   "LATINA",
    "LOUNGE",   "MARCH",   "NEW YEAR",    "ORCHESTRAL", "PERCUSSION", "POP",       "PPRCK",  "R-N-B",
    "R-N-R",    "REMIX",   "ROCK",        "TANGO",      "WALTZ"};

// The style words a text holds, bit s for kStyleWords[s].
uint32_t StyleWordBits(std::string_view text);

// The style text of a track with none of the style words: a sound effect or ident.
inline constexpr std::string_view kNoStyleText = "SFX/ID";

// The epoch words, found by substring search.
inline constexpr std::array<std::string_view, 3> kEpochWords{"RETRO", "60-70s", "80-90s"};

// Mood captions by mood digit ("0" to "5"); digit 0 means no mood and has none.
inline constexpr std::array<std::string_view, 6> kMoodCaptions{
    "", "Тревожное / Суицидальное", "Грустное", "Нейтральное", "Позитивное", "Заводное / Комедийное"};

// The caption of a mood digit character, empty for "0" and anything else.
std::string_view MoodCaption(char digit);

// The two-character flags of a tag line with their captions.
struct TagFlag {
  std::string_view flag;
  std::string_view caption;
};
inline constexpr std::array<TagFlag, 6> kTagFlags{{
    {"!F", "Быстро"},       // fast tempo feel
    {"!M", "Средне"},       // medium tempo feel
    {"!S", "Медленно"},     // slow tempo feel
    {"!H", "Агрессивная"},  // aggressive
    {"!B", "Фоновая"},      // background, music bed
    {"!I", "Для эфира"},    // on-air imaging element
}};

// The Camelot codes and their short key names, by tonic C, C#, ... B, the major
// code before the minor one: entries 2k and 2k+1 belong to tonic k.
struct CamelotKey {
  std::string_view code;
  std::string_view name;
};
inline constexpr std::array<CamelotKey, 24> kCamelotKeys{{
    {"8B", "Cmaj"},  {"5A", "Cmin"},   {"3B", "C#maj"}, {"12A", "C#min"}, {"10B", "Dmaj"}, {"7A", "Dmin"},
    {"5B", "D#maj"}, {"2A", "D#min"},  {"12B", "Emaj"}, {"9A", "Emin"},   {"7B", "Fmaj"},  {"4A", "Fmin"},
    {"2B", "F#maj"}, {"11A", "F#min"}, {"9B", "Gmaj"},  {"6A", "Gmin"},   {"4B", "G#maj"}, {"1A", "G#min"},
    {"11B", "Amaj"}, {"8A", "Amin"},   {"6B", "A#maj"}, {"3A", "A#min"},  {"1B", "Bmaj"},  {"10A", "Bmin"},
}};

// Short key name of a Camelot code ("8B" gives "Cmaj"); empty for any other text.
std::string KeyName(std::string_view camelot);

// Long key name of a Camelot code: the same tonic and mode as KeyName, as
// "C major" / "C minor"; empty for any other text.
std::string KeyLongName(std::string_view camelot);

// The tempo used by tempo searches: 70-90 BPM in a track flagged "!F" counts
// double, 140-190 BPM in a track flagged "!S" counts half (rounded down);
// both ranges are tested on the tempo as given.
int CorrectedTempo(int bpm, std::string_view tagLine);

// Applies the author table to text: each "short=full" row in table order
// replaces every occurrence of its short form (case-sensitive) by its full form,
// the result of one row being the input of the next. Rows without "=" and rows
// with an empty short form never match.
std::string ExpandAuthorNames(std::string_view text, const std::vector<std::string>& writersInfo);

}  // namespace trakvella
