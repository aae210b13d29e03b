#pragma once
// ListRowDelegate: what the two lists' row drawing shares — one row height, the Browser, Catalogue and
// language the rows come from, and the drawing helpers. The list's owner makes it; Browser and Catalogue outlive it.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QStyledItemDelegate>
#include <functional>

#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/lang/Language.h"

class QListView;

namespace trakvella {

class ListRowDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  ListRowDelegate(const Browser& browser, const Catalogue& catalogue, const Language& language,
                  QObject* parent = nullptr);
  void setItemHeight(int height) { itemHeight_ = height; }
  int itemHeight() const { return itemHeight_; }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 protected:
  static const QColor kSelectedGrey;
  static const QColor kSilver;  // the style words and the CD track counts

  Language language() const;
  // The row's background: grey when selected, the first `strip` pixels left in
  // the list's colour; unselected in the given colour.
  static void FillRow(QPainter* p, const QStyleOptionViewItem& option, bool selected, int strip,
                      const QColor& unselected);
  // Draws text from x in the row (shifted down by dy), vertically centred; returns the x after it.
  static int DrawTextAt(QPainter* p, const QRect& row, int x, int dy, const QString& text);
  static void DrawFocus(QPainter* p, const QRect& row, const QColor& colour);
  static int IconTop(const QRect& row);
  static QFont SmallFont(const QFont& listFont);
  static QFont BoldFont(const QFont& listFont);

  const Browser& browser_;
  const Catalogue& catalogue_;

 private:
  const Language& language_;
  int itemHeight_ = 18;
};

// Sets a list view up for owner-drawn rows of one height: uniform item sizes (so
// a listing lays out without asking every row), one selected row, no editing.
void PrepareOwnerDrawnList(QListView* view);

}  // namespace trakvella
