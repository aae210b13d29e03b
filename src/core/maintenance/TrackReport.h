#pragma once
// TrackReport: the usage report for the rights society, built from music set
// entries and the catalogue, and the report window's state (which it owns).
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue/Catalogue.h"
#include "core/lang/Language.h"
#include "core/musicset/MusicSet.h"
#include "core/settings/Settings.h"
#include "ports/Clipboard.h"
#include "ports/Dialogs.h"
#include "ports/Random.h"

namespace trakvella {

// The report kinds; each value is the page of the kind in the window.
enum class ReportKind {
  Broadcast = 0,  // TV and radio programmes
  Advertising = 1,
  User = 2,  // the user's own choice of columns
};
inline constexpr int kReportKindCount = 3;

// The columns of a kind (10, 7 and 9), in the order of its column list.
int ReportColumnCount(ReportKind kind);
// The objectName of the kind's column list: ListBox1, ListBox2R, ListBox3.
std::string_view ReportColumnList(ReportKind kind);
// The heading of a user report column (Russian in both interface languages).
std::string_view UserReportHeading(int column);

// The report reads music set entries: the project folder and name from the
// entry, everything else from its catalogue track (found by its code when the
// entry's positions do not designate one).
using ReportEntry = MusicSetEntry;

struct ReportOptions {
  ReportKind kind = ReportKind::Broadcast;
  // Selected columns of the kind's list, in list order; a missing one is not selected.
  std::vector<bool> columns;
  int quarter = 2;
  int year = 2013;
  bool rowNames = false;  // user report: a heading line and row numbers
};

// The first day of the quarter: "1.", the month without a leading zero, ".", the year.
std::string PeriodDate(int quarter, int year);
// The duration times the rotations, as hours:MM:SS. The duration "mm:ss" reads
// minutes from its first two characters (0 when not a number) and seconds from
// its fourth and fifth (30 when not a number).
std::string RotationTotal(std::string_view duration, int rotations);

// The report's lines (no line ends). Broadcast and advertising reports draw a
// rotation count of 30 to 129 from random for every entry, whichever columns
// are selected. Empty when there is no entry or no selected column. Entries
// whose code is not a catalogue track give no line.
std::vector<std::string> ReportLines(const std::vector<ReportEntry>& entries, const Catalogue& catalogue,
                                     const ReportOptions& options, Random& random);

// The clipboard text: every line followed by CR LF.
std::string ReportClipboardText(const std::vector<std::string>& lines);

// Builds the report. Without a line it shows message 68 as an error and
// returns false; otherwise, when copy is set, puts the text on the clipboard
// and shows how many lines it copied (the heading line counted) with messages
// 67, 69 and 70, and returns true.
bool BuildReport(const std::vector<ReportEntry>& entries, const Catalogue& catalogue, const ReportOptions& options,
                 bool copy, Random& random, Clipboard& clipboard, Dialogs& dialogs, Language language);

// The read-only instructions (17 lines) in the language.
const std::vector<std::string>& ReportInstructions(Language language);

// The spin edits' limits. The year goes from 2008 to 2020, or on to the year
// after the current one once 2020 has passed.
inline constexpr int kFirstReportYear = 2008;
int LastReportYear(int currentYear);
// The year edits' hint once they go beyond 2020: up to which year a report may be made.
std::string ReportYearNotice(Language language, int lastYear);

// The report window's state: what the user left in it stays between openings.
class ReportWindowState {
 public:
  // Every column of the three lists selected; CheckColRowNames from the settings.
  explicit ReportWindowState(bool checkColRowNames = false);

  // StartOnKindChoice: the kind-choice page, without the OK button.
  void StartOnKindChoice();
  // "Выбрать все" of a kind's list.
  void SelectAll(ReportKind kind);
  void SetSelected(ReportKind kind, int column, bool selected);
  const std::vector<bool>& selected(ReportKind kind) const { return selected_[static_cast<int>(kind)]; }

  // The period spin edits of the broadcast (SpinEdit1, SpinEdit2) and
  // advertising (SpinEdit3, SpinEdit4) pages; values outside the limits are
  // brought to the nearest limit.
  void SetQuarter(ReportKind kind, int quarter);
  void SetYear(ReportKind kind, int year, int currentYear);
  int quarter(ReportKind kind) const;
  int year(ReportKind kind) const;

  // CheckColRowNames, kept in the settings.
  void SetCheckColRowNames(bool checked, Settings& settings);
  bool checkColRowNames() const { return checkColRowNames_; }

  ReportKind activeKind = ReportKind::Broadcast;  // the page of PageControl1
  int page() const { return page_; }              // PageControl2: 0 kinds, 1 instructions
  bool readyButtonVisible() const { return page_ == 1; }
  // PageControl2Enter: the instructions in one language, laid out whole: Memo2
  // (English) in the English interface, Memo1 (Russian) otherwise.
  static bool EnglishMemoVisible(Language language) { return language == Language::English; }
  static bool RussianMemoVisible(Language language) { return !EnglishMemoVisible(language); }

  // The options of the active kind.
  ReportOptions Options() const;
  // Builds and copies the report of the active kind; on success
  // the instructions page follows.
  bool MakeReport(const std::vector<ReportEntry>& entries, const Catalogue& catalogue, Random& random,
                  Clipboard& clipboard, Dialogs& dialogs, Language language);

 private:
  std::array<std::vector<bool>, kReportKindCount> selected_;
  std::array<int, 2> quarter_ = {2, 1};
  std::array<int, 2> year_ = {2013, 2013};
  bool checkColRowNames_ = false;
  int page_ = 0;
};

}  // namespace trakvella
