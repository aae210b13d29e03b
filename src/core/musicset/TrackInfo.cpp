// TrackInfo: the track information window's rules and the track comments.
#include "core/musicset/TrackInfo.h"

#include <cstring>

#include "core/catalogue/Vocabulary.h"
#include "core/lang/CaptionTable.h"
#include "core/lang/MessageTable.h"
#include "core/text/Text.h"

namespace trakvella {
namespace {

// Item of the report window's column list that labels each row.
constexpr std::array<int, 6> kRowLabelItems = {4, 5, 3, 7, 8, 6};

std::string ColumnLabel(int item, Language language) {
  for (const CaptionRow& row : CaptionTable())
    if (row.property == CaptionProperty::Item && row.index == item && std::strcmp(row.window, "TRepForm") == 0 &&
        std::strcmp(row.component, "ListBox3") == 0)
      return CaptionText(row, language);
  return {};
}

}  // namespace

// --- Comments ---------------------------------------------------------------------------

void TrackComments::Load(std::vector<std::string> lines) { lines_ = std::move(lines); }

int TrackComments::Find(std::string_view code) const {
  for (size_t i = 0; i < lines_.size(); ++i)
    if (SameText(RowName(lines_[i]), code)) return static_cast<int>(i);
  return -1;
}

std::string TrackComments::Get(std::string_view code) const {
  const int at = Find(code);
  return at < 0 ? std::string() : std::string(RowValue(lines_[at]));
}

void TrackComments::Set(std::string_view code, std::string_view comment) {
  const int at = Find(code);
  if (comment.empty()) {
    if (at >= 0) lines_.erase(lines_.begin() + at);
    return;
  }
  std::string line = std::string(code) + "=" + std::string(comment);
  if (at >= 0)
    lines_[at] = std::move(line);
  else
    lines_.push_back(std::move(line));
}

void RestoreComments(TrackComments& comments, const Settings& settings) { comments.Load(settings.commentLines); }
void StoreComments(const TrackComments& comments, Settings& settings) { settings.commentLines = comments.lines(); }

// --- Status -------------------------------------------------------------------------------

TrackStatus StatusOf(std::string_view code, const MusicSet& set, const std::vector<std::string>& downloadedTracks,
                     std::string_view location) {
  if (set.Contains(code)) return TrackStatus::InMusicSet;
  for (const auto& downloaded : downloadedTracks)
    if (SameText(downloaded, code)) return TrackStatus::Downloaded;
  if (LowerCase(location).find(".wav") != std::string::npos) return TrackStatus::LocalWav;
  return TrackStatus::WebDemo;
}

std::string StatusText(TrackStatus status, std::string_view activeAccount, Language language) {
  const bool ru = language == Language::Russian;
  switch (status) {
    case TrackStatus::InMusicSet:
      return ru ? "Статус: Находится в наборе" : "Status: In Music Set";
    case TrackStatus::Downloaded:
      return (ru ? "Статус: Загружен по подписке " : "Status: Downloaded via ") + std::string(activeAccount);
    case TrackStatus::LocalWav:
      return ru ? "Статус: На жестком диске в формате .wav" : "Status: Local HD .wav";
    case TrackStatus::WebDemo:
      break;
  }
  return ru ? "Статус: Демо на веб-сервере" : "Status: Web Demo";
}

// --- The window -----------------------------------------------------------------------------

TrackInfoView ShowTrackInfo(std::string_view code, const Catalogue& catalogue, const MusicSet& set,
                            const TrackInfoAccount& account, const TrackComments& comments, Language language) {
  TrackInfoView view;
  for (size_t i = 0; i < view.rows.size(); ++i) view.rows[i].label = ColumnLabel(kRowLabelItems[i], language);
  view.rows[0].value = std::string(code);
  std::string location;
  const auto [cd, track] = catalogue.LocateTrack(code);
  if (cd >= 0) {
    const TrackRecord& record = catalogue.Track(cd, track);
    view.found = true;
    view.rows[1].value = record.isrc;
    view.rows[2].value = record.title;
    view.rows[3].value = ExpandAuthorNames(record.composer, catalogue.WritersInfo());
    view.rows[4].value = ExpandAuthorNames(record.performer, catalogue.WritersInfo());
    view.rows[5].value = record.duration;
    location = record.location;
  }
  view.commentLabel = LangMessage(language, Msg::Comments);
  view.comment = comments.Get(code);
  view.status = StatusText(StatusOf(code, set, account.downloadedTracks, location), account.activeAccount, language);
  view.database = LangMessage(language, Msg::Registry);
  return view;
}

std::string TrackInfoCopyText(const TrackInfoView& view) {
  std::string text;
  for (size_t i = 0; i < view.rows.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += view.rows[i].label + ": " + view.rows[i].value;
  }
  return text;
}

std::string TimeDataStamp(std::string_view comment, std::string_view dateTime) {
  return std::string(comment) + " " + std::string(dateTime);
}

}  // namespace trakvella
