#pragma once
// RowPictures: the 16 x 16 pictures of the track list's and the category/CD box's rows and the sort
// arrows, drawn once and kept for the program's life. Free functions; the images are shared, read-only.
#include <QImage>
#include <QPixmap>

namespace trakvella {

inline constexpr int kRowIconSize = 16;
// Track row pictures: 0 WAV file, 1 demo on the web, 2 in the music set, 3 downloaded.
inline constexpr int kTrackIconCount = 4;
// Category/CD pictures, unselected and selected: 0/1 category, 2/3 last category, 4/5 CD.
inline constexpr int kCategoryIconCount = 6;

// The pictures as the delegates draw them (an index out of range is clamped).
const QImage& TrackImage(int index);
const QImage& CategoryImage(int index);

QPixmap TrackIcon(int index);
QPixmap CategoryIcon(int index);
// The arrow shown next to the sort label: SortButDn (down) or SortButUp (up).
QPixmap SortArrowPixmap(bool up);

}  // namespace trakvella
