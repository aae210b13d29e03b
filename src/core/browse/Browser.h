#pragma once
// Browser: what the main window's two lists show and how the user walks them — the category tree
// with history, tags and favourites, and the sorted track rows. App owns one; the catalogue is borrowed.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/browse/RowFilter.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/TSort.h"
#include "core/catalogue/TrackRef.h"
#include "core/lang/MessageTable.h"
#include "core/settings/Settings.h"
#include "ports/Clipboard.h"
#include "ports/Dialogs.h"
#include "ports/Progress.h"
#include "ports/Random.h"

namespace trakvella {

inline constexpr size_t kMaxTrackRows = 50001;
inline constexpr size_t kMaxFavourites = 98;
inline constexpr std::string_view kPlaceSeparator = " : ";
inline constexpr std::string_view kTagPlacePrefix = "Keyword [ ";
inline constexpr std::string_view kTagPlaceSuffix = " ]";

enum class SortKind { Order, Popular, Length, Tempo };

// One row of the category/CD box: a child category (its English name) or a CD.
struct BoxRow {
  bool isCd = false;
  std::string text;  // the category name, or the CD's text (code and title)
  int cdPosition = -1;
};

// What the browser asks of the rest of the program (the player, the music set,
// the CD information pop-up, the search panel). Every hook may be left empty.
struct BrowserHooks {
  std::function<void()> stopPlayback;
  std::function<void(bool fromPlayButton)> playCurrent;
  std::function<void(int boxRow)> showCdInfo;
  // The selected music set entry when the music set window is open: (cd, track).
  std::function<std::optional<TrackRef>()> musicSetSelection;
  std::function<bool()> searchPanelVisible;
};

// Plain state the window draws; every rule of navigation, listing and sorting
// lives here and is tested without a window.
class Browser {
 public:
  Browser(const Catalogue& catalogue, Dialogs& dialogs, Progress& progress, Random& random, const Language& language);

  BrowserHooks hooks;

  // --- Track list -------------------------------------------------------------
  // (CD position, track position) of each row, row 0 first.
  const std::vector<TrackRef>& rows() const { return rows_; }
  int rowCount() const { return static_cast<int>(rows_.size()); }
  int selectedRow() const { return selectedRow_; }
  void SelectRow(int row);  // -1 for none
  const TrackRecord* SelectedTrack() const;

  SortKind sortKind() const { return sortKind_; }
  bool reversed() const { return reversed_; }
  // What a track's row shows (time, code, name, composer, performer).
  const DisplayOptions& options() const { return options_; }
  void SetOptions(const DisplayOptions& options) { options_ = options; }
  // The popularity list (track codes, most popular first); empty until loaded.
  const std::vector<std::string>& topList() const { return topList_; }
  void SetTopList(std::vector<std::string> codes) { topList_ = std::move(codes); }

  // Lists track codes in the current sort order (see the sort kinds); codes that
  // are not in the catalogue are left out. With a progress message the progress
  // window shows it while the listing runs.
  void ListTracks(const std::vector<std::string>& codes, std::optional<Msg> progressMessage, bool resultMode,
                  const std::string& cdCaption);
  // The rows of a collection that scanned the catalogue itself (catalogue order,
  // not sorted); no row selected.
  void SetScannedRows(std::vector<TrackRef> rows);
  // Fills the box with the CDs of the codes (catalogue order); with selectFirst,
  // opens the first under `caption`.
  void ListCdsOfTracks(const std::string& caption, const TextSet& cdCodes, bool selectFirst);

  // Sort mode: the kind checked, or the reverse flag flipped; an open CD is listed
  // again at once, a result list only at its next listing.
  void SetSortKind(SortKind kind);
  void ToggleReverse();
  // showname and showcode are never both off.
  void SetShowName(bool on);
  void SetShowCode(bool on);

  // Result mode: the list holds a result, not a CD; status field 0 shows "*" meanwhile.
  bool resultMode() const { return resultMode_; }
  void EnterResultMode();
  void LeaveResultMode();
  // Result mode with the search panel in place of the category/CD box.
  void EnterSearchMode();
  bool searchButtonDown() const { return searchButtonDown_; }
  bool searchPanelShown() const { return searchPanelShown_; }
  bool boxVisible() const { return boxVisible_; }

  // The texts of the status bar, fields 0-4.
  const std::array<std::string, 5>& statusFields() const { return statusFields_; }
  void SetStatusField(int index, std::string text) { statusFields_[index] = std::move(text); }
  // Fills fields 1-4 for the selected track (source, key, tempo, row n/N).
  void ShowTrackStatus(const std::string& demoBaseUrl, const std::string& programFolder);

  // The selected track's name as copied to the clipboard.
  std::string ComposeTrackName() const;

