#pragma once
// MusicSet: the user's working list of catalogue tracks, in the order they were
// added. The music set window owns the one set; it only reads the catalogue.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/TrackRef.h"
#include "core/lang/Language.h"
#include "core/musicset/CodeCounts.h"
#include "ports/Dialogs.h"
#include "ports/Progress.h"

namespace trakvella {

// The most entries the set holds; an addition beyond it is refused.
inline constexpr size_t kMusicSetCapacity = 50001;
// Project folder and name of a track taken from the catalogue's own lists.
inline constexpr std::string_view kCatalogueProject = "-";
// Project folder and name of the editing tools' entries.
inline constexpr std::string_view kToolProject = " - ";
// Between a category path and the CD's text in the default context.
inline constexpr std::string_view kContextSeparator = " : ";

struct MusicSetEntry {
  std::string code;           // the catalogue's own code of the track
  std::string context;        // where it was taken from
  std::string projectFolder;  // "-" for a track from the catalogue
  std::string projectName;    // "-" for a track from the catalogue
  int cdIndex = -1;           // CD position in the catalogue
  int trackIndex = -1;        // track position within that CD

  bool operator==(const MusicSetEntry&) const = default;
};

// Whether FillMem leaves out codes the set already holds; the values are the
// flag numbers the set has always used.
enum class FillMode { SkipPresent = 0, AppendAll = 1 };

// Which item of a CD's category list the default context takes.
enum class ContextCategory { LibraryWide = 0, Specific = 1 };

// One line FillMem reads: "name=context" or "name", with its project folder and project name.
struct FillLine {
  std::string line;
  std::string folder;
  std::string name;
};

// The lines FillMem reads, in order.
struct FillLines {
  std::vector<FillLine> items;
  void Add(std::string line, std::string folder, std::string name) {
    items.push_back({std::move(line), std::move(folder), std::move(name)});
  }
  size_t size() const { return items.size(); }
};

// An entry whose track the catalogue loaded this time lacks, in the set list
// file's line form, and its place: the number of shown entries before it.
struct HeldLine {
  size_t before = 0;
  std::string line;

  bool operator==(const HeldLine&) const = default;
};

// What a click of the main window's copy button did.
enum class ToggleResult { Nothing, Added, Removed, Refused };

// What the windows hear from the set and answer for it: the one way it reaches up. Each call has
// the default of a set without windows.
class MusicSetView {
 public:
  virtual ~MusicSetView() = default;
  // After every operation that may have changed the set: the windows refresh the counter, the
  // list and the total time.
  virtual void SetChanged() {}
  // Whether the main window's developer menu is shown (unknown codes of a list are then reported
  // with their line index).
  virtual bool DeveloperMenuShown() const { return false; }
  // Stops the preview player (clearing the set does).
  virtual void StopPlayback() {}
};

// The view App hands the set: App's own part (stopping the player) first, then the window's, set
// once the window exists. App owns it; the window is borrowed.
class MusicSetViewRelay : public MusicSetView {
 public:
  explicit MusicSetViewRelay(std::function<void()> stopPlayback) : stopPlayback_(std::move(stopPlayback)) {}
  // The window's view from now on (nullptr: none again).
  void SetTarget(MusicSetView* target) { target_ = target ? target : &none_; }

  void SetChanged() override { target_->SetChanged(); }
  bool DeveloperMenuShown() const override { return target_->DeveloperMenuShown(); }
  void StopPlayback() override {
    stopPlayback_();
    target_->StopPlayback();
  }

 private:
  std::function<void()> stopPlayback_;
  MusicSetView none_;
  MusicSetView* target_ = &none_;
};

class MusicSet {
 public:
  MusicSet(const Catalogue& catalogue, Dialogs& dialogs, const Language& language);

  // The windows from now on (nullptr: none, the defaults of MusicSetView); borrowed, they outlive
  // their use here.
  void SetView(MusicSetView* view);

  // --- Reading ------------------------------------------------------------------
  // The entries shown: those whose tracks the catalogue holds. They alone are
  // counted, listed, totalled and used.
  const std::vector<MusicSetEntry>& entries() const { return entries_; }
  // Entries of tracks the library lists but this load lacks (an offline load
  // holds only tracks with local files): kept in their places, in order, and
  // written back with the set; loaded again, they are shown once a load holds
  // their tracks.
  const std::vector<HeldLine>& heldLines() const { return held_; }
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const MusicSetEntry& operator[](size_t position) const { return entries_[position]; }
  // The codes in set order.
  std::vector<std::string> Codes() const;
  bool Contains(std::string_view code) const;
  // The first position holding the code, or -1.
  int IndexOf(std::string_view code) const;
  // The catalogue track of an entry.
  const TrackRecord& TrackOf(size_t position) const;
  const Catalogue& catalogue() const { return catalogue_; }

