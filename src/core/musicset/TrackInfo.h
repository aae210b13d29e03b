#pragma once
// TrackInfo: what the track information window shows for one track code (its
// registration data, where the track stands for this user, the user's comment)
// and the track comments the main window keeps for the whole program run.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue/Catalogue.h"
#include "core/lang/Language.h"
#include "core/musicset/MusicSet.h"
#include "core/settings/Settings.h"

namespace trakvella {

// The user's comments, one per track code, as "code=comment" lines in the order
// they were made. Codes are matched ignoring letter case.
class TrackComments {
 public:
  // The comments block of the settings file (lines without "comments/").
  void Load(std::vector<std::string> lines);
  const std::vector<std::string>& lines() const { return lines_; }
  // The comment of the code; empty when there is none.
  std::string Get(std::string_view code) const;
  // Stores the comment of the code; an empty comment removes it.
  void Set(std::string_view code, std::string_view comment);

 private:
  // Index of the first line of the code, or -1.
  int Find(std::string_view code) const;
  std::vector<std::string> lines_;
};

void RestoreComments(TrackComments& comments, const Settings& settings);
void StoreComments(const TrackComments& comments, Settings& settings);

// Where a track stands for this user, the first that applies.
enum class TrackStatus { InMusicSet, Downloaded, LocalWav, WebDemo };

TrackStatus StatusOf(std::string_view code, const MusicSet& set, const std::vector<std::string>& downloadedTracks,
                     std::string_view location);
// The text of TrStatusLabel; a download names the active account.
std::string StatusText(TrackStatus status, std::string_view activeAccount, Language language);

struct TrackInfoRow {
  std::string label;
  std::string value;
};

// What the window shows on activation.
struct TrackInfoView {
  bool found = false;                // the code is in the catalogue
  std::array<TrackInfoRow, 6> rows;  // LabeledEdit1..6: code, ISRC, title, composer, performer, duration
  std::string commentLabel;          // message 112
  std::string comment;               // TrackComments
  std::string status;                // TrStatusLabel
  std::string database;              // DBStatusLbl: message 110
};

// The subscription state the status reads.
struct TrackInfoAccount {
  std::string activeAccount;
  std::vector<std::string> downloadedTracks;
};

TrackInfoView ShowTrackInfo(std::string_view code, const Catalogue& catalogue, const MusicSet& set,
                            const TrackInfoAccount& account, const TrackComments& comments, Language language);

// CopyButton: "label: value" of the six rows joined by CR LF (no comment).
std::string TrackInfoCopyText(const TrackInfoView& view);

// TimeDataBut: the comment with a blank and the date and time (as the desktop
// writes them in its short date and long time forms) added at its end.
std::string TimeDataStamp(std::string_view comment, std::string_view dateTime);

// On close: the comment field's text becomes the code's comment (empty removes it).
inline void CloseTrackInfo(std::string_view code, std::string_view commentText, TrackComments& comments) {
  comments.Set(code, commentText);
}

}  // namespace trakvella