  // --- Category/CD box ------------------------------------------------------------
  const std::vector<BoxRow>& boxRows() const { return boxRows_; }
  int categoryRowCount() const;
  int selectedBoxRow() const { return selectedBoxRow_; }
  void SelectBoxRow(int row) { selectedBoxRow_ = row; }
  // False while a row is being opened.
  bool boxEnabled() const { return boxEnabled_; }
  void SetNewFirst(bool on) { newFirst_ = on; }  // "Показывать сначала новые"
  bool allowOpenCd() const { return allowOpenCd_; }
  void SetAllowOpenCd(bool on) { allowOpenCd_ = on; }  // "Allow Open CD"
  void SetAlwaysInfo(bool on) { alwaysInfo_ = on; }    // "Всегда показывать информацию"

  const std::string& currentPath() const { return currentPath_; }
  const std::string& caption() const { return caption_; }  // the text above the lists
  const std::vector<std::string>& history() const { return history_; }
  bool backEnabled() const { return backEnabled_; }
  bool forwardEnabled() const { return forwardEnabled_; }

  void ShowCurrentLevel(const std::string& selectName = {});
  // Open the selected row (double click); byUser is false when the program itself opens it.
  void OpenSelectedRow(bool byUser = true);
  // Single click: opens CD rows only, and not the row already open.
  void OpenSelectedCd();
  void Home();
  void Back();
  void Forward();
  void Up();
  void GoToPlace(const std::string& place);
  std::string FormatPathCaption(const std::string& path) const;

  // --- Tags --------------------------------------------------------------------------
  const std::vector<std::string>& tagItems() const { return tagItems_; }
  // The tag box's text.
  const std::string& tagText() const { return tagText_; }
  void SetTagText(std::string text) { tagText_ = std::move(text); }
  // Fills the tag box from the catalogue in the current language.
  void FillTagList();
  void ListCdsByTag(const std::string& tag);
  void ListCdsOfTagText();
  // After a language change: the tag box refilled and its text translated
  // (emptied when it has no translation), then shown as ListCdsOfTagText shows it.
  void RebuildTagList();

  // --- Favourites ------------------------------------------------------------------
  // The favourites in menu order (also the organiser's list).
  const std::vector<std::string>& favourites() const { return favourites_; }
  // Menu captions: "01 » place" ... "09 » place", then "10 » place".
  std::vector<std::string> FavouriteCaptions() const;
  bool AddFavourite(const std::string& place);
  void AddCurrentPlaceToFavourites();
  void GoToFavourite(int index);
  void SetFavourites(std::vector<std::string> places);  // the organiser's list, after it closes
  bool addFavouriteEnabled() const { return !currentPath_.empty(); }
  bool organiseFavouritesEnabled() const { return !favourites_.empty(); }

  // Resets to the state of a fresh start: an empty box, one empty history entry.
  void Reset();

  // --- Filter as you type -------------------------------------------------------------
  // Shows only the rows of the listing whose tracks hold every word of `text` (RowFilter); a blank
  // text gives the whole listing back. The selected track stays selected wherever it is shown, and
  // the listing's own selection comes back with it when nothing else was chosen meanwhile. Result
  // mode and history stay as they are; status field 4 counts the rows shown. A new listing ends the
  // filter (the window applies its text again). False when the rows did not change.
  bool FilterRows(std::string_view text);
  bool filtered() const { return filtered_; }
  // Makes the filter's text of the catalogue ahead of the first keystroke.
  void PrepareRowFilter() { rowFilter_.Prepare(catalogue_); }
  // The rows of the listing, all of them, whether filtered or not.
  const std::vector<TrackRef>& listedRows() const { return filtered_ ? listedRows_ : rows_; }

 private:
  void StopPlayback();
  Language Lang() const { return language_; }

  const Catalogue& catalogue_;
  Dialogs& dialogs_;
  Progress& progress_;
  Random& random_;
  const Language& language_;

  std::vector<TrackRef> rows_;
  int selectedRow_ = -1;
  SortKind sortKind_ = SortKind::Order;
  bool reversed_ = false;
  DisplayOptions options_;
  std::vector<std::string> topList_;
  std::array<std::string, 5> statusFields_;
  bool resultMode_ = false;
  bool searchButtonDown_ = false;
  bool searchPanelShown_ = false;
  bool boxVisible_ = true;

  std::vector<BoxRow> boxRows_;
  int selectedBoxRow_ = -1;
  bool boxEnabled_ = true;
  bool newFirst_ = true;
  bool allowOpenCd_ = true;
  bool alwaysInfo_ = false;
  std::string currentPath_;
  std::string reselectName_;
  std::string caption_;
  int lastOpenedRow_ = -1;
  std::vector<std::string> history_{""};
  int historyBackSteps_ = 0;
  bool backEnabled_ = false;
  bool forwardEnabled_ = false;

  std::vector<std::string> tagItems_;
  std::string tagText_;
  std::vector<std::string> favourites_;

  // A new listing replaces the rows: any filter ends.
  void EndFilter();
  RowFilter rowFilter_;
  bool filtered_ = false;
  std::string filterText_;
  std::vector<TrackRef> listedRows_;  // while filtered: the whole listing
  int listedSelection_ = -1;          // while filtered: the listing's selected row
};

}  // namespace trakvella