  // The position the set window selects when it is activated next; -1 for none.
  int selection() const { return selection_; }
  void SetSelection(int position) { selection_ = position; }

  // The default context of a track of CD cd: the CD's category path of the
  // given item (empty when the CD has too few), " : " and the CD's text.
  std::string DefaultContext(int cd, ContextCategory item) const;

  // --- Adding -------------------------------------------------------------------
  // Appends an entry per line (reading each as "name=context" or "name"; the
  // name reduced to a track code); lines that give no catalogue code are
  // skipped. SkipPresent also skips codes already in the set. Returns the
  // number appended; additions beyond the capacity are refused with one message.
  size_t FillMem(const FillLines& lines, FillMode mode);
  // Splits lines of a set list file into name, folder and project name and
  // appends them all (FillMode::AppendAll).
  size_t LoadSet(const std::vector<std::string>& lines);
  // LoadSet of lines that are views (of a file's decoded text).
  size_t LoadSetLines(const std::vector<std::string_view>& lines);
  // The main window's copy button: the selected row's track is appended
  // (context: currentPath, else the default with the specific category), or,
  // when its code is in the set already, the first entry with it is removed.
  ToggleResult AddFromMainList(const std::vector<TrackRef>& rows, int selectedRow, const std::string& currentPath);
  // Every row of the main list whose code is not in the set yet, in list order
  // (default context with the library-wide category), behind the progress
  // window. Returns the number appended.
  size_t AddAll(const std::vector<TrackRef>& rows, const std::string& currentPath, Progress& progress);
  // Appends a track as it is, without the capacity message; false when full.
  bool Append(MusicSetEntry entry);

  // --- Removing -----------------------------------------------------------------
  // Removes the shown entry at position. The remembered selection becomes
  // position - 1 when position > 0 and it equals the new count - 1, else
  // position (the window's activation clamps it to the last entry).
  void RemoveAt(size_t position);
  // Empties the set, the held entries included.
  void Clear();
  // Asks message 31; on Yes stops playback and empties the set.
  bool AskAndClear();
  // Removes every entry whose code occurred earlier in the set; the first
  // occurrences stay in order. Returns the number removed.
  size_t RemoveDuplicates();

  // --- Total time -----------------------------------------------------------------
  // The sum of the entries' durations ("mm:ss"; unreadable parts count 0).
  long long TotalMs() const;
  // The text of TimeLabel: the count, " / " and the total as hours, minutes, seconds.
  std::string TotalTimeText() const;

 private:
  void Changed() const;
  Language Lang() const { return language_; }
  void AppendUnchecked(MusicSetEntry&& entry);
  // One line of a list FillMem or LoadSet reads, as views: its text, project
  // folder and name, and its index (named when its code is unknown).
  struct LineViews {
    std::string_view line, folder, project;
    size_t index = 0;
  };
  // Adds the line's entry (or holds it, or skips it); false when it was
  // refused because the set is full.
  bool FillOne(const LineViews& in, FillMode mode, bool reportUnknown);
  void MakeRoom(size_t lines);
  void CountIn(const std::string& code);
  void CountOut(const std::string& code);
  void RefuseMessage(size_t refused);
  // Shown and held entries together fill the set's capacity.
  bool Full() const { return entries_.size() + held_.size() >= kMusicSetCapacity; }
  bool Held(std::string_view code) const;
  // Whether the library's titles table lists the track (loaded this time or not).
  bool LibraryListsTrack(const std::string& code);
  // Rebuilds the shown entries from those kept (keep[i] for entry i), moving
  // each held line to stay between the same neighbours.
  void Compact(const std::vector<char>& keep);

  const Catalogue& catalogue_;
  Dialogs& dialogs_;
  const Language& language_;
  MusicSetView* view_;
  std::vector<MusicSetEntry> entries_;
  // How many entries hold each code.
  CodeCounts counts_;
  std::vector<HeldLine> held_;
  // The track codes of the titles table, built when first needed.
  std::unordered_set<std::string> libraryCodes_;
  size_t libraryCodesFrom_ = 0;  // the titles table's size they were built from
  int selection_ = 0;
};

// The milliseconds of a duration "mm:ss": minutes from characters 1-2, seconds
// from characters 4-5, each 0 when it is not a number.
long long DurationMs(std::string_view duration);

// The message shown when additions were refused because the set is full.
std::string SetFullMessage(Language language, size_t refused);

}  // namespace trakvella
