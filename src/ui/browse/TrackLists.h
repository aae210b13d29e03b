#pragma once
// The two owner-drawn lists of the main window: the track list (FileBox) and
// the category/CD box (CDCatBox). Models that only report the Browser's row
// counts (no item or widget per row), delegates that draw each row from the
// Browser and the Catalogue, the row pictures and the sort arrows. The models
// and delegates keep references to the Browser and Catalogue; both outlive them.
#include <QAbstractListModel>
#include <QPixmap>
#include <QString>
#include <QStyledItemDelegate>
#include <functional>
#include <string>

#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"

class QListView;

namespace trakvella {

// What the track list marks on a row besides the track itself. An empty
// function answers false.
struct TrackMarks {
  std::function<bool(int cd, int track)> inMusicSet;
  std::function<bool(const std::string& code)> downloaded;
  std::function<bool(const std::string& code)> hasComment;
};

// Row pictures, 16 x 16.
inline constexpr int kRowIconSize = 16;
// Track row pictures: 0 WAV file, 1 demo on the web, 2 in the music set, 3 downloaded.
inline constexpr int kTrackIconCount = 4;
// Category/CD pictures, unselected and selected: 0/1 category, 2/3 last category, 4/5 CD.
inline constexpr int kCategoryIconCount = 6;
// The left strip of a selected category/CD row left in the list's colour.
inline constexpr int kCategoryStripWidth = 19;

QPixmap TrackIcon(int index);
QPixmap CategoryIcon(int index);
// The arrow shown next to the sort label: SortButDn (down) or SortButUp (up).
QPixmap SortArrowPixmap(bool up);

// --- Row texts and pictures, as the delegates draw them ---------------------------
// " " + duration, drawn bold when showTime is on.
QString TrackRowTimeText(const TrackRecord& track);
// Prefix, code part, title part and author part by the display options.
QString TrackRowMainText(const DisplayOptions& options, bool resultMode, const TrackRecord& track, int language);
QString TrackRowMainText(const Browser& browser, const TrackRecord& track, int language);
// The style words in lower case, drawn when showStyle is on.
QString TrackRowStyleText(const TrackRecord& track);
// The picture of a track row: in the music set, downloaded, a WAV file, else a demo.
int TrackIconIndex(const TrackMarks& marks, int cd, int track, const TrackRecord& record);

// The picture of box row `row`, its unselected or selected form.
int CategoryIconIndex(const Browser& browser, int row, bool selected);

struct CategoryRowText {
  QString text;
  bool bold = false;
};
// What box row `row` shows: a category's name (translated in Russian, and at the
// top level a "*" or "…" name in bold without its first two characters), or the
// CD's text.
CategoryRowText CategoryRowDisplay(const Catalogue& catalogue, const Browser& browser, int row, int language);
// The count after a CD row: " (" + number of tracks + ")".
QString CdTrackCountText(const Catalogue& catalogue, int cdPosition);

// --- Models ------------------------------------------------------------------------
// The track list's rows: as many as the Browser's row table, each reporting its
// track code. Reset() after every listing redraws the list once.
class TrackListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  TrackListModel(const Browser& browser, const Catalogue& catalogue, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  void Reset();

 private:
  const Browser& browser_;
  const Catalogue& catalogue_;
};

// The category/CD box's rows: the Browser's box rows. DisplayRole gives the text
// as shown; kIsCdRole and kCdPositionRole what the row stands for.
class CategoryListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  static constexpr int kIsCdRole = Qt::UserRole + 1;
  static constexpr int kCdPositionRole = Qt::UserRole + 2;
  static constexpr int kNameRole = Qt::UserRole + 3;  // the untranslated text of the row

  CategoryListModel(const Browser& browser, const Catalogue& catalogue, std::function<int()> language,
                    QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  void Reset();

 private:
  const Browser& browser_;
  const Catalogue& catalogue_;
  std::function<int()> language_;
};

// --- Delegates ---------------------------------------------------------------------
// Draws a track row (FileBoxDrawItem) from the Browser's row table.
class FileBoxDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  FileBoxDelegate(const Browser& browser, const Catalogue& catalogue, std::function<int()> language,
                  QObject* parent = nullptr);
  TrackMarks marks;
  void setItemHeight(int height) { itemHeight_ = height; }
  int itemHeight() const { return itemHeight_; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const Browser& browser_;
  const Catalogue& catalogue_;
  std::function<int()> language_;
  int itemHeight_ = 18;
};

// Draws a category/CD row (CDCatBoxDrawItem) from the Browser's box rows.
class CDCatBoxDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  CDCatBoxDelegate(const Browser& browser, const Catalogue& catalogue, std::function<int()> language,
                   QObject* parent = nullptr);
  void setItemHeight(int height) { itemHeight_ = height; }
  int itemHeight() const { return itemHeight_; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const Browser& browser_;
  const Catalogue& catalogue_;
  std::function<int()> language_;
  int itemHeight_ = 18;
};

// Sets a list view up for owner-drawn rows of one height: uniform item sizes (so
// a listing lays out without asking every row), one selected row, no editing.
void PrepareOwnerDrawnList(QListView* view);

}  // namespace trakvella
