#pragma once
// FileBoxDelegate: draws a track row of the track list (FileBox) from the Browser's row table, and the
// row's texts and picture. The window owns it; the Browser and Catalogue outlive it.
#include <QString>
#include <functional>
#include <string>

#include "core/lang/Language.h"
#include "ui/browse/ListRowDelegate.h"

namespace trakvella {

// What the track list marks on a row besides the track itself. An empty
// function answers false.
struct TrackMarks {
  std::function<bool(int cd, int track)> inMusicSet;
  std::function<bool(const std::string& code)> downloaded;
  std::function<bool(const std::string& code)> hasComment;
};

// " " + duration, drawn bold when showTime is on.
QString TrackRowTimeText(const TrackRecord& track);
// Prefix, code part, title part and author part by the display options.
QString TrackRowMainText(const DisplayOptions& options, bool resultMode, const TrackRecord& track, Language language);
QString TrackRowMainText(const Browser& browser, const TrackRecord& track, Language language);
// The style words in lower case, drawn when showStyle is on.
QString TrackRowStyleText(const TrackRecord& track);
// The picture of a track row: in the music set, downloaded, a WAV file, else a demo.
int TrackIconIndex(const TrackMarks& marks, int cd, int track, const TrackRecord& record);

class FileBoxDelegate : public ListRowDelegate {
  Q_OBJECT

 public:
  using ListRowDelegate::ListRowDelegate;
  TrackMarks marks;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace trakvella
