#pragma once
// Catalogue: the in-memory catalogue, up to 1000 CDs in load order with their tracks, built from the
// catalogue resources by LoadCatalogue. App owns one; between loads only a track's location changes.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/catalogue/Resources.h"
#include "core/catalogue/TrackRef.h"
#include "core/lang/Language.h"
#include "core/text/TextSet.h"
#include "ports/Dialogs.h"
#include "ports/Progress.h"

namespace trakvella {

struct TrackRecord {
  std::string location;   // full path of the local file, or the demo name KMLB_ccc/KMLB_ccc_ttt.mp3
  std::string tagLine;    // the descriptor after mood normalisation
  std::string styleText;  // " DANCE POP", or "SFX/ID" when the descriptor holds no style word
  std::string title;
  std::string code;      // KMLB_ccc_ttt
  std::string isrc;      // normalised, or "not-defined"
  std::string duration;  // "mm:ss"
  std::string composer;
  std::string performer;
  // What the load works out once: the duration in seconds ("mm:ss"), the tempo between "[" and
  // "]" of the tag line (0 without one), the style words of the tag line (bit s for kStyleWords[s]).
  int lengthSeconds = 0;
  int64_t bpm = 0;
  uint32_t styleBits = 0;
};

struct CdRecord {
  std::string cdText;  // code, one blank, title: as shown in CD lists
  std::string cdCode;  // KMLB_ccc
  std::vector<TrackRecord> tracks;
  std::vector<std::string> keywords;             // upper-case English words that have a translation
  std::vector<std::string> keywordTranslations;  // parallel to keywords
  TextSet categories;                            // category paths, derived ones included
  uint16_t year = 0;
  uint16_t month = 0;
  std::string description;  // the block's first four lines, each followed by CR LF

  void Reset();
};

struct YearMonth {
  int year = 0;
  int month = 0;
};

// What a load depends on besides the resources: set by the caller, never global.
struct LoadOptions {
  bool offline = false;                                // only CDs and tracks with local files
  std::filesystem::path programFolder;                 // scanned for local audio files
  YearMonth today;                                     // decides which CDs are new
  Language language = Language::English;               // the tag list's language
  std::function<void(const std::string&)> setCaption;  // the main window caption while loading, if any
};

inline constexpr std::string_view kClosingRow = "KMLB_000=Sample CD";
inline constexpr std::string_view kAllCdsPath = "* ALL LIBRARY >> … ALL CDS";
inline constexpr std::string_view kNewCdsPath = "* ALL LIBRARY >> … NEW CDS";
inline constexpr std::string_view kByYearPrefix = "… CDS BY YEAR >> ";
inline constexpr std::string_view kPathSeparator = " >> ";

// A CD is addressed by its position (index in load order), a track by (CD
// position, track position).
class Catalogue {
 public:
  Catalogue();

  // The CDs loaded, by position: 0 .. CdCount()-1.
  int CdCount() const { return static_cast<int>(cds_.size()); }
  const CdRecord& Cd(int position) const { return cds_[static_cast<size_t>(position)]; }
  std::span<const CdRecord> Cds() const { return cds_; }
  // The one thing that changes between loads: a track's file, once a demo is fetched.
  void SetTrackLocation(TrackRef ref, std::string location) {
    cds_[static_cast<size_t>(ref.cd)].tracks[static_cast<size_t>(ref.track)].location = std::move(location);
  }

  // What the last load built.
  int TrackCount() const { return trackCount_; }
  const TextSet& AllCategoryPaths() const { return allCategoryPaths_; }
  const TextSet& TagList() const { return tagList_; }  // the keywords, in the load's language
  const std::array<int, 100>& StyleCounts() const { return styleCounts_; }
  bool AnyNewCd() const { return anyNewCd_; }
  bool Offline() const { return offline_; }  // loaded with local files only
  // Problems reported during the last load; counted in the caption and written
  // to errors.log in the program folder.
  const std::vector<std::string>& Errors() const { return errors_; }

  // The tables read by ReadCatalogueTables.
  const std::vector<std::string>& TranslateCats() const { return translateCats_; }
  const std::vector<std::string>& WritersInfo() const { return writersInfo_; }
  const std::vector<std::string_view>& TitlesTable() const { return titlesTable_; }
  const std::vector<std::string_view>& SimilarCds() const { return similarCds_; }
  const std::vector<std::string_view>& TracksTable() const { return tracksTable_; }

  // Reads the five tables (each reporting a missing end mark) and appends the
  // closing row to the titles table.
  void ReadCatalogueTables(const ResourceStore& resources, Dialogs& dialogs);

  // Builds the catalogue from the tables read and the resources' information
  // blocks. Never fails as a whole: bad rows and blocks are reported and skipped.
  void LoadCatalogue(const ResourceStore& resources, const LoadOptions& options, Dialogs& dialogs, Progress& progress);

  // The Russian text of an English category segment or keyword, or nullptr.
  std::optional<std::string_view> Translation(std::string_view english) const;
  // The first CD with the code, or -1.
  int FindCd(std::string_view cdCode) const;
  // The place of a track code, {-1, -1} when not found.
  TrackRef LocateTrack(std::string_view code) const;
  const TrackRecord& Track(int cd, int track) const {
    return cds_[static_cast<size_t>(cd)].tracks[static_cast<size_t>(track)];
  }

