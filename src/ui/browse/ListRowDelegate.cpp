#include "ui/browse/ListRowDelegate.h"

#include <QFontMetrics>
#include <QListView>
#include <QPainter>

#include "core/lang/MessageTable.h"
#include "ui/browse/RowPictures.h"

namespace trakvella {

const QColor ListRowDelegate::kSelectedGrey(128, 128, 128);
const QColor ListRowDelegate::kSilver(192, 192, 192);

ListRowDelegate::ListRowDelegate(const Browser& browser, const Catalogue& catalogue, const Language& language,
                                 QObject* parent)
    : QStyledItemDelegate(parent), browser_(browser), catalogue_(catalogue), language_(language) {}

QSize ListRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return QSize(kRowIconSize, itemHeight_);
}

Language ListRowDelegate::language() const { return language_; }

void ListRowDelegate::FillRow(QPainter* p, const QStyleOptionViewItem& option, bool selected, int strip,
                              const QColor& unselected) {
  const QRect& r = option.rect;
  if (selected) {
    p->fillRect(r, kSelectedGrey);
    p->fillRect(QRect(r.left(), r.top(), strip, r.height()), option.palette.color(QPalette::Base));
  } else {
    p->fillRect(r, unselected);
  }
}

int ListRowDelegate::DrawTextAt(QPainter* p, const QRect& row, int x, int dy, const QString& text) {
  const int width = QFontMetrics(p->font()).horizontalAdvance(text);
  p->drawText(QRect(x, row.top() + dy, width + 1, row.height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
              text);
  return x + width;
}

void ListRowDelegate::DrawFocus(QPainter* p, const QRect& row, const QColor& colour) {
  QPen pen(colour, 1, Qt::DotLine);
  p->setPen(pen);
  p->setBrush(Qt::NoBrush);
  p->drawRect(row.adjusted(0, 0, -1, -1));
}

int ListRowDelegate::IconTop(const QRect& row) { return row.top() + (row.height() - kRowIconSize) / 2; }

QFont ListRowDelegate::SmallFont(const QFont& listFont) {
  QFont f = listFont;
  f.setPointSize(8);
  return f;
}

QFont ListRowDelegate::BoldFont(const QFont& listFont) {
  QFont f = listFont;
  f.setBold(true);
  return f;
}

void PrepareOwnerDrawnList(QListView* view) {
  view->setUniformItemSizes(true);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

}  // namespace trakvella
