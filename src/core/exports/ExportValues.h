#pragma once
// ExportValues: the values every catalogue export derives from a track or a CD
// (identifiers, album texts, mood, tempo, epoch, type, styles, collections,
// writers, prices) and the fixed word tables behind them. Pure functions over
// the catalogue records; AuthorNames caches the author-table substitution.
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/catalogue/AuthorExpander.h"
#include "core/catalogue/Catalogue.h"

namespace trakvella {

// --- Track and CD identifiers and texts -------------------------------------------
// "1", the CD number and the track number of a code: KMLB_003_001 gives "1003001".
std::string TrackId(std::string_view code);
// The cdText from its 9th character on (it begins with the blank after the code).
std::string AlbumName(const CdRecord& cd);
// The cdText from its 10th character on: the CD title without the code and blank.
std::string AlbumTitle(const CdRecord& cd);
// The description text after "Description: " with every CR LF removed; empty
// when the description has no "Description: ".
std::string AlbumDescription(const CdRecord& cd);
// "01.", the month in two digits, ".", the year: "01.12.2007".
std::string ReleaseDate(const CdRecord& cd);
// The length of a duration "mm:ss" (or "m:ss") in seconds; unreadable parts count 0.
int DurationSeconds(std::string_view duration);

// --- Tag-line values ------------------------------------------------------------------
// The mood digit: the first character of the trimmed tag line, 0 when it is empty.
char MoodDigit(std::string_view tagLine);
// The mood names of the tables: 5 "Заводное / Комедийное" ... 1 "Тревожное /
// Суицидальное"; "0" or an empty tag line "Нейтральное".
std::string MoodName(std::string_view tagLine);
// 1 for "!F", 2 for "!M", 3 for "!S", tested in that order with the later match
// winning; 0 when the line has none.
int TempoClass(std::string_view tagLine);
// The tempo word by tempo class from three words (fast, medium, slow); no flag
// gives the medium word.
std::string_view TempoWord(std::string_view tagLine, std::string_view fast, std::string_view medium,
                           std::string_view slow);
// "Ретро", "60е-70е" or "80е-90е", the later match winning; empty when none.
std::string EpochWord(std::string_view tagLine);
// "1" when the trimmed tag line begins with "0" (a sound effect), else "0".
std::string SfxFlag(std::string_view tagLine);
// "Агрессивная" ("!H"), "Фоновая" ("!B"), "Для эфира" ("!I"), the later match
// winning; empty when none.
std::string TrackTypeWord(std::string_view tagLine);
// The tempo in BPM and the Camelot key code written in the tag line ("[120]", "<8B>").
std::string BpmText(std::string_view tagLine);
std::string KeyCode(std::string_view tagLine);

// --- Styles -------------------------------------------------------------------------
// One row of the style-to-genre table: the style word and its two genre names.
struct StyleGenre {
  std::string_view word;
  std::string_view spaced;
  std::string_view compact;
};
// The table in its order.
extern const std::array<StyleGenre, 30> kStyleGenres;

// The genre names of a style text, joined with ", " in the order of its words.
std::string StyleGenreNames(std::string_view styleText);
std::string StyleGenreNamesCompact(std::string_view styleText);
// The English display name of a style-list word (the compact genre name;
// "NEW YEAR" gives "New Year/Holiday").
std::string_view StyleDisplayName(std::string_view styleWord);

// --- Collections ----------------------------------------------------------------------
struct Collection {
  std::string_view path;
  std::string_view name;
  std::string_view description;
};
// The fifteen collections in test order (number = index + 1).
extern const std::array<Collection, 15> kCollections;
// The number (1-15) of the first collection the CD is filed under, 0 for none.
int CollectionNumber(const CdRecord& cd);

// --- Writers ----------------------------------------------------------------------------
struct Writer {
  std::string name;   // without the adaptation markers
  std::string share;  // "0.00000", empty for an empty name
  std::string role;   // "Composer, Writer" or "Adaptor", empty for an empty name
};
struct Writers {
  std::array<Writer, 3> first;  // the first three names, padded with empty ones
  size_t count = 0;             // how many names the composer text holds
  bool tooMany() const { return count > 3; }
};
// Cuts an expanded composer text at "," into writers.
Writers SplitWriters(std::string_view composers);
// The warning for a track with more than three composers.
std::string TooManyComposersMessage(std::string_view code, std::string_view title);

// Replaces every occurrence of from (not empty) in text, left to right.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// --- Web and shop helpers ---------------------------------------------------------------
// The price of a track by its length in seconds.
std::string GetTrackPrice(int seconds);
// Every "&" becomes "&amp;".
std::string EscapeAmpersands(std::string_view text);
// Mode 1 removes every "… " and "* "; mode 2 also writes the text in lower case
// with its first character in upper case.
std::string CleanTagTitle(std::string_view text, int mode);

// The author-table substitution of the catalogue, worked out once per text.
class AuthorNames {
 public:
  explicit AuthorNames(const Catalogue& catalogue) : expander_(catalogue.WritersInfo()) {}
  const std::string& Expand(const std::string& text);

 private:
  AuthorExpander expander_;
  std::unordered_map<std::string, std::string> cache_;
};

// The genre names of style texts, worked out once per text.
class GenreNames {
 public:
  const std::string& Spaced(const std::string& styleText);
  const std::string& Compact(const std::string& styleText);
  // The styles column of the tables: "SFX/ID" for a track without style, else
  // the compact genre names.
  const std::string& Column(const TrackRecord& track);

 private:
  std::unordered_map<std::string, std::string> spaced_, compact_;
};

}  // namespace trakvella