  // Child names of a category path (the distinct first segments for the root).
  std::vector<std::string> ListSubcategories(std::string_view parent) const;
  // CDs filed under the path, newest numbers first when newFirst (numbers above
  // 500 counting 600 less), else lowest first.
  struct CdInList {
    std::string text;  // the CD's cdText
    int position;
  };
  std::vector<CdInList> ListCdsInCategory(std::string_view path, bool newFirst) const;
  // In Russian, reorders English names by their translations (untranslated first).
  void OrderByTranslation(std::vector<std::string>& names, Language language) const;
  // The child names in display order: sorted, by translation in Russian, years newest first.
  std::vector<std::string> ChildCategoriesInDisplayOrder(std::string_view parent, Language language) const;

 private:
  std::vector<CdRecord> cds_;
  int trackCount_ = 0;
  TextSet allCategoryPaths_;
  TextSet tagList_;
  std::array<int, 100> styleCounts_{};
  bool anyNewCd_ = false;
  bool offline_ = false;
  std::vector<std::string> errors_;
  std::vector<std::string> translateCats_, writersInfo_;
  // The three largest tables only read: their rows are views into their decoded texts, which the
  // catalogue (and every copy of it) holds; the titles table's last row is the closing row.
  std::vector<std::string_view> similarCds_, tracksTable_, titlesTable_;

  // The steps of a load, in order; `pools` holds its working state.
  void StartLoad(const LoadOptions& options, Progress& progress, struct LoadPools& pools);
  void ReadTitleRow(size_t row, const ResourceStore& resources, const LoadOptions& options, Dialogs& dialogs,
                    struct LoadPools& pools);
  void FinishCd(const LoadOptions& options, Dialogs& dialogs, struct LoadPools& pools);
  void MarkNewestCds(struct LoadPools& pools);
  void EndLoad(const LoadOptions& options, Progress& progress, struct LoadPools& pools);
  void Report(Dialogs& dialogs, const std::string& text);
  // Whether a CD of that year and month is new today; a new one sets AnyNewCd().
  bool IsNewCd(int year, int month, YearMonth today);
  void BuildDescriptorIndex();
  // The descriptor row of a track (by its code's id): the first row with its code
  // not yet taken in this load; -1 when none is left.
  int64_t TakeDescriptor(uint32_t id, struct LoadPools& pools) const;

  // The descriptor table indexed by track code, built when the tables are read.
  struct DescriptorIndex {
    std::vector<uint32_t> firstOf, count;  // per id: its rows in text
    std::vector<std::string_view> text;    // trimmed descriptors, grouped by id
    std::vector<uint32_t> styles;          // per row: the style words of its tag line, a bit each
    std::vector<int64_t> bpm;              // per row: the tempo between "[" and "]", 0 without
    std::vector<uint32_t> idOfTitleRow;    // per titles-table row: its code's id, kNoId for a CD row
  };
  static constexpr uint32_t kNoId = UINT32_MAX;
  DescriptorIndex descriptors_;
  std::shared_ptr<const std::string> similarText_, tracksText_, titlesText_;

  // Track code -> place, made at the first LocateTrack after a load. A code of the
  // usual form KMLB_ccc_ttt is found by its two numbers: per CD number its CD and
  // where its tracks lie in `trackOfNumber`, by track number (-1 for none). Any
  // other code is kept in `table`: open addressing over a power-of-two table, each
  // slot holding its own copy of the code.
  struct TrackSlot {
    std::string code;
    int cd = -1, track = -1;
  };
  struct NumberedCd {
    int cd = -1;
    uint32_t first = 0, size = 0;
  };
  struct TrackIndex {
    std::vector<NumberedCd> cdOfNumber;
    std::vector<int32_t> trackOfNumber;
    std::vector<TrackSlot> table;
    bool built = false;
  };
  void BuildTrackIndex() const;
  mutable TrackIndex trackIndex_;
  // What the category lists are made from, and the lists made, until the next load:
  // every CD's category paths (CD, index in its set) in path order, CDs in load order among equal paths;
  // CD lists by newFirst and path, child names by language and parent.
  struct CdPath {
    int cd;    // the CD's position
    int path;  // the place of the path in the CD's category list
  };
  struct CategoryLists {
    std::vector<CdPath> cdsByPath;
    bool built = false;
    std::unordered_map<std::string, std::vector<CdInList>> cds;
    std::unordered_map<std::string, std::vector<std::string>> children;
  };
  mutable CategoryLists lists_;
  std::unordered_map<std::string, size_t> translationIndex_;  // upper-case name -> row
};

// "RU-A47-08-003-001" -> "RUA470803001"; empty -> "not-defined".
std::string NormaliseIsrc(std::string_view isrc);

// Appends the words of a category line that may serve as keywords.
void ExtractKeywords(std::string_view line, std::vector<std::string>& keywords);

// The fields of a titles-table track row: split at every TAB and trimmed; a
// trailing empty field disappears, empty middle fields stay.
std::vector<std::string> SplitTitleFields(std::string_view value);

// The message for a track row that does not have exactly five fields.
std::string FieldErrorMessage(std::string_view code, std::string_view value);

}  // namespace trakvella
