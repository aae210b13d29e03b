#pragma once
// FolderScan: collects the library tracks a folder tree of audio-editor projects
// uses, and keeps what the scan window shows of it. The window owns one.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/lang/MessageTable.h"
#include "core/maintenance/ProjectScan.h"
#include "core/musicset/MusicSet.h"
#include "ports/Inflater.h"
#include "ports/Progress.h"

namespace trakvella {

// The project types, in the order of their check boxes; index i is CheckBox(i+1)
// with its count label flabel(i+1).
inline constexpr int kProjectTypeCount = 11;
// CheckBox6, "Other": its extension is what the user writes into OtherExt.
inline constexpr int kOtherProjectType = 5;
// The folder table's slots; a scan of more project folders grows the table.
inline constexpr size_t kFolderTableSlots = 10000;
// ExcludeNames as the window starts.
inline constexpr std::string_view kDefaultExcludeNames = "_bak, .bak, tmp";

struct ProjectType {
  std::string_view checkBox;    // objectName of the check box
  std::string_view countLabel;  // objectName of its count label
  std::string_view caption;     // the program's name; empty for "Other", whose caption is a translated one
  std::string_view extension;   // with its dot, lower case; empty for "Other"
  bool tickedAtStart;
};
const std::array<ProjectType, kProjectTypeCount>& ProjectTypes();

// The state of the window's controls a scan starts from.
struct ScanSettings {
  std::string startFolder;                       // spath
  std::array<bool, kProjectTypeCount> ticked{};  // the check boxes
  std::string otherExtension;                    // OtherExt, written with its dot
  std::string excludeNames;                      // ExcludeNames
  bool wavOnly = false;                          // WAVCheck
};
// The controls as the window starts: the first five types ticked, the usual exclusions.
ScanSettings DefaultScanSettings();

// One entry the scan adds to the music set.
struct ScanEntry {
  std::string code;           // the track code, 12 characters
  std::string projectFolder;  // the name of the folder holding the project
  std::string projectName;    // the project's file name without its extension
  bool operator==(const ScanEntry&) const = default;
};

// The parts of ExcludeNames: cut at ",", each trimmed of blanks, lower-cased,
// sorted and each once; empty parts stay (and never match).
std::vector<std::string> ExclusionList(std::string_view excludeNames);
// True when no non-empty part of exclusions (as ExclusionList gives them)
// occurs in the lower-cased file name; the name only, never its folder.
bool NotExcluded(std::string_view fileName, const std::vector<std::string>& exclusions);
// The file name's extension from its last ".", lower-cased ("" when none).
std::string ProjectExtension(std::string_view fileName);

// Appends to result the full paths of the files under folder (subfolders
// depth first, each folder's entries in name order, subfolders where they
// stand) whose lower-cased extension equals `extension` as written and whose
// name NotExcluded keeps. Only regular files count (links to them too); an
// empty extension matches nothing. A folder that cannot be read is passed
// over, and one reached again through links is walked once. Pumps the
// progress before each folder and stops on its cancel flag; onCount gets
// result's size after each file added.
void FindProjects(const std::filesystem::path& folder, std::string_view extension,
                  const std::vector<std::string>& exclusions, Progress& progress, std::vector<std::string>& result,
                  const std::function<void(size_t)>& onCount = {});

// Folders and the project=code entries already taken from each: a slot per
// folder, taken by the folder's first project; beyond kFolderTableSlots the
// table keeps growing.
class FolderTable {
 public:
  // Records name=code for the folder; false when the folder's slot holds it already.
  bool Add(const std::string& folder, const std::string& name, const std::string& code);
  size_t slotsUsed() const { return slots_.size(); }
  bool grown() const { return slots_.size() > kFolderTableSlots; }
  void Clear();

 private:
  std::unordered_map<std::string, size_t> slotOf_;
  std::vector<std::unordered_set<std::string>> slots_;
};

// The result line of a scan: message 73 and how many tracks the set grew by;
// when the scan found more project folders than the table's slots, a second
// line says that every one of them was still scanned.
std::string ScanResultLine(Language language, size_t added, bool folderTableGrown);

// FillMem with flag 1: appends an entry per scan entry (its code read as a
// set line, with its folder and project name; duplicates kept, codes the
// catalogue lacks dropped). Returns how many entries the set grew by.
size_t AddToMusicSet(MusicSet& set, const std::vector<ScanEntry>& entries);

// What the scan window shows, kept here so the window only copies it into its controls.
struct ScanDisplay {
  std::array<std::string, kProjectTypeCount> countLabels;  // flabel1..
  int searchingType = -1;                   // the type being searched: the busy animation beside it, its caption bold
  int64_t fileGauge = 0, fileGaugeMax = 0;  // Gauge1: the current project file
  int overall = 0, overallMax = 0;          // OverAll: the project files
  std::string proNum;                       // "k/total"
  std::string proF;                         // the current project's file name
  std::string mPro;                         // codes found so far
  int mProTag = 0;                          // codes of the project files already finished
  std::string reslabel;
  bool idle = true;  // SBut, ExitBut and SelDirBut enabled; the window may close
};

// The scan window as the scan reaches up to it.
class ScanView {
 public:
  virtual ~ScanView() = default;
  // After every change of the display, with it.
  virtual void ShowScan(const ScanDisplay& display) { (void)display; }
};

class FolderScan {
 public:
  // FillMem with flag 1: appends the entries to the music set and returns how
  // many entries the set grew by.
  using AddToSet = std::function<size_t(const std::vector<ScanEntry>&)>;

  // inflater may be null (gzip project files are then read as they are).
  FolderScan(Progress& progress, Inflater* inflater, const Language& language);

  // The window from now on (nullptr: none); borrowed, it outlives its use here.
  void SetView(ScanView* view) { view_ = view; }
  const ScanDisplay& display() const { return display_; }

  // ClearDisplay: clears the project, count, number and result texts and both gauges.
  void ClearDisplay();
  // The window closes only while no scan runs.
  bool MayClose() const { return display_.idle; }

  // Run: the whole scan. Searches each ticked type's project files
  // (type by type), scans them in that order, adds each project's codes once
  // per folder and project name, hands the entries to addToSet and shows how
  // many tracks were added. The cancel flag ends it early with what was found.
  void Run(const ScanSettings& settings, const AddToSet& addToSet);

  // What the last scan found.
  const std::vector<std::string>& projects() const { return projects_; }  // full paths, in scan order
  const std::vector<ScanEntry>& entries() const { return entries_; }
  bool folderTableGrown() const { return folders_.grown(); }
  bool cancelled() const { return cancelled_; }

 private:
  void Show();
  std::string Text(Msg message) const;
  // The ticked types' project files under the start folder, into projects_, each type's count shown.
  void FindProjects(const ScanSettings& settings);
  // Reads each of projects_ for its codes, into entries_ once per folder and project name.
  void ScanProjects(const ScanSettings& settings);

  Progress& progress_;
  Inflater* inflater_;
  const Language& language_;
  ScanView* view_ = nullptr;
  ScanDisplay display_;
  ProjectFileScanner scanner_;
  FolderTable folders_;
  std::vector<std::string> projects_;
  std::vector<ScanEntry> entries_;
  bool cancelled_ = false;
};

}  // namespace trakvella
